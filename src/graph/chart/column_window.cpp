#include "column_window.h"

#include <cmath>
#include <limits>

namespace {
constexpr double NaN = std::numeric_limits<double>::quiet_NaN();
}

ColumnWindow::ColumnWindow(int columns)
    : m_columns(qMax(1, columns)), m_nextKey(m_columns), m_labels(size_t(m_columns))
{
}

void ColumnWindow::Reset(int seriesCount)
{
    m_seriesCount = qMax(0, seriesCount);
    m_values.assign(size_t(m_seriesCount) * size_t(m_columns), NaN);
    ClearLabels();
}

void ColumnWindow::ClearLabels()
{
    for (QString& label : m_labels)
        label.clear();
}

void ColumnWindow::Append(const QString& label, const std::vector<double>& values)
{
    const size_t slot = Slot(m_nextKey);
    m_labels[slot] = label;
    double* column = m_values.data() + slot * size_t(m_seriesCount);
    for (size_t series = 0; series < size_t(m_seriesCount); ++series)
        column[series] = series < values.size() ? values[series] : NaN;
    ++m_nextKey;
}

double ColumnWindow::Value(int series, qint64 key) const
{
    if (series < 0 || series >= SeriesCount() || !Holds(key))
        return NaN;
    return m_values[At(series, key)];
}

bool ColumnWindow::SetValue(int series, qint64 key, double value)
{
    if (series < 0 || series >= SeriesCount() || !Holds(key))
        return false;
    double& stored = m_values[At(series, key)];
    if (stored == value || (std::isnan(stored) && std::isnan(value)))
        return false;
    stored = value;
    return true;
}

QString ColumnWindow::Label(qint64 key) const
{
    return Holds(key) ? m_labels[Slot(key)] : QString();
}

void ColumnWindow::SetLabel(qint64 key, const QString& label)
{
    if (Holds(key))
        m_labels[Slot(key)] = label;
}
