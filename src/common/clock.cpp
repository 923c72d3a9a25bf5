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

} // namespace

QDateTime SystemClock::Now() const
{
    // Every answer of a poll asks for the time, and turning seconds into local time consults the
    // time-zone rules (a few microseconds here); one conversion serves the whole second.
    thread_local qint64 convertedSecs = std::numeric_limits<qint64>::min();
    thread_local QDateTime converted;
    const qint64 secs = QDateTime::currentSecsSinceEpoch();
    if (secs != convertedSecs) {
        converted = QDateTime::fromSecsSinceEpoch(secs);
        convertedSecs = secs;
    }
    return converted;
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
