#include "add_mib_logic.h"

#include <busy_cursor.h>
#include <prompter.h>
#include <settings.h>
#include <snmp_session.h>
#include <target_oids.h>
#include <trendwick_version.h>

#include <optional>

namespace {

const QString NoCalculations = QStringLiteral("No Calculations");
const QString PerSecond = QStringLiteral("x per Second");
const QString PerMinute = QStringLiteral("x per Minute");

// Base types that carry no number to plot: BITS, OCTET STRING, NULL, OBJECT IDENTIFIER, IpAddress.
bool MayNotGraph(qint32 typeTag)
{
    return (typeTag >= 3 && typeTag <= 6) || typeTag == 64;
}

} // namespace

AddMibLogic::AddMibLogic(Prompter& prompter, SNMPSession& session, const Settings& settings,
                         qint32 pollInterval, OIDResolver resolver)
    : m_prompter(prompter), m_pollInterval(pollInterval),
      m_resolver(resolver ? std::move(resolver) : MibDatabaseResolver()),
      m_validator(session, settings, m_resolver)
{
    m_validator.progress = [this](AddMibValidator::Step, const QString& text) { Show(text); };
}

AddMibLogic::~AddMibLogic() = default;

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

void AddMibLogic::Show(const QString& text)
{
    if (showMessage)
        showMessage(text);
}

AddMibLogic::Outcome AddMibLogic::Fail(const AddMibValidator::Failure& failure)
{
    if (hideMessage)
        hideMessage();
    m_prompter.Message(failure.message, Prompter::Icon::Exclamation, Prompter::Ok);
    return {false, failure.field};
}

AddMibLogic::Outcome AddMibLogic::Accept(Entries& entries)
{
    entries.host = entries.host.trimmed();
    entries.community = entries.community.trimmed();
    entries.mib = entries.mib.trimmed();
    if (const auto empty = AddMibValidator::CheckEntries(entries.host, entries.community, entries.mib))
        return Fail(*empty);

    if (MayNotGraph(m_details.TypeTag()) &&
        m_prompter.Message(QStringLiteral("This MIB variable may not graph.\n\nContinue?"),
                           Prompter::Icon::Exclamation, Prompter::Yes | Prompter::No,
                           TrendwickFileDescription() + QStringLiteral(" - Warning")) != Prompter::Yes)
        return {false, Field::None};

    std::optional<BusyCursor> busy(std::in_place);
    Show(QString());
    const auto failure = m_validator.Verify(entries.host, entries.community, entries.mib);
    if (!failure || failure->field != Field::Host) // the object was looked up
        m_details = m_validator.Details();
    busy.reset();
    if (failure)
        return Fail(*failure);
    if (hideMessage)
        hideMessage();
    m_isTable = m_validator.Instance() != QLatin1String("0");
    m_cancelled = false;
    return {true, Field::None};
}

AddMibLogic::AfterClose AddMibLogic::NextStep() const
{
    if (m_cancelled)
        return AfterClose::Nothing;
    return m_isTable ? AfterClose::SelectIndexes : AfterClose::AddTarget;
}

TargetOID* AddMibLogic::AddTarget(TargetOIDs& targets, const Entries& entries) const
{
    TargetOID* target = targets.Add(entries.host, IP(), entries.community, entries.mib, QStringLiteral("0"));
    if (target) {
        target->setUnits(entries.units);
        target->setCalculation(entries.calculation);
    }
    return target;
}
