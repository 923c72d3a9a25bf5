#include "chart_style.h"

#include "chart_sink.h"
#include "ordered_xml.h"
#include "rgb_color.h"
#include "xml_values.h"

#include <common_functions.h>

#include <QCoreApplication>
#include <QDomDocument>
#include <QFile>
#include <QFileInfo>
#include <QSaveFile>
#include <algorithm>
#include <stdexcept>

static constexpr qint32 kDefaultPalette[] = {
    RGBColor(0, 0, 200),    RGBColor(0, 200, 0),   RGBColor(200, 0, 200),  RGBColor(200, 0, 0),
    RGBColor(0, 64, 0),     RGBColor(0, 0, 64),    RGBColor(64, 0, 64),    RGBColor(64, 0, 0),
    RGBColor(0, 128, 0),    RGBColor(0, 0, 128),   RGBColor(128, 0, 128),  RGBColor(128, 0, 0),
    RGBColor(0, 192, 0),    RGBColor(0, 0, 192),   RGBColor(192, 0, 192),  RGBColor(192, 0, 0),
    RGBColor(64, 192, 64),  RGBColor(64, 64, 192), RGBColor(192, 64, 192), RGBColor(192, 64, 64),
    RGBColor(192, 64, 192),
};

struct EnumName {
    qint32 value;
    const char* upperName;
};

static constexpr EnumName kGridStyleSpellings[] = {
    {GRID_YAXIS, "YAXIS"},    {GRID_YAXIS, "Y AXIS"},   {GRID_YAXIS, "HORIZONTAL"}, {GRID_XAXIS, "XAXIS"},
    {GRID_XAXIS, "X AXIS"},   {GRID_XAXIS, "VERTICAL"}, {GRID_BOTH, "BOTH"},        {GRID_BOTH, "X & Y AXIS"},
    {GRID_BOTH, "BOTH AXES"}, {GRID_BOTH, "BOTH AXIS"}, {GRID_BOTH, "X+Y"},         {GRID_NONE, "NONE"},
    {GRID_NONE, "NEITHER"},
};
static const char* const kGridStyleNames[] = {"HORIZONTAL", "VERTICAL", "BOTH", "NONE"};
static const char* const kFontSizeNames[] = {"Medium", "Small", "Large"};
static const char* const kOrientationNames[] = {"Auto", "Vertical", "Horizontal", "Slanted"};
static constexpr int kGridStyleCodes[] = {1, 2, 0, 3};
static constexpr int kFontSizeCodes[] = {1, 2, 0};

template <size_t N>
static QString NameOf(const char* const (&names)[N], qint32 value)
{
    return (value < 0 || value >= qint32(N)) ? QString() : QString::fromLatin1(names[value]);
}

// Index of the name that matches upper-cased text, or -1.
template <size_t N>
static int IndexOfName(const char* const (&names)[N], const QString& text)
{
    const QString upper = text.toUpper();
    for (size_t i = 0; i < N; ++i) {
        if (upper == QString::fromLatin1(names[i]).toUpper())
            return int(i);
    }
    return -1;
}

ChartStyle::ChartStyle(QObject* parent) : QObject(parent)
{
    Reset();
}

ChartStyle::~ChartStyle() = default;

void ChartStyle::setPointsToGraph(int points)
{
    m_pointsToGraph = static_cast<qint16>(std::clamp(points, 10, int(MaxPoints)));
}

void ChartStyle::setDecimalPoints(int decimals)
{
    m_decimalPoints = static_cast<qint16>(std::clamp(decimals, 0, 7));
}

qint32 ChartStyle::SubsetColor(int index) const
{
    if (index < 0 || m_palette.empty())
        throw std::out_of_range("Subscript out of range");
    return m_palette[size_t(index) % m_palette.size()];
}

qint32 ChartStyle::GetNextColor()
{
    const qint32 color = m_palette.at(size_t(m_nextColor));
    m_nextColor = (m_nextColor + 1) % Colors();
    return color;
}

void ChartStyle::setGridStyleName(const QString& name)
{
    const QString upper = name.toUpper();
    for (const EnumName& spelling : kGridStyleSpellings) {
        if (upper == QLatin1String(spelling.upperName)) {
            m_gridStyle = static_cast<GridStyles>(spelling.value);
            return;
        }
    }
}

void ChartStyle::setFontSizeName(const QString& name)
{
    const int index = IndexOfName(kFontSizeNames, name);
    if (index >= 0)
        m_fontSize = static_cast<FontSizes>(index);
}

void ChartStyle::setPointLabelOrientationName(const QString& name)
{
    const int index = IndexOfName(kOrientationNames, name);
    if (index >= 0)
        m_pointLabelOrientation = static_cast<PointLabelOrientations>(index);
}

