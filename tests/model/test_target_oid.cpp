#include "model_fakes.h"

#include <ordered_xml.h>
#include <responses.h>
#include <target_oid.h>

#include <clock.h>
#include <settings.h>

#include <QDomDocument>
#include <cmath>
#include <gtest/gtest.h>
#include <iterator>
#include <vector>

class TargetOIDTest : public ::testing::Test {
protected:
    TargetOIDTest()
    {
        mib.objects.insert(QStringLiteral("counter"), CounterInfo());
        OIDInfo octets = CounterInfo();
        octets.typeTag = 4;
        mib.objects.insert(QStringLiteral("octets"), octets);
    }

    // A rate target on an integer-based counter, without units or conversion.
    void MakeCounter()
    {
        target.setTargetMIB(QStringLiteral("counter"));
        target.setUnits(QString());
        ASSERT_EQ(target.Calculation(), QStringLiteral("x per Second"));
    }

    void Answer(double raw, qint64 secondsLater, TargetOID* to = nullptr)
    {
        clock.advanceSeconds(secondsLater);
        (to ? to : &target)->RecordResponse(raw);
    }

    ManualClock clock{QDateTime(QDate(2026, 3, 1), QTime(12, 0, 5))};
    Settings settings;
    FakeMib mib;
    TargetOID target{clock, settings, mib.Resolver()};
};

TEST_F(TargetOIDTest, RatePerSecondNeedsABaseAndAtLeastOneSecond)
{
    MakeCounter();
    Answer(1000, 0);
    EXPECT_EQ(target.Value(), -20000) << "the first sample only sets the base";
    EXPECT_EQ(target.HistoryCount(), 0);
    EXPECT_EQ(target.History(0), -20000.0f) << "the marker is logged for the first sample";
    Answer(1600, 10);
    EXPECT_DOUBLE_EQ(target.Value(), 60);
    Answer(1900, 3);
    EXPECT_DOUBLE_EQ(target.Value(), 100);
    EXPECT_EQ(target.HistoryCount(), 2);
    EXPECT_EQ(target.History(1), 60.0f);
    EXPECT_EQ(target.HistoryTime(0), clock.Now());

    // A sample within the same second restarts the base and logs a gap.
    Answer(2000, 0);
    EXPECT_EQ(target.Value(), -20000);
    EXPECT_EQ(target.History(0), -20000.0f);
    EXPECT_EQ(target.HistoryCount(), 2);
    Answer(3000, 5);
    EXPECT_DOUBLE_EQ(target.Value(), 200) << "measured from the same-second sample";
    Answer(3100, -30);
    EXPECT_EQ(target.Value(), -20000) << "a clock going backwards counts as no time elapsed";
}

TEST_F(TargetOIDTest, RatePerMinuteCountsMinuteBoundaries)
{
    MakeCounter();
    target.setCalculation(QStringLiteral("x per Minute"));
    clock.set(QDateTime(QDate(2026, 3, 1), QTime(12, 0, 25)));
    for (double raw : {100, 200, 300}) {
        Answer(raw, 10); // 12:00:35, :45, :55: a sample within the minute restarts the base
        EXPECT_EQ(target.Value(), -20000);
    }
    Answer(400, 10); // 12:01:05, one boundary since 12:00:55
    EXPECT_DOUBLE_EQ(target.Value(), 100);
    Answer(1000, 60); // 12:02:05
    EXPECT_DOUBLE_EQ(target.Value(), 600);
    Answer(1300, 130); // 12:04:15, two boundaries
    EXPECT_DOUBLE_EQ(target.Value(), 150);

    // "per Minute" must match in case; anything else that is not "No Calculations" is per second.
    target.setCalculation(QStringLiteral("x PER MINUTE"));
    Answer(1600, 10);
    EXPECT_DOUBLE_EQ(target.Value(), 30);
    target.setCalculation(QStringLiteral("NO CALCULATIONS"));
    Answer(1700, 20);
    EXPECT_DOUBLE_EQ(target.Value(), 5);
}

