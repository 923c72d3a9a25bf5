#include "y_axises.h"

#include "target_oid.h"

#include <common_functions.h>

#include <QDomDocument>

YAxises::YAxises(QObject* parent) : QObject(parent) {}

YAxises::~YAxises() = default;

YAxis* YAxises::AssignAxis(TargetOID* target)
{
    for (YAxis* axis : m_axes) {
        if (axis->Units() == target->Units() && axis->Calculation() == target->Calculation()) {
            axis->AddTarget(target);
            return axis;
        }
    }
    auto axis = std::make_unique<YAxis>();
    axis->AddTarget(target);
    axis->SetIndex(static_cast<qint16>(m_axes.Count()));
    axis->SetUnits(target->Units());
    axis->SetCalculation(target->Calculation());
    if (target->Units().contains(QLatin1Char('%'))) {
        axis->setFixedScales(true);
        axis->setFixedMax(102);
        axis->setFixedMin(-1);
    }
    YAxis* added = axis.get();
    m_axes.Append(added->Key(), std::move(axis));
    return added;
}

void YAxises::ClearAxes(bool keepPrevious)
{
    if (keepPrevious)
        m_previous = std::move(m_axes);
    m_axes.Clear();
}

void YAxises::RestoreAxisSettings()
{
    for (YAxis* axis : m_axes) {
        const QString label = axis->Label().trimmed().toUpper();
        const YAxis* match = nullptr;
        for (const YAxis* previous : m_previous) {
            if (previous->Label().trimmed().toUpper() == label)
                match = previous;
        }
        if (!match)
            continue;
        axis->setColor(match->Color());
        axis->setPlottingMethod(match->PlottingMethod());
        axis->setFixedScales(match->FixedScales());
        axis->setFixedMax(match->FixedMax());
        axis->setFixedMin(match->FixedMin());
    }
    m_previous.Clear();
}

void YAxises::Remove(const QVariant& key)
{
    if (YAxis* axis = m_axes.Item(key))
        m_axes.Take(axis);
}

void YAxises::WriteXML(QDomDocument& document, QDomNode& parent) const
{
    QDomElement element = AddXMLElement(document, parent, QStringLiteral("Axes"), QString());
    for (const YAxis* axis : m_axes)
        axis->WriteXML(document, element);
}

void YAxises::ReadXML(const QDomElement& element)
{
    ClearAxes(false);
    for (QDomElement child = element.firstChildElement(); !child.isNull();
         child = child.nextSiblingElement()) {
        auto axis = std::make_unique<YAxis>();
        axis->ReadXML(child);
        axis->SetIndex(static_cast<qint16>(m_axes.Count()));
        const QString key = axis->Key();
        m_axes.Append(key, std::move(axis));
    }
}
