#include "graph_mib_command.h"

#include <common_functions.h>
#include <oid_details.h>
#include <prompter.h>
#include <settings.h>
#include <snmp_session.h>
#include <target_oids.h>

#include <QCoreApplication>
#include <QRegularExpression>

namespace {

const QString kSysObjectID = QStringLiteral("1.3.6.1.2.1.1.2.0");

// "host:port" keeps its port across the lookup: the resolver knows host names only, and a
// private agent (the demo's, a test's) listens on a port of its own.
struct HostAndPort {
    QString host;
    QString port; // with its leading ":", or empty
};

HostAndPort SplitPort(const QString& target)
{
    static const QRegularExpression withPort(QStringLiteral("^([^:]+)(:\\d+)$"));
    const QRegularExpressionMatch match = withPort.match(target);
    if (match.hasMatch())
        return {match.captured(1), match.captured(2)};
    return {target, QString()};
}

} // namespace

GraphMIBCommand::GraphMIBCommand(SNMPSession& session, Prompter& prompter, const Settings& settings,
                                 OIDResolver resolver, QObject* parent)
    : QObject(parent), m_session(session), m_prompter(prompter), m_settings(settings),
      m_resolver(resolver ? std::move(resolver) : MibDatabaseResolver())
{
    // A blocking GET-NEXT returns no OID of its own; the answered one arrives with the signal.
    connect(&m_session, &SNMPSession::Response, this,
            [this](const QString&, const QString& oid, qint32, const QString&, const QString& tag,
                   const QString&) {
                if (tag == ProbeTag())
                    m_session.setOID(oid);
            });
}

GraphMIBCommand::Outcome GraphMIBCommand::Run(const GraphMIBRequest& request, TargetOIDs& targets,
                                              const IndexSelector& selectIndexes)
{
    if (request.Target.isEmpty()) {
        Reject(QStringLiteral("You must enter an IP address or Hostname"));
        return Outcome::Rejected;
    }
    if (request.Community.isEmpty()) {
        Reject(QStringLiteral("You must enter a community string."));
        return Outcome::Rejected;
    }
    if (request.MIB.isEmpty()) {
        Reject(QStringLiteral("You must enter a MIB/OID to monitor."));
        return Outcome::Rejected;
    }
    const QString ip = AddressOf(request.Target);
    if (ip.isEmpty())
        return Outcome::Rejected;

    const OIDDetails details = m_resolver(request.MIB);
    if (details.DottedOID().isEmpty()) {
        Reject(request.MIB + QStringLiteral(" is not a valid MIB/OID name."));
        return Outcome::Rejected;
    }
    const QString index = request.Index.isEmpty() ? details.DefaultIndex() : request.Index;
    const QString calculation =
        request.Calculation.isEmpty() ? details.DefaultCalculation() : request.Calculation;

    if (!Responds(ip, request))
        return Outcome::Rejected;
    const std::optional<QString> instance = ProbeObject(ip, request, details.DottedOID());
    if (!instance)
        return Outcome::Rejected;

    TargetOID* target = nullptr;
    if (*instance != QLatin1String("0")) {
        if (index.isEmpty()) {
            if (selectIndexes)
                selectIndexes(request.Target, ip, request.Community, request.MIB, details.UnitChoices(),
                              calculation);
            return Outcome::IndexesSelected;
        }
        target = targets.Add(request.Target, ip, request.Community, request.MIB, index);
    } else {
        target = targets.Add(request.Target, ip, request.Community, request.MIB, QStringLiteral("0"));
    }
    if (!request.Hostname.isEmpty())
        target->setHostname(request.Hostname);
    target->setInstance(request.Instance);
    target->setUnits(details.UnitChoices());
    target->setCalculation(calculation);
    return Outcome::TargetAdded;
}

QString GraphMIBCommand::AddressOf(const QString& target)
{
    if (IsIPAddress(target))
        return target;
    // The lookup blocks; let the window finish painting before it does.
    QCoreApplication::processEvents();
    const HostAndPort parts = SplitPort(target);
    const QString ip = m_session.ResolveHostname(parts.host);
    if (!IsIPAddress(ip)) {
        Reject(QStringLiteral("Cannot resolve ") + target + QStringLiteral(" to and IP address."));
        return QString();
    }
    return ip + parts.port;
}

bool GraphMIBCommand::Responds(const QString& ip, const GraphMIBRequest& request)
{
    try {
        m_session.setTimeout(m_settings.SNMPTimeout());
        m_session.setRetries(m_settings.SNMPRetries());
        m_session.setVersion(m_settings.SNMPVersion());
    } catch (const TypeMismatchError& error) {
        Reject(m_settings.MismatchMessage(error));
        return false;
    }
    m_session.setAsynchronous(false);
    m_session.setRequestTag(ProbeTag());
    m_session.setOID(kSysObjectID);
    m_session.setCommunity(request.Community);
    m_session.SendGet(ip);
    if (!m_session.ResponseValue().isEmpty())
        return true;
    Reject(request.Target + QStringLiteral(" does not respond to SNMP queries using ") + QLatin1Char('"') +
           request.Community + QLatin1Char('"'));
    return false;
}

std::optional<QString> GraphMIBCommand::ProbeObject(const QString& ip, const GraphMIBRequest& request,
                                                    const QString& dottedOID)
{
    m_session.setRequestTag(ProbeTag());
    m_session.setOID(dottedOID);
    m_session.setCommunity(request.Community);
    m_session.SendGetNext(ip);
    const QString answered = m_session.OID();
    // The answer must lie below the object: a bare text prefix would take ".100" for ".10".
    if (!answered.startsWith(dottedOID + QLatin1Char('.')) || m_session.ResponseValue().isEmpty()) {
        Reject(request.Target + QStringLiteral(" does not seem to support ") + request.MIB);
        return std::nullopt;
    }
    return answered.mid(dottedOID.length() + 1);
}

void GraphMIBCommand::Reject(const QString& text)
{
    m_prompter.Message(text, Prompter::Icon::Exclamation, Prompter::Ok);
}
