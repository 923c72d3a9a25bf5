#include "add_mib_logic.h"

#include "select_index_logic.h"

#include <busy_cursor.h>
#include <common_functions.h>
#include <prompter.h>
#include <settings.h>
#include <snmp_session.h>
#include <target_oids.h>
#include <trendwick_version.h>

#include <optional>

namespace {

const QString ProbeTag = QStringLiteral("AddMIB");
// sysObjectID.0: every agent has it, so an answer proves the host and community are right.
const QString ProbeOID = QStringLiteral("1.3.6.1.2.1.1.2.0");

const QString NoCalculations = QStringLiteral("No Calculations");
const QString PerSecond = QStringLiteral("x per Second");
const QString PerMinute = QStringLiteral("x per Minute");

// Base types that carry no number to plot: BITS, OCTET STRING, NULL, OBJECT IDENTIFIER, IpAddress.
bool MayNotGraph(qint32 typeTag)
{
    return (typeTag >= 3 && typeTag <= 6) || typeTag == 64;
}

bool IsPort(const QString& text)
{
    bool number = false;
    const uint port = text.toUInt(&number);
    return number && port > 0 && port <= 65535 && !text.startsWith(QLatin1Char('+'));
}

// IsIPAddress stops at port 32000, but an agent on any UDP port (an ephemeral one, say) has an
// address that needs no resolving.
bool IsAddress(const QString& host)
{
    if (IsIPAddress(host))
        return true;
    const int colon = host.indexOf(QLatin1Char(':'));
    return colon > 0 && IsPort(host.mid(colon + 1)) && IsIPAddress(host.left(colon));
}

} // namespace

AddMibLogic::AddMibLogic(Prompter& prompter, SNMPSession& session, const Settings& settings,
                         qint32 pollInterval, OIDResolver resolver)
    : m_prompter(prompter), m_session(session), m_settings(settings), m_pollInterval(pollInterval),
      m_resolver(resolver ? std::move(resolver) : MibDatabaseResolver())
{
    m_oidCopy = QObject::connect(&m_session, &SNMPSession::Response, &m_session,
                                 [this](const QString&, const QString& oid, qint32, const QString&,
                                        const QString& tag, const QString&) {
                                     if (tag == ProbeTag)
                                         m_session.setOID(oid);
                                 });
}

AddMibLogic::~AddMibLogic()
{
    QObject::disconnect(m_oidCopy);
}

QStringList AddMibLogic::DefaultMibNames()
{
    return {QStringLiteral("RFC1213-MIB:ifInOctets"),
            QStringLiteral("RFC1213-MIB:ifOutOctets"),
            QStringLiteral("OLD-CISCO-CPU-MIB:avgBusy5"),
            QStringLiteral("HOST-RESOURCES-MIB:hrProcessorLoad"),
            QStringLiteral("RFC1213-MIB:ipInReceives"),
            QStringLiteral("RFC1213-MIB:ipOutRequests"),
            QStringLiteral("HOST-RESOURCES-MIB:hrSWRunPerfMem"),
            QStringLiteral("HOST-RESOURCES-MIB:hrSWRunPerfCPU")};
}

AddMibLogic::Filling AddMibLogic::FillFrom(const TargetOIDs& targets)
{
    Filling filling;
    filling.mibs = DefaultMibNames();
    for (const TargetOID* target : targets) {
        filling.communities.append(target->Community());
        filling.mibs.append(target->OID().FullName());
        filling.fromTargets = true;
        filling.host = target->Hostname();
        filling.community = target->Community();
        filling.mib = target->OID().FullName();
    }
    return filling;
}

QStringList AddMibLogic::CalculationChoices(qint32 pollInterval)
{
    QStringList choices{NoCalculations, PerSecond};
    // A per-minute rate only means something when a poll spans more than two minutes.
    if (pollInterval > 120)
        choices.append(PerMinute);
    return choices;
}

QString AddMibLogic::UnitName(const QString& entry)
{
    return entry.section(QLatin1Char('='), 0, 0);
}

QString AddMibLogic::UnitEntryFor(const QString& text, const QStringList& entries)
{
    for (const QString& entry : entries) {
        if (UnitName(entry) == text)
            return entry;
    }
    return text;
}

AddMibLogic::MibChoices AddMibLogic::MibChanged(const QString& mib)
{
    m_details = m_resolver(mib);
    MibChoices choices;
    choices.dottedOID = m_details.DottedOID();
    const QString units = m_details.UnitChoices();
    if (!units.isEmpty()) {
        choices.unitEntries = units.split(QLatin1Char(','));
        choices.units = choices.unitEntries.constLast();
    }
    choices.calculations = CalculationChoices(m_pollInterval);
    choices.calculation = m_details.DefaultCalculation();
    return choices;
}

void AddMibLogic::setHostResolver(std::function<QString(const QString&)> resolver)
{
    m_hostResolver = std::move(resolver);
}

