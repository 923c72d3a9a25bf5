// Replies a real snmpd never sends: mismatching variables and tooBig, from a fake agent.
#include "response_recorder.h"
#include "snmp_session.h"

#include <QByteArray>
#include <QSocketNotifier>
#include <algorithm>
#include <gtest/gtest.h>
#include <memory>

#include <arpa/inet.h>
#include <netinet/in.h>
#include <sys/socket.h>
#include <unistd.h>

namespace {

/// Where one BER element sits in a message.
struct Element {
    int start = 0, content = 0, end = 0;
};

bool readElement(const QByteArray& bytes, int position, Element* element)
{
    if (position + 2 > bytes.size())
        return false;
    int length = quint8(bytes[position + 1]);
    int content = position + 2;
    if (length & 0x80) {
        const int digits = length & 0x7f;
        if (digits < 1 || digits > 3 || content + digits > bytes.size())
            return false;
        for (length = 0; content < position + 2 + digits;)
            length = (length << 8) | quint8(bytes[content++]);
    }
    *element = {position, content, content + length};
    return element->end <= bytes.size();
}

/// A misbehaving agent on a loopback port. It answers every GET or GET-NEXT with the request's own
/// variables (NULL values), changed as its mode says.
class FakeAgent final {
public:
    enum class Mode {
        Echo,         ///< a well-formed reply
        RenameFirst,  ///< the first variable's name is changed
        SwapFirstTwo, ///< the first two variables trade places
        TooBig,       ///< tooBig for any PDU with more than maxVariables variables, else Echo
    };

    explicit FakeAgent(Mode mode, int maxVariables = 0)
        : m_mode(mode), m_maxVariables(maxVariables), m_fd(::socket(AF_INET, SOCK_DGRAM | SOCK_CLOEXEC, 0))
    {
        sockaddr_in address{};
        address.sin_family = AF_INET;
        address.sin_addr.s_addr = htonl(INADDR_LOOPBACK);
        socklen_t length = sizeof(address);
        ::bind(m_fd, reinterpret_cast<sockaddr*>(&address), sizeof(address));
        ::getsockname(m_fd, reinterpret_cast<sockaddr*>(&address), &length);
        m_port = ntohs(address.sin_port);
        m_notifier = std::make_unique<QSocketNotifier>(m_fd, QSocketNotifier::Read);
        QObject::connect(m_notifier.get(), &QSocketNotifier::activated, [this] { answer(); });
    }
    ~FakeAgent() { m_notifier.reset(), ::close(m_fd); }
    FakeAgent(const FakeAgent&) = delete;
    FakeAgent& operator=(const FakeAgent&) = delete;

    QString address() const { return QStringLiteral("127.0.0.1:%1").arg(m_port); }
    /// Number of variables in each request PDU received, in order of arrival.
    QList<int> requestSizes;

private:
    void answer()
    {
        char buffer[65536];
        sockaddr_in from{};
        socklen_t fromLength = sizeof(from);
        const ssize_t got =
            ::recvfrom(m_fd, buffer, sizeof(buffer), 0, reinterpret_cast<sockaddr*>(&from), &fromLength);
        QByteArray packet(buffer, int(std::max<ssize_t>(got, 0)));

        // Message { version, community, PDU { request-id, error-status, error-index, varbinds } }:
        // the message and the PDU are entered, the others stepped over.
        enum { MESSAGE, VERSION, COMMUNITY, PDU, REQUEST_ID, ERROR_STATUS, ERROR_INDEX, LIST, PARTS };
        Element part[PARTS];
        for (int i = 0, position = 0; i < PARTS; ++i) {
            if (!readElement(packet, position, &part[i]))
                return;
            position = i == MESSAGE || i == PDU ? part[i].content : part[i].end;
        }
        QList<Element> variables;
        for (int position = part[LIST].content; position < part[LIST].end; position = variables.last().end) {
            if (!readElement(packet, position, &variables.emplace_back()))
                return;
        }
        requestSizes << int(variables.size());

        packet[part[PDU].start] = char(0xa2); // GetResponse
        Element name;
        if (m_mode == Mode::TooBig && variables.size() > m_maxVariables)
            packet[part[ERROR_STATUS].content] = 1;
        if (m_mode == Mode::RenameFirst && readElement(packet, variables[0].content, &name))
            packet[name.end - 1] = char(packet[name.end - 1] + 1);
        if (m_mode == Mode::SwapFirstTwo && variables.size() >= 2) {
            const Element &first = variables[0], &second = variables[1];
            const QByteArray swapped = packet.mid(second.start, second.end - second.start) +
                                       packet.mid(first.start, first.end - first.start);
            packet.replace(first.start, second.end - first.start, swapped);
        }
        ::sendto(m_fd, packet.constData(), size_t(packet.size()), 0, reinterpret_cast<sockaddr*>(&from),
                 fromLength);
    }

