#pragma once

#include "netsnmp_handles.h"
#include "snmp_request.h"

#include <QObject>
#include <QTimer>
#include <deque>
#include <functional>
#include <memory>
#include <unordered_map>
#include <vector>

class QSocketNotifier;

/// The traffic to one agent (address, version and community): one net-snmp single session,
/// its socket on a QSocketNotifier and its retransmission times on a single-shot QTimer.
///
/// Requests wait in a queue and go out in GET or GETNEXT PDUs of up to MaxBatch variables,
/// with a bounded number of PDUs outstanding, because an agent's socket overflows when
/// thousands of requests arrive at once. A PDU the agent finds too big, or that times out,
/// is split; a lone request that times out marks the agent as not answering, which fails
/// everything queued for it at once (so callers are never kept waiting one time-out per
/// request) until it answers again.
///
/// Outcomes are collected while net-snmp runs and handed to the sink only after net-snmp has
/// returned, so whatever the sink's receivers do (send more, close) never runs inside one of
/// net-snmp's callbacks.
class SnmpAgentChannel final : public QObject {
public:
    using Sink = std::function<void(std::vector<SnmpAnswer>& answers)>;

    /// Most variables in one PDU; 48 small varbinds stay below a 1472-byte datagram.
    static constexpr int MaxBatch = 48;
    /// Variables in flight that the window aims at; PDUs outstanding are this divided by the
    /// current batch size, within [MinWindow, MaxWindow].
    static constexpr int VarbindWindow = 400;
    static constexpr int MinWindow = 8;
    static constexpr int MaxWindow = 64;
    /// Bytes of request varbinds one PDU may carry.
    static constexpr int MaxRequestBytes = 1200;

    /// Opens the net-snmp session for peerName ("udp:a.b.c.d:port"); nullptr and error text
    /// on failure.
    static std::unique_ptr<SnmpAgentChannel> open(const QByteArray& peerName, long version,
                                                  const QByteArray& community, Sink sink, QString* error);
    ~SnmpAgentChannel() override;

    /// Queues a request; urgent ones (a blocking caller waits) go before the others. Timeout
    /// and retries apply to PDUs sent from now on.
    void enqueue(SnmpRequest&& request, bool urgent, int timeoutMs, int retries);
    /// Stops all traffic and forgets every request without answering it.
    void close();
    /// True while the channel is delivering or reading, when it must not be destroyed.
    bool busy() const { return m_depth > 0; }

private:
    enum class State { Normal, Probing, NotAnswering };
    struct Batch {
        std::vector<SnmpRequest> requests;
    };
    class Activity;

    explicit SnmpAgentChannel(Sink sink);

    static int onNetSnmpEvent(int operation, netsnmp_session* session, int requestId, netsnmp_pdu* pdu,
                              void* magic);
    void onReadable();
    void onTimer();
    void handleEvent(int operation, int requestId, netsnmp_pdu* pdu);
    void handleReply(Batch& batch, const netsnmp_pdu& pdu);
    void handleErrorStatus(Batch& batch, const netsnmp_pdu& pdu);
    void handleTimeout(Batch& batch);
    void answerVariables(Batch& batch, const netsnmp_pdu& pdu);
    bool variablesMatch(const Batch& batch, const netsnmp_pdu& pdu) const;

    void scheduleService();
    void service();
    void pump();
    Batch takeBatch();
    void sendBatch();
    void logSessionError(const char* what) const;
    void rearmTimer();
    void flush();

    void requeueFront(std::vector<SnmpRequest>& requests, bool solo);
    void fail(const SnmpRequest& request, qint32 status, qint32 code, const QString& type);
    int window() const;
    int batchLimit() const;

    SessionOwner m_session;
    int m_fd = -1;
    LargeFdSet m_fds;
    QSocketNotifier* m_notifier = nullptr;
    QTimer m_timer;
    Sink m_sink;

    std::deque<SnmpRequest> m_queue;
    std::unordered_map<int, Batch> m_inFlight;
    std::vector<SnmpAnswer> m_finished;

    State m_state = State::Normal;
    int m_batchLimit = MaxBatch;
    int m_armedWaitMs = 0; ///< the wait the running timer was started with
    int m_repliesSinceShrink = 0;
    int m_timeoutMs = 1000;
    int m_retries = 1;
    int m_depth = 0;
    bool m_closed = false;
    bool m_serviceScheduled = false;
};
