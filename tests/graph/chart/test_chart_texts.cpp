#include "chart_fixture.h"

#include <chart_texts.h>

using ChartTextsTest = ChartTest;

TEST_F(ChartTextsTest, OneTargetTitlesItsHostInstanceAndObject)
{
    TargetOID* target = Add(QStringLiteral("core-rtr"), QStringLiteral("10.0.0.1"),
                            QStringLiteral("ifInOctets"), QStringLiteral("eth0"));
    chart.ResetChart();
    EXPECT_EQ(chart.MainTitle(), QStringLiteral("core-rtr"));
    EXPECT_EQ(chart.SubTitle(), QStringLiteral("eth0:ifInOctets"));
    EXPECT_EQ(target->Label(), QString());
    EXPECT_EQ(chart.CommonTargetValue(QStringLiteral("ip")), QStringLiteral("core-rtr"));

    target->setInstance(QString());
    chart.ResetChart();
    EXPECT_EQ(chart.SubTitle(), QStringLiteral("ifInOctets"));
}

TEST_F(ChartTextsTest, TwoHostsAreTitledByTheObjectAndLabelledByHost)
{
    TargetOID* a =
        Add(QStringLiteral("alpha"), QStringLiteral("10.0.0.1"), QStringLiteral("ifInOctets"), QString());
    TargetOID* b =
        Add(QStringLiteral("beta"), QStringLiteral("10.0.0.2"), QStringLiteral("ifInOctets"), QString());
    chart.ResetChart();
    EXPECT_EQ(chart.MainTitle(), QStringLiteral("ifInOctets"));
    EXPECT_EQ(chart.SubTitle(), QString());
    EXPECT_EQ(a->Label(), QStringLiteral("alpha"));
    EXPECT_EQ(b->Label(), QStringLiteral("beta"));
    EXPECT_EQ(chart.CommonTargetValue(QStringLiteral("IP")), QString());
    EXPECT_EQ(chart.CommonTargetValue(QStringLiteral("OID")), QStringLiteral("ifInOctets"));

    // Instances that differ as well follow the host; only their first 20 characters count.
    a->setInstance(QStringLiteral("GigabitEthernet0/0/1 uplink"));
    b->setInstance(QStringLiteral("eth1"));
    chart.ResetChart();
    EXPECT_EQ(a->Label(), QStringLiteral("alpha:GigabitEthernet0/0/1"));
    EXPECT_EQ(b->Label(), QStringLiteral("beta:eth1"));
}

TEST_F(ChartTextsTest, TwoInstancesOnOneHostAreLabelledByInstance)
{
    TargetOID* a = Add(QStringLiteral("alpha"), QStringLiteral("10.0.0.1"), QStringLiteral("ifInOctets"),
                       QStringLiteral("eth0"));
    TargetOID* b = Add(QStringLiteral("alpha"), QStringLiteral("10.0.0.1"), QStringLiteral("ifInOctets"),
                       QStringLiteral("eth1"));
    TargetOID* c = Add(QStringLiteral("alpha"), QStringLiteral("10.0.0.1"), QStringLiteral("ifOutOctets"),
                       QStringLiteral("eth1"));
    chart.ResetChart();
    EXPECT_EQ(chart.MainTitle(), QStringLiteral("alpha"));
    EXPECT_EQ(chart.SubTitle(), QString()); // neither instance nor object is common
    EXPECT_EQ(a->Label(), QStringLiteral("eth0:ifInOctets"));
    EXPECT_EQ(c->Label(), QStringLiteral("eth1:ifOutOctets"));

    targets.Remove(c->Key());
    chart.ResetChart();
    EXPECT_EQ(chart.SubTitle(), QStringLiteral("ifInOctets"));
    EXPECT_EQ(b->Label(), QStringLiteral("eth1"));
}

TEST_F(ChartTextsTest, TitlesSetByHandStayUntilAutomaticTitlesReturn)
{
    Add(QStringLiteral("alpha"), QStringLiteral("10.0.0.1"), QStringLiteral("ifInOctets"), QString());
    chart.setSubTitle(QStringLiteral("my sub"));
    EXPECT_FALSE(chart.AutomaticTitles());
    chart.ResetChart();
    EXPECT_EQ(chart.SubTitle(), QStringLiteral("my sub"));
    EXPECT_EQ(chart.MainTitle(), QString());

    chart.InitChart();
    EXPECT_TRUE(chart.AutomaticTitles());
    chart.ResetChart();
    EXPECT_EQ(chart.MainTitle(), QStringLiteral("alpha"));
}

TEST_F(ChartTextsTest, FooterHasThreeParts)
{
    EXPECT_EQ(NormalizedFooter(QStringLiteral("a|b")), QStringLiteral("a|b||"));
    EXPECT_EQ(NormalizedFooter(QStringLiteral("a||c")), QStringLiteral("a||c"));
    EXPECT_EQ(NormalizedFooter(QString()), QStringLiteral("||"));
    EXPECT_EQ(FooterParts(QStringLiteral("a|b||")), (QStringList{"a", "b", "|"}));
    EXPECT_EQ(FooterParts(QStringLiteral("|centre|")), (QStringList{"", "centre", ""}));
    chart.setFooter(QStringLiteral("left|mid|right"));
    EXPECT_EQ(chart.Footer(), QStringLiteral("left|mid|right"));
    chart.setFooter(QStringLiteral("only"));
    EXPECT_EQ(chart.Footer(), QStringLiteral("only||"));
}

TEST_F(ChartTextsTest, TimeLabelsDropSecondsFromSixtyOneSecondsAndFollowTheStyle)
{
    chart.setPollInterval(60);
    EXPECT_EQ(chart.TimeLabelFormat(), QStringLiteral("h:nn:ss"));
    chart.setPollInterval(61);
    EXPECT_EQ(chart.TimeLabelFormat(), QStringLiteral("h:nn"));
    style.setIncludeAMPM(true);
    EXPECT_EQ(chart.TimeLabelFormat(), QStringLiteral("h:nn AM/PM"));
    EXPECT_EQ(FormatTimeLabel(QTime(9, 5, 7), QStringLiteral("h:nn:ss")), QStringLiteral("9:05:07"));
    EXPECT_EQ(FormatTimeLabel(QTime(0, 30, 0), QStringLiteral("h:nn:ss AM/PM")),
              QStringLiteral("12:30:00 AM"));

    // An appended column is labelled with the clock's time in that format.
    Add(QStringLiteral("bps"));
    chart.ResetChart();
    chart.AppendPoint();
    EXPECT_EQ(chart.PointLabel(ChartBinding::Points - 1), QStringLiteral("9:05 PM"));
}