    Mode m_mode;
    int m_maxVariables;
    int m_fd;
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
    return recorder.answers;
}

const QString SysUpTime = QStringLiteral("1.3.6.1.2.1.1.3.0");

} // namespace

TEST(SnmpSessionProtocol, OnlyAReplyWithTheRequestedVariablesIsAccepted)
{
    FakeAgent echo(FakeAgent::Mode::Echo);
    const QList<RecordedResponse> accepted = askAll(echo, {SysUpTime});
    ASSERT_EQ(accepted.size(), 1);
    EXPECT_EQ(accepted[0].status, SNMPSession::RESPONSE_OK);
    EXPECT_EQ(accepted[0].oid + ' ' + accepted[0].type, SysUpTime + " NULL");

    for (const auto mode : {FakeAgent::Mode::RenameFirst, FakeAgent::Mode::SwapFirstTwo}) {
        SCOPED_TRACE(int(mode));
        FakeAgent agent(mode);
        const QList<RecordedResponse> answers =
            askAll(agent, {SysUpTime, QStringLiteral("1.3.6.1.2.1.1.5.0")});
        ASSERT_EQ(agent.requestSizes, QList<int>{2}) << "both requests travelled in one PDU";
        ASSERT_EQ(answers.size(), 2);
        for (const RecordedResponse& answer : answers) {
            EXPECT_EQ(answer.status, SNMPSession::RESPONSE_BAD_REPLY) << answer.tag.toStdString();
            EXPECT_EQ(answer.oid + answer.type, "badReply") << "no OID";
        }
    }
}

TEST(SnmpSessionProtocol, TooBigHalvesTheBatchUntilItFits)
{
    FakeAgent agent(FakeAgent::Mode::TooBig, 5);
    QStringList oids;
    for (int i = 1; i <= 40; ++i)
        oids << QStringLiteral("1.3.6.1.2.1.2.2.1.10.%1").arg(i);
    const QList<RecordedResponse> answers = askAll(agent, oids);
    ASSERT_EQ(answers.size(), 40);
    QSet<QString> tags;
    for (const RecordedResponse& answer : answers) {
        EXPECT_EQ(answer.status, SNMPSession::RESPONSE_OK);
        EXPECT_EQ(answer.oid, oids.value(answer.tag.toInt()));
        tags << answer.tag;
    }
    EXPECT_EQ(tags.size(), 40);
    // One PDU of 40 first; then halves (sent side by side) until they fit, never growing back
    // within so few replies; every request was finally answered from a PDU the agent accepted.
    const QList<int> sizes = agent.requestSizes;
    ASSERT_FALSE(sizes.isEmpty());
    EXPECT_EQ(sizes.first(), 40);
    EXPECT_TRUE(std::is_sorted(sizes.rbegin(), sizes.rend())) << "sizes never grow";
    int accepted = 0;
    for (const int size : sizes)
        accepted += size <= 5 ? size : 0;
    EXPECT_EQ(accepted, 40);

    // A single variable that is still too big is an error.
    FakeAgent tiny(FakeAgent::Mode::TooBig, 0);
    const QList<RecordedResponse> refused = askAll(tiny, {SysUpTime});
    ASSERT_EQ(refused.size(), 1);
    EXPECT_EQ(refused[0].status, SNMPSession::RESPONSE_ERROR);
    EXPECT_EQ(QStringLiteral("%1 %2 [%3]").arg(refused[0].code).arg(refused[0].type, refused[0].value),
              "1 tooBig []");
}
