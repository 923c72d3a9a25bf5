#include <fake_mib.h>

#include <responses.h>
#include <target_oid.h>

#include <clock.h>
#include <settings.h>

#include <QDomDocument>
#include <cmath>
#include <gtest/gtest.h>
#include <iterator>
#include <qt_print.h>

class TargetOIDTest : public ::testing::Test {
protected:
    TargetOIDTest()
    {
        mib.WithStandardObjects();
        mib.Add("TEST-MIB::octets", "1.3.6.1.4.1.99999.1", "Counter32", "Octets,bps=*8", 4);
    }

    // A rate target on an integer-based counter, without units or conversion.
    void MakeCounter(TargetOID& counter, const QString& object = "ifInOctets")
    {
        counter.setTargetMIB(object);
        counter.setUnits(QString());
        ASSERT_EQ(counter.Calculation(), "x per Second");
    }

    struct Step {
        double raw;
        qint64 secondsLater;
        double value; ///< plotted after this answer
    };
    void Expect(std::initializer_list<Step> steps, TargetOID* to = nullptr)
    {
        TargetOID& answered = to ? *to : target;
        int number = 0;
        for (const Step& step : steps) {
            clock.advanceSeconds(step.secondsLater);
            answered.RecordResponse(step.raw);
            EXPECT_DOUBLE_EQ(answered.Value(), step.value) << "answer " << number++;
        }
    }

    static QList<float> MinMaxAverage(TargetOID& t) { return {t.Min(), t.Max(), t.Average()}; }

    ManualClock clock{QDateTime(QDate(2026, 3, 1), QTime(12, 0, 5))};
    Settings settings;
    FakeMib mib;
    TargetOID target{clock, settings, mib.Resolver()};
};

TEST_F(TargetOIDTest, RatesNeedABaseAndAWholeSecondOrMinuteBoundary)
{
    MakeCounter(target);
    Expect({{1000, 0, -20000}, {1600, 10, 60}, {1900, 3, 100}});
    // The marker is logged for the first sample.
    EXPECT_EQ(QList<float>({float(target.HistoryCount()), target.History(1), target.History(2)}),
              QList<float>({2, 60, -20000}));
    EXPECT_EQ(target.HistoryTime(0), clock.Now());
    // Within the same second the base restarts and a gap is logged; a clock going backwards counts
    // as no time elapsed.
    Expect({{2000, 0, -20000}, {3000, 5, 200}, {3100, -30, -20000}});
    EXPECT_EQ(QList<float>({target.History(2), float(target.HistoryCount())}), QList<float>({-20000, 3}));
    // Per minute: samples within one minute restart the base; boundaries are counted.
    TargetOID perMinute{clock, settings, mib.Resolver()};
    MakeCounter(perMinute);
    perMinute.setCalculation("x per Minute");
    clock.set(QDateTime(QDate(2026, 3, 1), QTime(12, 0, 25)));
    Expect({{100, 0, -20000}, {200, 10, -20000}, {300, 20, -20000}, {400, 10, 100}, {1300, 130, 450}},
           &perMinute);
    // "per Minute" must match in case; anything else that is not "No Calculations" is per second.
    perMinute.setCalculation("x PER MINUTE");
    Expect({{1600, 10, 30}}, &perMinute);
    perMinute.setCalculation("NO CALCULATIONS");
    Expect({{1700, 20, 5}}, &perMinute);
}

TEST_F(TargetOIDTest, NoCalculationsPlotsTheConvertedValue)
{
    target.setConversion("/100");
    for (const QString& calculation : {QString(), QStringLiteral("No Calculations")}) {
        target.setCalculation(calculation);
        Expect({{4250, 0, 42.5}});
    }
    EXPECT_EQ(QList<float>({target.History(0), float(target.HistoryCount())}), QList<float>({42.5, 2}));
    // Switching to a rate afterwards starts from a first sample: gauges never touched the base.
    target.setCalculation("x per Second");
    Expect({{5000, 10, -20000}});
    // A separator in the conversion is read in the user's locale as it is when the answer comes.
    target.setCalculation("No Calculations");
    target.setConversion("*1,5");
    const QLocale original;
    QLocale::setDefault(QLocale::c());
    Expect({{10, 0, 10}}); // no number in C beyond the 1
    QLocale::setDefault(QLocale(QLocale::German, QLocale::Germany));
    Expect({{10, 0, 15}});
    QLocale::setDefault(original);
}

TEST_F(TargetOIDTest, DecreaseIsARolloverOnlyForPermittedIntegerCounters)
{
    // The wrap amount goes through the conversion like the values do.
    MakeCounter(target);
    target.setAssumeCounterRollover(true);
    Expect({{4294967000.0, 0, -20000}, {200, 10, 49.6}});
    target.setConversion("*8");
    Expect({{4294967000.0, 0, -20000}, {200, 10, 396.8}});
    // Not permitted (or a counter that was reset): one gap that is not logged, and the next rate is
    // measured from the low value.
    target.setAssumeCounterRollover(false);
    target.setConversion(QString());
    Expect({{4294967000.0, 0, -20000}, {200, 10, -20000}});
    EXPECT_EQ(target.HistoryCount(), 0);
    EXPECT_EQ(target.HistoryTime(0).secsTo(clock.Now()), 10) << "the first sample was the last one logged";
    Expect({{500, 10, 30}});
    // Permitted, but the object is no integer-based counter.
    TargetOID text{clock, settings, mib.Resolver()};
    MakeCounter(text, "octets");
    text.setAssumeCounterRollover(true);
    Expect({{4294967000.0, 0, -20000}, {200, 10, -20000}}, &text);
    // A target read from a definition file takes the permission from the settings.
    settings.setAssumeCounterRollover(true);
    QDomDocument parsed;
    ASSERT_TRUE(parsed.setContent(QStringLiteral("<T mib='ifInOctets' calculation='x per Second'/>")));
    TargetOID read{clock, settings, mib.Resolver()};
    read.ReadXML(parsed.documentElement());
    Expect({{4294967000.0, 0, -20000}, {200, 10, 49.6}}, &read);
}

