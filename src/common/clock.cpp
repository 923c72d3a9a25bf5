#include "clock.h"

#include <cmath>
#include <limits>

namespace {

QDateTime wholeSeconds(const QDateTime& time)
{
    return time.addMSecs(-time.time().msec());
}

const QDate kAutomationEpoch(1899, 12, 30);
constexpr qint64 kMSecsPerDay = 24 * 60 * 60 * 1000;
const qint64 kEpochJulianDay = QDate(1970, 1, 1).toJulianDay();

/// The current second converted once: every answer of a poll asks for the time, and turning
/// seconds into local time consults the time-zone rules (a few microseconds here).
struct ConvertedSecond {
    qint64 secs = std::numeric_limits<qint64>::min();
    QDateTime time;
    qint64 wallClockMsecs = 0;

    const ConvertedSecond& Current()
    {
        const qint64 now = QDateTime::currentSecsSinceEpoch();
        if (now != secs) {
            time = QDateTime::fromSecsSinceEpoch(now);
            wallClockMsecs = WallClockMsecs(time);
            secs = now;
        }
        return *this;
    }
};

thread_local ConvertedSecond t_second;

} // namespace

qint64 Clock::NowWallClockMsecs() const
{
    return WallClockMsecs(Now());
}

qint64 Clock::NowSecsSinceEpoch() const
{
    return Now().toSecsSinceEpoch();
}

QDateTime SystemClock::Now() const
{
    return t_second.Current().time;
}

qint64 SystemClock::NowWallClockMsecs() const
{
    return t_second.Current().wallClockMsecs;
}

qint64 SystemClock::NowSecsSinceEpoch() const
{
    return QDateTime::currentSecsSinceEpoch();
}

SystemClock& SystemClock::instance()
{
    static SystemClock clock;
    return clock;
}

ManualClock::ManualClock(const QDateTime& start) : m_now(wholeSeconds(start)) {}

void ManualClock::set(const QDateTime& now)
{
    m_now = wholeSeconds(now);
}

void ManualClock::advanceSeconds(qint64 seconds)
{
    m_now = m_now.addSecs(seconds);
}

qint64 WallClockMsecs(const QDateTime& time)
{
    return (time.date().toJulianDay() - kEpochJulianDay) * kMSecsPerDay + time.time().msecsSinceStartOfDay();
}

QDateTime FromWallClockMsecs(qint64 msecs)
{
    qint64 days = msecs / kMSecsPerDay;
    qint64 rest = msecs % kMSecsPerDay;
    if (rest < 0) {
        rest += kMSecsPerDay;
        --days;
    }
    return QDateTime(QDate::fromJulianDay(days + kEpochJulianDay),
                     QTime::fromMSecsSinceStartOfDay(int(rest)));
}

// Automation dates count whole days from the epoch; the fraction is the time of day and is
// added to the magnitude, so before the epoch -1.25 means 1899-12-29 06:00, not 18:00.
double ToAutomationDate(const QDateTime& time)
{
    const QDateTime local = time.toLocalTime();
    const qint64 days = kAutomationEpoch.daysTo(local.date());
    const double fraction = double(local.time().msecsSinceStartOfDay()) / double(kMSecsPerDay);
    return days < 0 ? double(days) - fraction : double(days) + fraction;
}

QDateTime FromAutomationDate(double days)
{
    if (!std::isfinite(days))
        return QDateTime();
    const double wholeDays = std::trunc(days);
    qint64 msecs = std::llround(std::fabs(days - wholeDays) * double(kMSecsPerDay));
    QDate date = kAutomationEpoch.addDays(static_cast<qint64>(wholeDays));
    if (msecs >= kMSecsPerDay) {
        // Rounding reached midnight: that is the start of the next calendar day either side of the epoch.
        msecs -= kMSecsPerDay;
        date = date.addDays(1);
    }
    return QDateTime(date, QTime::fromMSecsSinceStartOfDay(static_cast<int>(msecs)));
}
