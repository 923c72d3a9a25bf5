// Counters against a real snmpd: the answer's type decides a wrap, 64-bit counters stay exact, and
// an agent that restarted gives one gap instead of a spike of 2^32 over its outage.
#include "../control/control_fixture.h"

#include <agent_restarts.h>

#include <vector>

namespace {

constexpr quint64 kHigh = quint64(1) << 60;

class CounterTest : public ControlTest {
protected:
    void SetUp() override
    {
        ControlTest::SetUp();
        settings.setAssumeCounterRollover(true);
        control = MakeCounterControl();
    }

    /// A control that also polls objects named by a dotted OID that no MIB describes.
    std::unique_ptr<RTTrendwick> MakeCounterControl()
    {
        RTTrendwick::Seams seams;
        seams.resolver = [known = TestObjects()](const QString& name) {
            if (!name.startsWith(QLatin1String("1.")))
                return known(name);
            OIDInfo unknown;
            unknown.dottedOID = name;
            return OIDDetails(unknown);
        };
        auto made = std::make_unique<RTTrendwick>(settings, clock, prompter, std::move(seams));
        made->show();
        return made;
    }

    /// Polls once to take the base; then the graph is ready for rates.
    void TakeBase()
    {
        QSignalSpy answers(&control->SNMP(), &SNMPSession::Response);
        ResetGraph();
        ASSERT_TRUE(WaitForAnswers(answers, 0, control->TargetOIDs().Count()));
    }

    /// Stops the agent, sets the counter it will answer, and starts it again at the same address.
    void RestartAgent(quint32 counterAfter)
    {
        agent.stop();
        agent.setValue("1.1", Type::Counter32, counterAfter);
        QString error;
        ASSERT_TRUE(agent.start(&error)) << error.toStdString();
    }

    static int UptimeAnswers(const QSignalSpy& answers)
    {
        int count = 0;
        for (const QList<QVariant>& answer : answers)
            count += AgentRestarts::IsUptimeTag(answer.at(4).toString()) ? 1 : 0;
        return count;
    }
};

TEST_F(CounterTest, Counter32WrapsByItsTypeAndCounter64IsExactOrReset)
{
    // Given objects under a private enterprise (no MIB, so no syntax to go by)...
    const QString privateObject = TestAgent::controlledOid("5");
    agent.setValue("5.1", Type::Counter32, 4294967000u);
    agent.setValue("5.2", Type::Counter64, kHigh);
    agent.setValue("5.3", Type::Counter64, 5000000000000u);
    TargetOID* wraps = AddTarget(privateObject, "1");
    TargetOID* high = AddTarget(privateObject, "2");
    TargetOID* reset = AddTarget(privateObject, "3");
    ASSERT_EQ(wraps->OID().TypeTag(), 0);
    std::vector<QStringList> batches;
    QObject::connect(&control->SNMP(), &SNMPSession::Answered, control.get(),
                     [&](const std::vector<SnmpAnswer>& got) {
                         QStringList tags;
                         for (const SnmpAnswer& answer : got)
                             tags.append(answer.tag);
                         batches.push_back(tags);
                     });
    TakeBase();

    // ...when the Counter32 wraps, the Counter64 grows by 1,000/s high up and the other is reset:
    agent.setValue("5.1", Type::Counter32, 200);
    agent.setValue("5.2", Type::Counter64, kHigh + 10000);
    agent.setValue("5.3", Type::Counter64, 100);
    Cycle();
    EXPECT_DOUBLE_EQ(wraps->Value(), 49.6);
    EXPECT_EQ(high->Value(), 1000.0);
    EXPECT_EQ(reset->Value(), TargetOID::NoValue);
    agent.setValue("5.1", Type::Counter32, 700);
    agent.setValue("5.2", Type::Counter64, kHigh + 20010);
    agent.setValue("5.3", Type::Counter64, 1100);
    Cycle();
    EXPECT_DOUBLE_EQ(wraps->Value(), 50.0);
    EXPECT_EQ(high->Value(), 1001.0);
    EXPECT_EQ(reset->Value(), 100.0);
    // The reset left one gap and nothing negative or huge in the history.
    EXPECT_EQ(reset->HistoryCount(), 1);
    EXPECT_EQ(reset->Min(), 100.0f);
    EXPECT_EQ(reset->Max(), 100.0f);

    // The uptime travelled first in the PDU of the objects, once per poll: no extra round trip.
    ASSERT_EQ(batches.size(), 3u);
    for (const QStringList& tags : batches) {
        EXPECT_EQ(tags, QStringList({"U:0", wraps->Key(), high->Key(), reset->Key()}));
    }
}

TEST_F(CounterTest, ARestartedAgentGivesOneGapNotAWrapAfterAShortOrALongOutage)
{
    agent.setValue("1.1", Type::Counter32, 4000000000u);
    TargetOID* counter = AddTarget("counterObj", "1");
    // Up long enough that a quick restart brings its uptime below the last reading.
    QTest::qWait(1500);
    TakeBase();
    agent.setValue("1.1", Type::Counter32, 4000001000u);
    Cycle();
    ASSERT_DOUBLE_EQ(counter->Value(), 100.0);

    // Short outage: back at once, counters from zero. A wrap would read 29 million per second.
    RestartAgent(300);
    Cycle();
    EXPECT_EQ(counter->Value(), TargetOID::NoValue);
    agent.setValue("1.1", Type::Counter32, 1300);
    Cycle();
    EXPECT_DOUBLE_EQ(counter->Value(), 100.0);

    // Long outage: polls without answers, twenty minutes pass, and by the next answer the new
    // uptime has grown past the last one read, so only the time since that answer tells.
    agent.stop();
    Cycle();
    EXPECT_EQ(counter->LastError(), "No Response");
    clock.skipMonotonicMsecs(20 * 60 * 1000);
    RestartAgent(200);
    QTest::qWait(1500);
    Cycle();
    EXPECT_EQ(counter->Value(), TargetOID::NoValue);
    agent.setValue("1.1", Type::Counter32, 1200);
    Cycle();
    EXPECT_DOUBLE_EQ(counter->Value(), 100.0);

    // An agent that keeps running still wraps.
    agent.setValue("1.1", Type::Counter32, 4294967000u);
    Cycle();
    agent.setValue("1.1", Type::Counter32, 704);
    Cycle();
    EXPECT_DOUBLE_EQ(counter->Value(), 100.0);
}

TEST_F(CounterTest, WithoutAnUptimeARestartStillReadsAsAWrap)
{
    // An SNMPv1 poll of an agent that has the uptime, and an SNMPv2c poll of one that hides it.
    for (const bool v1 : {true, false}) {
        SCOPED_TRACE(v1 ? "SNMPv1" : "no sysUpTime");
        agent.stop();
        agent.setSysUpTimeHidden(!v1);
        agent.setValue("1.1", Type::Counter32, 4000000000u);
        ASSERT_TRUE(agent.start());
        settings.setSNMPVersion(v1 ? 1 : 2);
        control = MakeCounterControl();
        TargetOID* counter = AddTarget("counterObj", "1");
        QTest::qWait(1500);
        QSignalSpy answers(&control->SNMP(), &SNMPSession::Response);
        TakeBase();

        RestartAgent(300);
        Cycle();
        EXPECT_DOUBLE_EQ(counter->Value(), (300 + 4294967296.0 - 4000000000.0) / 10);
        Cycle();
        // SNMPv1 is never asked; the agent without the object was asked once and remembered.
        EXPECT_EQ(UptimeAnswers(answers), v1 ? 0 : 1);
    }
}

} // namespace
