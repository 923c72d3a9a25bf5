#include "table_fixture.h"

#include <column_menu_logic.h>

#include <gtest/gtest.h>

namespace {

const QList<int> DefaultIds = {13, 14, 15, 12, 22, 5, 7, 10, 8, 9};

ColumnMenuEntry Entry(int id, bool checked)
{
    ColumnMenuEntry entry;
    entry.id = id;
    entry.checked = checked;
    return entry;
}

TEST(ColumnMenuLogicTest, EntriesNameEveryColumnAndCheckTheShownOnes)
{
    const QList<ColumnMenuEntry> entries = ColumnMenuLogic::LoadColumnsMenu(QStringLiteral("13,14,15,12,1"));
    ASSERT_EQ(entries.size(), 24);
    QList<int> checked;
    for (int id = 0; id < entries.size(); ++id) {
        EXPECT_EQ(entries.at(id).id, id);
        EXPECT_EQ(entries.at(id).caption, Settings::ColumnName(id));
        if (entries.at(id).checked)
            checked.append(id);
    }
    EXPECT_EQ(checked, QList<int>({1, 12, 13, 14, 15}));
    EXPECT_EQ(entries.at(12).caption, QStringLiteral("Color"));

    // "2" is part of "12" and "22" but is not itself shown.
    const QList<ColumnMenuEntry> more = ColumnMenuLogic::LoadColumnsMenu(QStringLiteral("12,22"));
    EXPECT_FALSE(more.at(2).checked);
    EXPECT_TRUE(more.at(22).checked);
}

TEST(ColumnMenuLogicTest, ChoosingAnEntryRemovesOrInsertsAfterTheClickedColumn)
{
    EXPECT_EQ(ColumnMenuLogic::ListAfterChoosing(DefaultIds, 5, Entry(12, true)),
              QStringLiteral("13,14,15,22,5,7,10,8,9"))
        << "unchecking removes, wherever the click was";
    EXPECT_EQ(ColumnMenuLogic::ListAfterChoosing(DefaultIds, 2, Entry(0, false)),
              QStringLiteral("13,14,15,0,12,22,5,7,10,8,9"))
        << "right click on the third column: the new one becomes the fourth";
    EXPECT_EQ(ColumnMenuLogic::ListAfterChoosing(DefaultIds, 9, Entry(17, false)),
              QStringLiteral("13,14,15,12,22,5,7,10,8,9,17"));
    // Unchecking removes every column of that identifier.
    EXPECT_EQ(ColumnMenuLogic::ListAfterChoosing({7, 3, 7}, 0, Entry(7, true)), QStringLiteral("3"));
    EXPECT_EQ(ColumnMenuLogic::ListAfterChoosing({7}, 0, Entry(7, true)), QStringLiteral("16"))
        << "removing the last column leaves the subset label";
    EXPECT_EQ(ColumnMenuLogic::JoinIds({}), QStringLiteral("16"));
    EXPECT_EQ(ColumnMenuLogic::JoinIds({9, 0, 23}), QStringLiteral("9,0,23"));
}

} // namespace
