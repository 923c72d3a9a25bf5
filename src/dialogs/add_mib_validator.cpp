#include "add_mib_validator.h"

#include "select_index_logic.h"

#include <common_functions.h>
#include <settings.h>
#include <snmp_session.h>

namespace {

// sysObjectID.0: every agent has it, so an answer proves the host and community are right.
const QString ProbeOID = QStringLiteral("1.3.6.1.2.1.1.2.0");

bool IsPort(const QString& text)
{
    bool number = false;
    const uint port = text.toUInt(&number);
    return number && port > 0 && port <= 65535 && !text.startsWith(QLatin1Char('+'));
}

} // namespace

AddMibValidator::AddMibValidator(SNMPSession& session, const Settings& settings, OIDResolver resolver)
    : m_session(session), m_settings(settings),
      m_resolver(resolver ? std::move(resolver) : MibDatabaseResolver())
{
    m_oidCopy = QObject::connect(&m_session, &SNMPSession::Response, &m_session,
                                 [this](const QString&, const QString& oid, qint32, const QString&,
                                        const QString& tag, const QString&) {
                                     if (tag == ProbeTag())
                                         m_session.setOID(oid);
                                 });
}

AddMibValidator::~AddMibValidator()
{
    QObject::disconnect(m_oidCopy);
}

// IsIPAddress stops at port 32000, but an agent on any UDP port (an ephemeral one, say) has an
// address that needs no resolving.
bool AddMibValidator::IsAddress(const QString& host)
{
    if (IsIPAddress(host))
        return true;
    const int colon = host.indexOf(QLatin1Char(':'));
    return colon > 0 && IsPort(host.mid(colon + 1)) && IsIPAddress(host.left(colon));
}

std::optional<AddMibValidator::Failure>
AddMibValidator::CheckEntries(const QString& host, const QString& community, const QString& mib)
{
    if (host.isEmpty())
        return Failure{Field::Host, QStringLiteral("You must enter an IP address or Hostname")};
    if (community.isEmpty())
        return Failure{Field::Community, QStringLiteral("You must enter a community string.")};
    if (mib.isEmpty())
        return Failure{Field::MIB, QStringLiteral("You must enter a MIB/OID to monitor.")};
    return std::nullopt;
}

std::optional<AddMibValidator::Failure> AddMibValidator::Verify(const QString& host, const QString& community,
                                                                const QString& mib)
{
    m_instance.clear();
    if (IsAddress(host)) {
        m_ip = host;
    } else {
        Announce(Step::ResolvingHost, QStringLiteral("Looking up IP address for %1 ...").arg(host));
        m_ip = ResolveHost(host);
        if (m_ip.isEmpty())
            return Failure{Field::Host, QStringLiteral("Cannot resolve %1 to and IP address.").arg(host)};
    }

    Announce(Step::LookingUpMib, QStringLiteral("Looking up %1 in MIB database ...").arg(mib));
    m_details = m_resolver(mib);
    if (m_details.DottedOID().isEmpty())
        return Failure{Field::MIB, mib + QStringLiteral(" is not a valid MIB/OID name.")};

    Announce(Step::Probing, QStringLiteral("Establishing communications with \n%1 ...").arg(host));
    return Probe(host, community, mib);
}

void AddMibValidator::Announce(Step step, const QString& text) const
{
    if (progress)
        progress(step, text);
}

QString AddMibValidator::ResolveHost(const QString& host) const
{
    // The resolver knows names only; a ":port" behind the name is kept for the address.
    QString name = host;
    QString port;
    const int colon = host.lastIndexOf(QLatin1Char(':'));
    if (colon > 0 && IsPort(host.mid(colon + 1))) {
        name = host.left(colon);
        port = host.mid(colon);
    }
    const QString ip = m_session.ResolveHostname(name);
    return IsIPAddress(ip) ? ip + port : QString();
}

std::optional<AddMibValidator::Failure> AddMibValidator::Probe(const QString& host, const QString& community,
                                                               const QString& mib)
{
    try {
        m_session.setTimeout(m_settings.SNMPTimeout());
        m_session.setRetries(m_settings.SNMPRetries());
        m_session.setVersion(m_settings.SNMPVersion());
    } catch (const TypeMismatchError& error) {
        // A hand-edited settings file must not end the program from inside a dialog's slot.
        return Failure{Field::None, m_settings.MismatchMessage(error)};
    }
    m_session.setAsynchronous(false);
    m_session.setRequestTag(ProbeTag());
    m_session.setOID(ProbeOID);
    m_session.setCommunity(community);
    m_session.SendGet(m_ip);
    if (m_session.ResponseValue().isEmpty())
        return Failure{
            Field::None,
            QStringLiteral("%1 does not respond to SNMP queries using \"%2\"").arg(host, community)};

    const QString dotted = m_details.DottedOID();
    m_session.setRequestTag(ProbeTag());
    m_session.setOID(dotted);
    m_session.setCommunity(community);
    m_session.SendGetNext(m_ip);
    // The Response handler has put the answered OID into the session's OID.
    const QString index = IndexBelow(m_session.OID(), dotted);
    if (index.isNull() || m_session.ResponseValue().isEmpty())
        return Failure{Field::None, QStringLiteral("%1 does not seem to support %2").arg(host, mib)};
    m_instance = index;
    return std::nullopt;
}
