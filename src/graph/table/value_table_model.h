#pragma once

#include <QAbstractTableModel>
#include <QHash>
#include <QList>
#include <QString>
#include <bitset>
#include <vector>

class Settings;
class TargetOID;
class TargetOIDs;

/// The value table under the chart: one column per entry of Settings.Columns, one row per series.
/// Rows are snapshots taken by RefreshTableRows, so a paused graph keeps showing what it showed; a
/// poll only signals dataChanged (rows are appended, never reset) to keep thousands of rows cheap.
class ValueTableModel : public QAbstractTableModel {
    Q_OBJECT
public:
    /// Column identifiers, as stored in Settings.Columns.
    enum Column {
        ColHostname = 0,
        ColIPAddress = 1,
        ColCommunity = 2,
        ColMIBName = 3,
        ColOID = 4,
        ColOIDName = 5,
        ColOIDNameWithMIB = 6,
        ColCurrentValue = 7,
        ColLowestValue = 8,
        ColHighestValue = 9,
        ColAverageValue = 10,
        ColOIDIndex = 11,
        ColColor = 12,
        ColEditButton = 13,
        ColRemoveButton = 14,
        ColInstanceName = 15,
        ColSubsetLabel = 16,
        ColUnits = 17,
        ColOIDDescription = 18,
        ColQualifiedName = 19,
        ColOIDStatus = 20,
        ColOIDType = 21,
        ColLastError = 22,
        ColStatusLED = 23,
        ColumnCount
    };

    /// Picture keys of the cells (DecorationRole icons; also returned by Picture()).
    enum PictureKey { NoPicture, PictureCustomize, PictureRemove, PictureRed, PictureGray, PictureGreen };

    /// Both must outlive the model.
    ValueTableModel(TargetOIDs& targets, const Settings& settings, QObject* parent = nullptr);
    ~ValueTableModel() override;

    int rowCount(const QModelIndex& parent = QModelIndex()) const override;
    int columnCount(const QModelIndex& parent = QModelIndex()) const override;
    QVariant data(const QModelIndex& index, int role = Qt::DisplayRole) const override;
    QVariant headerData(int section, Qt::Orientation orientation, int role = Qt::DisplayRole) const override;
    Qt::ItemFlags flags(const QModelIndex& index) const override;

    /// Rebuilds the columns from Settings.Columns and drops every row (model reset); the rows come
    /// back, in collection order, with the next RefreshTableRows.
    void LayoutTableColumns();
    /// Rewrites the row of every target (found by its Subset, appended when missing), in
    /// collection order. True while any target's Value is still -20000 (no value yet).
    bool RefreshTableRows();
    /// Whether the baseline message is up; rows written while it is show a grey light instead of
    /// a green one (a red light, for a target with a last error, wins either way).
    void setBaselineShowing(bool showing) { m_baselineShowing = showing; }
    bool BaselineShowing() const { return m_baselineShowing; }
    /// Table colours (32-bit, red in the low byte): desk = outside the cells (for the view),
    /// fore = cell text, back = cell background.
    void setColors(qint32 desk, qint32 tableFore, qint32 tableBack);
    qint32 DeskColor() const { return m_deskColor; }
    qint32 TableForeColor() const { return m_foreColor; }
    qint32 TableBackColor() const { return m_backColor; }

    /// Identifier of a column (its data value): the entry's leading number, 0 when it has none.
    int ColumnId(int column) const;
    /// Identifiers of all columns in model order.
    QList<int> ColumnIds() const;
    /// Width of a column as a number of capital X in the table's font; 0 = the default width.
    int ColumnWidthInX(int column) const;
    /// The series number a row stands for; -1 outside the rows.
    int RowSubset(int row) const;
    /// The first target whose Subset is the row's series number; nullptr when there is none.
    TargetOID* TargetAt(int row) const;
    /// Picture key of a cell (NoPicture for cells without one).
    PictureKey Picture(const QModelIndex& index) const;

    /// Header text, width in X and alignments of a column identifier; empty/0/false outside 0..23.
    static QString HeaderText(int id);
    static int WidthInX(int id);
    static bool HeaderCentred(int id);
    /// Tooltip of a target cell in a column of that identifier.
    static QString ToolTip(int id);
    /// Rounded to two decimals, then with magnitude suffix and units; -20000 gives the empty text.
    static QString FormatValue(double value, const QString& units);

private:
    struct LayoutColumn {
        int id = 0;
        bool known = false; // the entry text is one of the identifiers
    };
    struct Row;

    void WriteRow(Row& row, const TargetOID& target) const;
    QString CellText(const Row& row, int id) const;

    TargetOIDs& m_targets;
    const Settings& m_settings;
    std::vector<LayoutColumn> m_columns;
    /// The column identifiers the layout shows.
    std::bitset<ColumnCount> m_shown;
    std::vector<Row> m_rows;
    QHash<int, int> m_rowBySubset;
    bool m_baselineShowing = false;
    qint32 m_deskColor = 0xffffff;
    qint32 m_foreColor = 0;
    qint32 m_backColor = 0xffffff;
};
