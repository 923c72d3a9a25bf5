#include "custom_subset_logic.h"

#include "add_mib_logic.h"

#include <prompter.h>
#include <rgb_color.h>
#include <rt_trendwick.h>
#include <target_oid.h>

CustomSubsetLogic::CustomSubsetLogic(RTTrendwick& graph, TargetOID& target, Prompter& prompter)
    : m_graph(&graph), m_target(&target), m_prompter(prompter)
{
}

bool CustomSubsetLogic::Valid() const
{
    return m_graph && m_target;
}

CustomSubsetLogic::Fields CustomSubsetLogic::Fill() const
{
    Fields fields;
    if (!Valid())
        return fields;
    const TargetOID& target = *m_target;
    fields.label = target.Label();
    fields.autoLabel = target.AutoLabel();
    fields.ip = target.IP();
    fields.community = target.Community();
    fields.mib = target.OID().FullName();
    fields.index = target.Index();
    if (CalculationChoices().contains(target.Calculation()))
        fields.calculation = target.Calculation();
    fields.units = target.UnitsAndConversion();
    fields.color = target.Color();
    return fields;
}

QStringList CustomSubsetLogic::CalculationChoices() const
{
    return m_graph ? AddMibLogic::CalculationChoices(m_graph->PollInterval()) : QStringList();
}

QStringList CustomSubsetLogic::UnitChoices() const
{
    if (!m_target)
        return {};
    return m_target->OID().UnitChoices().split(QLatin1Char(','), Qt::SkipEmptyParts);
}

std::optional<qint32> CustomSubsetLogic::ChooseColor()
{
    if (!m_target)
        return std::nullopt;
    const std::optional<QColor> chosen =
        m_prompter.ChooseColor(ToQColor(m_target->Color()), QStringLiteral("Select Subset Color ..."));
    // The picker runs its own event loop: the target may have gone meanwhile.
    if (!chosen || !m_target)
        return std::nullopt;
    m_target->setColor(ToRGBColor(*chosen));
    return m_target->Color();
}

void CustomSubsetLogic::Apply(const Fields& fields)
{
    if (!Valid())
        return;
    TargetOID& target = *m_target;
    target.setAutoLabel(fields.autoLabel);
    if (!fields.autoLabel)
        target.setLabel(fields.label);
    target.setIP(fields.ip);
    target.setCommunity(fields.community);
    // Looking the object up again resets calculation and units to its defaults; the user's
    // choices below are written after it so they survive.
    target.setTargetMIB(fields.mib);
    target.SetIndex(fields.index);
    target.setCalculation(fields.calculation);
    target.setColor(fields.color);
    target.setUnitsAndConversion(fields.units);
    m_graph->Reset();
}
