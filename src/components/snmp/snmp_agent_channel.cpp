#include "snmp_agent_channel.h"

#include "netsnmp_library.h"
#include "snmp_session.h"

#include <QLoggingCategory>
#include <QSocketNotifier>
#include <algorithm>
#include <cstdlib>
#include <fcntl.h>

Q_LOGGING_CATEGORY(lcSnmpChannel, "trendwick.snmp.channel", QtWarningMsg)

namespace {

/// Clean replies at a reduced batch size before the size is doubled again, so an agent that
/// was down or briefly overloaded gets full batches back.
constexpr int RepliesBeforeGrowth = 32;

} // namespace

/// Marks the channel as running, so that a receiver closing the session cannot free it
/// while it is still on the stack.
class SnmpAgentChannel::Activity final {
public:
    explicit Activity(SnmpAgentChannel* channel) : m_channel(channel) { ++m_channel->m_depth; }
    ~Activity() { --m_channel->m_depth; }
    Activity(const Activity&) = delete;
    Activity& operator=(const Activity&) = delete;

private:
    SnmpAgentChannel* m_channel;
};

SnmpAgentChannel::SnmpAgentChannel(Sink sink) : m_sink(std::move(sink))
{
    m_timer.setSingleShot(true);
    m_timer.setTimerType(Qt::PreciseTimer);
    connect(&m_timer, &QTimer::timeout, this, &SnmpAgentChannel::onTimer);
}

std::unique_ptr<SnmpAgentChannel> SnmpAgentChannel::open(const QByteArray& peerName, long version,
                                                         const QByteArray& community, Sink sink,
                                                         QString* error)
{
    InitNetSnmpLibrary();
    std::unique_ptr<SnmpAgentChannel> channel(new SnmpAgentChannel(std::move(sink)));

    netsnmp_session settings;
    snmp_sess_init(&settings);
    QByteArray peer = peerName;
    QByteArray communityBytes = community;
    settings.peername = peer.data();
    settings.version = version;
    settings.community = reinterpret_cast<u_char*>(communityBytes.data());
    settings.community_len = size_t(communityBytes.size());
    // snmp_sess_open copies everything it keeps; the byte arrays only need to live until then.
    channel->m_session.reset(snmp_sess_open(&settings));
    if (!channel->m_session) {
        int libraryError = 0;
        int systemError = 0;
        char* message = nullptr;
        snmp_error(&settings, &libraryError, &systemError, &message);
        if (error)
            *error = QString::fromLocal8Bit(message ? message : "cannot open an SNMP session");
        std::free(message);
        return nullptr;
    }
    netsnmp_transport* transport = snmp_sess_transport(channel->m_session.get());
    channel->m_fd = transport ? transport->sock : -1;
    if (channel->m_fd < 0) {
        if (error)
            *error = QStringLiteral("the SNMP session has no socket");
        return nullptr;
    }
    // Replies are read until none is left; a read of an empty socket must come back at once.
    const int flags = fcntl(channel->m_fd, F_GETFL);
    if (flags < 0 || fcntl(channel->m_fd, F_SETFL, flags | O_NONBLOCK) < 0) {
        if (error)
            *error = QStringLiteral("cannot make the SNMP socket non-blocking");
        return nullptr;
    }
    channel->m_notifier = new QSocketNotifier(qintptr(channel->m_fd), QSocketNotifier::Read, channel.get());
    connect(channel->m_notifier, &QSocketNotifier::activated, channel.get(), &SnmpAgentChannel::onReadable);
    return channel;
}

SnmpAgentChannel::~SnmpAgentChannel()
{
    // The notifier must let go of the descriptor before net-snmp closes it, and net-snmp's
    // farewell callbacks for outstanding requests must find the channel closed.
    delete m_notifier;
    m_notifier = nullptr;
    m_closed = true;
    m_session.reset();
}

void SnmpAgentChannel::enqueue(SnmpRequest&& request, bool urgent, int timeoutMs, int retries)
{
    if (m_closed)
        return;
    m_timeoutMs = timeoutMs;
    m_retries = retries;
    if (urgent)
        m_queue.push_front(std::move(request));
    else
        m_queue.push_back(std::move(request));
    // Sending waits for the event loop, so that requests issued back to back share PDUs.
    scheduleService();
}

