#include "clock.h"

#include <QThread>

#include <gtest/gtest.h>
#include <limits>

namespace {

QDateTime local(int y, int mo, int d, int h = 0, int mi = 0, int s = 0, int ms = 0)
{
    return QDateTime(QDate(y, mo, d), QTime(h, mi, s, ms));
}

} // namespace

TEST(Clock, ManualClockMovesOnlyWhenToldInWholeSeconds)
{
    ManualClock clock(local(2026, 3, 1, 8, 30, 15, 999));
    EXPECT_EQ(clock.Now(), local(2026, 3, 1, 8, 30, 15));
    clock.advanceSeconds(45);
    EXPECT_EQ(clock.Now(), local(2026, 3, 1, 8, 31, 0));
    clock.advanceSeconds(-3600);
    EXPECT_EQ(clock.Now(), local(2026, 3, 1, 7, 31, 0));
    clock.set(local(2030, 12, 31, 23, 59, 59, 500));
    clock.advanceSeconds(1);
    EXPECT_EQ(clock.Now(), local(2031, 1, 1));
    EXPECT_EQ(clock.NowSecsSinceEpoch(), local(2031, 1, 1).toSecsSinceEpoch());

    // The system clock converts once per second; it must still move with the seconds.
    const QDateTime now = SystemClock::instance().Now();
    EXPECT_EQ(now.time().msec(), 0);
    EXPECT_EQ(now.timeSpec(), Qt::LocalTime);
    EXPECT_LE(qAbs(now.toSecsSinceEpoch() - QDateTime::currentSecsSinceEpoch()), 1);
    EXPECT_LE(qAbs(SystemClock::instance().NowSecsSinceEpoch() - now.toSecsSinceEpoch()), 1);
    QThread::msleep(1100);
    EXPECT_GE(SystemClock::instance().Now().toSecsSinceEpoch(), now.toSecsSinceEpoch() + 1);
    // Its wall-clock reading is kept with the converted second and must be that second's.
    for (int tries = 0; tries < 3; ++tries) {
        const qint64 msecs = SystemClock::instance().NowWallClockMsecs();
        const QDateTime at = SystemClock::instance().Now();
        if (SystemClock::instance().NowWallClockMsecs() != msecs)
            continue; // a second boundary between the reads
        EXPECT_EQ(msecs, WallClockMsecs(at));
        break;
    }
}

TEST(Clock, WallClockMsecsCountLocalTimeFrom1970)
{
    EXPECT_EQ(WallClockMsecs(local(1970, 1, 1)), 0);
    EXPECT_EQ(WallClockMsecs(local(1969, 12, 31, 23, 59, 59)), -1000);
    EXPECT_EQ(WallClockMsecs(local(2026, 3, 1, 8, 30, 15)), 1772353815000);
    for (const QDateTime& time : {local(1969, 12, 31, 23, 59, 59), local(2026, 3, 1, 8, 30, 15, 250)})
        EXPECT_EQ(FromWallClockMsecs(WallClockMsecs(time)), time);
    ManualClock clock(local(2026, 3, 1, 8, 30, 15));
    EXPECT_EQ(clock.NowWallClockMsecs(), 1772353815000);
}

TEST(Clock, AutomationDatesCountDaysFrom1899)
{
    // clang-format off
    const std::vector<std::pair<QDateTime, double>> cases = {
        {local(1899, 12, 30), 0.0}, {local(1900, 1, 1), 2.0}, {local(2026, 1, 1, 12), 46023.5},
        {local(2000, 1, 1, 6), 36526.25},
        // Before the epoch the time of day still counts forward from midnight.
        {local(1899, 12, 29, 6), -1.25}, {local(1899, 12, 28, 18), -2.75},
    };
    // clang-format on
    for (const auto& [time, days] : cases) {
        EXPECT_DOUBLE_EQ(ToAutomationDate(time), days) << days;
        EXPECT_EQ(FromAutomationDate(days), time) << days;
    }
    EXPECT_EQ(FromAutomationDate(ToAutomationDate(local(2099, 2, 28, 13, 7, 42))),
              local(2099, 2, 28, 13, 7, 42));

    // Just short of midnight rounds to the next calendar day, on either side of the epoch.
    EXPECT_EQ(FromAutomationDate(1.0 - 1e-10), local(1899, 12, 31));
    EXPECT_EQ(FromAutomationDate(-2.0 + 1e-10), local(1899, 12, 30));
    EXPECT_EQ(FromAutomationDate(-1.0 - 1e-10), local(1899, 12, 29));
    EXPECT_FALSE(FromAutomationDate(std::numeric_limits<double>::quiet_NaN()).isValid());
}