void ChartStyle::Reset()
{
    m_titleFont = m_tableFont = m_labelFont = QStringLiteral("Arial");
    m_deskColor = RGBColor(200, 200, 200);
    m_shadowColor = RGBColor(64, 64, 64);
    m_textColor = RGBColor(0, 0, 0);
    m_graphForeColor = RGBColor(0, 0, 0);
    m_graphBackColor = RGBColor(255, 255, 255);
    m_tableForeColor = RGBColor(0, 0, 0);
    m_tableBackColor = RGBColor(255, 255, 255);
    LoadDefaultPallete();
    m_gridStyle = GRID_YAXIS;
    m_gridInFront = false;
    m_decimalPoints = 2;
    m_fontSize = FONT_MEDIUM;
    m_markDataPoints = false;
    m_pointLabelOrientation = POINT_LABEL_AUTO;
    m_tableStyle = TABLESTYLE_GRAPH;
    m_autoCalcTitles = true;
    m_overLappingAxes = true;
    m_pointsToGraph = 100;
}

void ChartStyle::LoadDefaultPallete()
{
    m_palette.assign(std::begin(kDefaultPalette), std::end(kDefaultPalette));
    m_nextColor = 0;
}

QString ChartStyle::DefaultStyleFile()
{
    const QString executable = QFileInfo(QCoreApplication::applicationFilePath()).completeBaseName();
    return DataFolderPath(executable + QStringLiteral(".BrightfenChartStyle"));
}

bool ChartStyle::SaveStyle(const QString& fileName) const
{
    QDomDocument document;
    WriteXML(document, document);
    QSaveFile file(fileName.isEmpty() ? DefaultStyleFile() : fileName);
    if (!file.open(QIODevice::WriteOnly))
        return false;
    file.write(OrderedXMLText(document, ModelXMLAttributeOrder(), 2).toUtf8());
    return file.commit();
}

bool ChartStyle::LoadStyle(const QString& fileName)
{
    QFile file(fileName);
    if (!file.open(QIODevice::ReadOnly))
        return false;
    QDomDocument document;
    if (!document.setContent(&file))
        return false;
    const QDomElement element = document.documentElement();
    if (element.tagName() != QLatin1String("ChartStyle"))
        return false;
    ReadXML(element);
    return true;
}

void ChartStyle::ApplyToChart(ChartSink& chart) const
{
    chart.SetColor(ChartSink::ColorRole::Desk, m_deskColor);
    chart.SetColor(ChartSink::ColorRole::Shadow, m_shadowColor);
    chart.SetColor(ChartSink::ColorRole::Text, m_textColor);
    chart.SetColor(ChartSink::ColorRole::GraphFore, m_graphForeColor);
    chart.SetColor(ChartSink::ColorRole::GraphBack, m_graphBackColor);
    chart.SetColor(ChartSink::ColorRole::TableFore, m_tableForeColor);
    chart.SetColor(ChartSink::ColorRole::TableBack, m_tableBackColor);
    chart.SetFont(ChartSink::FontRole::MainTitle, m_titleFont);
    chart.SetFont(ChartSink::FontRole::SubTitle, m_titleFont);
    chart.SetFont(ChartSink::FontRole::Table, m_tableFont);
    chart.SetFont(ChartSink::FontRole::Label, m_labelFont);
    chart.SetMarkDataPoints(m_markDataPoints);
    chart.SetDecimalPoints(m_decimalPoints);
    if (FontSizeCode(m_fontSize) >= 0)
        chart.SetFontSizeCode(FontSizeCode(m_fontSize));
    if (GridStyleCode(m_gridStyle) >= 0)
        chart.SetGridStyleCode(GridStyleCode(m_gridStyle));
    if (TableStyleCode(m_tableStyle) >= 0)
        chart.SetTableStyleCode(TableStyleCode(m_tableStyle));
    if (PointLabelOrientationCode(m_pointLabelOrientation) >= 0)
        chart.SetPointLabelOrientationCode(PointLabelOrientationCode(m_pointLabelOrientation));
    chart.SetGridInFront(m_gridInFront);
    if (chart.PointsShown() != m_pointsToGraph)
        chart.SetPointsShown(m_pointsToGraph);
}

void ChartStyle::WriteXML(QDomDocument& document, QDomNode& parent) const
{
    QDomElement element = AddXMLElement(document, parent, QStringLiteral("ChartStyle"), QString());
    QStringList values{QString::number(m_deskColor),
                       QString::number(m_shadowColor),
                       QString::number(m_textColor),
                       QString::number(m_graphForeColor),
                       QString::number(m_graphBackColor),
                       QString::number(m_tableForeColor),
                       QString::number(m_tableBackColor),
                       GridStyleName(),
                       m_gridInFront ? QStringLiteral("True") : QStringLiteral("False"),
                       FontSizeName(),
                       m_titleFont,
                       m_tableFont,
                       m_labelFont,
                       PointLabelOrientationName(),
                       BoolToXML(m_markDataPoints),
                       QString::number(m_decimalPoints),
                       QString::number(m_pointsToGraph)};
    QStringList names = XMLAttributeNames().mid(0, values.size());
    if (m_tableStyle >= TABLESTYLE_GRAPH && m_tableStyle <= TABLESTYLE_BOTH) {
        names << QStringLiteral("ShowGraph") << QStringLiteral("ShowTable");
        values << BoolToXML(m_tableStyle != TABLESTYLE_TABLE) << BoolToXML(m_tableStyle != TABLESTYLE_GRAPH);
    }
    names << QStringLiteral("AutoCalcTitles") << QStringLiteral("OverLappingAxes");
    values << BoolToXML(m_autoCalcTitles) << BoolToXML(m_overLappingAxes);
    for (int i = 0; i < names.size(); ++i)
        AddXMLAttribute(document, element, names.at(i), values.at(i));
}

