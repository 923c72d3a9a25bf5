#include "model_fakes.h"

#include <chart_style.h>
#include <ordered_xml.h>
#include <rgb_color.h>

#include <QDomDocument>
#include <QFile>
#include <QRegularExpression>
#include <QTemporaryDir>
#include <gtest/gtest.h>

static const QString kDefaultXML = QStringLiteral(
    "<ChartStyle DeskColor=\"13158600\" ShadowColor=\"4210752\" TextColor=\"0\" GraphForeColor=\"0\" "
    "GraphBackColor=\"16777215\" TableForeColor=\"0\" TableBackColor=\"16777215\" GridStyle=\"HORIZONTAL\" "
    "GridInFront=\"False\" FontSize=\"Medium\" TitleFont=\"Arial\" TableFont=\"Arial\" LabelFont=\"Arial\" "
    "PointLabelOrientation=\"Auto\" MarkDataPoints=\"FALSE\" DecimalPoints=\"2\" PointsToGraph=\"100\" "
    "ShowGraph=\"TRUE\" ShowTable=\"FALSE\" AutoCalcTitles=\"TRUE\" OverLappingAxes=\"TRUE\"/>");

static QString Written(const ChartStyle& style)
{
    QDomDocument document;
    style.WriteXML(document, document);
    return OrderedXMLText(document, ModelXMLAttributeOrder());
}

// The default style's text with the attributes changed that `changes` lists as "Name=value;...".
static QString DefaultsWith(const QString& changes)
{
    QString xml = kDefaultXML;
    for (const QString& change : changes.split(QLatin1Char(';'))) {
        const QString name = change.section(QLatin1Char('='), 0, 0);
        const QRegularExpression attribute(QStringLiteral("\\b%1=\"[^\"]*\"").arg(name));
        EXPECT_TRUE(xml.contains(attribute)) << name.toStdString();
        xml.replace(attribute, QStringLiteral("%1=\"%2\"").arg(name, change.section(QLatin1Char('='), 1)));
    }
    return xml;
}

static void Read(ChartStyle& style, const QString& text)
{
    QDomDocument document;
    ASSERT_TRUE(document.setContent(text));
    style.ReadXML(document.documentElement());
}

TEST(ChartStyle, ResetClampsAndPalette)
{
    // Reset restores everything but the AM/PM choice, and starts the palette over.
    ChartStyle style;
    EXPECT_EQ(Written(style), kDefaultXML);
    EXPECT_FALSE(style.IncludeAMPM());
    style.setIncludeAMPM(true);
    Read(style, DefaultsWith(QStringLiteral("DeskColor=1;TitleFont=Courier;GridStyle=NONE;ShowTable=TRUE;"
                                            "PointsToGraph=300;DecimalPoints=5;OverLappingAxes=FALSE;"
                                            "AutoCalcTitles=FALSE;MarkDataPoints=TRUE")));
    ASSERT_NE(Written(style), kDefaultXML);
    style.GetNextColor();
    style.Reset();
    EXPECT_EQ(Written(style), kDefaultXML);
    EXPECT_TRUE(style.IncludeAMPM());

    const qint32 palette[] = {RGBColor(0, 0, 200),    RGBColor(0, 200, 0),   RGBColor(200, 0, 200),
                              RGBColor(200, 0, 0),    RGBColor(0, 64, 0),    RGBColor(0, 0, 64),
                              RGBColor(64, 0, 64),    RGBColor(64, 0, 0),    RGBColor(0, 128, 0),
                              RGBColor(0, 0, 128),    RGBColor(128, 0, 128), RGBColor(128, 0, 0),
                              RGBColor(0, 192, 0),    RGBColor(0, 0, 192),   RGBColor(192, 0, 192),
                              RGBColor(192, 0, 0),    RGBColor(64, 192, 64), RGBColor(64, 64, 192),
                              RGBColor(192, 64, 192), RGBColor(192, 64, 64), RGBColor(192, 64, 192)};
    EXPECT_EQ(style.Colors(), 21);
    for (int call = 0; call < 22; ++call)
        EXPECT_EQ(style.GetNextColor(), palette[call % 21]) << "call " << call;
    EXPECT_EQ(style.SubsetColor(23), palette[2]);
    EXPECT_EQ(style.GetNextColor(), palette[1]) << "SubsetColor does not move the position";
    style.LoadDefaultPallete();
    EXPECT_EQ(style.GetNextColor(), palette[0]);
    EXPECT_THROW(style.SubsetColor(-1), std::out_of_range);

    for (const auto& [given, stored] :
         {std::pair{5, 10}, {10, 10}, {11, 11}, {500, 500}, {1000, 500}, {-3, 10}}) {
        style.setPointsToGraph(given);
        EXPECT_EQ(style.PointsToGraph(), stored) << given;
    }
    for (const auto& [given, stored] : {std::pair{9, 7}, {7, 7}, {-1, 0}, {0, 0}, {3, 3}}) {
        style.setDecimalPoints(given);
        EXPECT_EQ(style.DecimalPoints(), stored) << given;
    }
}

