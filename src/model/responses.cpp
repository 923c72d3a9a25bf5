#include "responses.h"

#include <clock.h>

#include <cmath>
#include <stdexcept>

namespace {

bool IsNegativeZero(double value)
{
    return value == 0 && std::signbit(value);
}

} // namespace

qint16 Responses::Count() const
{
    return qint16(m_count);
}

int Responses::SlotOf(int index) const
{
    if (index < 0 || index >= Size)
        throw std::out_of_range("Subscript out of range");
    const int slot = m_position - index - 1;
    return slot < 0 ? slot + Size : slot;
}

const Responses::Ring& Responses::EmptyRing()
{
    static const Ring empty{};
    return empty;
}

double Responses::History(int index) const
{
    return Slots()[size_t(SlotOf(index))].value;
}

qint64 Responses::HistoryTime(int index) const
{
    return Slots()[size_t(SlotOf(index))].time;
}

void Responses::LogValue(double value, qint64 wallClockMsecs)
{
    if (!m_slots)
        m_slots = std::make_unique<Ring>();
    Slot& slot = (*m_slots)[size_t(m_position)];
    const double old = slot.value;
    m_nanCount += int(std::isnan(value)) - int(std::isnan(old));
    m_negativeZeros += int(IsNegativeZero(value)) - int(IsNegativeZero(old));
    FollowExtremes(old, value);
    FollowSum(old, -1);
    FollowSum(value, 1);
    slot.value = value;
    slot.time = wallClockMsecs;
    m_position = (m_position + 1) % Size;
    ++m_writes;
    if (m_position == 0)
        RecountSum();
}

void Responses::FollowSum(double value, int sign)
{
    if (value == NoValue)
        return;
    m_count += sign;
    if (std::isnan(value))
        return; // counted in m_nanCount
    if (std::isinf(value)) {
        (value > 0 ? m_positiveInfinities : m_negativeInfinities) += sign;
        return;
    }
    const double term = sign * value;
    const double sum = m_sum + term;
    m_sumError += std::abs(m_sum) >= std::abs(term) ? (m_sum - sum) + term : (term - sum) + m_sum;
    m_sum = sum;
}

void Responses::RecountSum()
{
    // In slot order, as the average was always summed, so every trip starts from the same figure.
    m_sum = 0;
    m_sumError = 0;
    m_count = 0;
    m_positiveInfinities = 0;
    m_negativeInfinities = 0;
    for (const Slot& slot : Slots()) {
        const double value = slot.value;
        if (value == NoValue)
            continue;
        ++m_count;
        if (std::isinf(value))
            ++(value > 0 ? m_positiveInfinities : m_negativeInfinities);
        else if (!std::isnan(value))
            m_sum += value;
    }
}

void Responses::FollowExtremes(double old, double value)
{
    // Equal zeros may differ in sign, and the scan keeps the first in slot order; so a tie at zero
    // keeps what is remembered only while every zero in the ring is a positive one (a rate of zero
    // is common, a negative zero rare).
    const bool zerosAlike = m_negativeZeros == 0;
    if (m_highKnown && !(value > m_high)) {
        const bool same = m_high != 0 || zerosAlike;
        const bool valueKeeps = !(value >= m_high) || (same && value == m_high);
        const bool oldKeeps = !(old >= m_high) || (same && old == m_high && value == m_high);
        m_highKnown = valueKeeps && oldKeeps;
        if (zerosAlike && m_high == 0)
            m_high = 0.0; // the negative zero it may have been has left
    } else if (m_highKnown) {
        m_high = value;
    }
    if (!m_lowKnown)
        return;
    const bool valueCounts = value != NoValue;
    const bool oldCounts = old != NoValue;
    if (valueCounts && (!m_lowFound || value < m_low)) {
        // Beneath everything else (or alone), so the smallest whatever the old value was.
        m_low = value;
        m_lowFound = true;
        return;
    }
    const bool same = m_low != 0 || zerosAlike;
    const bool valueKeeps = !valueCounts || value > m_low || (same && value == m_low);
    const bool oldKeeps = !oldCounts || old > m_low || (same && old == m_low && value == m_low);
    m_lowKnown = valueKeeps && oldKeeps;
    if (zerosAlike && m_low == 0)
        m_low = 0.0;
}

double Responses::High() const
{
    if (!m_highKnown) {
        double high = NoValue;
        for (const Slot& slot : Slots()) {
            const double value = slot.value;
            if (value > high)
                high = value;
        }
        m_high = high;
        m_highKnown = true;
    }
    return m_high;
}

double Responses::Low() const
{
    if (m_lowKnown && m_nanCount == 0)
        return m_low;
    bool found = false;
    double low = NoValue;
    for (const Slot& slot : Slots()) {
        const double value = slot.value;
        if (value != NoValue && (!found || value < low)) {
            low = value;
            found = true;
        }
    }
    m_low = low;
    m_lowFound = found;
    m_lowKnown = true;
    return low;
}

double Responses::Average() const
{
    if (m_count == 0)
        return NoValue;
    if (m_nanCount > 0 || (m_positiveInfinities > 0 && m_negativeInfinities > 0))
        return std::numeric_limits<double>::quiet_NaN();
    if (m_positiveInfinities > 0)
        return std::numeric_limits<double>::infinity();
    if (m_negativeInfinities > 0)
        return -std::numeric_limits<double>::infinity();
    const double sum = m_sum + m_sumError;
    // Finite values whose sum overflows: only the scan in slot order gives the old figure.
    if (!std::isfinite(sum))
        return AverageByScan();
    return sum / m_count;
}

double Responses::AverageByScan() const
{
    double sum = 0;
    int count = 0;
    for (const Slot& slot : Slots()) {
        const double value = slot.value;
        if (value != NoValue) {
            sum += value;
            ++count;
        }
    }
    return count == 0 ? NoValue : sum / count;
}

void Responses::Reset()
{
    m_negativeZeros = 0;
    m_writes += Size + 1;
    if (m_slots)
        m_slots->fill(Slot{});
    m_high = NoValue;
    m_low = NoValue;
    m_highKnown = true;
    m_lowKnown = true;
    m_lowFound = false;
    m_nanCount = 0;
    m_sum = 0;
    m_sumError = 0;
    m_count = 0;
    m_positiveInfinities = 0;
    m_negativeInfinities = 0;
}

QDateTime Responses::FromWallClockMsecs(qint64 msecs)
{
    return msecs == NoTime ? QDateTime() : ::FromWallClockMsecs(msecs);
}
