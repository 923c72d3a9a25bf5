#include "graph_mib_command.h"

#include <oid_details.h>
#include <prompter.h>
#include <target_oids.h>

#include <QCoreApplication>

GraphMIBCommand::GraphMIBCommand(SNMPSession& session, Prompter& prompter, const Settings& settings,
                                 OIDResolver resolver, QObject* parent)
    : QObject(parent), m_prompter(prompter), m_validator(session, settings, std::move(resolver))
{
    m_validator.progress = [](AddMibValidator::Step step, const QString&) {
        // The lookup blocks; let the window finish painting before it does.
        if (step == AddMibValidator::Step::ResolvingHost)
            QCoreApplication::processEvents();
    };
}

GraphMIBCommand::Outcome GraphMIBCommand::Run(const GraphMIBRequest& request, TargetOIDs& targets,
                                              const IndexSelector& selectIndexes)
{
    auto failure = AddMibValidator::CheckEntries(request.Target, request.Community, request.MIB);
    if (!failure)
        failure = m_validator.Verify(request.Target, request.Community, request.MIB);
    if (failure) {
        Reject(failure->message);
        return Outcome::Rejected;
    }
    const OIDDetails& details = m_validator.Details();
    const QString index = request.Index.isEmpty() ? details.DefaultIndex() : request.Index;
    const QString calculation =
        request.Calculation.isEmpty() ? details.DefaultCalculation() : request.Calculation;
    const QString ip = m_validator.IP();

    TargetOID* target = nullptr;
    if (m_validator.Instance() != QLatin1String("0")) {
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

void GraphMIBCommand::Reject(const QString& text)
{
    m_prompter.Message(text, Prompter::Icon::Exclamation, Prompter::Ok);
}
