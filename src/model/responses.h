#pragma once

#include <QDateTime>
#include <QtGlobal>
#include <array>
#include <limits>
#include <memory>

/// The last 500 results of one target with the time each was logged: a ring of value-and-time
/// slots and the next write position. A slot without a value holds the no-value marker; a slot
/// never written has no time.
/// Times are local wall-clock milliseconds (see WallClockMsecs in clock.h).
class Responses {
public:
    static constexpr int Size = 500;
    static constexpr double NoValue = -20000.0;
    /// Time of a slot that was never written.
    static constexpr qint64 NoTime = std::numeric_limits<qint64>::min();

    Responses() { Reset(); }

    /// Number of slots, over all 500, that hold a value.
    qint16 Count() const;
    /// Entry `index` back from the newest (0 newest, 499 oldest); std::out_of_range outside 0..499.
    double History(int index) const;
    /// Time of that entry, or NoTime.
    qint64 HistoryTime(int index) const;
    /// Stores value and its time at the write position and moves the position on.
    void LogValue(double value, qint64 wallClockMsecs);
    /// Largest slot, starting from the marker (so values below it never count).
    double High() const;
    /// Smallest slot that holds a value, or the marker.
    double Low() const;
    /// Mean of the slots that hold a value, or the marker.
    double Average() const;
    /// Marks every slot empty; the write position stays where it is.
    void Reset();
    /// Asks the processor for what the next LogValue reads: the figures first, then (once the
    /// write position is in) the two slots.
    void PrefetchFigures() const
    {
        __builtin_prefetch(&m_high);
        __builtin_prefetch(&m_writes);
    }
    void PrefetchSlots() const
    {
        if (m_slots)
            __builtin_prefetch(&(*m_slots)[size_t(m_position)]);
    }
    /// Counts the changes to the entries: one per LogValue, and a Reset jumps it by more than a
    /// whole ring, so that whoever copied the entries can tell what moved on since (a copy
    /// taken at count c is still right, shifted by n places, when the count is c + n, n < Size).
    quint64 Writes() const { return m_writes; }

    /// The local QDateTime of a wall-clock reading; invalid for NoTime.
    static QDateTime FromWallClockMsecs(qint64 msecs);

private:
    int SlotOf(int index) const;
    /// Keeps the remembered extremes right after `old` was overwritten by `value`, or forgets them
    /// when only a new scan can tell (the old value may have been the only extreme).
    void FollowExtremes(double old, double value);
    /// Takes `value` into (sign 1) or out of (sign -1) the running sum and counts.
    void FollowSum(double value, int sign);
    /// Sum and count of the slots that hold a value, from a scan in slot order.
    void RecountSum();
    double AverageByScan() const;

    // Scale and table ask for the extremes of every target on every poll; they are remembered
    // between writes rather than scanned out of all 500 slots each time.
    mutable double m_high = NoValue;
    mutable double m_low = NoValue;
    mutable bool m_highKnown = false;
    mutable bool m_lowKnown = false;
    mutable bool m_lowFound = false;
    // With a NaN among the values the smallest one depends on slot order, so Low scans then.
    int m_nanCount = 0;
    int m_negativeZeros = 0;

    // The table asks for every target's average on every poll. The running sum holds the finite
    // values only, compensated (Neumaier) so that a large value leaving the ring does not wipe out
    // the small ones beside it, and it is recounted by a scan once per trip round the ring so that
    // rounding cannot build up. Infinities are counted apart, as their sum would stay NaN after
    // they leave.
    double m_sum = 0;
    double m_sumError = 0;
    int m_count = 0;
    int m_positiveInfinities = 0;
    int m_negativeInfinities = 0;

    // Ahead of the ring, so that a write touches one line of figures besides its slot.
    int m_position = 0;
    quint64 m_writes = 0;
    // A value and its time side by side: a write touches one line (and one page) rather than
    // two, 4 KB apart.
    struct Slot {
        double value = NoValue;
        qint64 time = NoTime;
    };
    using Ring = std::array<Slot, Size>;
    /// The ring as read: every slot empty until the first write.
    const Ring& Slots() const { return m_slots ? *m_slots : EmptyRing(); }
    static const Ring& EmptyRing();
    // Apart from the figures and taken on the first write, so that the targets themselves, which
    // every poll walks, lie close together rather than 8 KB apart.
    std::unique_ptr<Ring> m_slots;
};
