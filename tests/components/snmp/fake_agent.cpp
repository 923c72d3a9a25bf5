#include "fake_agent.h"

#include <QByteArray>
#include <QSocketNotifier>

#include <arpa/inet.h>
#include <netinet/in.h>
#include <sys/socket.h>
#include <unistd.h>

namespace {

/// Where one BER element sits in a message.
struct Element {
    int start = 0;
    int content = 0;
    int end = 0;
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
        length = 0;
        for (int i = 0; i < digits; ++i)
            length = (length << 8) | quint8(bytes[content++]);
    }
    *element = {position, content, content + length};
    return element->end <= bytes.size();
}

} // namespace

FakeAgent::FakeAgent(Mode mode, int maxVariables) : m_mode(mode), m_maxVariables(maxVariables)
{
    m_fd = ::socket(AF_INET, SOCK_DGRAM | SOCK_CLOEXEC, 0);
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

FakeAgent::~FakeAgent()
{
    m_notifier.reset();
    ::close(m_fd);
}

QString FakeAgent::address() const
{
    return QStringLiteral("127.0.0.1:%1").arg(m_port);
}

void FakeAgent::answer()
{
    char buffer[65536];
    sockaddr_in from{};
    socklen_t fromLength = sizeof(from);
    const ssize_t got =
        ::recvfrom(m_fd, buffer, sizeof(buffer), 0, reinterpret_cast<sockaddr*>(&from), &fromLength);
    if (got <= 0)
        return;
    QByteArray packet(buffer, int(got));

    // Message { version, community, PDU { request-id, error-status, error-index, varbinds } }
    Element message, version, community, pdu, requestId, errorStatus, errorIndex, list;
    if (!readElement(packet, 0, &message) || !readElement(packet, message.content, &version) ||
        !readElement(packet, version.end, &community) || !readElement(packet, community.end, &pdu) ||
        !readElement(packet, pdu.content, &requestId) || !readElement(packet, requestId.end, &errorStatus) ||
        !readElement(packet, errorStatus.end, &errorIndex) || !readElement(packet, errorIndex.end, &list))
        return;
    QList<Element> variables;
    for (int position = list.content; position < list.end;) {
        Element variable;
        if (!readElement(packet, position, &variable))
            return;
        variables << variable;
        position = variable.end;
    }
    m_requestSizes << int(variables.size());

    packet[pdu.start] = char(0xa2);
    switch (m_mode) {
    case Mode::Echo:
        break;
    case Mode::TooBig:
        if (variables.size() > m_maxVariables)
            packet[errorStatus.content] = 1;
        break;
    case Mode::RenameFirst: {
        Element name;
        if (readElement(packet, variables[0].content, &name))
            packet[name.end - 1] = char(packet[name.end - 1] + 1);
        break;
    }
    case Mode::SwapFirstTwo:
        if (variables.size() >= 2) {
            const Element& first = variables[0];
            const Element& second = variables[1];
            const QByteArray swapped = packet.mid(second.start, second.end - second.start) +
                                       packet.mid(first.start, first.end - first.start);
            packet.replace(first.start, second.end - first.start, swapped);
        }
        break;
    }
    ::sendto(m_fd, packet.constData(), size_t(packet.size()), 0, reinterpret_cast<sockaddr*>(&from),
             fromLength);
}
