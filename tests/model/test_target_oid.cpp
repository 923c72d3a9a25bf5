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
        OIDInfo counter;
        counter.fullName = QStringLiteral("IF-MIB::ifInOctets");
        counter.syntaxName = QStringLiteral("Counter32");
        counter.typeTag = 2;
        mib.objects.insert(QStringLiteral("counter"), counter);
        OIDInfo octets = counter;
        octets.typeTag = 4;
        mib.objects.insert(QStringLiteral("octets"), octets);
    }

    // A rate target on an integer-based counter, without units or conversion.
    void MakeCounter(const QString& object = QStringLiteral("counter"))
    {
        target.setTargetMIB(object);
        ASSERT_EQ(target.Calculation(), QStringLiteral("x per Second"));
    }

    void Answer(double raw, qint64 secondsLater)
    {
        clock.advanceSeconds(secondsLater);
        target.RecordResponse(raw);
    }

    ManualClock clock{QDateTime(QDate(2026, 3, 1), QTime(12, 0, 5))};
    Settings settings;
    FakeMib mib;
    TargetOID target{clock, settings, mib.Resolver()};
};

TEST_F(TargetOIDTest, RatePerSecondFromTheSecondSampleOn)
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
    EXPECT_EQ(target.History(0), 100.0f);
    EXPECT_EQ(target.History(1), 60.0f);
    EXPECT_EQ(target.HistoryTime(0), clock.Now());
}

TEST_F(TargetOIDTest, SamplesWithinOneSecondRestartTheBase)
{
    MakeCounter();
    Answer(1000, 0);
    Answer(1600, 10);
    Answer(1700, 0);
    EXPECT_EQ(target.Value(), -20000);
    EXPECT_EQ(target.History(0), -20000.0f) << "the gap is logged";
    EXPECT_EQ(target.HistoryCount(), 1);
    Answer(2700, 5);
    EXPECT_DOUBLE_EQ(target.Value(), 200) << "measured from the same-second sample";

    // Clock going backwards counts as no time elapsed.
    Answer(2800, -30);
    EXPECT_EQ(target.Value(), -20000);
}

TEST_F(TargetOIDTest, RatePerMinuteCountsMinuteBoundaries)
{
    MakeCounter();
    target.setCalculation(QStringLiteral("x per Minute"));
    clock.set(QDateTime(QDate(2026, 3, 1), QTime(12, 0, 25)));
    Answer(100, 0);
    Answer(200, 10); // 12:00:35
    EXPECT_EQ(target.Value(), -20000);
    Answer(300, 10); // 12:00:45
    Answer(400, 10); // 12:00:55
    EXPECT_EQ(target.Value(), -20000);
    Answer(1000, 10); // 12:01:05, one boundary since 12:00:55
    EXPECT_DOUBLE_EQ(target.Value(), 600);
    Answer(1300, 130); // 12:03:15, two boundaries
    EXPECT_DOUBLE_EQ(target.Value(), 150);
    EXPECT_EQ(target.HistoryCount(), 2);

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
    EXPECT_EQ(target.HistoryCount(), 1);

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
    EXPECT_EQ(target.History(0), -20000.0f);
    EXPECT_EQ(target.HistoryTime(0).secsTo(clock.Now()), 10) << "the first sample was the last one logged";
    Answer(500, 10);
    EXPECT_DOUBLE_EQ(target.Value(), 30);

    // Permitted, but the object is no integer-based counter.
    TargetOID text{clock, settings, mib.Resolver()};
    text.setTargetMIB(QStringLiteral("octets"));
    text.setAssumeCounterRollover(true);
    text.RecordResponse(4294967000.0);
    clock.advanceSeconds(10);
    text.RecordResponse(200);
    EXPECT_EQ(text.Value(), -20000);
}

