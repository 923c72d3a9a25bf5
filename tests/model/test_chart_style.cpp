#include <chart_style.h>
#include <ordered_xml.h>
#include <target_oid.h>
#include <y_axis.h>

#include <clock.h>
#include <settings.h>

#include <QDomDocument>
#include <QFile>
#include <QSet>
#include <QTemporaryDir>
#include <functional>
#include <gtest/gtest.h>
#include <qt_print.h>

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

TEST(ChartStyle, ResetPaletteAndClamps)
{
    // Reset restores every setting but the AM/PM choice, and starts the palette over.
    ChartStyle style;
    const QString defaults = Written(style);
    const qint32 first = style.GetNextColor();
    style.setIncludeAMPM(true);
    Read(style,
         QStringLiteral("<ChartStyle DeskColor='1' TitleFont='Courier' GridStyle='NONE' ShowTable='TRUE' "
                        "PointsToGraph='300' DecimalPoints='5' OverLappingAxes='FALSE' "
                        "MarkDataPoints='TRUE' FontSize='Large'/>"));
    ASSERT_NE(Written(style), defaults);
    style.Reset();
    EXPECT_EQ(Written(style), defaults);
    EXPECT_TRUE(style.IncludeAMPM() && style.GetNextColor() == first);
    // 21 colours, cycling; neighbours differ so adjacent series can be told apart; SubsetColor does
    // not move the position.
    ASSERT_EQ(style.Colors(), 21);
    style.LoadDefaultPallete();
    for (int call = 0; call < 2 * 21 + 1; ++call) {
        EXPECT_EQ(style.GetNextColor(), style.SubsetColor(call)) << "call " << call;
        EXPECT_NE(style.SubsetColor(call), style.SubsetColor(call + 1)) << call;
    }
    EXPECT_TRUE(style.SubsetColor(21) == first && style.GetNextColor() == style.SubsetColor(1));
    EXPECT_THROW(style.SubsetColor(-1), std::out_of_range);
    // Points between 10 and 500, decimals between 0 and 7.
    const auto clamped = [&](int given) {
        style.setPointsToGraph(given), style.setDecimalPoints(given);
        return QString::number(style.PointsToGraph()) + ':' + QString::number(style.DecimalPoints());
    };
    EXPECT_EQ(QStringList({clamped(-3), clamped(0), clamped(7), clamped(11), clamped(1000)}),
              QStringList({"10:0", "10:0", "10:7", "11:7", "500:7"}));
    // The two show flags of a definition file make the table style; an absent flag is false.
    for (const auto& [flags, tableStyle] : {std::pair{"ShowGraph='TRUE'", TABLESTYLE_GRAPH},
                                            {"ShowGraph='1' ShowTable='1'", TABLESTYLE_BOTH},
                                            {"", TABLESTYLE_TABLE}}) {
        Read(style, QStringLiteral("<ChartStyle %1/>").arg(QLatin1String(flags)));
        EXPECT_EQ(style.TableStyle(), tableStyle) << flags;
    }
}

// Sets the value `start`, then the name; returns the value held afterwards.
template <class T, class E>
static std::function<int(int, const QString&)> Reader(T& object, void (T::*set)(E),
                                                      void (T::*setName)(const QString&), E (T::*get)() const)
{
    return [&object, set, setName, get](int start, const QString& name) {
        (object.*set)(E(start));
        (object.*setName)(name);
        return int((object.*get)());
    };
}

