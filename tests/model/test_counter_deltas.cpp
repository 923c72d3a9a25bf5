// Rates from what an answer says about itself: the counter type the agent gave it decides what a
// decrease means, and 64-bit counters keep every digit on the way to the rate.
#include "model_fakes.h"

#include <clock.h>
#include <settings.h>
#include <target_oid.h>

#include <gtest/gtest.h>
#include <vector>

namespace {

using Counter = TargetOID::Reading::Counter;
constexpr quint64 kHigh = quint64(1) << 60; // far above what a double holds to the unit

class CounterDeltaTest : public ::testing::Test {
protected:
    CounterDeltaTest()
    {
        mib.objects.insert(QStringLiteral("known"), CounterInfo());
        // An object under a private enterprise that no loaded MIB describes.
        OIDInfo unknown;
        unknown.dottedOID = QStringLiteral("1.3.6.1.4.1.99999.1");
        mib.objects.insert(QStringLiteral("unknown"), unknown);
    }

    TargetOID& Rate(const QString& object, bool rollover, const QString& conversion = QString())
    {
        auto* target = new TargetOID(clock, settings, mib.Resolver(), &owner);
        target->setTargetMIB(object);
        target->setUnits(QString());
        target->setConversion(conversion);
        target->setAssumeCounterRollover(rollover);
        return *target;
    }

    /// Answers of one type, ten seconds apart; the value plotted after each.
    std::vector<double> Feed(TargetOID& target, Counter type, std::initializer_list<quint64> answers)
    {
        std::vector<double> values;
        for (quint64 raw : answers) {
            clock.advanceSeconds(10);
            target.RecordResponse(TargetOID::Reading{double(raw), raw, type}, clock.NowWallClockMsecs());
            values.push_back(target.Value());
        }
        return values;
    }

    ManualClock clock;
    Settings settings;
    FakeMib mib;
    QObject owner;
};

using Values = std::vector<double>;
constexpr double kGap = TargetOID::NoValue;

TEST_F(CounterDeltaTest, TheAnswersTypeDecidesWhetherADecreaseWraps)
{
    // A Counter32 answer wraps at 2^32 when rollover is permitted, whatever the MIB knows.
    EXPECT_EQ(Feed(Rate("unknown", true), Counter::Counter32, {4294967000u, 200, 700}),
              (Values{kGap, 49.6, 50}));
    EXPECT_EQ(Feed(Rate("unknown", true, "*8"), Counter::Counter32, {4294967000u, 200}),
              (Values{kGap, 396.8}));
    // Without permission it is a reset: a gap, then rates from the low value.
    EXPECT_EQ(Feed(Rate("unknown", false), Counter::Counter32, {4294967000u, 200, 500}),
              (Values{kGap, kGap, 30}));

    // An answer of no counter type keeps the MIB's rule: only integer syntaxes wrap.
    TargetOID& untypedUnknown = Rate("unknown", true);
    TargetOID& untypedKnown = Rate("known", true);
    for (TargetOID* target : {&untypedUnknown, &untypedKnown}) {
        target->RecordResponse(4294967000.0);
        clock.advanceSeconds(10);
        target->RecordResponse(200);
    }
    EXPECT_EQ(untypedUnknown.Value(), kGap);
    EXPECT_DOUBLE_EQ(untypedKnown.Value(), 49.6);

    // A conversion that does more than scale is applied before subtracting, as always: whole
    // division saturates at 2^31 - 1, so the wrap of 2^32 does not survive it.
    EXPECT_EQ(Feed(Rate("known", true, "\\1"), Counter::Counter32, {4294967000u, 200}), (Values{kGap, 20}));
}

TEST_F(CounterDeltaTest, Counter64IsExactAndADecreaseIsAlwaysAReset)
{
    // 1,000 per second on top of 2^60: converting each value first would round both to a
    // multiple of 256.
    EXPECT_EQ(Feed(Rate("known", true), Counter::Counter64, {kHigh, kHigh + 10000, kHigh + 20010}),
              (Values{kGap, 1000, 1001}));
    EXPECT_EQ(Feed(Rate("known", true, "*8/1000"), Counter::Counter64, {kHigh, kHigh + 10000}),
              (Values{kGap, 8}));
    EXPECT_EQ(Feed(Rate("known", true), Counter::Counter64, {~quint64(0) - 5000, ~quint64(0)}),
              (Values{kGap, 500}));

    // Rollover permitted or not, a 64-bit counter that went down was reset: one gap, nothing
    // logged for it, and the next rate counts from the new base.
    for (bool rollover : {true, false}) {
        TargetOID& reset = Rate("known", rollover);
        EXPECT_EQ(Feed(reset, Counter::Counter64, {5000000000000, 100, 1100}), (Values{kGap, kGap, 100}));
        EXPECT_EQ(reset.HistoryCount(), 1);
        EXPECT_EQ(reset.Min(), 100.0f);
    }
}

TEST_F(CounterDeltaTest, ARestartGivesOneUnloggedGapEvenWhenTheCounterGrew)
{
    TargetOID& rate = Rate("known", true);
    EXPECT_EQ(Feed(rate, Counter::Counter32, {1000, 1600}), (Values{kGap, 60}));
    rate.BaseOnNextAnswer();
    // Higher than before, and lower than before with rollover on: either is a new start.
    EXPECT_EQ(Feed(rate, Counter::Counter32, {1700, 1800}), (Values{kGap, 10}));
    rate.BaseOnNextAnswer();
    EXPECT_EQ(Feed(rate, Counter::Counter32, {5, 105}), (Values{kGap, 10}));
    EXPECT_EQ(rate.HistoryCount(), 3) << "the gaps are not logged";

    // A plain value has no base: the restart changes nothing for it.
    TargetOID& gauge = Rate("known", true);
    gauge.setCalculation(QStringLiteral("No Calculations"));
    gauge.BaseOnNextAnswer();
    EXPECT_EQ(Feed(gauge, Counter::None, {42}), (Values{42}));
}

} // namespace
