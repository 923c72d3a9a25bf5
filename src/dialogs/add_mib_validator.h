#pragma once

#include <oid_details.h>
#include <target_oid.h>

#include <QMetaObject>
#include <QString>
#include <functional>
#include <optional>

class Settings;
class SNMPSession;

/// The checks between a typed host, community and MIB name and a target, shared by the Add OID
/// dialog and a window's GraphMIB: the fields are filled, the host resolves, the MIB database
/// knows the object, and the agent answers for it. The probe blocks on the lent session.
///
/// While it exists it copies the OID of every Response tagged "AddMIB" into the session's OID,
/// so the blocking GET-NEXT of the probe can read back which object answered.
class AddMibValidator {
public:
    enum class Field { None, Host, Community, MIB };
    enum class Step { ResolvingHost, LookingUpMib, Probing };

    /// What failed: the message for the user and the field it is about.
    struct Failure {
        Field field = Field::None;
        QString message;
    };

    AddMibValidator(SNMPSession& session, const Settings& settings,
                    OIDResolver resolver = MibDatabaseResolver());
    ~AddMibValidator();
    AddMibValidator(const AddMibValidator&) = delete;
    AddMibValidator& operator=(const AddMibValidator&) = delete;

    /// The first empty one of host, community and MIB.
    static std::optional<Failure> CheckEntries(const QString& host, const QString& community,
                                               const QString& mib);
    /// Resolves the host, looks the object up and probes the agent, stopping at the first failure.
    std::optional<Failure> Verify(const QString& host, const QString& community, const QString& mib);

    /// Told before each step that may block, with the text the user may be shown meanwhile. A
    /// host given as an address needs no lookup, so that step is not announced for it.
    std::function<void(Step step, const QString& text)> progress;

    /// The address probed: the host itself when it was one, else its lookup with the host's port.
    QString IP() const { return m_ip; }
    const OIDDetails& Details() const { return m_details; }
    /// The instance the agent answered below the object: "0" for a scalar, a row index otherwise.
    QString Instance() const { return m_instance; }

    static QString ProbeTag() { return QStringLiteral("AddMIB"); }
    /// Whether a host text is an IPv4 address with an optional port (any UDP port).
    static bool IsAddress(const QString& host);

private:
    void Announce(Step step, const QString& text) const;
    QString ResolveHost(const QString& host) const;
    std::optional<Failure> Probe(const QString& host, const QString& community, const QString& mib);

    SNMPSession& m_session;
    const Settings& m_settings;
    OIDResolver m_resolver;
    QMetaObject::Connection m_oidCopy;
    OIDDetails m_details{OIDInfo{}};
    QString m_ip;
    QString m_instance;
};
