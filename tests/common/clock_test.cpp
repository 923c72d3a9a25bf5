#include "clock.h"

#include <gtest/gtest.h>
#include <limits>

TEST(Clock, ManualClockMovesOnlyWhenToldAndDropsMilliseconds)
{
    ManualClock clock(QDateTime(QDate(2026, 3, 1), QTime(8, 30, 15, 999)));
    EXPECT_EQ(clock.Now(), QDateTime(QDate(2026, 3, 1), QTime(8, 30, 15)));
    EXPECT_EQ(clock.Now(), clock.Now());

    clock.advanceSeconds(45);
    EXPECT_EQ(clock.Now(), QDateTime(QDate(2026, 3, 1), QTime(8, 31, 0)));
    clock.advanceSeconds(-3600);
    EXPECT_EQ(clock.Now(), QDateTime(QDate(2026, 3, 1), QTime(7, 31, 0)));

    clock.set(QDateTime(QDate(2030, 12, 31), QTime(23, 59, 59, 500)));
    EXPECT_EQ(clock.Now(), QDateTime(QDate(2030, 12, 31), QTime(23, 59, 59)));
    clock.advanceSeconds(1);
    EXPECT_EQ(clock.Now(), QDateTime(QDate(2031, 1, 1), QTime(0, 0, 0)));

    EXPECT_EQ(ManualClock().Now(), QDateTime(QDate(2026, 1, 1), QTime(12, 0, 0)));
}

TEST(Clock, SystemClockHasWholeSecondsOfLocalTime)
{
    const QDateTime before = QDateTime::currentDateTime();
    const QDateTime now = SystemClock::instance().Now();
    EXPECT_EQ(now.time().msec(), 0);
    EXPECT_EQ(now.timeSpec(), Qt::LocalTime);
    EXPECT_LE(now, QDateTime::currentDateTime());
    EXPECT_GT(now, before.addSecs(-1));
    EXPECT_EQ(&SystemClock::instance(), &SystemClock::instance());
}

TEST(Clock, AutomationDatesCountDaysFrom1899)
{
    const auto local = [](int y, int mo, int d, int h = 0, int mi = 0, int s = 0) {
        return QDateTime(QDate(y, mo, d), QTime(h, mi, s));
    };
    const std::vector<std::pair<QDateTime, double>> cases =
        {
            {local(1899, 12, 30), 0.0},       {local(1900, 1, 1), 2.0},
            {local(2026, 1, 1, 12), 46023.5}, {local(2000, 1, 1, 6), 36526.25},
            {local(1899, 12, 29, 6), -1.25}, // before the epoch the time still counts forward
            {local(1899, 12, 28, 18), -2.75},
        };
    for (const auto& [time, days] : cases) {
        EXPECT_DOUBLE_EQ(ToAutomationDate(time), days) << time.toString(Qt::ISODate).toStdString();
        EXPECT_EQ(FromAutomationDate(days), time) << days;
    }

    // Seconds survive the round trip over a wide range of dates.
    for (const QDateTime& time :
         {local(1970, 1, 1, 0, 0, 1), local(2026, 7, 14, 23, 59, 59), local(2099, 2, 28, 13, 7, 42)})
        EXPECT_EQ(FromAutomationDate(ToAutomationDate(time)), time);

    // A time of day just short of midnight rounds to the next calendar day, on either side of the epoch.
    EXPECT_EQ(FromAutomationDate(1.0 - 1e-10), local(1899, 12, 31));
    EXPECT_EQ(FromAutomationDate(-2.0 + 1e-10), local(1899, 12, 30));
    EXPECT_EQ(FromAutomationDate(-1.0 - 1e-10), local(1899, 12, 29));
    EXPECT_FALSE(FromAutomationDate(std::numeric_limits<double>::quiet_NaN()).isValid());
}