TEST(ChartStyle, NamesReadAndAccepted)
{
    // Every name reads back as its value in any case; a few other spellings; unknown ones change nothing.
    ChartStyle style;
    for (int value = 0; value < 4; ++value) {
        style.setGridStyle(GridStyles(value == 0 ? 3 : 0));
        style.setGridStyleName(ChartStyle::GridStyleNameOf(value).toLower());
        EXPECT_EQ(style.GridStyle(), value);
        style.setPointLabelOrientation(PointLabelOrientations(9));
        style.setPointLabelOrientationName(ChartStyle::PointLabelOrientationNameOf(value).toUpper());
        EXPECT_EQ(style.PointLabelOrientation(), value);
    }
    for (int value = 0; value < 3; ++value) {
        style.setFontSize(FontSizes(9));
        style.setFontSizeName(ChartStyle::FontSizeNameOf(value).toUpper());
        EXPECT_EQ(style.FontSize(), value);
    }
    const QList<QPair<QString, int>> grids{{"y axis", 0},    {"XAXIS", 1},     {"x & y axis", 2},
                                           {"Both Axes", 2}, {"both axis", 2}, {"x+y", 2},
                                           {"Neither", 3}};
    for (const auto& [name, value] : grids) {
        style.setGridStyle(GridStyles(value == 0 ? 3 : 0));
        style.setGridStyleName(name);
        EXPECT_EQ(style.GridStyle(), value) << qPrintable(name);
    }
    EXPECT_EQ(style.GridStyleName(), "NONE");
    style.setGridStyleName("x&y");
    style.setFontSizeName("Huge");
    style.setPointLabelOrientationName("diagonal");
    EXPECT_EQ(QList<int>({style.GridStyle(), style.FontSize(), style.PointLabelOrientation()}),
              QList<int>({GRID_NONE, FONT_LARGE, POINT_LABEL_SLANTED}));
    EXPECT_EQ(ChartStyle::GridStyleNameOf(4) + ChartStyle::PointLabelOrientationNameOf(-1), QString());
    style.setFontSize(FontSizes(3));
    EXPECT_EQ(style.FontSizeName(), QString());
}

TEST(ChartStyle, ApplyToChartTranslatesToChartCodes)
{
    ChartStyle style;
    Read(style,
         DefaultsWith("TitleFont=Title;TableFont=Table;LabelFont=Label;MarkDataPoints=TRUE;DecimalPoints=3;"
                      "FontSize=Large;GridStyle=BOTH;ShowGraph=FALSE;ShowTable=TRUE;"
                      "PointLabelOrientation=Slanted;GridInFront=True;PointsToGraph=250"));
    RecordingChart chart;
    style.ApplyToChart(chart);
    EXPECT_EQ(chart.calls, QStringList({"Color 0 13158600", "Color 1 4210752", "Color 2 0", "Color 3 0",
                                        "Color 4 16777215", "Color 5 0", "Color 6 16777215", "Font 0 Title",
                                        "Font 1 Title", "Font 2 Table", "Font 3 Label", "MarkDataPoints 1",
                                        "DecimalPoints 3", "FontSize 0", "GridStyle 0", "TableStyle 1",
                                        "PointLabelOrientation 3", "GridInFront 1", "PointsShown 250"}));

    QList<int> codes;
    for (int value = 0; value < 4; ++value)
        codes << ChartStyle::GridStyleCode(GridStyles(value))
              << ChartStyle::FontSizeCode(FontSizes(value % 3));
    EXPECT_EQ(codes, QList<int>({1, 1, 2, 2, 0, 0, 3, 1}));

    // Values outside the enumerations are not passed, and the points shown are only touched when
    // they differ.
    style.setFontSize(FontSizes(3));
    style.setGridStyle(GridStyles(-1));
    style.setTableStyle(TableStyles(3));
    style.setPointLabelOrientation(PointLabelOrientations(4));
    chart.calls.clear();
    style.ApplyToChart(chart);
    EXPECT_EQ(chart.calls.mid(11), QStringList({"MarkDataPoints 1", "DecimalPoints 3", "GridInFront 1"}));
}

