#pragma once

#include "keyed_list.h"

#include <QObject>
#include <QString>
#include <QStringList>

class ChartSink;
class QDomDocument;
class QDomElement;
class QDomNode;
class TargetOID;

/// How the series of an axis are drawn. Not range-checked: only 0..12 have a name.
enum PlottingMethods : qint32 {
    PLOT_LINE = 0,
    PLOT_AREA = 1,
    PLOT_BAR = 2,
    PLOT_BESTFITCURVE = 3,
    PLOT_BESTFITLINE = 4,
    PLOT_HORIZONTALBAR = 5,
    PLOT_HORIZONTALSTACKEDBAR = 6,
    PLOT_POINT = 7,
    PLOT_POINTLINE = 8,
    PLOT_SPLINE = 9,
    PLOT_RIBBON = 10,
    PLOT_STEP = 11,
    PLOT_STACKED = 12,
};

/// One Y axis: the targets that share units and calculation, with their scale (automatic or fixed),
/// magnitude and label format. Refers to its targets; the collection that owns them outlives it.
class YAxis : public QObject {
    Q_OBJECT
public:
    static constexpr float NoValue = -20000.0f;

    explicit YAxis(QObject* parent = nullptr);
    ~YAxis() override;

    // Published members.
    /// The axis's targets in the order they were assigned.
    const KeyedList<TargetOID, TargetOID*>& TargetOIDs() const { return m_targets; }
    QString Key() const { return QStringLiteral("A:") + QString::number(m_index); }
    qint16 Index() const { return m_index; }
    /// Built from calculation and units on first read ("x per Second" with bps: "bps per Second"),
    /// then kept.
    QString Label() const;
    void setLabel(const QString& label) { m_label = label; }
    QString Units() const { return m_units; }
    qint32 Color() const { return m_color; }
    void setColor(qint32 color) { m_color = color; }
    QString Calculation() const { return m_calculation; }
    qint16 Subsets() const { return static_cast<qint16>(m_targets.Count()); }
    float Max() const { return m_max; }
    float Min() const { return m_min; }
    bool FixedScales() const { return m_fixedScales; }
    /// Turning fixed scales on starts them from the current scale.
    void setFixedScales(bool fixed);
    /// The fixed maximum while fixed scales are on, else Max.
    float FixedMax() const { return m_fixedScales ? m_fixedMax : m_max; }
    void setFixedMax(float value) { m_fixedMax = value; }
    float FixedMin() const { return m_fixedScales ? m_fixedMin : m_min; }
    void setFixedMin(float value) { m_fixedMin = value; }
    float Magnitude() const { return m_magnitude; }
    QString ScaleFormat() const { return m_scaleFormat; }
    PlottingMethods PlottingMethod() const { return m_plottingMethod; }
    void setPlottingMethod(PlottingMethods method) { m_plottingMethod = method; }
    QString PlottingMethodName() const { return PlottingMethodNameOf(m_plottingMethod); }
    /// Accepts several spellings in any case; an unknown name changes nothing.
    void setPlottingMethodName(const QString& name);

    // For the program's own use.
    void AddTarget(TargetOID* target);
    void SetIndex(qint16 index) { m_index = index; }
    void SetUnits(const QString& units) { m_units = units; }
    void SetCalculation(const QString& calculation) { m_calculation = calculation; }
    /// Recomputes the scale from the targets' extremes (or the fixed scale); true when it changed.
    bool UpdateScale();
    /// Plotting method, title and colour of this axis, then every target's series.
    void ApplyToChart(ChartSink& chart) const;
    void WriteXML(QDomDocument& document, QDomNode& parent) const;
    void ReadXML(const QDomElement& element);

    /// Display name of a plotting method; empty outside 0..12.
    static QString PlottingMethodNameOf(qint32 method);
    /// Chart code of a plotting method; -1 outside 0..12.
    static int PlottingMethodCode(qint32 method);
    /// Attribute names of the "Axis" element in writing order.
    static const QStringList& XMLAttributeNames();

private:
    void ChooseScale(float dataMax);

    qint16 m_index = 0;
    PlottingMethods m_plottingMethod = PLOT_LINE;
    float m_max = 500;
    float m_dataMax = 0;
    float m_min = 0;
    float m_magnitude = 1;
    QString m_scaleFormat;
    bool m_fixedScales = false;
    float m_fixedMax = 0;
    float m_fixedMin = 0;
    mutable QString m_label;
    qint32 m_color = 0;
    QString m_units;
    QString m_calculation;
    KeyedList<TargetOID, TargetOID*> m_targets;
};