QString AddMibLogic::ResolveHost(const QString& host) const
{
    // The resolver knows names only; a ":port" behind the name is kept for the address.
    QString name = host;
    QString port;
    const int colon = host.lastIndexOf(QLatin1Char(':'));
    if (colon > 0 && IsPort(host.mid(colon + 1))) {
        name = host.left(colon);
        port = host.mid(colon);
    }
    const QString ip = m_hostResolver ? m_hostResolver(name) : m_session.ResolveHostname(name);
    return IsIPAddress(ip) ? ip + port : QString();
}

void AddMibLogic::Show(const QString& text)
{
    if (showMessage)
        showMessage(text);
}

AddMibLogic::Outcome AddMibLogic::Fail(Field focus, const QString& message)
{
    if (hideMessage)
        hideMessage();
    m_prompter.Message(message, Prompter::Icon::Exclamation, Prompter::Ok);
    return {false, focus};
}

AddMibLogic::Outcome AddMibLogic::Accept(Entries& entries)
{
    entries.host = entries.host.trimmed();
    entries.community = entries.community.trimmed();
    entries.mib = entries.mib.trimmed();
    if (entries.host.isEmpty())
        return Fail(Field::Host, QStringLiteral("You must enter an IP address or Hostname"));
    if (entries.community.isEmpty())
        return Fail(Field::Community, QStringLiteral("You must enter a community string."));
    if (entries.mib.isEmpty())
        return Fail(Field::MIB, QStringLiteral("You must enter a MIB/OID to monitor."));

    if (MayNotGraph(m_details.TypeTag()) &&
        m_prompter.Message(QStringLiteral("This MIB variable may not graph.\n\nContinue?"),
                           Prompter::Icon::Exclamation, Prompter::Yes | Prompter::No,
                           TrendwickFileDescription() + QStringLiteral(" - Warning")) != Prompter::Yes)
        return {false, Field::None};

    std::optional<BusyCursor> busy(std::in_place);
    Show(QString());
    if (IsAddress(entries.host)) {
        m_ip = entries.host;
    } else {
        Show(QStringLiteral("Looking up IP address for %1 ...").arg(entries.host));
        m_ip = ResolveHost(entries.host);
        if (m_ip.isEmpty()) {
            busy.reset();
            return Fail(Field::Host,
                        QStringLiteral("Cannot resolve %1 to and IP address.").arg(entries.host));
        }
    }

    Show(QStringLiteral("Looking up %1 in MIB database ...").arg(entries.mib));
    m_details = m_resolver(entries.mib);
    if (m_details.DottedOID().isEmpty()) {
        busy.reset();
        return Fail(Field::MIB, entries.mib + QStringLiteral(" is not a valid MIB/OID name."));
    }

    Show(QStringLiteral("Establishing communications with \n%1 ...").arg(entries.host));
    const QString failure = Probe(entries);
    busy.reset();
    if (!failure.isEmpty())
        return Fail(Field::None, failure);
    if (hideMessage)
        hideMessage();
    m_cancelled = false;
    return {true, Field::None};
}

QString AddMibLogic::Probe(const Entries& entries)
{
    m_isTable = false;
    m_session.setAsynchronous(false);
    m_session.setRequestTag(ProbeTag);
    m_session.setOID(ProbeOID);
    m_session.setCommunity(entries.community);
    try {
        m_session.setVersion(m_settings.SNMPVersion());
    } catch (const TypeMismatchError& error) {
        return m_settings.MismatchMessage(error);
    }
    m_session.SendGet(m_ip);
    if (m_session.ResponseValue().isEmpty())
        return QStringLiteral("%1 does not respond to SNMP queries using \"%2\"")
            .arg(entries.host, entries.community);

    const QString dotted = m_details.DottedOID();
    m_session.setRequestTag(ProbeTag);
    m_session.setOID(dotted);
    m_session.setCommunity(entries.community);
    m_session.SendGetNext(m_ip);
    // The Response handler has put the answered OID into the session's OID.
    const QString index = IndexBelow(m_session.OID(), dotted);
    if (index.isNull() || m_session.ResponseValue().isEmpty())
        return QStringLiteral("%1 does not seem to support %2").arg(entries.host, entries.mib);
    m_isTable = index != QLatin1String("0");
    return QString();
}

AddMibLogic::AfterClose AddMibLogic::NextStep() const
{
    if (m_cancelled)
        return AfterClose::Nothing;
    return m_isTable ? AfterClose::SelectIndexes : AfterClose::AddTarget;
}

TargetOID* AddMibLogic::AddTarget(TargetOIDs& targets, const Entries& entries) const
{
    TargetOID* target = targets.Add(entries.host, m_ip, entries.community, entries.mib, QStringLiteral("0"));
    if (target) {
        target->setUnits(entries.units);
        target->setCalculation(entries.calculation);
    }
    return target;
}
