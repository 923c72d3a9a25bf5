#pragma once

#include <QString>
#include <QtGlobal>
#include <vector>

/// The chart's data: a fixed window of columns, each with a time label and one value per series.
/// Columns carry ever-increasing keys; appending gives the next key and drops the oldest, so the
/// window moves in O(1) per series without moving stored values. NaN is "no data".
class ColumnWindow {
public:
    explicit ColumnWindow(int columns);

    /// Every value NaN and every label empty, for the given number of series; keys keep counting.
    void Reset(int seriesCount);
    void ClearLabels();
    int Columns() const { return m_columns; }
    int SeriesCount() const { return m_seriesCount; }

    /// Key of the newest column; the oldest is NewestKey() - Columns() + 1.
    qint64 NewestKey() const { return m_nextKey - 1; }
    qint64 OldestKey() const { return m_nextKey - m_columns; }
    /// Key of column 0 (oldest) .. Columns() - 1 (newest).
    qint64 KeyOf(int column) const { return OldestKey() + column; }
    bool Holds(qint64 key) const { return key >= OldestKey() && key < m_nextKey; }

    /// New newest column; values beyond the series count are ignored, missing ones are NaN.
    void Append(const QString& label, const std::vector<double>& values);

    /// NaN for a key outside the window or an unknown series.
    double Value(int series, qint64 key) const;
    /// Whether the stored value changed (NaN stays NaN).
    bool SetValue(int series, qint64 key, double value);
    QString Label(qint64 key) const;
    void SetLabel(qint64 key, const QString& label);

private:
    size_t Slot(qint64 key) const { return size_t(key % m_columns); }
    size_t At(int series, qint64 key) const { return Slot(key) * size_t(m_seriesCount) + size_t(series); }

    int m_columns;
    int m_seriesCount = 0;
    qint64 m_nextKey;
    std::vector<QString> m_labels;
    // Column by column: a poll writes one column of every series, which then lies together.
    std::vector<double> m_values;
};
