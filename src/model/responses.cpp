#include "responses.h"

#include <stdexcept>

qint16 Responses::Count() const
{
    qint16 count = 0;
    for (double value : m_values) {
        if (value != NoValue)
            ++count;
    }
    return count;
}

int Responses::SlotOf(int index) const
{
    if (index < 0 || index >= Size)
        throw std::out_of_range("Subscript out of range");
    const int slot = m_position - index - 1;
    return slot < 0 ? slot + Size : slot;
}

double Responses::History(int index) const
{
    return m_values[SlotOf(index)];
}

qint64 Responses::HistoryTime(int index) const
{
    return m_times[SlotOf(index)];
}

void Responses::LogValue(double value, qint64 wallClockMsecs)
{
    m_values[m_position] = value;
    m_times[m_position] = wallClockMsecs;
    m_position = (m_position + 1) % Size;
}

double Responses::High() const
{
    double high = NoValue;
    for (double value : m_values) {
        if (value > high)
            high = value;
    }
    return high;
}

double Responses::Low() const
{
    bool found = false;
    double low = NoValue;
    for (double value : m_values) {
        if (value != NoValue && (!found || value < low)) {
            low = value;
            found = true;
        }
    }
    return low;
}

double Responses::Average() const
{
    double sum = 0;
    int count = 0;
    for (double value : m_values) {
        if (value != NoValue) {
            sum += value;
            ++count;
        }
    }
    return count == 0 ? NoValue : sum / count;
}

void Responses::Reset()
{
    m_values.fill(NoValue);
    m_times.fill(NoTime);
}

static constexpr qint64 kMsecsPerDay = 86400000;
static const qint64 kEpochJulianDay = QDate(1970, 1, 1).toJulianDay();

qint64 Responses::WallClockMsecs(const QDateTime& time)
{
    return (time.date().toJulianDay() - kEpochJulianDay) * kMsecsPerDay + time.time().msecsSinceStartOfDay();
}

QDateTime Responses::FromWallClockMsecs(qint64 msecs)
{
    if (msecs == NoTime)
        return QDateTime();
    qint64 days = msecs / kMsecsPerDay;
    qint64 rest = msecs % kMsecsPerDay;
    if (rest < 0) {
        rest += kMsecsPerDay;
        --days;
    }
    return QDateTime(QDate::fromJulianDay(days + kEpochJulianDay),
                     QTime::fromMSecsSinceStartOfDay(int(rest)));
}