TEST_F(TargetOIDTest, NoCalculationsPlotsTheConvertedValue)
{
    target.setConversion(QStringLiteral("/100"));
    for (const QString& calculation : {QString(), QStringLiteral("No Calculations")}) {
        target.setCalculation(calculation);
        target.RecordResponse(4250);
        EXPECT_DOUBLE_EQ(target.Value(), 42.5);
        EXPECT_EQ(target.History(0), 42.5f);
    }
    EXPECT_EQ(target.HistoryCount(), 2);

    // Switching to a rate afterwards starts from a first sample: gauges never touched the base.
    target.setCalculation(QStringLiteral("x per Second"));
    target.RecordResponse(5000);
    EXPECT_EQ(target.Value(), -20000);
}

TEST_F(TargetOIDTest, DecreaseIsARolloverOnlyForPermittedIntegerCounters)
{
    MakeCounter();
    target.setAssumeCounterRollover(true);
    Answer(4294967000.0, 0);
    Answer(200, 10);
    EXPECT_DOUBLE_EQ(target.Value(), 49.6);

    // The wrap amount goes through the conversion like the values do.
    target.setConversion(QStringLiteral("*8"));
    Answer(4294967000.0, 0);
    Answer(200, 10);
    EXPECT_DOUBLE_EQ(target.Value(), 396.8);

    // Not permitted (or a counter that was reset): one gap that is not logged, and the next rate is
    // measured from the low value.
    target.setAssumeCounterRollover(false);
    target.setConversion(QString());
    Answer(4294967000.0, 0);
    Answer(200, 10);
    EXPECT_EQ(target.Value(), -20000);
    EXPECT_EQ(target.HistoryCount(), 0);
    EXPECT_EQ(target.HistoryTime(0).secsTo(clock.Now()), 10) << "the first sample was the last one logged";
    Answer(500, 10);
    EXPECT_DOUBLE_EQ(target.Value(), 30);

    // Permitted, but the object is no integer-based counter.
    TargetOID text{clock, settings, mib.Resolver()};
    text.setTargetMIB(QStringLiteral("octets"));
    text.setAssumeCounterRollover(true);
    Answer(4294967000.0, 0, &text);
    Answer(200, 10, &text);
    EXPECT_EQ(text.Value(), -20000);
}

TEST_F(TargetOIDTest, ConversionAndUnitsTexts)
{
    MakeCounter();
    Answer(1000, 0);
    Answer(2000, 10);
    target.setConversion(QString()); // unchanged text: nothing happens
    EXPECT_EQ(target.HistoryCount(), 1);
    EXPECT_DOUBLE_EQ(target.Value(), 100);

    // A new conversion restarts the target.
    target.setConversion(QStringLiteral("*8"));
    EXPECT_EQ(target.HistoryCount(), 0);
    EXPECT_EQ(target.Value(), -20000);
    Answer(3000, 10);
    EXPECT_EQ(target.Value(), -20000) << "first sample again";
    Answer(4000, 10);
    EXPECT_DOUBLE_EQ(target.Value(), 800);

    // Units take the last list entry; one that carries a conversion sets it without a restart.
    target.setUnits(QStringLiteral("Octets,Kbps=*8/1000"));
    EXPECT_EQ(target.UnitsAndConversion(), QStringLiteral("Kbps=*8/1000"));
    EXPECT_EQ(target.HistoryCount(), 1);
    target.setUnits(QStringLiteral("Bps"));
    EXPECT_EQ(target.Conversion(), QString());
    EXPECT_EQ(target.HistoryCount(), 1);

    // The combined text splits at the first "=" only, and is not a list.
    target.setUnitsAndConversion(QStringLiteral("bps=*8=x"));
    EXPECT_EQ(target.Units(), QStringLiteral("bps"));
    EXPECT_EQ(target.Conversion(), QStringLiteral("*8=x"));
    target.setUnitsAndConversion(QStringLiteral("a,b"));
    EXPECT_EQ(target.UnitsAndConversion(), QStringLiteral("a,b"));
    EXPECT_EQ(target.HistoryCount(), 0) << "the conversion changed, so the target restarted";
}

