#include "y_axis.h"

#include "chart_sink.h"
#include "ordered_xml.h"
#include "target_oid.h"
#include "xml_values.h"

#include <common_functions.h>

#include <QDomDocument>

struct PlottingMethodSpelling {
    const char* upperName;
    PlottingMethods method;
};

static constexpr PlottingMethodSpelling kPlottingMethodSpellings[] = {
    {"LINE", PLOT_LINE},
    {"AREA", PLOT_AREA},
    {"BAR", PLOT_BAR},
    {"VERTICAL BAR", PLOT_BAR},
    {"BESTFITCURVE", PLOT_BESTFITCURVE},
    {"BEST FIT CURVE", PLOT_BESTFITCURVE},
    {"BESTFITLINE", PLOT_BESTFITLINE},
    {"BEST FIT LINE", PLOT_BESTFITLINE},
    {"HORIZONTALBAR", PLOT_HORIZONTALBAR},
    {"HORIZONTAL BAR", PLOT_HORIZONTALBAR},
    {"HORIZONTALSTACKEDBAR", PLOT_HORIZONTALSTACKEDBAR},
    {"HORIZONTAL STACKED BAR", PLOT_HORIZONTALSTACKEDBAR},
    {"POINT", PLOT_POINT},
    {"POINT+LINE", PLOT_POINTLINE},
    {"POINTLINE", PLOT_POINTLINE},
    {"POINT AND LINE", PLOT_POINTLINE},
    {"POINT&LINE", PLOT_POINTLINE},
    {"SPLINE", PLOT_SPLINE},
    {"RIBBON", PLOT_RIBBON},
    {"STEP", PLOT_STEP},
    {"STACKED", PLOT_STACKED},
    {"STACKEDBAR", PLOT_STACKED},
    {"STACKED BAR", PLOT_STACKED},
    {"VERTICALSTACKEDBAR", PLOT_STACKED},
    {"VERTICAL STACKED BAR", PLOT_STACKED},
};

static const char* const kPlottingMethodNames[] = {"Line",
                                                   "Area",
                                                   "Bar",
                                                   "Best Fit Curve",
                                                   "Best Fit Line",
                                                   "Horizontal Bar",
                                                   "Horizontal Stacked Bar",
                                                   "Point",
                                                   "Point+Line",
                                                   "Spline",
                                                   "Ribbon",
                                                   "Step",
                                                   "Stacked"};
static constexpr int kPlottingMethodCodes[] = {0, 3, 1, 10, 8, 17, 18, 2, 16, 13, 21, 20, 6};

// Scale bands, first match wins. Below a million the maxima are nominal line rates (56K, 128K, ...,
// 1.5M, 10M, 45M, 100M), so a busy link is drawn against the speed it most likely has; they lie
// below the top of their band. Open-ended bands (max 0 here) reach one magnitude above the data.
struct ScaleBand {
    float above;
    bool inclusive;
    float max;
    float magnitude;
    const char* format;
};

static constexpr ScaleBand kScaleBands[] = {
    {1e12f, true, 0, 1e12f, "|,.| T"},
    {950e6f, true, 0, 1e9f, "|,.| G"},
    {100e6f, false, 0, 1e6f, "|,.| M"},
    {46e6f, false, 100e6f, 1e6f, "|,.| M"},
    {11e6f, false, 45e6f, 1e6f, "|,.| M"},
    {1.6e6f, false, 10e6f, 1e6f, "|,.| M"},
    {552000.0f, false, 1.5e6f, 1e6f, "|,.| M"},
    {296000.0f, false, 512000.0f, 1000.0f, "|,.| K"},
    {158000.0f, false, 256000.0f, 1000.0f, "|,.| K"},
    {68000.0f, false, 128000.0f, 1000.0f, "|,.| K"},
    {20000.0f, false, 56000.0f, 1000.0f, "|,.| K"},
    {10000.0f, false, 19200.0f, 1.0f, "|,.| "},
    {2500.0f, false, 10000.0f, 1.0f, "|,.| "},
    {1000.0f, false, 2500.0f, 1.0f, "|,.| "},
};

YAxis::YAxis(QObject* parent) : QObject(parent) {}

YAxis::~YAxis() = default;

QString YAxis::Label() const
{
    if (m_label.isEmpty()) {
        if (!m_calculation.isEmpty() && m_calculation != QLatin1String("No Calculations"))
            m_label = QString(m_calculation).replace(QLatin1Char('x'), m_units);
        else
            m_label = m_units;
    }
    return m_label;
}

void YAxis::setFixedScales(bool fixed)
{
    if (fixed) {
        m_fixedMax = m_max;
        m_fixedMin = m_min;
    }
    m_fixedScales = fixed;
}