void SnmpAgentChannel::close()
{
    m_closed = true;
    if (m_notifier)
        m_notifier->setEnabled(false);
    m_timer.stop();
    m_queue.clear();
    m_inFlight.clear();
    m_finished.clear();
}

void SnmpAgentChannel::scheduleService()
{
    if (m_serviceScheduled || m_closed)
        return;
    m_serviceScheduled = true;
    QMetaObject::invokeMethod(
        this,
        [this] {
            m_serviceScheduled = false;
            service();
        },
        Qt::QueuedConnection);
}

void SnmpAgentChannel::service()
{
    Activity activity(this);
    if (m_closed)
        return;
    pump();
    rearmTimer();
    flush();
}

void SnmpAgentChannel::onReadable()
{
    Activity activity(this);
    if (m_closed)
        return;
    // One reply per wake-up. Replies mostly come one at a time, so a second read would mostly
    // find the socket empty, at the price of a system call and net-snmp's 64 KB receive buffer;
    // when more are waiting, the notifier wakes us again at once.
    m_fds.only(m_fd);
    if (snmp_sess_read2(m_session.get(), m_fds.get()) == 0)
        pump();
    rearmTimer();
    flush();
}

void SnmpAgentChannel::onTimer()
{
    Activity activity(this);
    if (m_closed)
        return;
    snmp_sess_timeout(m_session.get());
    pump();
    rearmTimer();
    flush();
}

void SnmpAgentChannel::rearmTimer()
{
    if (m_closed || m_inFlight.empty()) {
        m_timer.stop();
        return;
    }
    // A request sent after the timer was started expires no earlier than the start plus its
    // timeout; with that timeout at least the wait the timer was started with, the timer still
    // fires in time for everything outstanding, and net-snmp need not be asked again.
    if (m_timer.isActive() && m_timeoutMs >= m_armedWaitMs)
        return;
    int descriptors = 0;
    int block = 1;
    timeval wait{0, 0};
    m_fds.only(-1);
    snmp_sess_select_info2(m_session.get(), &descriptors, m_fds.get(), &wait, &block);
    if (block) {
        m_timer.stop();
        return;
    }
    // Round up: firing a little early would find nothing expired and spin.
    const int ms =
        int(std::min<qint64>(qint64(wait.tv_sec) * 1000 + (wait.tv_usec + 999) / 1000, 24 * 3600 * 1000));
    // A timer that fires no later is left running (every reply would restart it otherwise); firing
    // early only finds nothing expired yet.
    if (m_timer.isActive()) {
        const int remaining = m_timer.remainingTime();
        if (remaining >= 0 && remaining <= ms)
            return;
    }
    m_timer.start(ms);
    m_armedWaitMs = ms;
}

void SnmpAgentChannel::flush()
{
    if (m_finished.empty() || m_closed)
        return;
    // Receivers may add answers while these are delivered; they wait for the next flush.
    std::vector<SnmpAnswer> answers;
    answers.swap(m_finished);
    m_sink(answers);
    // Keep the buffer: a busy agent fills it again at once.
    answers.clear();
    if (m_finished.empty())
        m_finished.swap(answers);
}

int SnmpAgentChannel::batchLimit() const
{
    return m_state == State::Normal ? m_batchLimit : 1;
}

int SnmpAgentChannel::window() const
{
    if (m_state != State::Normal)
        return 1;
    return std::clamp(VarbindWindow / m_batchLimit, MinWindow, MaxWindow);
}

void SnmpAgentChannel::pump()
{
    while (!m_closed && !m_queue.empty() && int(m_inFlight.size()) < window())
        sendBatch();
}

SnmpAgentChannel::Batch SnmpAgentChannel::takeBatch()
{
    // Consecutive requests of one kind, up to the batch limit and the message size.
    const bool next = m_queue.front().next;
    const int limit = m_queue.front().solo ? 1 : batchLimit();
    Batch batch;
    batch.requests.reserve(size_t(limit));
    int bytes = 0;
    while (!m_queue.empty() && int(batch.requests.size()) < limit) {
        SnmpRequest& request = m_queue.front();
        const int size = request.oid->varbindBytes;
        if (!batch.requests.empty() &&
            (request.next != next || request.solo || bytes + size > MaxRequestBytes))
            break;
        bytes += size;
        batch.requests.push_back(std::move(request));
        m_queue.pop_front();
    }
    return batch;
}