TEST_F(TargetOIDTest, TargetMIBSetsCalculationAndUnitsFromTheObject)
{
    const char* cases[][3] = {
        {"", "Counter32", "x per Second"},
        {"", "COUNTER64", "x per Second"},
        {"counter", "", "x per Second"},
        {"", "Gauge32", "No Calculations"},
        {"", "gauge", "No Calculations"},
        {"", "INTEGER", "No Calculations"},
        {"", "Integer32", "No Calculations"},
        {"", "TimeTicks", "x per Second"},
        {"", "OCTET STRING", "x per Second"},
        {"Gauge", "Counter32", "No Calculations"},
        {"No Calculations", "Counter32", "x per Minute"},
    };
    for (const auto& [hint, syntax, expected] : cases) {
        OIDInfo info;
        info.calculationHint = QLatin1String(hint);
        info.syntaxName = QLatin1String(syntax);
        mib.objects.insert(QStringLiteral("object"), info);
        target.setCalculation(QStringLiteral("x per Minute"));
        target.setTargetMIB(QStringLiteral("object"));
        EXPECT_EQ(target.Calculation(), QLatin1String(expected)) << hint << " / " << syntax;
    }

    target.setTargetMIB(QStringLiteral("counter"));
    EXPECT_EQ(mib.lookedUp.last(), QStringLiteral("counter"));
    EXPECT_EQ(target.OID().FullName(), QStringLiteral("IF-MIB::ifInOctets"));
    EXPECT_EQ(target.UnitsAndConversion(), QStringLiteral("bps=*8")) << "the last unit choice";

    // Without unit choices the units go and the conversion stays.
    mib.objects.insert(QStringLiteral("plain"), OIDInfo{});
    target.setTargetMIB(QStringLiteral("plain"));
    EXPECT_EQ(target.Units(), QString());
    EXPECT_EQ(target.Conversion(), QStringLiteral("*8"));
}

TEST_F(TargetOIDTest, HistoryKeepsTheLast500AndStatisticsSkipTheMarker)
{
    EXPECT_EQ(target.Min(), -20000.0f);
    EXPECT_EQ(target.Max(), -20000.0f);
    EXPECT_EQ(target.Average(), -20000.0f);

    for (int i = 1; i <= 501; ++i)
        Answer(i, 1);
    EXPECT_EQ(target.History(0), 501.0f);
    EXPECT_EQ(target.History(499), 2.0f);
    EXPECT_EQ(target.HistoryCount(), 500);
    EXPECT_EQ(target.HistoryTime(499), clock.Now().addSecs(-499));
    EXPECT_EQ(target.Min(), 2.0f) << "the first sample has been overwritten";
    EXPECT_EQ(target.Max(), 501.0f);
    EXPECT_THROW(target.History(500), std::out_of_range);
    EXPECT_THROW(target.History(-1), std::out_of_range);
    EXPECT_THROW(target.HistoryTime(500), std::out_of_range);

    // A restart empties values and times but keeps writing where it was.
    target.setConversion(QStringLiteral("*2"));
    EXPECT_EQ(target.HistoryCount(), 0);
    EXPECT_FALSE(target.HistoryTime(0).isValid());
    Answer(7, 1);
    EXPECT_EQ(target.History(0), 14.0f);
    EXPECT_EQ(target.History(1), -20000.0f);

    // Rates 5, 7, 9 after the marker of the first sample, beside the 14 from before.
    MakeCounter();
    for (double raw : {0.0, 50.0, 120.0, 210.0})
        Answer(raw, 10);
    EXPECT_EQ(target.Min(), 5.0f);
    EXPECT_EQ(target.Max(), 14.0f);
    EXPECT_EQ(target.Average(), 8.75f);

    // Values below the marker count for the minimum and average but never for the maximum.
    TargetOID gauge{clock, settings, mib.Resolver()};
    gauge.RecordResponse(-30000);
    EXPECT_EQ(gauge.Min(), -30000.0f);
    EXPECT_EQ(gauge.Max(), -20000.0f);
    EXPECT_EQ(gauge.Average(), -30000.0f);
}

