#pragma once

#include <QDateTime>

/// Local wall-clock time with one-second resolution, injectable so tests can move time by hand.
class Clock {
public:
    virtual ~Clock() = default;
    /// Current local time, milliseconds cut off.
    virtual QDateTime Now() const = 0;
};

class SystemClock final : public Clock {
public:
    QDateTime Now() const override;
    /// One process-wide instance for code that is not handed a clock.
    static SystemClock& instance();
};

/// A clock that only moves when told to.
class ManualClock final : public Clock {
public:
    explicit ManualClock(const QDateTime& start = QDateTime(QDate(2026, 1, 1), QTime(12, 0, 0)));
    QDateTime Now() const override { return m_now; }
    void set(const QDateTime& now);
    void advanceSeconds(qint64 seconds);

private:
    QDateTime m_now;
};

/// Automation dates: days since 1899-12-30 as a double.
double ToAutomationDate(const QDateTime& time);
QDateTime FromAutomationDate(double days);