void SnmpAgentChannel::sendBatch()
{
    Batch batch = takeBatch();
    PduOwner pdu(snmp_pdu_create(batch.requests.front().next ? SNMP_MSG_GETNEXT : SNMP_MSG_GET));
    for (const SnmpRequest& request : batch.requests)
        snmp_add_null_var(pdu.get(), request.oid->name.constData(), size_t(request.oid->name.size()));
    netsnmp_session* session = snmp_sess_session(m_session.get());
    session->timeout = long(m_timeoutMs) * 1000;
    session->retries = m_retries;

    const int requestId =
        snmp_sess_async_send(m_session.get(), pdu.get(), &SnmpAgentChannel::onNetSnmpEvent, this);
    if (requestId == 0) {
        logSessionError("send failed:");
        // Perhaps the message was too long to build: try the variables one by one.
        if (batch.requests.size() > 1) {
            requeueFront(batch.requests, true);
        } else {
            fail(batch.requests.front(), SNMPSession::RESPONSE_BAD_REQUEST, -1, QStringLiteral("badRequest"));
        }
        return;
    }
    pdu.release();
    qCDebug(lcSnmpChannel) << "sent" << batch.requests.size() << "variables, request id" << requestId;
    m_inFlight.emplace(requestId, std::move(batch));
}

void SnmpAgentChannel::logSessionError(const char* what) const
{
    int libraryError = 0;
    int systemError = 0;
    char* message = nullptr;
    snmp_sess_error(m_session.get(), &libraryError, &systemError, &message);
    qCDebug(lcNetSnmp) << what << (message ? message : "");
    std::free(message);
}

int SnmpAgentChannel::onNetSnmpEvent(int operation, netsnmp_session* /*session*/, int requestId,
                                     netsnmp_pdu* pdu, void* magic)
{
    static_cast<SnmpAgentChannel*>(magic)->handleEvent(operation, requestId, pdu);
    return 1;
}

void SnmpAgentChannel::handleEvent(int operation, int requestId, netsnmp_pdu* pdu)
{
    // A retransmission is only news: the request stays outstanding.
    if (m_closed || operation == NETSNMP_CALLBACK_OP_RESEND)
        return;
    const auto found = m_inFlight.find(requestId);
    if (found == m_inFlight.end())
        return;
    Batch batch = std::move(found->second);
    m_inFlight.erase(found);
    // Anything but a reply (time-out, a retransmission that could not be sent) means the
    // agent did not answer.
    if (operation == NETSNMP_CALLBACK_OP_RECEIVED_MESSAGE && pdu)
        handleReply(batch, *pdu);
    else
        handleTimeout(batch);
}

void SnmpAgentChannel::handleReply(Batch& batch, const netsnmp_pdu& pdu)
{
    if (m_state == State::NotAnswering)
        m_batchLimit = MaxBatch;
    m_state = State::Normal;

    if (pdu.command != SNMP_MSG_RESPONSE) {
        for (const SnmpRequest& request : batch.requests)
            fail(request, SNMPSession::RESPONSE_BAD_REPLY, -1, QStringLiteral("badReply"));
    } else if (pdu.errstat == SNMP_ERR_NOERROR) {
        answerVariables(batch, pdu);
    } else {
        handleErrorStatus(batch, pdu);
    }
}

void SnmpAgentChannel::handleErrorStatus(Batch& batch, const netsnmp_pdu& pdu)
{
    const int count = int(batch.requests.size());
    if (pdu.errstat == SNMP_ERR_TOOBIG && count > 1) {
        m_batchLimit = std::max(1, std::min(m_batchLimit, count / 2));
        m_repliesSinceShrink = 0;
        qCDebug(lcSnmpChannel) << "tooBig for" << count << "variables; batches now" << m_batchLimit;
        requeueFront(batch.requests, false);
        return;
    }
    const auto status =
        pdu.errstat == SNMP_ERR_NOSUCHNAME ? SNMPSession::RESPONSE_NO_SUCH : SNMPSession::RESPONSE_ERROR;
    const QString name = errorStatusName(pdu.errstat);
    if (pdu.errindex >= 1 && pdu.errindex <= count) {
        // The error names one variable: answer it, and ask again for the others without it.
        const auto failing = batch.requests.begin() + (pdu.errindex - 1);
        fail(*failing, status, qint32(pdu.errstat), name);
        batch.requests.erase(failing);
        requeueFront(batch.requests, false);
    } else if (count > 1) {
        requeueFront(batch.requests, true);
    } else {
        fail(batch.requests.front(), status, qint32(pdu.errstat), name);
    }
}

