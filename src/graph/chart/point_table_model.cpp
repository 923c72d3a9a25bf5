#include "point_table_model.h"

#include <QLocale>
#include <cmath>

PointTableModel::PointTableModel(const ColumnWindow& window, QObject* parent)
    : QAbstractTableModel(parent), m_window(window)
{
}

void PointTableModel::SetSeriesNames(const QStringList& names)
{
    beginResetModel();
    m_names = names;
    endResetModel();
}

void PointTableModel::SetShownColumns(int columns)
{
    beginResetModel();
    m_shown = qBound(1, columns, m_window.Columns());
    endResetModel();
}

void PointTableModel::SetDecimals(int decimals)
{
    m_decimals = decimals;
    Refresh();
}

void PointTableModel::SetColors(const QColor& fore, const QColor& back)
{
    m_fore = fore;
    m_back = back;
    Refresh();
}

void PointTableModel::Refresh()
{
    if (rowCount() > 0 && columnCount() > 0)
        Q_EMIT dataChanged(index(0, 0), index(rowCount() - 1, columnCount() - 1));
}

int PointTableModel::rowCount(const QModelIndex& parent) const
{
    return parent.isValid() ? 0 : m_shown;
}

int PointTableModel::columnCount(const QModelIndex& parent) const
{
    return parent.isValid() ? 0 : 1 + int(m_names.size());
}

QVariant PointTableModel::data(const QModelIndex& index, int role) const
{
    if (!index.isValid())
        return QVariant();
    if (role == Qt::ForegroundRole && m_fore.isValid())
        return m_fore;
    if (role == Qt::BackgroundRole && m_back.isValid())
        return m_back;
    if (role == Qt::TextAlignmentRole)
        return QVariant::fromValue(Qt::AlignRight | Qt::AlignVCenter);
    if (role != Qt::DisplayRole)
        return QVariant();
    const qint64 key = m_window.NewestKey() - index.row();
    if (index.column() == 0)
        return m_window.Label(key);
    const double value = m_window.Value(index.column() - 1, key);
    return std::isnan(value) ? QString() : QLocale().toString(value, 'f', m_decimals);
}

QVariant PointTableModel::headerData(int section, Qt::Orientation orientation, int role) const
{
    if (role != Qt::DisplayRole || orientation != Qt::Horizontal)
        return QAbstractTableModel::headerData(section, orientation, role);
    if (section == 0)
        return tr("Time");
    const QString name = m_names.value(section - 1);
    return name.isEmpty() ? tr("Series %1").arg(section) : name;
}
