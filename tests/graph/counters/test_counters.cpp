// Counters against a real snmpd: wraps by type, exact 64 bits, one gap for a restarted agent.
#include "../control/control_fixture.h"

#include <value_log.h>

#include <QJsonDocument>
#include <QProcess>

namespace {

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
        return MakeControl([this](const QString& name) {
            OIDInfo unknown;
            unknown.dottedOID = name;
            return name.startsWith(QLatin1String("1.")) ? OIDDetails(unknown) : OIDDetails(mib.Find(name));
        });
    }

    /// A counter near 2^32 with its base, on an agent up long enough for a restart to be seen.
    TargetOID* CounterWithBase()
    {
        agent.setValue("1.1", Type::Counter32, 4000000000u);
        TargetOID* counter = AddTarget("counterObj", "1");
        QTest::qWait(1500);
        ResetAndWait();
        return counter;
    }

    void RestartAgent(quint32 after)
    {
        agent.stop();
        agent.setValue("1.1", Type::Counter32, after);
        ASSERT_TRUE(agent.start());
    }
};

TEST_F(CounterTest, Counter32WrapsByItsTypeAndCounter64IsExactOrReset)
{
    // Objects under a private enterprise: no MIB, no syntax to go by.
    const QString privateObject = TestAgent::controlledOid("5");
    constexpr quint64 kHigh = quint64(1) << 60;
    agent.setValue("5.1", Type::Counter32, 4294967000u);
    agent.setValue("5.2", Type::Counter64, kHigh);
    agent.setValue("5.3", Type::Counter64, 5000000000000u);
    TargetOID* wraps = AddTarget(privateObject, "1");
    // Whole division saturates at 2^31 - 1: it converts before subtracting, wrap included.
    TargetOID* divided = AddTarget(privateObject, "1");
    divided->setConversion("\\1");
    TargetOID* high = AddTarget(privateObject, "2");
    TargetOID* scaled = AddTarget(privateObject, "2");
    scaled->setConversion("*8/1000");
    TargetOID* reset = AddTarget(privateObject, "3");
    QStringList batches;
    QObject::connect(&control->SNMP(), &SNMPSession::Answered, control.get(), [&](const auto& got) {
        batches.append("");
        for (const SnmpAnswer& answer : got)
            batches.last() += (batches.last().isEmpty() ? "" : " ") + answer.tag;
    });
    Cycle();

    for (const quint64 step : {quint64(1), quint64(2)}) {
        agent.setValue("5.1", Type::Counter32, 500 * step - 300);
        agent.setValue("5.2", Type::Counter64, kHigh + 10000 * step + 10 * (step - 1));
        agent.setValue("5.3", Type::Counter64, 1000 * step - 900);
        Cycle();
    }
    // Through the wrap 49.6 then 50 per second; 1,000 then 1,001 on top of 2^60, not a multiple
    // of 25.6; the reset is one gap in the history and nothing negative or huge.
    EXPECT_EQ(std::vector<float>({wraps->History(1), wraps->History(0), high->History(1), high->History(0),
                                  scaled->History(1), divided->History(1), float(reset->HistoryCount()),
                                  reset->Min(), reset->Max()}),
              std::vector<float>({49.6f, 50, 1000, 1001, 8, 20, 1, 100, 100}));
    // The uptime travels first in the PDU of the objects, once per poll: no extra round trip.
    const QString tags =
        QStringList({"U:0", wraps->Key(), divided->Key(), high->Key(), scaled->Key(), reset->Key()})
            .join(' ');
    EXPECT_EQ(batches, QStringList({tags, tags, tags}));
}

TEST_F(CounterTest, ARestartedAgentGivesOneGapNotAWrapAfterAShortOrALongOutage)
{
    TargetOID* counter = CounterWithBase();
    // Short outage: back at once, counting from zero. A wrap would read 29 million per second.
    RestartAgent(300);
    Cycle();
    EXPECT_EQ(counter->Value(), TargetOID::NoValue);
    agent.setValue("1.1", Type::Counter32, 1300);
    Cycle();
    EXPECT_DOUBLE_EQ(counter->Value(), 100.0);

    // Long outage: polls without answers, twenty minutes, and by the next answer the new uptime
    // has grown past the last one read: only the time since that answer tells.
    agent.stop();
    Cycle();
    ASSERT_EQ(counter->LastError(), "No Response");
    clock.skipMonotonicMsecs(20 * 60 * 1000);
    RestartAgent(200);
    QTest::qWait(1500);
    Cycle();
    EXPECT_EQ(counter->Value(), TargetOID::NoValue);

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
        ASSERT_TRUE(agent.start());
        settings.setSNMPVersion(v1 ? 1 : 2);
        control = MakeCounterControl();
        QSignalSpy answers(&control->SNMP(), &SNMPSession::Response);
        TargetOID* counter = CounterWithBase();
        RestartAgent(300);
        Cycle();
        EXPECT_DOUBLE_EQ(counter->Value(), (300 + 4294967296.0 - 4000000000.0) / 10);
        Cycle();
        // Asked never, or once and remembered: two polls, one answer each beside the uptime's.
        EXPECT_EQ(answers.count(), v1 ? 3 : 4);
    }
}

} // namespace

// The uptime's own wrap, which no test agent lives long enough to show.
TEST(AgentRestartsTest, TicksWrappingAfter497DaysAreNoRestartButARestartNearThemIs)
{
    // A minute after 0xFFFFFF00 hundredths of a second: grown by 58 s is the wrap, by 3.56 s a restart.
    EXPECT_FALSE(AgentRestarts::Restarted(0xFFFFFF00u, 5544, 60000));
    EXPECT_TRUE(AgentRestarts::Restarted(0xFFFFFF00u, 100, 60000));
}

// A label that a spreadsheet would run as a formula reaches the log's header as text.
TEST(LogLabelsTest, FormulaLikeLabelsGetAnApostropheThatACsvReaderKeeps)
{
    ManualClock clock;
    Settings settings;
    TargetOIDs targets(clock, settings, [](const QString&) { return OIDDetails(OIDInfo{}); });
    // What a device could put into an interface description, and labels that only look close.
    const QStringList labels{
        "=HYPERLINK(\"http://x\",\"a\")", "+1", "-2", "@SUM(A1)", "\tx", "\rx", "a=b", " =c", ""};
    for (const QString& label : labels)
        targets.Add("host", "127.0.0.1", "public", "x", "1")->setLabel(label);
    QTemporaryDir folder;
    const QString file = folder.filePath("log.csv");
    ASSERT_TRUE(ValueLog(clock).WriteLogHeader(file, targets));

    // Python's csv module reads the header row back.
    QProcess reader;
    reader.start("python3", {"-c",
                             "import csv,json,sys\n"
                             "print(json.dumps(list(csv.reader(open(sys.argv[1], newline='')))[3]))",
                             file});
    ASSERT_TRUE(reader.waitForFinished(30000) && reader.exitCode() == 0)
        << "python3 is needed to read the log";
    EXPECT_EQ(QJsonDocument::fromJson(reader.readAllStandardOutput()).toVariant().toStringList(),
              QStringList({"Time Stamp", "'=HYPERLINK(\"http://x\",\"a\")", "'+1", "'-2", "'@SUM(A1)", "'\tx",
                           "'\rx", "a=b", " =c", ""}));
}
