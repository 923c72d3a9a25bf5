#include <fake_mib.h>

#include <ordered_xml.h>
#include <target_oids.h>
#include <y_axises.h>

#include <clock.h>
#include <settings.h>

#include <QDomDocument>
#include <cmath>
#include <gtest/gtest.h>
#include <qt_print.h>

static std::string ScaleText(float min, float max, float magnitude, const QString& format)
{
    const auto exact = [](float value) { return QString::number(value, 'g', 9); }; // every float apart
    return QStringLiteral("%1..%2 x%3 %4")
        .arg(exact(min), exact(max), exact(magnitude), format)
        .toStdString();
}

static std::string Scale(const YAxis* axis)
{
    return ScaleText(axis->Min(), axis->Max(), axis->Magnitude(), axis->ScaleFormat());
}

/// The settings axes keep in a definition file, as that file's text.
template <class Axes>
static std::string Written(const Axes& axes)
{
    QDomDocument document;
    axes.WriteXML(document, document);
    return OrderedXMLText(document, ModelXMLAttributeOrder()).toStdString();
}

class YAxesTest : public ::testing::Test {
protected:
    TargetOID* Target(const QString& units, const QString& calculation)
    {
        TargetOID* target = targets.Add("h", "127.0.0.1", "public", "object", QString());
        target->setUnits(units);
        target->setCalculation(calculation);
        return target;
    }

    // A gauge target on its own axis whose history holds the given values.
    YAxis* AxisWithValues(std::initializer_list<double> values)
    {
        TargetOID* target = Target("bps", "No Calculations");
        for (double value : values)
            target->RecordResponse(value);
        return axes.AssignAxis(target);
    }

    ManualClock clock;
    Settings settings;
    FakeMib mib;
    TargetOIDs targets{clock, settings, mib.Resolver()};
    YAxises axes;
};

TEST_F(YAxesTest, OneAxisPerExactUnitsAndCalculationWithItsLabel)
{
    TargetOID* a = Target("bps", "x per Second");
    TargetOID* d = Target("bps", "x per Second");
    YAxis* first = axes.AssignAxis(a);
    QStringList keys;
    for (TargetOID* t :
         {Target("bps", "No Calculations"), Target("Bps", "x per Second"), d, Target("bps", "X per Second")})
        keys << axes.AssignAxis(t)->Key();
    EXPECT_EQ(keys, QStringList({"A:1", "A:2", "A:0", "A:3"}));
    EXPECT_TRUE(first->Subsets() == 2 && first->TargetOIDs().At(1) == d && axes.Item(1) == first);
    EXPECT_TRUE(axes.Item("A:2")->Units() == "Bps" && !axes.Item("A:9") && !axes.Item(5));
    axes.Remove("A:1");
    EXPECT_EQ(axes.Item(2)->Key() + ' ' + QString::number(axes.Count()), "A:2 3");
    // The label comes from calculation and units once, until the user's label is cleared.
    const QStringList labels{
        axes.Item(2)->Label(), axes.AssignAxis(Target("pkts", "No Calculations"))->Label(),
        axes.AssignAxis(Target("C", ""))->Label(), axes.AssignAxis(Target("B", "max x by X"))->Label()};
    EXPECT_EQ(labels, QStringList({"Bps per Second", "pkts", "C", "maB B by X"}));
    first->Label();
    first->SetUnits("Kbps");
    const QString kept = first->Label();
    first->setLabel("Traffic");
    first->setLabel(QString());
    EXPECT_EQ(kept + " then " + first->Label(), "bps per Second then Kbps per Second");
}

TEST_F(YAxesTest, ScaleChangesOnlyWhenTheDataDoesUnlessFixed)
{
    YAxis* axis = AxisWithValues({});
    EXPECT_EQ(axis->Max(), 500.0f);
    EXPECT_TRUE(axis->UpdateScale() && !axis->UpdateScale());
    EXPECT_EQ(Scale(axis), "-1..1 x1 |,| bps");
    TargetOID* target = axis->TargetOIDs().At(0);
    target->RecordResponse(60000);
    EXPECT_TRUE(axis->UpdateScale());
    EXPECT_EQ(Scale(axis), "-1..56000 x1000 |,.| Kbps");
    target->RecordResponse(10);
    EXPECT_FALSE(axis->UpdateScale()) << "neither extreme moved";
    target->RecordResponse(-5);
    EXPECT_TRUE(axis->UpdateScale()) << "the minimum moved";
    EXPECT_EQ(Scale(axis), "-6..56000 x1000 |,.| Kbps");
    // Negative maxima do not count; the scale keeps 0 in view.
    axes.ClearAxes(false);
    YAxis* negative = AxisWithValues({-50, -20});
    EXPECT_TRUE(negative->UpdateScale());
    EXPECT_EQ(Scale(negative), "-51..1 x1 |,| bps");
    // Fixed scales override the data.
    axes.ClearAxes(false);
    axis = AxisWithValues({3000});
    axis->UpdateScale();
    axis->setFixedMax(5);
    EXPECT_EQ(axis->FixedMin() + axis->FixedMax(), 9999.0f) << "the current scale while fixed scales are off";
    axis->setFixedScales(true);
    EXPECT_EQ(axis->FixedMax(), 10000.0f) << "turning on starts from the current scale";
    axis->setFixedMax(200000);
    axis->setFixedMin(-10);
    EXPECT_TRUE(axis->UpdateScale());
    EXPECT_EQ(Scale(axis), "-10..200000 x1000 |,.| Kbps") << "magnitude from the fixed maximum";
    axis->TargetOIDs().At(0)->RecordResponse(1e9);
    EXPECT_FALSE(axis->UpdateScale());
    axis->setFixedScales(false);
    EXPECT_TRUE(axis->UpdateScale());
    EXPECT_EQ(Scale(axis), "-1..2e+09 x1e+09 |,.| Gbps");
    // A percent axis starts with a fixed scale around 0..100.
    YAxis* percent = axes.AssignAxis(Target("% busy", "No Calculations"));
    EXPECT_TRUE(percent->UpdateScale());
    EXPECT_EQ(Scale(percent), "-1..102 x1 |,| % busy");
}

