#include "model_fakes.h"

#include <chart_style.h>
#include <ordered_xml.h>
#include <rgb_color.h>

#include <QDomDocument>
#include <QFile>
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

static void Read(ChartStyle& style, const QString& text)
{
    QDomDocument document;
    ASSERT_TRUE(document.setContent(text));
    style.ReadXML(document.documentElement());
}

TEST(ChartStyle, ResetRestoresEverythingButAMPM)
{
    ChartStyle style;
    EXPECT_FALSE(style.IncludeAMPM());
    EXPECT_EQ(Written(style), kDefaultXML);
    EXPECT_EQ(style.MaxPoints, 500);

    style.setIncludeAMPM(true);
    style.setDeskColor(1);
    style.setTitleFont(QStringLiteral("Courier"));
    style.setGridStyle(GRID_NONE);
    style.setTableStyle(TABLESTYLE_BOTH);
    style.setPointsToGraph(300);
    style.setDecimalPoints(5);
    style.setOverLappingAxes(false);
    style.setAutoCalcTitles(false);
    style.setMarkDataPoints(true);
    style.GetNextColor();
    style.Reset();
    EXPECT_EQ(Written(style), kDefaultXML);
    EXPECT_TRUE(style.IncludeAMPM());
    EXPECT_EQ(style.GetNextColor(), RGBColor(0, 0, 200)) << "the palette starts over";
}

TEST(ChartStyle, PaletteCycles)
{
    ChartStyle style;
    const qint32 expected[] = {RGBColor(0, 0, 200),    RGBColor(0, 200, 0),   RGBColor(200, 0, 200),
                               RGBColor(200, 0, 0),    RGBColor(0, 64, 0),    RGBColor(0, 0, 64),
                               RGBColor(64, 0, 64),    RGBColor(64, 0, 0),    RGBColor(0, 128, 0),
                               RGBColor(0, 0, 128),    RGBColor(128, 0, 128), RGBColor(128, 0, 0),
                               RGBColor(0, 192, 0),    RGBColor(0, 0, 192),   RGBColor(192, 0, 192),
                               RGBColor(192, 0, 0),    RGBColor(64, 192, 64), RGBColor(64, 64, 192),
                               RGBColor(192, 64, 192), RGBColor(192, 64, 64), RGBColor(192, 64, 192)};
    EXPECT_EQ(style.Colors(), 21);
    style.GetNextColor();
    style.LoadDefaultPallete();
    for (int call = 0; call < 22; ++call)
        EXPECT_EQ(style.GetNextColor(), expected[call % 21]) << "call " << call;
    EXPECT_EQ(style.SubsetColor(23), expected[2]);
    EXPECT_EQ(style.SubsetColor(0), expected[0]);
    EXPECT_EQ(style.GetNextColor(), expected[1]) << "SubsetColor does not move the position";
    EXPECT_THROW(style.SubsetColor(-1), std::out_of_range);
}