TEST_F(TargetOIDTest, KeyLineStylesAndChartSeries)
{
    target.SetKeyNumber(12);
    EXPECT_EQ(target.Key(), QStringLiteral("O:12"));
    EXPECT_EQ(target.ID(), 12);

    // Every name reads back as its style; other spellings in any case, unknown ones change nothing.
    for (int style = 0; style < 10; ++style) {
        target.setLineStyle(LineStyles(style == 0 ? 5 : 0));
        target.setLineStyleName(TargetOID::LineStyleNameOf(style).toLower());
        EXPECT_EQ(target.LineStyle(), style);
    }
    EXPECT_EQ(TargetOID::LineStyleNameOf(8), QStringLiteral("Dash-Dot"));
    EXPECT_EQ(TargetOID::LineStyleNameOf(10), QString());
    EXPECT_EQ(TargetOID::LineStyleNameOf(-1), QString());
    const QList<QPair<QString, int>> spellings{{"thin", 0},   {"Solid", 3},    {"medium", 3},
                                               {"solid6", 5}, {"THICK", 5},    {"dashed", 6},
                                               {"Dotted", 7}, {"dash dot", 8}, {"DashDotDot", 9}};
    for (const auto& [name, style] : spellings) {
        target.setLineStyle(LineStyles(style == 0 ? 5 : 0));
        target.setLineStyleName(name);
        EXPECT_EQ(target.LineStyle(), style) << qPrintable(name);
    }
    for (const char* unknown : {"", "SOLID 7", " dash", "Dash_Dot", "bold"}) {
        target.setLineStyleName(unknown);
        EXPECT_EQ(target.LineStyle(), LINESTYLE_DASHDOTDOT) << unknown;
    }

    RecordingChart chart;
    target.SetSubset(3);
    target.setLabel(QStringLiteral("Uplink"));
    target.setColor(0x00c000);
    target.ApplyToChart(chart);
    EXPECT_EQ(chart.calls,
              QStringList({"SeriesLabel 3 Uplink", "SeriesColor 3 49152", "SeriesLineType 3 4"}));
    QList<int> codes;
    for (int style = -1; style <= 10; ++style)
        codes.append(TargetOID::LineTypeCode(style));
    EXPECT_EQ(codes, QList<int>({-1, 0, 9, 5, 10, 6, 11, 1, 2, 3, 4, -1}));

    chart.calls.clear();
    target.setLineStyle(LineStyles(42)); // stored without a range check, but has no name
    EXPECT_EQ(target.LineStyleName(), QString());
    target.ApplyToChart(chart);
    EXPECT_EQ(chart.calls, QStringList({"SeriesLabel 3 Uplink", "SeriesColor 3 49152"}))
        << "an unnamed line style leaves the line type alone";
}

TEST_F(TargetOIDTest, XMLRoundTrip)
{
    target.setTargetMIB(QStringLiteral("counter"));
    target.setIP(QStringLiteral("127.0.0.1:1161"));
    target.setHostname(QStringLiteral("localhost"));
    target.setCommunity(QStringLiteral("public"));
    target.SetIndex(QStringLiteral("2"));
    target.setInstance(QStringLiteral("eth0 \"main\" & <backup>"));
    target.setColor(13107400);
    target.setLineStyle(LINESTYLE_DASHDOT);
    target.setLabel(QStringLiteral("Uplink"));
    target.SetAutoLabelText(QStringLiteral("ignored"));

    QDomDocument document;
    target.WriteXML(document, document);
    const QString expected = QStringLiteral(
        "<TargetOID IP=\"127.0.0.1:1161\" Hostname=\"localhost\" Community=\"public\" "
        "MIB=\"IF-MIB::ifInOctets\" Index=\"2\" Units=\"bps=*8\" Instance=\"eth0 &quot;main&quot; &amp; "
        "&lt;backup&gt;\" Color=\"13107400\" LineStyle=\"Dash-Dot\" Calculation=\"x per Second\" "
        "Label=\"Uplink\" AutoLabel=\"FALSE\"/>");
    const QString written = OrderedXMLText(document, ModelXMLAttributeOrder());
    EXPECT_EQ(written, expected);

    mib.objects.insert(QStringLiteral("IF-MIB::ifInOctets"), CounterInfo());
    settings.setAssumeCounterRollover(true);
    QDomDocument parsed;
    ASSERT_TRUE(parsed.setContent(written));
    TargetOID copy{clock, settings, mib.Resolver()};
    copy.ReadXML(parsed.documentElement());
    QDomDocument again;
    copy.WriteXML(again, again);
    EXPECT_EQ(OrderedXMLText(again, ModelXMLAttributeOrder()), expected);

    // The rollover permission came from the settings.
    Answer(4294967000.0, 0, &copy);
    Answer(200, 10, &copy);
    EXPECT_DOUBLE_EQ(copy.Value(), 396.8);
}