void YAxis::setPlottingMethodName(const QString& name)
{
    const QString upper = name.toUpper();
    for (const PlottingMethodSpelling& spelling : kPlottingMethodSpellings) {
        if (upper == QLatin1String(spelling.upperName)) {
            m_plottingMethod = spelling.method;
            return;
        }
    }
}

void YAxis::AddTarget(TargetOID* target)
{
    m_targets.Append(target->Key(), target);
}

bool YAxis::UpdateScale()
{
    // The scale always takes in 0 and reaches at least one below the smallest value.
    float dataMax = 0;
    float dataMin = 0;
    const int count = m_targets.Count();
    for (int i = 0; i < count; ++i) {
        // A thousand targets do not stay in the cache from one poll to the next.
        if (i + 4 < count)
            m_targets.At(i + 4)->PrefetchExtremes();
        const TargetOID* target = m_targets.At(i);
        dataMax = std::max(dataMax, target->Max());
        const float low = target->Min();
        if (low != NoValue && low < dataMin)
            dataMin = low;
    }
    dataMin -= 1;
    if (m_fixedScales) {
        dataMax = m_fixedMax;
        dataMin = m_fixedMin;
    }
    if (dataMax == m_dataMax && dataMin == m_min)
        return false;
    m_dataMax = dataMax;
    m_min = dataMin;
    ChooseScale(dataMax);
    if (m_fixedScales) {
        m_max = m_fixedMax;
        m_min = m_fixedMin;
    }
    return true;
}

void YAxis::ChooseScale(float dataMax)
{
    for (const ScaleBand& band : kScaleBands) {
        if (band.inclusive ? dataMax >= band.above : dataMax > band.above) {
            m_max = band.max != 0 ? band.max : dataMax + band.magnitude;
            m_magnitude = band.magnitude;
            m_scaleFormat = QLatin1String(band.format) + m_units;
            return;
        }
    }
    m_max = dataMax + 1;
    m_magnitude = 1;
    m_scaleFormat = QStringLiteral("|,| ") + m_units;
}

void YAxis::ApplyToChart(ChartSink& chart) const
{
    const int code = PlottingMethodCode(m_plottingMethod);
    if (code >= 0)
        chart.SetAxisPlottingMethod(m_index, code);
    chart.SetAxisTitle(m_index, Label());
    chart.SetAxisColor(m_index, m_color);
    for (const TargetOID* target : m_targets)
        target->ApplyToChart(chart);
}

void YAxis::WriteXML(QDomDocument& document, QDomNode& parent) const
{
    QDomElement element = AddXMLElement(document, parent, QStringLiteral("Axis"), QString());
    AddXMLAttribute(document, element, QStringLiteral("PLOT"), PlottingMethodName());
    AddXMLAttribute(document, element, QStringLiteral("Label"), m_label);
    AddXMLAttribute(document, element, QStringLiteral("Color"), QString::number(m_color));
    if (m_fixedScales) {
        AddXMLAttribute(document, element, QStringLiteral("FixedScales"), QStringLiteral("Yes"));
        AddXMLAttribute(document, element, QStringLiteral("FixedMax"), SingleToXML(m_fixedMax));
        AddXMLAttribute(document, element, QStringLiteral("FixedMin"), SingleToXML(m_fixedMin));
    }
}

void YAxis::ReadXML(const QDomElement& element)
{
    for (const QDomAttr& attribute : AttributesInOrder(element, XMLAttributeNames())) {
        const QString name = attribute.name().toUpper();
        const QString value = attribute.value();
        if (name == QLatin1String("PLOT"))
            setPlottingMethodName(value);
        else if (name == QLatin1String("LABEL"))
            m_label = value;
        else if (name == QLatin1String("COLOR"))
            m_color = XMLInt32(value);
        else if (name == QLatin1String("FIXEDSCALES"))
            setFixedScales(XMLToBool(value));
        else if (name == QLatin1String("FIXEDMAX"))
            m_fixedMax = XMLSingle(value);
        else if (name == QLatin1String("FIXEDMIN"))
            m_fixedMin = XMLSingle(value);
    }
}

QString YAxis::PlottingMethodNameOf(qint32 method)
{
    if (method < 0 || method > 12)
        return QString();
    return QString::fromLatin1(kPlottingMethodNames[method]);
}

int YAxis::PlottingMethodCode(qint32 method)
{
    return (method < 0 || method > 12) ? -1 : kPlottingMethodCodes[method];
}

const QStringList& YAxis::XMLAttributeNames()
{
    static const QStringList names{QStringLiteral("PLOT"),     QStringLiteral("Label"),
                                   QStringLiteral("Color"),    QStringLiteral("FixedScales"),
                                   QStringLiteral("FixedMax"), QStringLiteral("FixedMin")};
    return names;
}
