#include "column_menu_logic.h"

#include <settings.h>

#include <QStringList>

QList<ColumnMenuEntry> ColumnMenuLogic::LoadColumnsMenu(const QString& columns)
{
    // Matching the delimited text keeps "1" from counting as shown when only "12" is.
    const QString delimited = QLatin1Char(',') + columns + QLatin1Char(',');
    QList<ColumnMenuEntry> entries;
    for (int id = 0;; ++id) {
        const QString name = Settings::ColumnName(id);
        if (name.isEmpty())
            break;
        ColumnMenuEntry entry;
        entry.caption = name;
        entry.id = id;
        entry.checked = delimited.contains(QLatin1Char(',') + QString::number(id) + QLatin1Char(','));
        entries.append(entry);
    }
    return entries;
}

QString ColumnMenuLogic::ListAfterChoosing(const QList<int>& gridIds, int clickedPosition,
                                           const ColumnMenuEntry& entry)
{
    QList<int> ids;
    ids.reserve(gridIds.size() + 1);
    for (int position = 0; position < gridIds.size(); ++position) {
        if (entry.checked) {
            if (gridIds.at(position) != entry.id)
                ids.append(gridIds.at(position));
            continue;
        }
        ids.append(gridIds.at(position));
        if (position == clickedPosition)
            ids.append(entry.id);
    }
    return JoinIds(ids);
}

QString ColumnMenuLogic::JoinIds(const QList<int>& ids)
{
    if (ids.isEmpty())
        return QStringLiteral("16");
    QStringList texts;
    texts.reserve(ids.size());
    for (const int id : ids)
        texts.append(QString::number(id));
    return texts.join(QLatin1Char(','));
}
