#include "snmp_session.h"

#include "snmp_agent_channel.h"
#include "snmp_request.h"

#include <QEventLoop>
#include <QMetaMethod>
#include <QPointer>
#include <algorithm>

#include <arpa/inet.h>
#include <netdb.h>
#include <sys/socket.h>

/// A blocking caller waiting for the answer to its own request.
struct SNMPSession::Wait {
    QEventLoop loop;
    bool done = false;
    SnmpValue value;
    qint32 status = RESPONSE_CLOSED;
};

SNMPSession::SNMPSession(QObject* parent) : QObject(parent) {}

SNMPSession::~SNMPSession()
{
    for (auto& [serial, wait] : m_waits) {
        wait->done = true;
        wait->loop.quit();
    }
}

void SNMPSession::setRetries(qint16 retries)
{
    m_retries = std::max<qint16>(0, retries);
}

void SNMPSession::setTimeout(qint32 milliseconds)
{
    m_timeoutMs = std::max<qint32>(1, milliseconds);
}

void SNMPSession::SendGet(const QString& address)
{
    send({address, m_community, m_version, m_oid, m_requestTag}, false, !m_asynchronous);
}

void SNMPSession::SendGetNext(const QString& address)
{
    send({address, m_community, m_version, m_oid, m_requestTag}, true, !m_asynchronous);
}

void SNMPSession::SendGet(const GetRequest& request)
{
    send(request, false, false);
}

void SNMPSession::send(const GetRequest& what, bool next, bool blocking)
{
    SnmpRequest request;
    request.serial = ++m_nextSerial;
    request.address = what.address;
    request.tag = what.tag;
    request.next = next;
    const quint64 serial = request.serial;

    QString error;
    SnmpAgentChannel* channel = nullptr;
    request.oid = oidFor(what.oid);
    if (!request.oid)
        error = QStringLiteral("not a dotted OID: \"%1\"").arg(what.oid);
    else
        channel = channelFor(what.address, what.version, what.community, &error);

    if (blocking)
        m_waits.emplace(serial, nullptr);
    if (channel) {
        channel->enqueue(std::move(request), blocking, m_timeoutMs, m_retries);
    } else {
        SnmpAnswer answer;
        answer.serial = serial;
        answer.address = what.address;
        answer.tag = what.tag;
        answer.status = RESPONSE_BAD_REQUEST;
        answer.type = QStringLiteral("badRequest");
        postFailure(answer);
    }
    if (blocking)
        waitFor(serial);
}

std::shared_ptr<const SnmpOidText> SNMPSession::oidFor(const QString& text)
{
    const auto known = m_knownOids.constFind(text);
    if (known != m_knownOids.constEnd())
        return known.value();
    auto parsed = std::make_shared<SnmpOidText>();
    if (!parseDottedOid(text, &parsed->name))
        return nullptr;
    parsed->varbindBytes = RequestVarbindBytes(parsed->name);
    if (dottedOid(parsed->name.constData(), size_t(parsed->name.size())) == text)
        parsed->canonical = text;
    if (m_knownOids.size() >= MaxKnownOids)
        m_knownOids.clear();
    m_knownOids.insert(text, parsed);
    return parsed;
}

SnmpAgentChannel* SNMPSession::channelFor(const QString& address, qint16 version, const QString& community,
                                          QString* error)
{
    // Most texts of a poll are the very same strings over and over: equal data is equal text.
    const auto same = [](const QString& a, const QString& b) {
        return (a.constData() == b.constData() && a.size() == b.size()) || a == b;
    };
    if (m_lastChannel && version == m_lastVersion && same(address, m_lastAddress) &&
        same(community, m_lastCommunity))
        return m_lastChannel;

    QByteArray peerName;
    if (!parseAgentAddress(address, &peerName)) {
        *error = QStringLiteral("not an IPv4 address: \"%1\"").arg(address);
        return nullptr;
    }
    const long snmpVersion = version == 1 ? SNMP_VERSION_1 : SNMP_VERSION_2c;
    const QByteArray communityBytes = community.toUtf8();
    const QByteArray key =
        peerName + '\n' + QByteArray::number(qlonglong(snmpVersion)) + '\n' + communityBytes;

    auto found = m_channels.find(key);
    if (found == m_channels.end()) {
        auto channel = SnmpAgentChannel::open(
            peerName, snmpVersion, communityBytes,
            [this](std::vector<SnmpAnswer>& answers) { deliver(answers); }, error);
        if (!channel)
            return nullptr;
        found = m_channels.emplace(key, std::move(channel)).first;
    }
    m_lastAddress = address;
    m_lastVersion = version;
    m_lastCommunity = community;
    m_lastChannel = found->second.get();
    return m_lastChannel;
}

