// The session component against a real snmpd on loopback, and against a fake agent for the
// replies snmpd never sends.
#include "mib_database.h"
#include "netsnmp_library.h"
#include "snmp_session.h"
#include "test_agent.h"

#include <QEventLoop>
#include <QRegularExpression>
#include <QSocketNotifier>
#include <QTest>
#include <QTimer>
#include <algorithm>
#include <gtest/gtest.h>
#include <iterator>
#include <memory>
#include <numeric>
#include <qt_print.h>
#include <tuple>

#include <arpa/inet.h>

#include <net-snmp/net-snmp-config.h>
#include <net-snmp/net-snmp-includes.h>

namespace {

const QString SysUpTime = "1.3.6.1.2.1.1.3.0";
const QString IfInOctets = "1.3.6.1.2.1.2.2.1.10";

struct RecordedResponse {
    QString address;
    QString oid;
    qint32 code = 0;
    QString value;
    QString tag;
    QString type;
    qint32 status = 0; ///< ResponseStatus() while the signal was being handled
};

/// Collects every Response of a session, also keyed by tag (the last one per tag).
class ResponseRecorder {
public:
    explicit ResponseRecorder(SNMPSession& session)
    {
        QObject::connect(
            &session, &SNMPSession::Response, &m_context,
            [this, &session](const QString& address, const QString& oid, qint32 code, const QString& value,
                             const QString& tag, const QString& type) {
                answers.push_back({address, oid, code, value, tag, type, session.ResponseStatus()});
                byTag.insert(tag, answers.back());
            });
    }
    bool waitFor(int count, int timeoutMs = 20000)
    {
        return QTest::qWaitFor([&] { return answers.size() >= count; }, timeoutMs);
    }

    QList<RecordedResponse> answers;
    QHash<QString, RecordedResponse> byTag;

private:
    QObject m_context;
};

/// A misbehaving agent on a loopback port, on net-snmp's own server side. It answers every GET
/// or GET-NEXT with the request's own variables (NULL values), changed as its mode says.
class FakeAgent final {
public:
    // Renames the first variable, swaps the first two, or answers tooBig above maxVariables.
    enum class Mode { RenameFirst, SwapFirstTwo, TooBig };

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
    Q_DISABLE_COPY(FakeAgent)

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

// Every field of an answer in one line, so an expectation compares (and reports) them all at once.
std::string line(const RecordedResponse& a)
{
    return QStringLiteral("%1 %2 code %3 status %4 type %5 [%6] tag %7")
        .arg(a.address, a.oid)
        .arg(a.code)
        .arg(a.status)
        .arg(a.type, a.value, a.tag)
        .toStdString();
}

class SnmpSessionTest : public ::testing::Test {
protected:
    void SetUp() override { startAgent(); }
    void startAgent()
    {
        QString error;
        ASSERT_TRUE(m_agent.start(&error)) << error.toStdString();
        m_session.setCommunity(m_agent.community());
        m_session.setVersion(2);
        setPatience(2000, 1);
    }
    void setPatience(int timeoutMs, int retries)
    {
        m_session.setTimeout(timeoutMs), m_session.setRetries(retries);
    }
    /// A GET (or GET-NEXT) to the agent, or to another address.
    void get(const QString& oid, const QString& tag, bool next = false, const QString& address = QString())
    {
        m_session.setRequestTag(tag);
        m_session.setOID(oid);
        const QString to = address.isEmpty() ? m_agent.address() : address;
        next ? m_session.SendGetNext(to) : m_session.SendGet(to);
    }