TEST_F(TargetOIDTest, NewConversionRestartsButUnitsWithOneDoNotAndTheMIBBringsUnits)
{
    MakeCounter(target);
    Expect({{1000, 0, -20000}, {2000, 10, 100}});
    const auto countAndValue = [&] { return QList<double>({double(target.HistoryCount()), target.Value()}); };
    target.setConversion(QString()); // unchanged text: nothing happens
    EXPECT_EQ(countAndValue(), QList<double>({1, 100}));
    target.setConversion("*8");
    EXPECT_EQ(countAndValue(), QList<double>({0, -20000}));
    Expect({{3000, 10, -20000}, {4000, 10, 800}});
    // Units take the last list entry; one that carries a conversion sets it without a restart.
    target.setUnits("Octets,Kbps=*8/1000");
    EXPECT_EQ(target.UnitsAndConversion(), "Kbps=*8/1000");
    target.setUnits("Bps");
    EXPECT_EQ(target.Conversion() + QString::number(target.HistoryCount()), "1");
    // The combined text splits at the first "=" only, and is not a list.
    target.setUnitsAndConversion("bps=*8=x");
    EXPECT_EQ(target.Units() + ' ' + target.Conversion(), "bps *8=x");
    EXPECT_EQ(target.HistoryCount(), 0) << "the conversion changed, so the target restarted";
    target.setUnitsAndConversion("a,b");
    EXPECT_EQ(target.UnitsAndConversion(), "a,b");
    // A MIB object brings its last unit choice; without unit choices the units go and the
    // conversion stays.
    target.setTargetMIB("ifInOctets");
    EXPECT_EQ(target.OID().FullName() + ' ' + target.UnitsAndConversion(), "IF-MIB::ifInOctets bps=*8");
    mib.Add("TEST-MIB::plain", "1.3.6.1.4.1.99999.2", "Gauge32");
    target.setTargetMIB("plain");
    EXPECT_EQ(target.UnitsAndConversion(), "=*8");
}

TEST_F(TargetOIDTest, HistoryKeepsTheLast500AndStatisticsSkipTheMarker)
{
    // Nothing written yet: every entry reads empty, and a restart has nothing to clear.
    target.setConversion("*1");
    target.setConversion(QString());
    EXPECT_EQ(MinMaxAverage(target) << target.History(0) << target.History(499) << target.HistoryCount(),
              QList<float>({-20000, -20000, -20000, -20000, -20000, 0}));
    EXPECT_FALSE(target.HistoryTime(0).isValid());
    for (int i = 1; i <= 501; ++i)
        Expect({{double(i), 1, double(i)}});
    // The first sample has been overwritten.
    EXPECT_EQ(QList<float>({target.History(499), float(target.HistoryCount()), target.Min()}),
              QList<float>({2, 500, 2}));
    EXPECT_EQ(target.HistoryTime(499), clock.Now().addSecs(-499));
    EXPECT_THROW(target.History(500), std::out_of_range);
    EXPECT_THROW(target.HistoryTime(-1), std::out_of_range);
    // A restart empties values and times but keeps writing where it was.
    target.setConversion("*2");
    EXPECT_FALSE(target.HistoryTime(0).isValid());
    Expect({{7, 1, 14}});
    EXPECT_EQ(target.History(1), -20000.0f);
    // Rates 5, 7, 9 after the marker of the first sample, beside the 14 from before.
    MakeCounter(target);
    Expect({{0, 10, -20000}, {50, 10, 5}, {120, 10, 7}, {210, 10, 9}});
    EXPECT_EQ(MinMaxAverage(target), QList<float>({5, 14, 8.75}));
    // Values below the marker count for the minimum and average but never for the maximum.
    TargetOID gauge{clock, settings, mib.Resolver()};
    gauge.RecordResponse(-30000);
    EXPECT_EQ(MinMaxAverage(gauge), QList<float>({-30000, -20000, -30000}));
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
        double high = Responses::NoValue, low = Responses::NoValue;
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

    // A lone negative zero among positive ones is the first in slot order until it is overwritten;
    // then the remembered extremes must turn positive.
    Responses lone;
    for (int step = 0; step <= Responses::Size; ++step) {
        lone.LogValue(step == 0 ? -0.0 : 0.0, step);
        ASSERT_EQ(std::signbit(lone.High()), step < Responses::Size) << "step " << step;
        ASSERT_EQ(std::signbit(lone.Low()), step < Responses::Size) << "step " << step;
    }
}