TEST_F(YAxesTest, ScaleBandsAtAndAroundEveryEdge)
{
    struct Row {
        float data;
        float max;
        float magnitude;
        const char* format;
    };
    const auto above = [](float edge) { return std::nextafter(edge, 2e12f); };
    const auto below = [](float edge) { return std::nextafter(edge, 0.0f); };
    // clang-format off
    const Row rows[] = {
        {1000, 1001, 1, "|,| "}, {1001, 2500, 1, "|,.| "}, {2500, 2500, 1, "|,.| "}, {2501, 10000, 1, "|,.| "},
        {10000, 10000, 1, "|,.| "}, {10001, 19200, 1, "|,.| "}, {20000, 19200, 1, "|,.| "},
        {20001, 56000, 1000, "|,.| K"}, {68000, 56000, 1000, "|,.| K"}, {68001, 128000, 1000, "|,.| K"},
        {158000, 128000, 1000, "|,.| K"}, {158001, 256000, 1000, "|,.| K"}, {296000, 256000, 1000, "|,.| K"},
        {296001, 512000, 1000, "|,.| K"}, {552000, 512000, 1000, "|,.| K"}, {552001, 1500000, 1e6f, "|,.| M"},
        {1600000, 1500000, 1e6f, "|,.| M"}, {1600001, 10e6f, 1e6f, "|,.| M"}, {11e6f, 10e6f, 1e6f, "|,.| M"},
        {above(11e6f), 45e6f, 1e6f, "|,.| M"}, {46e6f, 45e6f, 1e6f, "|,.| M"}, {100e6f, 100e6f, 1e6f, "|,.| M"},
        {above(46e6f), 100e6f, 1e6f, "|,.| M"}, {above(100e6f), above(100e6f) + 1e6f, 1e6f, "|,.| M"},
        {below(950e6f), below(950e6f) + 1e6f, 1e6f, "|,.| M"}, {950e6f, 1.95e9f, 1e9f, "|,.| G"},
        {below(1e12f), below(1e12f) + 1e9f, 1e9f, "|,.| G"}, {1e12f, 2e12f, 1e12f, "|,.| T"}};
    // clang-format on
    for (const Row& row : rows) {
        axes.ClearAxes(false);
        YAxis* axis = AxisWithValues({double(row.data)});
        ASSERT_TRUE(axis->UpdateScale());
        EXPECT_EQ(Scale(axis), ScaleText(-1, row.max, row.magnitude, QLatin1String(row.format) + "bps"))
            << "data max " << row.data;
    }
}

TEST_F(YAxesTest, RebuildTakesOverSettingsByLabel)
{
    // Given axes read from a definition file, in another order than the new axes will have,
    QDomDocument parsed;
    ASSERT_TRUE(parsed.setContent(
        QStringLiteral("<Axes><Axis PLOT='Area' Label=' BPS per second ' Color='255' FixedScales='Yes' "
                       "FixedMax='1000' FixedMin='0'/><Axis PLOT='Bar' Label='other' Color='1'/>"
                       "<Axis PLOT='Step' Label='pkts' Color='2'/><Axis PLOT='Spline' Label='PKTS' "
                       "Color='3'/></Axes>")));
    axes.ReadXML(parsed.documentElement());
    ASSERT_EQ(axes.Count(), 4);
    // when the targets are grouped again,
    axes.ClearAxes(true);
    ASSERT_EQ(axes.Count(), 0);
    YAxis* packets = axes.AssignAxis(Target("pkts", "No Calculations"));
    YAxis* bits = axes.AssignAxis(Target("bps", "x per Second"));
    YAxis* fresh = axes.AssignAxis(Target("% used", "No Calculations"));
    axes.RestoreAxisSettings();
    // then each new axis has the settings of the previous one with its label, the last one winning;
    // an axis without a match keeps its own.
    EXPECT_EQ(Written(*bits),
              "<Axis PLOT=\"Area\" Label=\"bps per Second\" Color=\"255\" FixedScales=\"Yes\" "
              "FixedMax=\"1000\" FixedMin=\"0\"/>");
    EXPECT_EQ(Written(*packets), "<Axis PLOT=\"Spline\" Label=\"pkts\" Color=\"3\"/>");
    EXPECT_EQ(Written(*fresh), "<Axis PLOT=\"Line\" Label=\"% used\" Color=\"0\" FixedScales=\"Yes\" "
                               "FixedMax=\"102\" FixedMin=\"-1\"/>");
    // The previous set is gone after one restore.
    bits->setColor(5);
    axes.RestoreAxisSettings();
    EXPECT_EQ(bits->Color(), 5);
}