void SNMPSession::postFailure(const SnmpAnswer& answer)
{
    // Answered from the event loop like every other request, so an asynchronous caller is never
    // re-entered from inside its own SendGet.
    const quint64 generation = m_generation;
    QMetaObject::invokeMethod(
        this,
        [this, answer, generation] {
            if (generation != m_generation)
                return;
            std::vector<SnmpAnswer> answers{answer};
            deliver(answers);
        },
        Qt::QueuedConnection);
}

void SNMPSession::waitFor(quint64 serial)
{
    const auto found = m_waits.find(serial);
    if (found == m_waits.end())
        return;
    Wait wait;
    found->second = &wait;
    QPointer<SNMPSession> self(this);
    wait.loop.exec(QEventLoop::ExcludeUserInputEvents);
    if (!self)
        return;
    m_waits.erase(serial);
    // Later answers may have been delivered before the loop returned; the caller asked about
    // this one.
    m_responseValue = wait.value;
    m_responseStatus = wait.status;
}

void SNMPSession::deliver(std::vector<SnmpAnswer>& answers)
{
    if (answers.empty())
        return;
    const quint64 generation = m_generation;
    QPointer<SNMPSession> self(this);
    m_responseValue = answers.back().value;
    m_responseStatus = answers.back().status;
    Q_EMIT Answered(answers);
    static const QMetaMethod response = QMetaMethod::fromSignal(&SNMPSession::Response);
    if (!self || generation != m_generation || (m_waits.empty() && !isSignalConnected(response)))
        return;
    for (const SnmpAnswer& answer : answers) {
        if (!self || generation != m_generation)
            return;
        m_responseValue = answer.value;
        m_responseStatus = answer.status;
        Q_EMIT Response(answer.address, answer.oid, answer.code, answer.value.ToText(), answer.tag,
                        answer.type);
        if (!self || m_waits.empty())
            continue;
        const auto waiting = m_waits.find(answer.serial);
        if (waiting != m_waits.end() && waiting->second) {
            Wait* wait = waiting->second;
            wait->done = true;
            wait->value = answer.value;
            wait->status = answer.status;
            wait->loop.quit();
        } else if (waiting != m_waits.end()) {
            // Answered before its caller started waiting: nothing to wait for any more.
            m_waits.erase(waiting);
        }
    }
}

void SNMPSession::CloseSession()
{
    ++m_generation;
    m_lastChannel = nullptr;
    for (auto& [key, channel] : m_channels) {
        channel->close();
        m_retired.push_back(std::move(channel));
    }
    m_channels.clear();
    for (auto& [serial, wait] : m_waits) {
        if (wait) {
            wait->done = true;
            wait->status = RESPONSE_CLOSED;
            wait->loop.quit();
        }
    }
    // A channel may be on the stack below us (CloseSession from a Response handler): free
    // them from the event loop, once none is running.
    QMetaObject::invokeMethod(this, &SNMPSession::reapRetired, Qt::QueuedConnection);
}

void SNMPSession::reapRetired()
{
    const auto idle =
        std::partition(m_retired.begin(), m_retired.end(),
                       [](const std::unique_ptr<SnmpAgentChannel>& channel) { return channel->busy(); });
    m_retired.erase(idle, m_retired.end());
    if (!m_retired.empty())
        QMetaObject::invokeMethod(this, &SNMPSession::reapRetired, Qt::QueuedConnection);
}

QString SNMPSession::ResolveHostname(const QString& host) const
{
    const QByteArray name = host.trimmed().toUtf8();
    if (name.isEmpty())
        return QStringLiteral("no host name given");
    addrinfo hints{};
    hints.ai_family = AF_INET;
    hints.ai_socktype = SOCK_DGRAM;
    addrinfo* results = nullptr;
    const int status = getaddrinfo(name.constData(), nullptr, &hints, &results);
    if (status != 0 || !results)
        return QStringLiteral("cannot resolve \"%1\": %2")
            .arg(host, QString::fromLocal8Bit(gai_strerror(status)));
    std::unique_ptr<addrinfo, decltype(&freeaddrinfo)> owner(results, &freeaddrinfo);
    char text[INET_ADDRSTRLEN] = {};
    const auto* address = reinterpret_cast<const sockaddr_in*>(results->ai_addr);
    inet_ntop(AF_INET, &address->sin_addr, text, sizeof(text));
    return QString::fromLatin1(text);
}
