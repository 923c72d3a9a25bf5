// Replies a real snmpd never sends: mismatching variables and tooBig, from a fake agent.
#include "netsnmp_library.h"
#include "response_recorder.h"
#include "snmp_session.h"

#include <QSocketNotifier>
#include <algorithm>
#include <gtest/gtest.h>
#include <memory>
#include <numeric>

#include <arpa/inet.h>

#include <net-snmp/net-snmp-config.h>
#include <net-snmp/net-snmp-includes.h>

namespace {

/// A misbehaving agent on a loopback port, on net-snmp's own server side. It answers every GET
/// or GET-NEXT with the request's own variables (NULL values), changed as its mode says.
class FakeAgent final {
public:
    enum class Mode {
        RenameFirst,  ///< the first variable's name is changed
        SwapFirstTwo, ///< the first two variables trade places
        TooBig,       ///< tooBig for any PDU with more than maxVariables variables, else the echo
    };

    explicit FakeAgent(Mode mode, int maxVariables = 0) : m_mode(mode), m_maxVariables(maxVariables)
    {
        InitNetSnmpLibrary();
        netsnmp_session settings;
        snmp_sess_init(&settings);
        settings.callback = &FakeAgent::received;
        settings.callback_magic = this;
        netsnmp_transport* transport = netsnmp_transport_open_server("snmp", "udp:127.0.0.1:0");
        m_session = snmp_sess_add(&settings, transport, nullptr, nullptr);
        sockaddr_in address{};
        socklen_t length = sizeof(address);
        ::getsockname(transport->sock, reinterpret_cast<sockaddr*>(&address), &length);
        m_port = ntohs(address.sin_port);
        m_notifier = std::make_unique<QSocketNotifier>(transport->sock, QSocketNotifier::Read);
        QObject::connect(m_notifier.get(), &QSocketNotifier::activated, [this](QSocketDescriptor socket) {
            fd_set readable;
            FD_ZERO(&readable);
            FD_SET(int(socket), &readable);
            snmp_sess_read(m_session, &readable);
        });
    }
    ~FakeAgent() { m_notifier.reset(), snmp_sess_close(m_session); }
    FakeAgent(const FakeAgent&) = delete;
    FakeAgent& operator=(const FakeAgent&) = delete;

    QString address() const { return QStringLiteral("127.0.0.1:%1").arg(m_port); }
    /// Number of variables in each request PDU received, in order of arrival.
    QList<int> requestSizes;

private:
    static int received(int operation, netsnmp_session*, int, netsnmp_pdu* request, void* magic)
    {
        auto* self = static_cast<FakeAgent*>(magic);
        if (operation != NETSNMP_CALLBACK_OP_RECEIVED_MESSAGE)
            return 1;
        netsnmp_pdu* reply = snmp_clone_pdu(request);
        reply->command = SNMP_MSG_RESPONSE;
        int count = 0;
        for (netsnmp_variable_list* v = reply->variables; v; v = v->next_variable)
            ++count;
        self->requestSizes << count;
        netsnmp_variable_list* first = reply->variables;
        if (self->m_mode == Mode::TooBig && count > self->m_maxVariables)
            reply->errstat = SNMP_ERR_TOOBIG;
        if (self->m_mode == Mode::RenameFirst)
            ++first->name[first->name_length - 1];
        if (self->m_mode == Mode::SwapFirstTwo && count >= 2) {
            reply->variables = first->next_variable;
            first->next_variable = reply->variables->next_variable;
            reply->variables->next_variable = first;
        }
        if (!snmp_sess_send(self->m_session, reply))
            snmp_free_pdu(reply);
        return 1;
    }

    Mode m_mode;
    int m_maxVariables;
    void* m_session = nullptr;
    quint16 m_port = 0;
    std::unique_ptr<QSocketNotifier> m_notifier;
};

/// Sends one GET per OID to the agent, back to back, tagged by position, and waits for every answer.
QList<RecordedResponse> askAll(const FakeAgent& agent, const QStringList& oids)
{
    SNMPSession session;
    session.setTimeout(300);
    session.setRetries(0);
    ResponseRecorder recorder(session);
    for (int i = 0; i < oids.size(); ++i) {
        session.setRequestTag(QString::number(i));
        session.setOID(oids[i]);
        session.SendGet(agent.address());
    }
    EXPECT_TRUE(recorder.waitFor(int(oids.size())));
    EXPECT_EQ(recorder.byTag.size(), oids.size()) << "one answer per request";
    return recorder.answers;
}

} // namespace

TEST(SnmpSessionProtocol, OnlyAReplyWithTheRequestedVariablesIsAccepted)
{
    for (const auto mode : {FakeAgent::Mode::RenameFirst, FakeAgent::Mode::SwapFirstTwo}) {
        SCOPED_TRACE(int(mode));
        FakeAgent agent(mode);
        for (const RecordedResponse& answer : askAll(agent, {"1.3.6.1.2.1.1.3.0", "1.3.6.1.2.1.1.5.0"}))
            EXPECT_EQ(QStringLiteral("%1 [%2]").arg(answer.status).arg(answer.oid + answer.type),
                      QStringLiteral("%1 [badReply]").arg(SNMPSession::RESPONSE_BAD_REPLY));
        EXPECT_EQ(agent.requestSizes, QList<int>{2}) << "both requests travelled in one PDU";
    }
}

TEST(SnmpSessionProtocol, TooBigHalvesTheBatchUntilItFits)
{
    FakeAgent agent(FakeAgent::Mode::TooBig, 5);
    QStringList oids;
    for (int i = 1; i <= 40; ++i)
        oids << QStringLiteral("1.3.6.1.2.1.2.2.1.10.%1").arg(i);
    for (const RecordedResponse& answer : askAll(agent, oids))
        EXPECT_EQ(QStringLiteral("%1 %2").arg(answer.status).arg(answer.oid),
                  QStringLiteral("%1 %2").arg(SNMPSession::RESPONSE_OK).arg(oids.value(answer.tag.toInt())));
    // One PDU of 40 first; then halves (sent side by side) until they fit, never growing back
    // within so few replies; every request was finally answered from a PDU the agent accepted.
    const QList<int> sizes = agent.requestSizes;
    EXPECT_EQ(sizes.value(0), 40);
    EXPECT_TRUE(std::is_sorted(sizes.rbegin(), sizes.rend())) << "sizes never grow";
    EXPECT_EQ(std::accumulate(sizes.begin(), sizes.end(), 0,
                              [](int sum, int size) { return sum + (size <= 5 ? size : 0); }),
              40);

    // A single variable that is still too big is an error.
    FakeAgent tiny(FakeAgent::Mode::TooBig, 0);
    const QList<RecordedResponse> refused = askAll(tiny, {"1.3.6.1.2.1.1.3.0"});
    ASSERT_EQ(refused.size(), 1);
    EXPECT_EQ(QStringLiteral("%1 %2 %3 [%4]")
                  .arg(refused[0].status)
                  .arg(refused[0].code)
                  .arg(refused[0].type, refused[0].value),
              QStringLiteral("%1 1 tooBig []").arg(SNMPSession::RESPONSE_ERROR));
}
