#pragma once

#include <QTableView>

class QMenu;
class Settings;
class TargetOID;
class ValueTableModel;

/// The table widget: column widths from the model's X units, the column menu on a right click on
/// the header, dragging columns, and clicks on target rows turned into requests for the control
/// (the view never opens dialogs or changes targets itself). Column changes are stored in
/// Settings.Columns; the "Table Columns" announcement then makes every graph lay out again.
class ValueTableView : public QTableView {
    Q_OBJECT
public:
    /// model and settings must outlive the view.
    ValueTableView(ValueTableModel& model, Settings& settings, QWidget* parent = nullptr);
    ~ValueTableView() override;

    /// Rebuilds the column menu from Settings.Columns.
    void LoadColumnsMenu();
    /// The column menu (rebuilt on every right click on the header).
    QMenu* ColumnsMenu() const { return m_columnsMenu; }
    /// Rebuilds the menu for the header section under a right click and pops it up at globalPos.
    void OpenColumnsMenu(int section, const QPoint& globalPos);
    /// Identifiers of the columns in their on-screen order.
    QList<int> GridColumnIds() const;
    /// Table colours (32-bit, red in the low byte); also handed to the model.
    void setColors(qint32 desk, qint32 tableFore, qint32 tableBack);
    /// Height that shows the header and every row, plus a horizontal scroll bar when the columns
    /// are wider than the table; the control sizes a small table's pane with it.
    int RowsHeight() const;
    /// Re-applies the columns' widths (in X of the current font) and the row height.
    void ApplyColumnWidths();

Q_SIGNALS:
    void EditRequested(TargetOID* target);
    void RemoveRequested(const QString& key);
    void ColorRequested(TargetOID* target);
    void DetailsRequested(TargetOID* target);

protected:
    void mousePressEvent(QMouseEvent* event) override;
    void changeEvent(QEvent* event) override;

private:
    void ApplyLayout();
    void ChooseColumn(int id, bool checked);
    void StoreColumnOrder();

    ValueTableModel& m_model;
    Settings& m_settings;
    QMenu* m_columnsMenu = nullptr;
    int m_clickedPosition = -1;
    bool m_restoringOrder = false;
};