TEST_F(TargetOIDTest, ConversionChangeRestartsTheTarget)
{
    MakeCounter();
    Answer(1000, 0);
    Answer(2000, 10);
    ASSERT_EQ(target.HistoryCount(), 1);

    target.setConversion(QString()); // unchanged text: nothing happens
    EXPECT_EQ(target.HistoryCount(), 1);
    EXPECT_DOUBLE_EQ(target.Value(), 100);

    target.setConversion(QStringLiteral("*8"));
    EXPECT_EQ(target.HistoryCount(), 0);
    EXPECT_EQ(target.Value(), -20000);
    Answer(3000, 10);
    EXPECT_EQ(target.Value(), -20000) << "first sample again";
    Answer(4000, 10);
    EXPECT_DOUBLE_EQ(target.Value(), 800);

    // Units that carry a conversion set it without a restart.
    target.setUnits(QStringLiteral("Octets,Kbps=*8/1000"));
    EXPECT_EQ(target.Units(), QStringLiteral("Kbps"));
    EXPECT_EQ(target.Conversion(), QStringLiteral("*8/1000"));
    EXPECT_EQ(target.HistoryCount(), 1);
    EXPECT_DOUBLE_EQ(target.Value(), 800);
    target.setUnits(QStringLiteral("Bps"));
    EXPECT_EQ(target.Units(), QStringLiteral("Bps"));
    EXPECT_EQ(target.Conversion(), QString());
    EXPECT_EQ(target.HistoryCount(), 1);
}

TEST_F(TargetOIDTest, UnitsAndConversionText)
{
    target.setUnitsAndConversion(QStringLiteral("bps=*8=x"));
    EXPECT_EQ(target.Units(), QStringLiteral("bps"));
    EXPECT_EQ(target.Conversion(), QStringLiteral("*8=x"));
    EXPECT_EQ(target.UnitsAndConversion(), QStringLiteral("bps=*8=x"));

    target.RecordResponse(5);
    target.setUnitsAndConversion(QStringLiteral("a,b"));
    EXPECT_EQ(target.Units(), QStringLiteral("a,b")) << "no list splitting here";
    EXPECT_EQ(target.Conversion(), QString());
    EXPECT_EQ(target.UnitsAndConversion(), QStringLiteral("a,b"));
    EXPECT_EQ(target.HistoryCount(), 0) << "the conversion changed, so the target restarted";
}

