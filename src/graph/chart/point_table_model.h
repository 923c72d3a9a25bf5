#pragma once

#include "column_window.h"

#include <QAbstractTableModel>
#include <QColor>
#include <QStringList>

/// The plotted points as a table: one row per shown column, newest first; the time label, then
/// one value column per series.
class PointTableModel : public QAbstractTableModel {
    Q_OBJECT
public:
    PointTableModel(const ColumnWindow& window, QObject* parent = nullptr);

    /// Header texts of the series columns, by series number.
    void SetSeriesNames(const QStringList& names);
    void SetShownColumns(int columns);
    void SetDecimals(int decimals);
    void SetColors(const QColor& fore, const QColor& back);
    /// The window changed (a column was appended or reloaded).
    void Refresh();

    int rowCount(const QModelIndex& parent = QModelIndex()) const override;
    int columnCount(const QModelIndex& parent = QModelIndex()) const override;
    QVariant data(const QModelIndex& index, int role = Qt::DisplayRole) const override;
    QVariant headerData(int section, Qt::Orientation orientation, int role = Qt::DisplayRole) const override;

private:
    const ColumnWindow& m_window;
    QStringList m_names;
    int m_shown = 100;
    int m_decimals = 2;
    QColor m_fore;
    QColor m_back;
};
