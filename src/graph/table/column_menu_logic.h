#pragma once

#include <QList>
#include <QString>

/// One entry of the table's column menu.
struct ColumnMenuEntry {
    QString caption;
    int id = 0;
    bool checked = false;
};

/// The rules of the column menu and of column dragging, kept apart from any widget. Column lists
/// are identifiers joined with "," in display order, as Settings.Columns holds them.
class ColumnMenuLogic {
public:
    /// One entry per named column identifier, in identifier order; checked when the identifier
    /// appears in the column list.
    static QList<ColumnMenuEntry> LoadColumnsMenu(const QString& columns);

    /// The column list after choosing an entry: a checked entry leaves the table, an unchecked one
    /// joins it right after the column at clickedPosition (0-based, in gridIds).
    static QString ListAfterChoosing(const QList<int>& gridIds, int clickedPosition,
                                     const ColumnMenuEntry& entry);

    /// The identifiers joined with ","; an empty list gives the single column "16".
    static QString JoinIds(const QList<int>& ids);
};
