#include "clock.h"

#include <chrono>
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

constexpr qint64 kSecsPerQuarterHour = 15 * 60;

/// Rounds towards minus infinity, as counting whole days or quarter hours before 1970 needs.
qint64 FloorDiv(qint64 value, qint64 unit)
{
    const qint64 quotient = value / unit;
    return value % unit < 0 ? quotient - 1 : quotient;
}

/// The current second converted once: every answer of a poll asks for the time. The local
/// QDateTime costs a look at the time-zone rules (and the file system), so it is only made when
/// someone asks for it.
struct ConvertedSecond {
    qint64 secs = std::numeric_limits<qint64>::min();
    qint64 wallClockMsecs = 0;
    QDateTime time;
    bool timeMade = false;
    WallClockConverter converter;

    ConvertedSecond& Current()
    {
        const qint64 now = QDateTime::currentSecsSinceEpoch();
        if (now != secs) {
            secs = now;
            wallClockMsecs = converter.WallClockMsecs(now);
            timeMade = false;
        }
        return *this;
    }
    const QDateTime& Time()
    {
        if (!timeMade) {
            time = QDateTime::fromSecsSinceEpoch(secs);
            timeMade = true;
        }
        return time;
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

qint64 Clock::NowMonotonicMsecs() const
{
    using namespace std::chrono;
    return duration_cast<milliseconds>(steady_clock::now().time_since_epoch()).count();
}

QDateTime SystemClock::Now() const
{
    return t_second.Current().Time();
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

QTime WallClockTimeOfDay(qint64 msecs)
{
    return QTime::fromMSecsSinceStartOfDay(int(msecs - FloorDiv(msecs, kMSecsPerDay) * kMSecsPerDay));
}

qint64 WallClockConverter::WallClockMsecs(qint64 secsSinceEpoch)
{
    const qint64 quarter = FloorDiv(secsSinceEpoch, kSecsPerQuarterHour) * kSecsPerQuarterHour;
    if (quarter != m_quarterStart) {
        m_offsetSecs = QDateTime::fromSecsSinceEpoch(quarter).offsetFromUtc();
        m_quarterStart = quarter;
    }
    return (secsSinceEpoch + m_offsetSecs) * 1000;
}

QDateTime FromWallClockMsecs(qint64 msecs)
{
    return QDateTime(QDate::fromJulianDay(FloorDiv(msecs, kMSecsPerDay) + kEpochJulianDay),
                     WallClockTimeOfDay(msecs));
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