void SnmpAgentChannel::handleTimeout(Batch& batch)
{
    const int count = int(batch.requests.size());
    if (count > 1 && m_state != State::NotAnswering) {
        // Maybe the agent drops big messages, maybe it is gone: smaller batches, and one lone
        // request first to find out which.
        m_batchLimit = std::max(1, std::min(m_batchLimit, count / 2));
        m_repliesSinceShrink = 0;
        m_state = State::Probing;
        qCDebug(lcSnmpChannel) << "time-out for" << count << "variables; probing, batches now"
                               << m_batchLimit;
        requeueFront(batch.requests, false);
        return;
    }
    for (const SnmpRequest& request : batch.requests)
        fail(request, SNMPSession::RESPONSE_TIMEOUT, -1, QStringLiteral("timeout"));
    m_state = State::NotAnswering;
    qCDebug(lcSnmpChannel) << "agent not answering; failing" << m_queue.size() << "queued requests";
    for (const SnmpRequest& request : m_queue)
        fail(request, SNMPSession::RESPONSE_TIMEOUT, -1, QStringLiteral("timeout"));
    m_queue.clear();
}

bool SnmpAgentChannel::variablesMatch(const Batch& batch, const netsnmp_pdu& pdu) const
{
    size_t position = 0;
    for (const netsnmp_variable_list* variable = pdu.variables; variable;
         variable = variable->next_variable) {
        if (position >= batch.requests.size())
            return false;
        const SnmpRequest& request = batch.requests[position++];
        const SnmpOid& asked = request.oid->name;
        const int order =
            snmp_oid_compare(variable->name, variable->name_length, asked.constData(), size_t(asked.size()));
        const bool sameName = order == 0;
        if (!request.next || isException(variable->type)) {
            if (!sameName)
                return false;
        } else if (order <= 0) {
            return false;
        }
    }
    return position == batch.requests.size();
}

void SnmpAgentChannel::answerVariables(Batch& batch, const netsnmp_pdu& pdu)
{
    if (!variablesMatch(batch, pdu)) {
        qCDebug(lcNetSnmp) << "rejected a reply whose variables do not match the request";
        for (const SnmpRequest& request : batch.requests)
            fail(request, SNMPSession::RESPONSE_BAD_REPLY, -1, QStringLiteral("badReply"));
        return;
    }
    if (m_batchLimit < MaxBatch && ++m_repliesSinceShrink >= RepliesBeforeGrowth) {
        m_batchLimit = std::min(MaxBatch, m_batchLimit * 2);
        m_repliesSinceShrink = 0;
    }
    size_t position = 0;
    for (const netsnmp_variable_list* variable = pdu.variables; variable;
         variable = variable->next_variable) {
        SnmpRequest& request = batch.requests[position++];
        if (isException(variable->type)) {
            fail(request, SNMPSession::RESPONSE_NO_SUCH, variable->type, typeName(variable->type));
            continue;
        }
        SnmpAnswer answer;
        answer.serial = request.serial;
        answer.address = std::move(request.address);
        answer.tag = std::move(request.tag);
        // A GET is answered for the OID it asked for (variablesMatch made sure); a GETNEXT never is.
        if (!request.next && !request.oid->canonical.isNull())
            answer.oid = request.oid->canonical;
        else
            answer.oid = dottedOid(variable->name, variable->name_length);
        answer.status = SNMPSession::RESPONSE_OK;
        answer.code = 0;
        answer.value = answerValue(*variable);
        answer.type = typeName(variable->type);
        answer.syntax = syntaxOf(variable->type);
        m_finished.push_back(std::move(answer));
    }
}

void SnmpAgentChannel::requeueFront(std::vector<SnmpRequest>& requests, bool solo)
{
    for (auto it = requests.rbegin(); it != requests.rend(); ++it) {
        it->solo = it->solo || solo;
        m_queue.push_front(std::move(*it));
    }
    requests.clear();
}

void SnmpAgentChannel::fail(const SnmpRequest& request, qint32 status, qint32 code, const QString& type)
{
    SnmpAnswer answer;
    answer.serial = request.serial;
    answer.address = request.address;
    answer.tag = request.tag;
    answer.status = status;
    answer.code = code;
    answer.type = type;
    m_finished.push_back(std::move(answer));
}