TEST(ChartStyle, XMLRoundTripShowFlagsAndLooseReading)
{
    // Every attribute's round trip is pinned by the graph definition's golden file; here the show flags.
    ChartStyle style;
    ChartStyle copy;
    style.setTableStyle(TABLESTYLE_TABLE);
    EXPECT_TRUE(Written(style).contains("ShowGraph=\"FALSE\" ShowTable=\"TRUE\" AutoCalcTitles"));
    Read(copy, Written(style));
    EXPECT_EQ(copy.TableStyle(), TABLESTYLE_TABLE);
    style.setTableStyle(TableStyles(7));
    EXPECT_TRUE(Written(style).contains("PointsToGraph=\"100\" AutoCalcTitles"));

    Read(copy, QStringLiteral("<ChartStyle ShowGraph='TRUE'/>"));
    EXPECT_EQ(copy.TableStyle(), TABLESTYLE_GRAPH);
    EXPECT_FALSE(copy.AutoCalcTitles()) << "absent means false";
    copy.setOverLappingAxes(true);
    Read(copy, QStringLiteral("<ChartStyle/>"));
    EXPECT_EQ(copy.TableStyle(), TABLESTYLE_TABLE);
    EXPECT_TRUE(copy.OverLappingAxes()) << "changes only when present";

    // Names in any case; numbers read loosely, halves to even; decimals read without clamping.
    ChartStyle loose;
    Read(loose,
         QStringLiteral("<ChartStyle deskcolor='abc' TEXTCOLOR='255.5' gridstyle='x+y' GRIDINFRONT='True' "
                        "fontsize='LARGE' pointlabelorientation='slanted' DecimalPoints='9' "
                        "PointsToGraph='nothing' labelfont='Mono' MarkDataPoints='Y' Unknown='1' "
                        "showtable='yes' autocalctitles='1'/>"));
    EXPECT_EQ(Written(loose),
              DefaultsWith(QStringLiteral(
                  "DeskColor=0;TextColor=256;GridStyle=BOTH;GridInFront=True;FontSize=Large;LabelFont=Mono;"
                  "PointLabelOrientation=Slanted;MarkDataPoints=TRUE;DecimalPoints=9;PointsToGraph=10;"
                  "ShowGraph=FALSE;ShowTable=TRUE")));
}

TEST(ChartStyle, SaveAndLoadStyleFiles)
{
    QTemporaryDir folder;
    ASSERT_TRUE(folder.isValid());
    const QString path = folder.filePath(QStringLiteral("dark.BrightfenChartStyle"));
    ChartStyle style;
    style.setGraphBackColor(RGBColor(0, 0, 0));
    style.setGridStyle(GRID_BOTH);
    ASSERT_TRUE(style.SaveStyle(path));

    ChartStyle loaded;
    ASSERT_TRUE(loaded.LoadStyle(path));
    EXPECT_EQ(Written(loaded), Written(style));

    EXPECT_FALSE(loaded.LoadStyle(folder.filePath(QStringLiteral("missing"))));
    QFile foreign(folder.filePath(QStringLiteral("foreign.xml")));
    ASSERT_TRUE(foreign.open(QIODevice::WriteOnly));
    foreign.write("<Trendwick GridStyle='NONE'/>");
    foreign.close();
    EXPECT_FALSE(loaded.LoadStyle(foreign.fileName()));
    EXPECT_EQ(loaded.GridStyle(), GRID_BOTH) << "nothing read from a foreign file";

    // Without a name the style goes to the data folder.
    EXPECT_TRUE(ChartStyle::DefaultStyleFile().endsWith(QStringLiteral(".BrightfenChartStyle")));
    ASSERT_TRUE(style.SaveStyle());
    EXPECT_TRUE(QFile::exists(ChartStyle::DefaultStyleFile()));
    QFile::remove(ChartStyle::DefaultStyleFile());
}
