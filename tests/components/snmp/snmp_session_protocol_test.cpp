// Replies a real snmpd never sends: mismatching variables and tooBig, from a fake agent.
#include "fake_agent.h"
#include "response_recorder.h"
#include "snmp_session.h"

#include <algorithm>
#include <gtest/gtest.h>

namespace {

const QString SysUpTime = QStringLiteral("1.3.6.1.2.1.1.3.0");
const QString SysName = QStringLiteral("1.3.6.1.2.1.1.5.0");

void configure(SNMPSession& session)
{
    session.setTimeout(300);
    session.setRetries(0);
}

} // namespace

TEST(SnmpSessionProtocol, ReplyWithTheRequestedVariablesIsAccepted)
{
    FakeAgent agent(FakeAgent::Mode::Echo);
    SNMPSession session;
    configure(session);
    ResponseRecorder recorder(session);
    session.setOID(SysUpTime);
    session.SendGet(agent.address());
    ASSERT_TRUE(recorder.waitFor(1));
    EXPECT_EQ(recorder.answers[0].status, SNMPSession::RESPONSE_OK);
    EXPECT_EQ(recorder.answers[0].oid, SysUpTime);
    EXPECT_EQ(recorder.answers[0].type, QStringLiteral("NULL"));
}

TEST(SnmpSessionProtocol, ReplyWithOtherVariablesIsRejected)
{
    for (const auto mode : {FakeAgent::Mode::RenameFirst, FakeAgent::Mode::SwapFirstTwo}) {
        SCOPED_TRACE(int(mode));
        FakeAgent agent(mode);
        SNMPSession session;
        configure(session);
        ResponseRecorder recorder(session);
        session.setRequestTag(QStringLiteral("uptime"));
        session.setOID(SysUpTime);
        session.SendGet(agent.address());
        session.setRequestTag(QStringLiteral("name"));
        session.setOID(SysName);
        session.SendGet(agent.address());
        ASSERT_TRUE(recorder.waitFor(2));
        ASSERT_EQ(agent.requestSizes(), QList<int>{2}) << "both requests travelled in one PDU";
        for (const RecordedResponse& answer : std::as_const(recorder.answers)) {
            EXPECT_EQ(answer.status, SNMPSession::RESPONSE_BAD_REPLY) << answer.tag.toStdString();
            EXPECT_EQ(answer.oid, QString());
            EXPECT_EQ(answer.type, QStringLiteral("badReply"));
        }
    }
}

TEST(SnmpSessionProtocol, TooBigHalvesTheBatchUntilItFits)
{
    FakeAgent agent(FakeAgent::Mode::TooBig, 5);
    SNMPSession session;
    configure(session);
    ResponseRecorder recorder(session);
    for (int i = 0; i < 40; ++i) {
        session.setRequestTag(QString::number(i));
        session.setOID(QStringLiteral("1.3.6.1.2.1.2.2.1.10.%1").arg(i + 1));
        session.SendGet(agent.address());
    }
    ASSERT_TRUE(recorder.waitFor(40));
    EXPECT_EQ(recorder.byTag.size(), 40);
    for (const RecordedResponse& answer : std::as_const(recorder.answers)) {
        EXPECT_EQ(answer.status, SNMPSession::RESPONSE_OK);
        EXPECT_EQ(answer.oid, QStringLiteral("1.3.6.1.2.1.2.2.1.10.%1").arg(answer.tag.toInt() + 1));
    }
    // One PDU of 40 first; then halves (sent side by side) until they fit, never growing back
    // within so few replies; every request was finally answered from a PDU the agent accepted.
    const QList<int> sizes = agent.requestSizes();
    ASSERT_FALSE(sizes.isEmpty());
    EXPECT_EQ(sizes.first(), 40);
    EXPECT_TRUE(std::is_sorted(sizes.rbegin(), sizes.rend())) << "sizes never grow";
    int accepted = 0;
    for (const int size : sizes)
        accepted += size <= 5 ? size : 0;
    EXPECT_EQ(accepted, 40);
}

TEST(SnmpSessionProtocol, TooBigForASingleVariableIsAnError)
{
    FakeAgent agent(FakeAgent::Mode::TooBig, 0);
    SNMPSession session;
    configure(session);
    ResponseRecorder recorder(session);
    session.setOID(SysUpTime);
    session.SendGet(agent.address());
    ASSERT_TRUE(recorder.waitFor(1));
    EXPECT_EQ(recorder.answers[0].status, SNMPSession::RESPONSE_ERROR);
    EXPECT_EQ(recorder.answers[0].code, 1);
    EXPECT_EQ(recorder.answers[0].type, QStringLiteral("tooBig"));
    EXPECT_EQ(recorder.answers[0].value, QString());
}
