#pragma once

#include "snmp_answer.h"

#include <QByteArray>
#include <QHash>
#include <QObject>
#include <QString>
#include <map>
#include <memory>
#include <unordered_map>
#include <vector>

class SnmpAgentChannel;
struct SnmpOidText;

/// The SNMP session component: GET and GET-NEXT requests to SNMPv1/v2c agents on net-snmp.
///
/// Callers set the properties, then call SendGet or SendGetNext once per request, as many as
/// they like back to back. Each request is answered by exactly one Response signal, carrying
/// the RequestTag that was set when it was sent. Requests to one agent (address, version,
/// community) are queued, sent in batches of up to 48 variables per PDU with a bounded number
/// of PDUs outstanding, and answered in any order.
///
/// Response(address, oid, code, value, tag, type):
///  1 address  the address text the request was sent to, as the caller wrote it
///  2 oid      the answered OID, dotted; "" when no value came back
///  3 code     what the agent said about this variable: 0 for a value, the SNMP error-status
///             (2 noSuchName, 1 tooBig, 5 genErr, ...) or the exception tag (128 noSuchObject,
///             129 noSuchInstance, 130 endOfMibView); -1 when no reply was matched
///  4 value    the value as text, "" when no value came back
///  5 tag      RequestTag at the time of the request
///  6 type     the value's SMI type name ("Counter32", "OCTET STRING", ...), the exception or
///             error name, or "timeout", "badReply", "badRequest" when nothing usable came back
/// ResponseStatus() and ResponseValue() describe the answer being delivered (inside a Response
/// handler) or the last one delivered; ResponseStatus() is RESPONSE_OK (31000) when a value
/// arrived. Every Response without a value has an empty OID, so a walk always ends.
///
/// Answered(answers) hands out the same answers several at a time, just before their Response
/// signals, for callers that poll many objects: integer values come as numbers. While nobody
/// listens to Response (and no blocking call waits), values are not written out as text at all.
/// Inside an Answered handler, ResponseStatus() and ResponseValue() describe the last answer of
/// the batch.
///
/// With Asynchronous false, SendGet/SendGetNext return only after their own Response has been
/// raised. While they wait, a local event loop runs timers, sockets and other posted events
/// (other sessions keep polling, the window repaints) but holds back user input, so nobody can
/// click into the half-finished operation that is waiting.
///
/// Everything runs on the thread that owns the object. Destroy it with deleteLater() when doing
/// so from inside a Response handler.
class SNMPSession : public QObject {
    Q_OBJECT
public:
    enum ResponseStatusCode : qint32 {
        RESPONSE_OK = 31000,          ///< a value arrived
        RESPONSE_TIMEOUT = 31001,     ///< no reply after Retries retransmissions
        RESPONSE_NO_SUCH = 31002,     ///< the agent has no such object or instance, or the walk ended
        RESPONSE_ERROR = 31003,       ///< the agent reported another error for this variable
        RESPONSE_BAD_REPLY = 31004,   ///< a reply that did not match the request was rejected
        RESPONSE_BAD_REQUEST = 31005, ///< address or OID not understood, or the request could not be sent
        RESPONSE_CLOSED = 31006,      ///< CloseSession dropped the request a blocking call waited for
    };

    explicit SNMPSession(QObject* parent = nullptr);
    ~SNMPSession() override;

    /// Retransmissions after the first try (0 or more).
    qint16 Retries() const { return m_retries; }
    void setRetries(qint16 retries);
    /// Milliseconds to wait for each try.
    qint32 Timeout() const { return m_timeoutMs; }
    void setTimeout(qint32 milliseconds);
    /// 1 = SNMPv1; any other value = SNMPv2c.
    qint16 Version() const { return m_version; }
    void setVersion(qint16 version) { m_version = version; }
    QString Community() const { return m_community; }
    void setCommunity(const QString& community) { m_community = community; }
    /// Dotted OID the next request asks for (a leading dot is accepted).
    QString OID() const { return m_oid; }
    void setOID(const QString& oid) { m_oid = oid; }
    QString RequestTag() const { return m_requestTag; }
    void setRequestTag(const QString& tag) { m_requestTag = tag; }
    bool Asynchronous() const { return m_asynchronous; }
    void setAsynchronous(bool asynchronous) { m_asynchronous = asynchronous; }

    /// GET of OID from "a.b.c.d" or "a.b.c.d:port" (port 161 when missing).
    void SendGet(const QString& address);
    /// GET-NEXT of OID from the address.
    void SendGetNext(const QString& address);
    /// What one asynchronous GET needs, for callers that send many in a row to objects that each
    /// have their own community, OID and tag.
    struct GetRequest {
        const QString& address;
        const QString& community;
        qint16 version;
        const QString& oid;
        const QString& tag;
    };
    /// The same as setting Community, Version, OID and RequestTag and calling SendGet(address)
    /// with Asynchronous on, except that those properties keep their values.
    void SendGet(const GetRequest& request);
    /// The first IPv4 address of host, dotted; on failure a message that is no address. This
    /// asks the system resolver and blocks until it answers.
    QString ResolveHostname(const QString& host) const;

    QString ResponseValue() const { return m_responseValue.ToText(); }
    qint32 ResponseStatus() const { return m_responseStatus; }

    /// Drops every queued and outstanding request without answering it and closes the
    /// agents' sessions. Later requests open new ones.
    void CloseSession();

Q_SIGNALS:
    void Response(const QString& address, const QString& oid, qint32 code, const QString& value,
                  const QString& tag, const QString& type);
    void Answered(const std::vector<SnmpAnswer>& answers);

private:
    struct Wait;

    void send(const GetRequest& request, bool next, bool blocking);
    /// The OID text read into net-snmp's form; nullptr when it is no dotted OID.
    std::shared_ptr<const SnmpOidText> oidFor(const QString& text);
    SnmpAgentChannel* channelFor(const QString& address, qint16 version, const QString& community,
                                 QString* error);
    void deliver(std::vector<SnmpAnswer>& answers);
    void postFailure(const SnmpAnswer& answer);
    void waitFor(quint64 serial);
    void reapRetired();

    qint16 m_retries = 1;
    qint32 m_timeoutMs = 1000;
    qint16 m_version = 2;
    QString m_community = QStringLiteral("public");
    QString m_oid;
    QString m_requestTag;
    bool m_asynchronous = true;

    SnmpValue m_responseValue;
    qint32 m_responseStatus = 0;

    quint64 m_nextSerial = 0;
    quint64 m_generation = 0;
    std::map<QByteArray, std::unique_ptr<SnmpAgentChannel>> m_channels;
    std::vector<std::unique_ptr<SnmpAgentChannel>> m_retired;
    std::unordered_map<quint64, Wait*> m_waits;

    // Polling asks for the same OIDs over and over: each text is read once. Bounded, since a
    // long walk passes every OID of a table only once.
    static constexpr int MaxKnownOids = 8192;
    QHash<QString, std::shared_ptr<const SnmpOidText>> m_knownOids;

    // The channel of the previous request: polling sends many requests to one agent in a row.
    QString m_lastAddress;
    qint16 m_lastVersion = 0;
    QString m_lastCommunity;
    SnmpAgentChannel* m_lastChannel = nullptr;
};