TEST(ChartStyle, LetsClamp)
{
    ChartStyle style;
    const QList<QPair<int, int>> points{{5, 10},    {10, 10},    {11, 11}, {499, 499},
                                        {500, 500}, {1000, 500}, {-3, 10}};
    for (const auto& [given, stored] : points) {
        style.setPointsToGraph(given);
        EXPECT_EQ(style.PointsToGraph(), stored) << given;
    }
    const QList<QPair<int, int>> decimals{{9, 7}, {7, 7}, {-1, 0}, {0, 0}, {3, 3}};
    for (const auto& [given, stored] : decimals) {
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
    EXPECT_EQ(style.GridStyleName(), QStringLiteral("NONE"));
    style.setGridStyleName(QStringLiteral("x&y"));
    style.setFontSizeName(QStringLiteral("Huge"));
    style.setPointLabelOrientationName(QStringLiteral("diagonal"));
    EXPECT_EQ(style.GridStyle(), GRID_NONE);
    EXPECT_EQ(style.FontSize(), FONT_LARGE);
    EXPECT_EQ(style.PointLabelOrientation(), POINT_LABEL_SLANTED);
    EXPECT_EQ(ChartStyle::GridStyleNameOf(4), QString());
    EXPECT_EQ(ChartStyle::PointLabelOrientationNameOf(-1), QString());
    style.setFontSize(FontSizes(3));
    EXPECT_EQ(style.FontSizeName(), QString());
}

TEST(ChartStyle, ApplyToChartTranslatesToChartCodes)
{
    ChartStyle style;
    style.setTitleFont(QStringLiteral("Title"));
    style.setTableFont(QStringLiteral("Table"));
    style.setLabelFont(QStringLiteral("Label"));
    style.setMarkDataPoints(true);
    style.setDecimalPoints(3);
    style.setFontSize(FONT_LARGE);
    style.setGridStyle(GRID_BOTH);
    style.setTableStyle(TABLESTYLE_TABLE);
    style.setPointLabelOrientation(POINT_LABEL_SLANTED);
    style.setGridInFront(true);
    style.setPointsToGraph(250);
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

TEST(ChartStyle, XMLRoundTripAndShowFlags)
{
    ChartStyle style;
    style.setTextColor(RGBColor(1, 2, 3));
    style.setGridStyle(GRID_NONE);
    style.setGridInFront(true);
    style.setFontSize(FONT_SMALL);
    style.setTitleFont(QStringLiteral("DejaVu Sans"));
    style.setPointLabelOrientation(POINT_LABEL_VERTICAL);
    style.setMarkDataPoints(true);
    style.setDecimalPoints(0);
    style.setPointsToGraph(500);
    style.setTableStyle(TABLESTYLE_BOTH);
    style.setAutoCalcTitles(false);
    style.setOverLappingAxes(false);
    const QString expected = QStringLiteral(
        "<ChartStyle DeskColor=\"13158600\" ShadowColor=\"4210752\" TextColor=\"197121\" "
        "GraphForeColor=\"0\" "
        "GraphBackColor=\"16777215\" TableForeColor=\"0\" TableBackColor=\"16777215\" GridStyle=\"NONE\" "
        "GridInFront=\"True\" FontSize=\"Small\" TitleFont=\"DejaVu Sans\" TableFont=\"Arial\" "
        "LabelFont=\"Arial\" "
        "PointLabelOrientation=\"Vertical\" MarkDataPoints=\"TRUE\" DecimalPoints=\"0\" "
        "PointsToGraph=\"500\" "
        "ShowGraph=\"TRUE\" ShowTable=\"TRUE\" AutoCalcTitles=\"FALSE\" OverLappingAxes=\"FALSE\"/>");
    EXPECT_EQ(Written(style), expected);
    ChartStyle copy;
    Read(copy, Written(style));
    EXPECT_EQ(Written(copy), expected);

    style.setTableStyle(TABLESTYLE_TABLE);
    EXPECT_TRUE(
        Written(style).contains(QStringLiteral("ShowGraph=\"FALSE\" ShowTable=\"TRUE\" AutoCalcTitles")));
    Read(copy, Written(style));
    EXPECT_EQ(copy.TableStyle(), TABLESTYLE_TABLE);
    style.setTableStyle(TableStyles(7));
    EXPECT_TRUE(Written(style).contains(QStringLiteral("PointsToGraph=\"500\" AutoCalcTitles")));

    Read(copy, QStringLiteral("<ChartStyle ShowGraph='TRUE'/>"));
    EXPECT_EQ(copy.TableStyle(), TABLESTYLE_GRAPH);
    EXPECT_FALSE(copy.AutoCalcTitles()) << "absent means false";
    copy.setOverLappingAxes(true);
    Read(copy, QStringLiteral("<ChartStyle/>"));
    EXPECT_EQ(copy.TableStyle(), TABLESTYLE_TABLE);
    EXPECT_TRUE(copy.OverLappingAxes()) << "changes only when present";
}

TEST(ChartStyle, ReadXMLConvertsLoosely)
{
    ChartStyle style;
    Read(style,
         QStringLiteral("<ChartStyle deskcolor='abc' TEXTCOLOR='255.5' gridstyle='x+y' GRIDINFRONT='True' "
                        "fontsize='LARGE' pointlabelorientation='slanted' DecimalPoints='9' "
                        "PointsToGraph='nothing' labelfont='Mono' MarkDataPoints='Y' Unknown='1' "
                        "showtable='yes' autocalctitles='1'/>"));
    EXPECT_EQ(style.DeskColor(), 0);
    EXPECT_EQ(style.TextColor(), 256) << "halves round to even";
    EXPECT_EQ(style.GridStyle(), GRID_BOTH);
    EXPECT_TRUE(style.GridInFront());
    EXPECT_EQ(style.FontSize(), FONT_LARGE);
    EXPECT_EQ(style.PointLabelOrientation(), POINT_LABEL_SLANTED);
    EXPECT_EQ(style.DecimalPoints(), 9) << "read without clamping";
    EXPECT_EQ(style.PointsToGraph(), 10);
    EXPECT_EQ(style.LabelFont(), QStringLiteral("Mono"));
    EXPECT_TRUE(style.MarkDataPoints());
    EXPECT_EQ(style.TableStyle(), TABLESTYLE_TABLE);
    EXPECT_TRUE(style.AutoCalcTitles());
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