TEST_F(TargetOIDTest, ReadXMLMatchesNamesInAnyCaseAndSkipsMIBDefaults)
{
    mib.objects.insert(QStringLiteral("ifInOctets"), CounterInfo());
    QDomDocument document;
    ASSERT_TRUE(document.setContent(QStringLiteral(
        "<Anything ip='10.0.0.1' HOSTNAME='core' mib='ifInOctets' units='Kbps=*8/1000' color='255x' "
        "LINESTYLE='thick' autolabel='yes' label='Core' Extra='1' calculation='x per Minute'/>")));
    target.setCalculation(QStringLiteral("No Calculations"));
    target.ReadXML(document.documentElement());
    EXPECT_EQ(target.IP(), QStringLiteral("10.0.0.1"));
    EXPECT_EQ(target.Hostname(), QStringLiteral("core"));
    EXPECT_EQ(target.OID().FullName(), QStringLiteral("IF-MIB::ifInOctets"));
    EXPECT_EQ(target.UnitsAndConversion(), QStringLiteral("Kbps=*8/1000")) << "not the MIB's unit choice";
    EXPECT_EQ(target.Calculation(), QStringLiteral("x per Minute"));
    EXPECT_EQ(target.Color(), 255);
    EXPECT_EQ(target.LineStyle(), LINESTYLE_SOLID_6);
    EXPECT_TRUE(target.AutoLabel());
    target.setAutoLabel(false);
    EXPECT_EQ(target.Label(), QStringLiteral("Core"));
    EXPECT_EQ(target.Community(), QString()) << "missing attributes leave the value alone";
}

// The remembered extremes must give what a scan of all 500 slots gives, also when the ring
// overwrites the only slot holding the extreme, for ties of equal and of signed zeros, and with
// gaps and NaN among the values.
TEST(ResponsesExtremes, AgreeWithAScanOfEverySlot)
{
    const auto same = [](double a, double b) {
        return (std::isnan(a) && std::isnan(b)) || (a == b && std::signbit(a) == std::signbit(b));
    };
    // First only zeros of both signs, gaps and values below; then a rising and falling ramp among
    // a few values and NaN; after a reset a ramp alone, so the ring drops its own extremes.
    const double zeros[] = {Responses::NoValue, 0.0, -0.0, -0.0, -3.0, -30000.0};
    const double few[] = {Responses::NoValue, 5.0, 5.0, 7.5, -3.0};
    Responses responses;
    quint32 seed = 12345;
    for (int step = 0; step < 4500; ++step) {
        seed = seed * 1664525u + 1013904223u;
        const double ramp = (step % 1200 < 600 ? step % 600 : 600 - step % 600) * 0.5;
        double value = zeros[(seed >> 16) % std::size(zeros)];
        if (step >= 1500)
            value = step % 3 == 0 ? ramp : few[(seed >> 16) % std::size(few)];
        if (step > 2000 && step < 2100 && (seed & 0x700) == 0)
            value = std::nan("");
        if (step == 3000)
            responses.Reset();
        if (step >= 3000)
            value = step % 7 == 0 ? Responses::NoValue : ramp - 100;
        responses.LogValue(value, step);

        // Scan the slots in stored order (ties keep the first), found from the write position; the
        // low skips the marker.
        double high = Responses::NoValue;
        double low = Responses::NoValue;
        bool found = false;
        for (int slot = 0; slot < Responses::Size; ++slot) {
            const double v =
                responses.History(((step - slot) % Responses::Size + Responses::Size) % Responses::Size);
            high = v > high ? v : high;
            if (v != Responses::NoValue && (!found || v < low)) {
                low = v;
                found = true;
            }
        }
        ASSERT_TRUE(same(responses.High(), high)) << "step " << step;
        ASSERT_TRUE(same(responses.Low(), low)) << "step " << step;
    }
}
