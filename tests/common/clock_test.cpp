#include "clock.h"

#include <QThread>
#include <QTime>

#include <gtest/gtest.h>
#include <limits>
#include <time.h>

namespace {

QDateTime local(int y, int mo, int d, int h = 0, int mi = 0, int s = 0, int ms = 0)
{
    return QDateTime(QDate(y, mo, d), QTime(h, mi, s, ms));
}

} // namespace

TEST(Clock, ClocksTellWholeSecondsAndWallClockMsecsCountLocalTimeFrom1970)
{
    ManualClock clock(local(2026, 3, 1, 8, 30, 15, 999));
    EXPECT_EQ(clock.Now(), local(2026, 3, 1, 8, 30, 15));
    clock.advanceSeconds(45);
    EXPECT_EQ(clock.Now(), local(2026, 3, 1, 8, 31, 0));
    EXPECT_EQ(clock.NowWallClockMsecs(), WallClockMsecs(local(2026, 3, 1, 8, 31)));
    EXPECT_EQ(WallClockMsecs(local(1970, 1, 1)), 0);
    EXPECT_EQ(WallClockMsecs(local(1969, 12, 31, 23, 59, 59)), -1000);
    EXPECT_EQ(WallClockMsecs(local(2026, 3, 1, 8, 30, 15)), 1772353815000);
    for (const QDateTime& time : {local(1969, 12, 31, 23, 59, 59), local(2026, 3, 1, 8, 30, 15, 250)})
        EXPECT_EQ(FromWallClockMsecs(WallClockMsecs(time)), time);

    // The system clock converts once per second; it must still move with the seconds, and its
    // wall-clock reading must be that of the converted second (unless a second turns between reads).
    const QDateTime now = SystemClock::instance().Now();
    EXPECT_EQ(now.time().msec(), 0);
    QThread::msleep(1100);
    const qint64 msecs = SystemClock::instance().NowWallClockMsecs();
    const QDateTime at = SystemClock::instance().Now();
    EXPECT_GE(at.toSecsSinceEpoch(), now.toSecsSinceEpoch() + 1);
    if (SystemClock::instance().NowWallClockMsecs() == msecs) {
        EXPECT_EQ(msecs, WallClockMsecs(at));
    }
}

// The converter asks the zone rules once per quarter hour; across the changes of zones with
// hour, half-hour and 45-minute offsets it must agree with a conversion of every second.
TEST(Clock, WallClockConverterAgreesWithTheZoneRulesAcrossChanges)
{
    const bool hadZone = qEnvironmentVariableIsSet("TZ");
    const QByteArray savedZone = qgetenv("TZ");
    const auto utc = [](int y, int mo, int d, int h, int mi) {
        return QDateTime(QDate(y, mo, d), QTime(h, mi), Qt::UTC).toSecsSinceEpoch();
    };
    const struct {
        const char* zone;
        qint64 change;
        int offsetBefore, offsetAfter;
    } cases[] = {
        {"Europe/Berlin", utc(2026, 3, 29, 1, 0), 3600, 7200},
        {"Europe/Berlin", utc(2026, 10, 25, 1, 0), 7200, 3600},
        {"America/St_Johns", utc(2026, 3, 8, 5, 30), -12600, -9000},   // on a half hour of UTC
        {"Australia/Lord_Howe", utc(2026, 4, 4, 15, 0), 39600, 37800}, // half an hour back
        {"Asia/Kathmandu", utc(2026, 6, 1, 0, 0), 20700, 20700},
        {"UTC", -7, 0, 0}, // before 1970
    };
    for (const auto& c : cases) {
        qputenv("TZ", c.zone);
        tzset();
        // The zone must have taken effect, or every converter would pass.
        ASSERT_EQ(QDateTime::fromSecsSinceEpoch(c.change - 1).offsetFromUtc(), c.offsetBefore) << c.zone;
        ASSERT_EQ(QDateTime::fromSecsSinceEpoch(c.change).offsetFromUtc(), c.offsetAfter) << c.zone;
        WallClockConverter converter;
        for (qint64 secs = c.change - 5400; secs <= c.change + 5400; secs += 61) {
            for (const qint64 at : {secs, c.change - 1, c.change}) {
                ASSERT_EQ(converter.WallClockMsecs(at), WallClockMsecs(QDateTime::fromSecsSinceEpoch(at)))
                    << c.zone << " at " << at;
            }
        }
    }
    if (hadZone)
        qputenv("TZ", savedZone);
    else
        qunsetenv("TZ");
    tzset();
    EXPECT_EQ(WallClockTimeOfDay(WallClockMsecs(local(2026, 3, 1, 8, 30, 15))), QTime(8, 30, 15));
    EXPECT_EQ(WallClockTimeOfDay(-1000), QTime(23, 59, 59));
}

TEST(Clock, AutomationDatesCountDaysFrom1899)
{
    // Before the epoch the time of day still counts forward from midnight.
    const std::vector<std::pair<QDateTime, double>> cases = {
        {local(1899, 12, 30), 0.0},       {local(1900, 1, 1), 2.0},        {local(2026, 1, 1, 12), 46023.5},
        {local(2000, 1, 1, 6), 36526.25}, {local(1899, 12, 29, 6), -1.25}, {local(1899, 12, 28, 18), -2.75}};
    for (const auto& [time, days] : cases) {
        EXPECT_DOUBLE_EQ(ToAutomationDate(time), days) << days;
        EXPECT_EQ(FromAutomationDate(days), time) << days;
    }

    // Just short of midnight rounds to the next calendar day, on either side of the epoch.
    EXPECT_EQ(QList<QDateTime>({FromAutomationDate(1.0 - 1e-10), FromAutomationDate(-2.0 + 1e-10),
                                FromAutomationDate(-1.0 - 1e-10)}),
              QList<QDateTime>({local(1899, 12, 31), local(1899, 12, 30), local(1899, 12, 29)}));
    EXPECT_FALSE(FromAutomationDate(std::numeric_limits<double>::quiet_NaN()).isValid());
}
