#include "chart_fixture.h"

#include <chart_texts.h>

using ChartTextsTest = ChartTest;

TEST_F(ChartTextsTest, AutomaticTitlesNameWhatIsCommonAndLabelsTellTheRestApart)
{
    const struct {
        QStringList targets; // "host|object|instance"
        const char* main;
        const char* sub;
        QStringList labels;
    } cases[] = {
        // clang-format off
        {{"core-rtr|ifInOctets|eth0"}, "core-rtr", "eth0:ifInOctets", {""}},
        {{"core-rtr|ifInOctets|"}, "core-rtr", "ifInOctets", {""}},
        {{"alpha|ifInOctets|", "beta|ifInOctets|"}, "ifInOctets", "", {"alpha", "beta"}},
        // Instances that differ as well follow the host; only their first 20 characters count.
        {{"alpha|ifInOctets|GigabitEthernet0/0/1 uplink", "beta|ifInOctets|eth1"}, "ifInOctets", "",
         {"alpha:GigabitEthernet0/0/1", "beta:eth1"}},
        {{"alpha|ifInOctets|eth0", "alpha|ifInOctets|eth1", "alpha|ifOutOctets|eth1"}, "alpha", "",
         {"eth0:ifInOctets", "eth1:ifInOctets", "eth1:ifOutOctets"}},
        {{"alpha|ifInOctets|eth0", "alpha|ifInOctets|eth1"}, "alpha", "ifInOctets", {"eth0", "eth1"}},
        // clang-format on
    };
    for (const auto& c : cases) {
        targets.Clear();
        for (const QString& target : c.targets) {
            const QStringList parts = target.split(QLatin1Char('|'));
            // One address per host name.
            Add(parts[0], QStringLiteral("10.0.0.%1").arg(parts[0].size()), parts[1], parts[2]);
        }
        chart.ResetChart();
        EXPECT_EQ(chart.MainTitle() + " / " + chart.SubTitle(), QLatin1String(c.main) + " / " + c.sub);
        QStringList labels;
        for (const TargetOID* target : targets)
            labels.append(target->Label());
        EXPECT_EQ(labels, c.labels);
    }
    EXPECT_EQ(chart.CommonTargetValue("ip") + '|' + chart.CommonTargetValue("OID") + '|' +
                  chart.CommonTargetValue("Instance"),
              "alpha|ifInOctets|");
    // A title set by hand stays through resets until automatic titles return.
    chart.setSubTitle("my sub");
    EXPECT_FALSE(chart.AutomaticTitles());
    chart.ResetChart();
    EXPECT_EQ(chart.MainTitle() + '|' + chart.SubTitle(), "alpha|my sub");
    chart.InitChart();
    chart.ResetChart();
    EXPECT_EQ(chart.MainTitle() + '|' + chart.SubTitle(), "alpha|ifInOctets");
}

TEST_F(ChartTextsTest, FooterHasThreePartsAndTimeLabelsFollowIntervalAndStyle)
{
    EXPECT_EQ(NormalizedFooter("a|b") + ' ' + NormalizedFooter("a||c") + ' ' + NormalizedFooter(""),
              "a|b|| a||c ||");
    EXPECT_EQ(FooterParts("a|b||") + FooterParts("|centre|"), (QStringList{"a", "b", "|", "", "centre", ""}));
    chart.setFooter("only");
    EXPECT_EQ(chart.Footer(), "only||");
    // Time labels drop the seconds from a 61-second interval on, and follow the style.
    const auto format = [&](int interval, bool amPm) {
        chart.setPollInterval(interval), style.setIncludeAMPM(amPm);
        return chart.TimeLabelFormat();
    };
    EXPECT_EQ(QStringList({format(60, false), format(61, false), format(61, true)}),
              QStringList({"h:nn:ss", "h:nn", "h:nn AM/PM"}));
    EXPECT_EQ(FormatTimeLabel(QTime(9, 5, 7), "h:nn:ss") + ' ' +
                  FormatTimeLabel(QTime(0, 30, 0), "h:nn:ss AM/PM"),
              "9:05:07 12:30:00 AM");
    // An appended column is labelled with the clock's time in that format.
    Add("bps");
    chart.ResetChart();
    chart.AppendPoint();
    EXPECT_EQ(chart.PointLabel(ChartBinding::Points - 1), "9:05 PM");
}