// Absent show flags and titles flag count as false: an element without them shows the table only.
void ChartStyle::ReadXML(const QDomElement& element)
{
    ReadFlags flags;
    for (const QDomAttr& attribute : AttributesInOrder(element, XMLAttributeNames()))
        ReadAttribute(attribute.name().toUpper(), attribute.value(), flags);
    if (flags.showGraph && flags.showTable)
        m_tableStyle = TABLESTYLE_BOTH;
    else if (flags.showGraph)
        m_tableStyle = TABLESTYLE_GRAPH;
    else
        m_tableStyle = TABLESTYLE_TABLE;
    m_autoCalcTitles = flags.autoCalcTitles;
}

void ChartStyle::ReadAttribute(const QString& name, const QString& value, ReadFlags& flags)
{
    qint32* const colors[] = {&m_deskColor,      &m_shadowColor,    &m_textColor,     &m_graphForeColor,
                              &m_graphBackColor, &m_tableForeColor, &m_tableBackColor};
    for (int i = 0; i < 7; ++i) {
        if (name == XMLAttributeNames().at(i).toUpper()) {
            *colors[i] = XMLInt32(value);
            return;
        }
    }
    if (name == QLatin1String("GRIDSTYLE"))
        setGridStyleName(value);
    else if (name == QLatin1String("FONTSIZE"))
        setFontSizeName(value);
    else if (name == QLatin1String("POINTLABELORIENTATION"))
        setPointLabelOrientationName(value);
    else if (name == QLatin1String("GRIDINFRONT"))
        m_gridInFront = XMLToBool(value);
    else if (name == QLatin1String("MARKDATAPOINTS"))
        m_markDataPoints = XMLToBool(value);
    else if (name == QLatin1String("TITLEFONT"))
        m_titleFont = value;
    else if (name == QLatin1String("TABLEFONT"))
        m_tableFont = value;
    else if (name == QLatin1String("LABELFONT"))
        m_labelFont = value;
    else if (name == QLatin1String("DECIMALPOINTS"))
        m_decimalPoints = XMLInt16(value);
    else if (name == QLatin1String("POINTSTOGRAPH"))
        setPointsToGraph(XMLInt32(value));
    else if (name == QLatin1String("SHOWGRAPH"))
        flags.showGraph = XMLToBool(value);
    else if (name == QLatin1String("SHOWTABLE"))
        flags.showTable = XMLToBool(value);
    else if (name == QLatin1String("AUTOCALCTITLES"))
        flags.autoCalcTitles = XMLToBool(value);
    else if (name == QLatin1String("OVERLAPPINGAXES"))
        m_overLappingAxes = XMLToBool(value);
}

QString ChartStyle::GridStyleNameOf(qint32 style)
{
    return NameOf(kGridStyleNames, style);
}

QString ChartStyle::FontSizeNameOf(qint32 size)
{
    return NameOf(kFontSizeNames, size);
}

QString ChartStyle::PointLabelOrientationNameOf(qint32 orientation)
{
    return NameOf(kOrientationNames, orientation);
}

int ChartStyle::GridStyleCode(qint32 style)
{
    return (style < 0 || style > 3) ? -1 : kGridStyleCodes[style];
}

int ChartStyle::FontSizeCode(qint32 size)
{
    return (size < 0 || size > 2) ? -1 : kFontSizeCodes[size];
}

int ChartStyle::PointLabelOrientationCode(qint32 orientation)
{
    return (orientation < 0 || orientation > 3) ? -1 : orientation;
}

int ChartStyle::TableStyleCode(qint32 style)
{
    return (style < 0 || style > 2) ? -1 : style;
}

const QStringList& ChartStyle::XMLAttributeNames()
{
    static const QStringList names{QStringLiteral("DeskColor"),      QStringLiteral("ShadowColor"),
                                   QStringLiteral("TextColor"),      QStringLiteral("GraphForeColor"),
                                   QStringLiteral("GraphBackColor"), QStringLiteral("TableForeColor"),
                                   QStringLiteral("TableBackColor"), QStringLiteral("GridStyle"),
                                   QStringLiteral("GridInFront"),    QStringLiteral("FontSize"),
                                   QStringLiteral("TitleFont"),      QStringLiteral("TableFont"),
                                   QStringLiteral("LabelFont"),      QStringLiteral("PointLabelOrientation"),
                                   QStringLiteral("MarkDataPoints"), QStringLiteral("DecimalPoints"),
                                   QStringLiteral("PointsToGraph"),  QStringLiteral("ShowGraph"),
                                   QStringLiteral("ShowTable"),      QStringLiteral("AutoCalcTitles"),
                                   QStringLiteral("OverLappingAxes")};
    return names;
}