// The names of the style, axis and line enumerations, read from definition files and automation.
TEST(EnumerationNames, EveryValueReadsBackByItsNameAndUnknownNamesChangeNothing)
{
    ChartStyle style;
    YAxis axis;
    ManualClock clock;
    Settings settings;
    TargetOID target(clock, settings);
    using S = ChartStyle;
    const struct {
        const char* what;
        std::function<QString(int)> nameOf;
        std::function<int(int)> chartCode;
        std::function<int(int, const QString&)> read;
        QStringList otherSpellings; // "name=value"
    } enumerations[] = {
        // clang-format off
        {"grid style", &S::GridStyleNameOf, &S::GridStyleCode,
         Reader(style, &S::setGridStyle, &S::setGridStyleName, &S::GridStyle),
         {"y axis=0", "XAXIS=1", "x & y axis=2", "Both Axes=2", "x+y=2", "Neither=3"}},
        {"font size", &S::FontSizeNameOf, &S::FontSizeCode,
         Reader(style, &S::setFontSize, &S::setFontSizeName, &S::FontSize), {}},
        {"point label orientation", &S::PointLabelOrientationNameOf, &S::PointLabelOrientationCode,
         Reader(style, &S::setPointLabelOrientation, &S::setPointLabelOrientationName, &S::PointLabelOrientation), {}},
        {"plotting method", &YAxis::PlottingMethodNameOf, &YAxis::PlottingMethodCode,
         Reader(axis, &YAxis::setPlottingMethod, &YAxis::setPlottingMethodName, &YAxis::PlottingMethod),
         {"vertical bar=2", "BestFitCurve=3", "point and line=8", "Point&Line=8", "VerticalStackedBar=12"}},
        {"line style", &TargetOID::LineStyleNameOf, &TargetOID::LineTypeCode,
         Reader(target, &TargetOID::setLineStyle, &TargetOID::setLineStyleName, &TargetOID::LineStyle),
         {"thin=0", "medium=3", "THICK=5", "dashed=6", "DashDotDot=9"}},
        // clang-format on
    };
    for (const auto& e : enumerations) {
        SCOPED_TRACE(e.what);
        EXPECT_EQ(e.nameOf(-1) + QString::number(e.chartCode(-1)), "-1");
        QSet<QString> names;
        QSet<int> codes;
        int count = 0;
        for (; !e.nameOf(count).isEmpty(); ++count) {
            const QString name = e.nameOf(count);
            names.insert(name.toUpper());
            codes.insert(e.chartCode(count));
            EXPECT_GE(e.chartCode(count), 0) << qPrintable(name);
            for (const QString& spelling : {name.toLower(), name.toUpper()})
                EXPECT_EQ(e.read(count == 0 ? 1 : 0, spelling), count) << qPrintable(spelling);
        }
        // Names and chart codes differ; a value without name has no chart code.
        EXPECT_TRUE(count >= 3 && names.size() == count && codes.size() == count && e.chartCode(count) == -1);
        for (const QString& spelling : e.otherSpellings) {
            const int value = spelling.section('=', 1).toInt();
            EXPECT_EQ(e.read(value == 0 ? 1 : 0, spelling.section('=', 0, 0)), value) << qPrintable(spelling);
        }
        for (const QString& unknown : {QString(), QStringLiteral("pie"), e.nameOf(1) + QLatin1Char(' '),
                                       QLatin1Char(' ') + e.nameOf(1)})
            EXPECT_EQ(e.read(count - 1, unknown), count - 1) << qPrintable(unknown);
    }
}

TEST(ChartStyle, SaveAndLoadStyleFiles)
{
    QTemporaryDir folder;
    const QString path = folder.filePath("dark.BrightfenChartStyle");
    ChartStyle style;
    style.setGraphBackColor(0);
    style.setGridStyle(GRID_BOTH);
    ASSERT_TRUE(style.SaveStyle(path));
    ChartStyle loaded;
    ASSERT_TRUE(loaded.LoadStyle(path));
    EXPECT_EQ(Written(loaded), Written(style));
    // Nothing is read from a missing or foreign file.
    EXPECT_FALSE(loaded.LoadStyle(folder.filePath("missing")));
    QFile foreign(folder.filePath("foreign.xml"));
    ASSERT_TRUE(foreign.open(QIODevice::WriteOnly) && foreign.write("<Trendwick GridStyle='NONE'/>") > 0);
    foreign.close();
    EXPECT_FALSE(loaded.LoadStyle(foreign.fileName()));
    EXPECT_EQ(loaded.GridStyle(), GRID_BOTH);
    // Without a name the style goes to the data folder.
    ASSERT_TRUE(style.SaveStyle());
    EXPECT_TRUE(QFile::remove(ChartStyle::DefaultStyleFile()));
}