    TestAgent m_agent;
    SNMPSession m_session;
};

} // namespace

TEST_F(SnmpSessionTest, StoppedAgentTimesOutAndIsAnsweredAgainOnceBack)
{
    ResponseRecorder recorder(m_session);
    setPatience(100, 1);
    m_agent.stop();
    for (int i = 0; i < 200; ++i)
        get(i % 2 ? SysUpTime : IfInOctets + ".1", QString::number(i), i % 3 == 0);
    ASSERT_TRUE(recorder.waitFor(200));
    // No OID in a time-out, so a walk that follows the answers ends.
    for (const RecordedResponse& a : std::as_const(recorder.answers))
        EXPECT_EQ(line(a),
                  line({m_agent.address(), {}, -1, {}, a.tag, a.type, SNMPSession::RESPONSE_TIMEOUT}));
    // Back again, thousands of requests back to back are all answered, once each.
    startAgent();
    for (int i = 0; i < 5000; ++i)
        get(i % 2 ? SysUpTime : QStringLiteral("1.3.6.1.2.1.1.5.0"), QStringLiteral("up %1").arg(i));
    ASSERT_TRUE(recorder.waitFor(5200, 60000));
    EXPECT_EQ(std::count_if(recorder.answers.begin() + 200, recorder.answers.end(),
                            [](auto& a) { return a.status == SNMPSession::RESPONSE_OK; }),
              5000);
    EXPECT_EQ(recorder.byTag.size(), 5200) << "every request is answered once";
    EXPECT_EQ(recorder.byTag.value("up 4998").value, "trendwick-test-agent");
}

TEST_F(SnmpSessionTest, MissingObjectsFailAloneInsideABatchInBothVersions)
{
    m_agent.setValue("1.1.0", TestAgent::ValueType::Counter32, 17);
    m_agent.setValue("1.2.0", TestAgent::ValueType::Counter64, 5000000000ull);
    const QList<QPair<QString, QString>> requests{{"present", TestAgent::controlledOid("1.1.0")},
                                                  {"noSuchObject", "1.3.6.1.2.1.1.99.0"},
                                                  {"uptime", SysUpTime},
                                                  {"noSuchInstance", "1.3.6.1.2.1.1.3.7"},
                                                  {"big", TestAgent::controlledOid("1.2.0")},
                                                  {"notServed", TestAgent::controlledOid("1.9.0")}};
    for (const qint16 version : {qint16(2), qint16(1)}) {
        SCOPED_TRACE(version);
        m_session.setVersion(version);
        ResponseRecorder recorder(m_session);
        for (const auto& [tag, oid] : requests) // back to back, so they share PDUs
            get(oid, tag);
        ASSERT_TRUE(recorder.waitFor(int(requests.size())));
        EXPECT_EQ(recorder.answers.size(), requests.size());
        const auto answer = [&](const char* tag) { return recorder.byTag[QLatin1String(tag)]; };
        EXPECT_EQ(answer("present").value + answer("uptime").type, "17TimeTicks");
        EXPECT_EQ(answer("present").status + answer("uptime").status, 2 * SNMPSession::RESPONSE_OK);
        for (const char* missing : {"noSuchObject", "noSuchInstance", "notServed"}) {
            EXPECT_EQ(answer(missing).status, SNMPSession::RESPONSE_NO_SUCH) << missing;
            EXPECT_EQ(answer(missing).oid + answer(missing).value, QString()) << missing;
        }
        // SNMPv1 reports noSuchName and cannot carry a Counter64 at all.
        EXPECT_EQ(answer("noSuchObject").code, version == 2 ? 128 : 2);
        EXPECT_EQ(answer("noSuchInstance").type, version == 2 ? "noSuchInstance" : "noSuchName");
        EXPECT_EQ(answer("big").status,
                  version == 2 ? SNMPSession::RESPONSE_OK : SNMPSession::RESPONSE_NO_SUCH);
        EXPECT_EQ(answer("big").value, version == 2 ? "5000000000" : "");
    }
}

TEST_F(SnmpSessionTest, ControlledValuesComeBackAsText)
{
    using T = TestAgent::ValueType;
    // The value's text and type name, and the text that comes back when it differs from the written one.
    using Case = std::tuple<const char*, T, const char*, const char*, const char*>;
    const Case cases[] = {
        {"1.1.0", T::Counter32, "4294967295", "Counter32", nullptr},
        {"1.2.0", T::Counter64, "18446744073709551615", "Counter64", nullptr},
        {"1.3.0", T::Gauge32, "4294967295", "Gauge32", nullptr},
        {"1.4.0", T::Integer, "-42", "INTEGER", nullptr},
        {"1.5.0", T::TimeTicks, "360001", "TimeTicks", nullptr},
        {"1.6.0", T::String, "port 7 – Grüße", "OCTET STRING", nullptr},
        {"1.7.0", T::HexString, "00 41 ff 0a", "OCTET STRING", "00 41 FF 0A"},
        {"1.8.0", T::OID, ".1.3.6.1.4.1.8072.3.2.10", "OBJECT IDENTIFIER", "1.3.6.1.4.1.8072.3.2.10"},
        {"1.9.0", T::IpAddress, "192.168.0.254", "IpAddress", nullptr}};
    ResponseRecorder recorder(m_session);
    // The batches come first and carry integers as numbers.
    QHash<QString, SnmpAnswer> batched;
    QObject context;
    QObject::connect(&m_session, &SNMPSession::Answered, &context,
                     [&](const std::vector<SnmpAnswer>& answers) {
                         for (const SnmpAnswer& answer : answers) {
                             EXPECT_FALSE(recorder.byTag.contains(answer.tag)) << "Response before Answered";
                             batched.insert(answer.tag, answer);
                         }
                     });
    // Asked the way the graph polls: in one call each, which leaves the session's properties alone.
    get(SysUpTime, "property tag");
    for (const auto& [suffix, type, written, typeName, expected] : cases) {
        m_agent.setValue(QLatin1String(suffix), type, QString::fromUtf8(written));
        m_session.SendGet({m_agent.address(), m_agent.community(), 2,
                           TestAgent::controlledOid(QLatin1String(suffix)), QLatin1String(suffix)});
    }
    EXPECT_EQ(m_session.RequestTag() + ' ' + m_session.OID(), "property tag " + SysUpTime);
    EXPECT_TRUE(recorder.answers.isEmpty()) << "asynchronous requests return before their answers";
    ASSERT_TRUE(recorder.waitFor(int(std::size(cases)) + 1));
    for (const auto& [suffix, type, written, typeName, expected] : cases) {
        const QString tag = QLatin1String(suffix);
        const QString text = QString::fromUtf8(expected ? expected : written);
        EXPECT_EQ(line(recorder.byTag.value(tag)),
                  line({m_agent.address(), TestAgent::controlledOid(tag), 0, text, tag,
                        QLatin1String(typeName), SNMPSession::RESPONSE_OK}));
        const SnmpValue& value = batched.value(tag).value;
        EXPECT_EQ(value.ToText(), text) << suffix;
        const bool integral =
            type != T::String && type != T::HexString && type != T::OID && type != T::IpAddress;
        EXPECT_EQ(value.Integer(), integral ? std::optional(text.toDouble()) : std::nullopt) << suffix;
    }
}

TEST_F(SnmpSessionTest, AnswersTooBigForOneDatagramAreFetchedInSmallerBatches)
{
    // snmpd drops a reply that does not fit a UDP datagram; the batch times out and is split.
    setPatience(500, 0);
    const QString text = QString(QLatin1Char('x')).repeated(1500);
    ResponseRecorder recorder(m_session);
    for (int i = 1; i <= 60; ++i) {
        m_agent.setValue(QStringLiteral("5.%1").arg(i), TestAgent::ValueType::String,
                         text + QString::number(i));
        get(TestAgent::controlledOid(QStringLiteral("5.%1").arg(i)), QString::number(i));
    }
    ASSERT_TRUE(recorder.waitFor(60));
    for (const RecordedResponse& a : std::as_const(recorder.answers))
        EXPECT_EQ(line(a),
                  line({a.address, a.oid, 0, text + a.tag, a.tag, a.type, SNMPSession::RESPONSE_OK}));
}

TEST_F(SnmpSessionTest, RequestsThatCannotBeSentAreAnsweredLater)
{
    ResponseRecorder recorder(m_session);
    get(SysUpTime, "host name", false, "localhost");
    get("1.3.six", "bad oid");
    EXPECT_TRUE(recorder.answers.isEmpty());
    ASSERT_TRUE(recorder.waitFor(2));
    for (const RecordedResponse& a : std::as_const(recorder.answers))
        EXPECT_EQ(line(a), line({a.tag == "bad oid" ? m_agent.address() : "localhost",
                                 {},
                                 a.code,
                                 {},
                                 a.tag,
                                 a.type,
                                 SNMPSession::RESPONSE_BAD_REQUEST}));
    // A name must be resolved first; a name that does not resolve gives text, not an address.
    EXPECT_EQ(m_session.ResolveHostname("localhost") + m_session.ResolveHostname("127.0.0.1"),
              "127.0.0.1127.0.0.1");
    const QString failed = m_session.ResolveHostname("no-such-host.invalid");
    EXPECT_FALSE(failed.isEmpty() || QRegularExpression("^[\\d.]+$").match(failed).hasMatch())
        << failed.toStdString();
}

TEST_F(SnmpSessionTest, CloseSessionFromAHandlerDropsTheRestAndLaterRequestsWork)
{
    int raised = 0;
    QObject context;
    QObject::connect(&m_session, &SNMPSession::Response, &context, [&] {
        if (++raised == 1)
            m_session.CloseSession();
    });
    for (int i = 0; i < 500; ++i)
        get(SysUpTime, QString::number(i));
    ASSERT_TRUE(QTest::qWaitFor([&] { return raised > 0; }, 10000));
    QTest::qWait(300);
    EXPECT_EQ(raised, 1) << "nothing is answered after CloseSession";
    ResponseRecorder recorder(m_session);
    get(SysUpTime, "after");
    ASSERT_TRUE(recorder.waitFor(1));
    EXPECT_EQ(recorder.answers.first().status, SNMPSession::RESPONSE_OK);
}

TEST_F(SnmpSessionTest, OnlyAReplyWithTheRequestedVariablesIsAcceptedAndTooBigHalvesTheBatch)
{
    setPatience(300, 0);
    for (const auto mode : {FakeAgent::Mode::RenameFirst, FakeAgent::Mode::SwapFirstTwo}) {
        SCOPED_TRACE(int(mode));
        FakeAgent agent(mode);
        ResponseRecorder recorder(m_session);
        get(SysUpTime, "uptime", false, agent.address());
        get("1.3.6.1.2.1.1.5.0", "name", false, agent.address());
        ASSERT_TRUE(recorder.waitFor(2));
        for (const RecordedResponse& answer : std::as_const(recorder.answers))
            EXPECT_EQ(
                line(answer),
                line({agent.address(), {}, -1, {}, answer.tag, "badReply", SNMPSession::RESPONSE_BAD_REPLY}));
        EXPECT_EQ(agent.requestSizes, QList<int>{2}) << "both requests travelled in one PDU";
    }

    FakeAgent agent(FakeAgent::Mode::TooBig, 5);
    ResponseRecorder recorder(m_session);
    for (int i = 1; i <= 40; ++i)
        get(IfInOctets + QStringLiteral(".%1").arg(i), QString::number(i), false, agent.address());
    ASSERT_TRUE(recorder.waitFor(40));
    EXPECT_EQ(recorder.byTag.size(), 40);
    for (const RecordedResponse& a : std::as_const(recorder.answers))
        EXPECT_EQ(
            line(a),
            line(
                {agent.address(), IfInOctets + '.' + a.tag, 0, {}, a.tag, "NULL", SNMPSession::RESPONSE_OK}));
    // One PDU of 40 first; then halves (sent side by side) until they fit, never growing back
    // within so few replies; every request was finally answered from a PDU the agent accepted.
    const QList<int>& sizes = agent.requestSizes;
    EXPECT_EQ(sizes.value(0), 40);
    EXPECT_TRUE(std::is_sorted(sizes.rbegin(), sizes.rend())) << "sizes never grow";
    EXPECT_EQ(std::accumulate(sizes.begin(), sizes.end(), 0,
                              [](int sum, int size) { return sum + (size <= 5 ? size : 0); }),
              40);
    // A single variable that is still too big is an error.
    FakeAgent tiny(FakeAgent::Mode::TooBig, 0);
    get(SysUpTime, "alone", false, tiny.address());
    ASSERT_TRUE(recorder.waitFor(41));
    EXPECT_EQ(line(recorder.answers.last()),
              line({tiny.address(), {}, 1, {}, "alone", "tooBig", SNMPSession::RESPONSE_ERROR}));
}

// Checks our MIB text against the agent: every OID that snmpd serves in the standard subtrees
// should belong to a leaf object of our modules whose syntax matches the value's type on the wire.
TEST_F(SnmpSessionTest, OurMibsDescribeWhatTheAgentServes)
{
    const MibDatabase& database = MibDatabase::instance();
    // The type name on the wire that may carry an object of each MIB base type.
    // clang-format off
    const QHash<int, QString> carrier{
        {TYPE_INTEGER, "INTEGER"}, {TYPE_INTEGER32, "INTEGER"}, {TYPE_OCTETSTR, "OCTET STRING"},
        {TYPE_BITSTRING, "OCTET STRING"}, {TYPE_OBJID, "OBJECT IDENTIFIER"}, {TYPE_IPADDR, "IpAddress"},
        {TYPE_NETADDR, "IpAddress"}, {TYPE_COUNTER, "Counter32"}, {TYPE_GAUGE, "Gauge32"}, {TYPE_OPAQUE, "Opaque"},
        {TYPE_UNSIGNED32, "Gauge32"}, {TYPE_UINTEGER, "Gauge32"}, {TYPE_TIMETICKS, "TimeTicks"},
        {TYPE_COUNTER64, "Counter64"}};
    // clang-format on
    QString root;
    int served = 0;
    QStringList misses;
    QEventLoop loop; // a waiting loop, not polling: thousands of round trips in a row
    QObject::connect(&m_session, &SNMPSession::Response, &loop,
                     [&](const QString& address, const QString& oid, qint32, const QString&, const QString&,
                         const QString& type) {
                         if (!oid.startsWith(root + '.'))
                             return loop.exit(0);
                         ++served;
                         const OIDInfo info = database.lookup(oid);
                         const tree* node = database.nodeForOID(info.dottedOID);
                         if (!node || info.syntaxName.isEmpty() || info.defaultIndex.isEmpty() ||
                             oid != info.dottedOID + '.' + info.defaultIndex ||
                             carrier.value(node->type) != type)
                             misses << QStringLiteral("%1 (wire %2, MIB %3 %4)")
                                           .arg(oid, type, info.fullName, info.syntaxName);
                         m_session.setOID(oid);
                         m_session.SendGetNext(address);
                     });
    for (const char* subtree :
         {"1.3.6.1.2.1.1", "1.3.6.1.2.1.2", "1.3.6.1.2.1.11", "1.3.6.1.2.1.25", "1.3.6.1.2.1.31"}) {
        get(root = QLatin1String(subtree), QString(), true);
        QTimer::singleShot(60000, &loop, [&] { loop.exit(1); });
        ASSERT_EQ(loop.exec(), 0) << "walk of " << subtree << " did not end";
    }
    ASSERT_GT(served, 100) << "the agent served too little to judge";
    EXPECT_LE(misses.size() * 100, served * 5) << misses.size() << " of " << served << " missed:\n"
                                               << misses.join('\n').toStdString();
    EXPECT_FALSE(database.lookup("sysDescr").description.isEmpty()) << "descriptions survive the session";
}