TEST_F(TargetOIDTest, TargetMIBSetsCalculationAndUnitsFromTheObject)
{
    struct Case {
        QString hint;
        QString syntax;
        QString expected;
    };
    const Case cases[] = {
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
    for (const Case& c : cases) {
        OIDInfo info;
        info.calculationHint = c.hint;
        info.syntaxName = c.syntax;
        mib.objects.insert(QStringLiteral("object"), info);
        target.setCalculation(QStringLiteral("x per Minute"));
        target.setTargetMIB(QStringLiteral("object"));
        EXPECT_EQ(target.Calculation(), c.expected) << qPrintable(c.hint) << " / " << qPrintable(c.syntax);
    }

    mib.objects.insert(QStringLiteral("ifInOctets"), CounterInfo());
    target.setTargetMIB(QStringLiteral("ifInOctets"));
    EXPECT_EQ(mib.lookedUp.last(), QStringLiteral("ifInOctets"));
    EXPECT_EQ(target.OID().FullName(), QStringLiteral("IF-MIB::ifInOctets"));
    EXPECT_EQ(target.Units(), QStringLiteral("bps")) << "the last unit choice";
    EXPECT_EQ(target.Conversion(), QStringLiteral("*8"));

    // Without unit choices the units go and the conversion stays.
    mib.objects.insert(QStringLiteral("plain"), OIDInfo{});
    target.setTargetMIB(QStringLiteral("plain"));
    EXPECT_EQ(target.Units(), QString());
    EXPECT_EQ(target.Conversion(), QStringLiteral("*8"));
}

TEST_F(TargetOIDTest, HistoryKeepsTheLast500)
{
    for (int i = 1; i <= 501; ++i)
        Answer(i, 1);
    EXPECT_EQ(target.History(0), 501.0f);
    EXPECT_EQ(target.History(499), 2.0f);
    EXPECT_EQ(target.HistoryCount(), 500);
    EXPECT_EQ(target.HistoryTime(0), clock.Now());
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
}

TEST_F(TargetOIDTest, StatisticsSkipTheNoValueMarker)
{
    EXPECT_EQ(target.Min(), -20000.0f);
    EXPECT_EQ(target.Max(), -20000.0f);
    EXPECT_EQ(target.Average(), -20000.0f);
    EXPECT_EQ(target.HistoryCount(), 0);

    MakeCounter();
    for (double raw : {0.0, 50.0, 120.0, 210.0})
        Answer(raw, 10); // rates 5, 7, 9 after the marker of the first sample
    EXPECT_EQ(target.Min(), 5.0f);
    EXPECT_EQ(target.Max(), 9.0f);
    EXPECT_EQ(target.Average(), 7.0f);
    EXPECT_EQ(target.HistoryCount(), 3);

    // Values below the marker count for the minimum and average but never for the maximum.
    TargetOID gauge{clock, settings, mib.Resolver()};
    gauge.RecordResponse(-30000);
    EXPECT_EQ(gauge.Min(), -30000.0f);
    EXPECT_EQ(gauge.Max(), -20000.0f);
    EXPECT_EQ(gauge.Average(), -30000.0f);
}

TEST_F(TargetOIDTest, LabelKeyAndLineStyle)
{
    target.SetAutoLabelText(QStringLiteral("router:eth0"));
    EXPECT_EQ(target.Label(), QStringLiteral("router:eth0"));
    target.setLabel(QStringLiteral("Uplink"));
    EXPECT_FALSE(target.AutoLabel());
    EXPECT_EQ(target.Label(), QStringLiteral("Uplink"));
    target.setAutoLabel(true);
    EXPECT_EQ(target.Label(), QStringLiteral("router:eth0"));

    EXPECT_EQ(target.ID(), 0);
    target.SetKeyNumber(12);
    EXPECT_EQ(target.Key(), QStringLiteral("O:12"));
    EXPECT_EQ(target.ID(), 12);

    EXPECT_EQ(target.LineStyle(), LINESTYLE_SOLID_4);
    const QStringList names{"SOLID 1", "SOLID 2", "SOLID 3", "SOLID 4",  "SOLID 5",
                            "SOLID 6", "Dash",    "Dot",     "Dash-Dot", "Dash-Dot-Dot"};
    for (int style = 0; style < 10; ++style)
        EXPECT_EQ(TargetOID::LineStyleNameOf(style), names.at(style));
    EXPECT_EQ(TargetOID::LineStyleNameOf(10), QString());
    EXPECT_EQ(TargetOID::LineStyleNameOf(-1), QString());

    const QList<QPair<QString, int>> spellings{
        {"solid1", 0},      {"Solid 1", 0}, {"thin", 0},     {"SOLID2", 1},       {"solid 2", 1},
        {"SOLID3", 2},      {"SOLID 3", 2}, {"solid4", 3},   {"SOLID 4", 3},      {"Solid", 3},
        {"medium", 3},      {"SOLID5", 4},  {"Solid 5", 4},  {"SOLID6", 5},       {"solid 6", 5},
        {"Thick", 5},       {"dash", 6},    {"Dashed", 6},   {"dot", 7},          {"DOTTED", 7},
        {"Dash-Dot", 8},    {"dashdot", 8}, {"dash dot", 8}, {"Dash-Dot-Dot", 9}, {"DASHDOTDOT", 9},
        {"dash dot dot", 9}};
    for (const auto& [name, style] : spellings) {
        target.setLineStyle(LineStyles(style == 0 ? 5 : 0));
        target.setLineStyleName(name);
        EXPECT_EQ(target.LineStyle(), style) << qPrintable(name);
    }
    for (const char* unknown : {"", "SOLID 7", " dash", "Dash_Dot", "bold"}) {
        target.setLineStyle(LINESTYLE_DOT);
        target.setLineStyleName(unknown);
        EXPECT_EQ(target.LineStyle(), LINESTYLE_DOT) << unknown;
    }
    target.setLineStyle(LineStyles(42));
    EXPECT_EQ(target.LineStyle(), 42) << "no range check";
    EXPECT_EQ(target.LineStyleName(), QString());
}

TEST_F(TargetOIDTest, ApplyToChartSetsItsSeries)
{
    RecordingChart chart;
    target.SetSubset(3);
    target.setLabel(QStringLiteral("Uplink"));
    target.setColor(0x00c000);
    target.setLineStyle(LINESTYLE_DASHDOTDOT);
    target.ApplyToChart(chart);
    EXPECT_EQ(chart.calls,
              QStringList({"SeriesLabel 3 Uplink", "SeriesColor 3 49152", "SeriesLineType 3 4"}));

    QList<int> codes;
    for (int style = -1; style <= 10; ++style)
        codes.append(TargetOID::LineTypeCode(style));
    EXPECT_EQ(codes, QList<int>({-1, 0, 9, 5, 10, 6, 11, 1, 2, 3, 4, -1}));

    chart.calls.clear();
    target.setLineStyle(LineStyles(10));
    target.ApplyToChart(chart);
    EXPECT_EQ(chart.calls, QStringList({"SeriesLabel 3 Uplink", "SeriesColor 3 49152"}))
        << "an unnamed line style leaves the line type alone";
}

TEST_F(TargetOIDTest, XMLRoundTrip)
{
    mib.objects.insert(QStringLiteral("IF-MIB::ifInOctets"), CounterInfo());
    target.setTargetMIB(QStringLiteral("IF-MIB::ifInOctets"));
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

    settings.setAssumeCounterRollover(true);
    QDomDocument parsed;
    ASSERT_TRUE(parsed.setContent(written));
    TargetOID copy{clock, settings, mib.Resolver()};
    copy.ReadXML(parsed.documentElement());
    QDomDocument again;
    copy.WriteXML(again, again);
    EXPECT_EQ(OrderedXMLText(again, ModelXMLAttributeOrder()), expected);
    EXPECT_EQ(copy.Instance(), target.Instance());

    // The rollover permission came from the settings.
    copy.RecordResponse(4294967000.0);
    clock.advanceSeconds(10);
    copy.RecordResponse(200);
    EXPECT_DOUBLE_EQ(copy.Value(), 396.8);
}

TEST_F(TargetOIDTest, ReadXMLMatchesNamesInAnyCaseAndSkipsMIBDefaults)
{
    mib.objects.insert(QStringLiteral("ifInOctets"), CounterInfo());
    settings.setAssumeCounterRollover(false);
    QDomDocument document;
    ASSERT_TRUE(document.setContent(QStringLiteral(
        "<Anything ip='10.0.0.1' HOSTNAME='core' mib='ifInOctets' units='Kbps=*8/1000' color='255x' "
        "LINESTYLE='thick' autolabel='yes' label='Core' Extra='1' calculation='x per Minute'/>")));
    target.setCalculation(QStringLiteral("No Calculations"));
    target.ReadXML(document.documentElement());
    EXPECT_EQ(target.IP(), QStringLiteral("10.0.0.1"));
    EXPECT_EQ(target.Hostname(), QStringLiteral("core"));
    EXPECT_EQ(target.OID().FullName(), QStringLiteral("IF-MIB::ifInOctets"));
    EXPECT_EQ(target.Units(), QStringLiteral("Kbps")) << "not the MIB's unit choice";
    EXPECT_EQ(target.Conversion(), QStringLiteral("*8/1000"));
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
    // The slots in stored order, found from the write position (one step per logged value).
    const auto storedSlots = [](const Responses& r, int written) {
        std::vector<double> values;
        for (int slot = 0; slot < Responses::Size; ++slot)
            values.push_back(
                r.History(((written - slot - 1) % Responses::Size + Responses::Size) % Responses::Size));
        return values;
    };
    const auto scanHigh = [](const std::vector<double>& values) {
        double high = Responses::NoValue;
        for (double v : values)
            high = v > high ? v : high;
        return high;
    };
    const auto scanLow = [](const std::vector<double>& values) {
        bool found = false;
        double low = Responses::NoValue;
        for (double v : values) {
            if (v != Responses::NoValue && (!found || v < low)) {
                low = v;
                found = true;
            }
        }
        return low;
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
        const std::vector<double> values = storedSlots(responses, step + 1);
        const double high = responses.High();
        const double low = responses.Low();
        ASSERT_EQ(high, scanHigh(values)) << "step " << step;
        ASSERT_EQ(std::signbit(high), std::signbit(scanHigh(values))) << "step " << step;
        const double expectedLow = scanLow(values);
        if (std::isnan(expectedLow)) {
            ASSERT_TRUE(std::isnan(low)) << "step " << step;
        } else {
            ASSERT_EQ(low, expectedLow) << "step " << step;
            ASSERT_EQ(std::signbit(low), std::signbit(expectedLow)) << "step " << step;
        }
    }
}
