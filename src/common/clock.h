#pragma once

#include <QDateTime>
#include <limits>

/// Local wall-clock time with one-second resolution, injectable so tests can move time by hand.
class Clock {
public:
    virtual ~Clock() = default;
    /// Current local time, milliseconds cut off.
    virtual QDateTime Now() const = 0;
    /// Now() as WallClockMsecs gives it.
    virtual qint64 NowWallClockMsecs() const;
    /// Now() in seconds since 1970 UTC: for deadlines, which must not move when the wall clock
    /// jumps an hour, and which a timer tick compares without consulting the time-zone rules.
    virtual qint64 NowSecsSinceEpoch() const;
    /// Milliseconds on a clock that never jumps (its origin means nothing): for measuring how long
    /// something took, which the wall clock cannot do across a change of the system time.
    virtual qint64 NowMonotonicMsecs() const;
};

class SystemClock final : public Clock {
public:
    QDateTime Now() const override;
    qint64 NowWallClockMsecs() const override;
    qint64 NowSecsSinceEpoch() const override;
    /// One process-wide instance for code that is not handed a clock.
    static SystemClock& instance();
};

/// A clock whose wall-clock time only moves when told to. Its monotonic reading runs in real
/// time, as the real SNMP agents of the tests do, plus whatever skipMonotonicMsecs added: that is
/// how a test makes an outage look longer than it lasted.
class ManualClock final : public Clock {
public:
    explicit ManualClock(const QDateTime& start = QDateTime(QDate(2026, 1, 1), QTime(12, 0, 0)));
    QDateTime Now() const override { return m_now; }
    qint64 NowMonotonicMsecs() const override { return Clock::NowMonotonicMsecs() + m_monotonicSkip; }
    void set(const QDateTime& now);
    void advanceSeconds(qint64 seconds);
    void skipMonotonicMsecs(qint64 msecs) { m_monotonicSkip += msecs; }

private:
    QDateTime m_now;
    qint64 m_monotonicSkip = 0;
};

/// Local wall-clock milliseconds: the local date and time counted from 1970-01-01 00:00 as if
/// there were no time zones. Rates count the seconds and minute boundaries a user sees on the
/// wall clock, and reading a local QDateTime's date and time is cheap where converting it to UTC
/// is not.
qint64 WallClockMsecs(const QDateTime& time);
QDateTime FromWallClockMsecs(qint64 msecs);
/// The local time of day of a wall-clock reading: no time-zone rules involved.
QTime WallClockTimeOfDay(qint64 msecs);

/// Turns seconds since 1970 UTC into wall-clock milliseconds, asking the time-zone rules once per
/// quarter of an hour. Every zone's offset is a whole number of quarter hours and it changes at a
/// whole local hour or half hour, so the offset cannot change inside a quarter hour of UTC.
class WallClockConverter {
public:
    qint64 WallClockMsecs(qint64 secsSinceEpoch);

private:
    qint64 m_quarterStart = std::numeric_limits<qint64>::min();
    qint64 m_offsetSecs = 0;
};

/// Automation dates: days since 1899-12-30 as a double.
double ToAutomationDate(const QDateTime& time);
QDateTime FromAutomationDate(double days);
