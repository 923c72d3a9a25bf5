#include "table_fixture.h"

#include <column_menu_logic.h>
#include <value_table_view.h>

#include <QAction>
#include <QContextMenuEvent>
#include <QCoreApplication>
#include <QHeaderView>
#include <QMenu>
#include <QScrollBar>
#include <QSignalSpy>
#include <QTest>
#include <gtest/gtest.h>

namespace {

// Insertion after the clicked column and plain removal go through the view's menu below.
TEST(ColumnMenuLogicTest, CheckedEntriesAppendingAndRemovingEveryCopy)
{
    QList<int> checked;
    for (const ColumnMenuEntry& entry : ColumnMenuLogic::LoadColumnsMenu("13,12,22,1")) {
        EXPECT_EQ(entry.caption, Settings::ColumnName(entry.id));
        if (entry.checked)
            checked.append(entry.id);
    }
    EXPECT_EQ(checked, QList<int>({1, 12, 13, 22})) << "\"2\" is part of \"12\" and \"22\" but not shown";

    const auto choose = [](const QList<int>& ids, int clicked, int id, bool wasChecked) {
        return ColumnMenuLogic::ListAfterChoosing(ids, clicked, {QString(), id, wasChecked});
    };
    EXPECT_EQ(choose({13, 14, 9}, 2, 17, false), "13,14,9,17");
    EXPECT_EQ(choose({7, 3, 7}, 0, 7, true), "3");
    EXPECT_EQ(choose({7}, 0, 7, true), "16") << "the last column leaves the subset label";
}

class ValueTableViewTest : public ::testing::Test, public TableFixture {
protected:
    ValueTableViewTest()
    {
        // The control's reaction to "Table Columns", which every graph makes.
        QObject::connect(&settings, &Settings::Changed, &model, [this](const QString& name) {
            if (name == QLatin1String("Table Columns")) {
                model.LayoutTableColumns();
                model.RefreshTableRows();
            }
        });
        for (int subset : {0, 1, 2})
            AddTarget(subset);
        Layout(QLatin1String(DefaultColumns));
        view.resize(900, 300);
        view.show();
        EXPECT_TRUE(QTest::qWaitForWindowExposed(&view));
    }

    void RightClickHeader(int section)
    {
        QHeaderView* header = view.horizontalHeader();
        const QPoint pos(header->sectionViewportPosition(section) + 4, header->height() / 2);
        QContextMenuEvent event(QContextMenuEvent::Mouse, pos, header->viewport()->mapToGlobal(pos));
        QCoreApplication::sendEvent(header->viewport(), &event);
    }

    QAction* MenuAction(int id) const
    {
        for (QAction* action : view.ColumnsMenu()->actions()) {
            if (action->data().toInt() == id)
                return action;
        }
        return nullptr;
    }

    void ClickCell(int row, int id, Qt::MouseButton button = Qt::LeftButton)
    {
        const QList<int> ids = model.ColumnIds();
        const QRect cell = view.visualRect(model.index(row, ids.indexOf(id)));
        ASSERT_TRUE(cell.isValid()) << "column " << id;
        QTest::mouseClick(view.viewport(), button, Qt::NoModifier, cell.center());
    }

    ValueTableView view{model, settings};
};

TEST_F(ValueTableViewTest, HeaderMenuChecksShownColumnsAndStoresTheChoice)
{
    RightClickHeader(2); // "Instance", the third column
    ASSERT_TRUE(MenuAction(12) && MenuAction(0) && MenuAction(ValueTableModel::ColStatusLED));
    EXPECT_TRUE(MenuAction(12)->isChecked() && !MenuAction(0)->isChecked());

    MenuAction(0)->trigger();
    EXPECT_EQ(settings.Columns(), "13,14,15,0,12,22,5,7,10,8,9");
    EXPECT_EQ(model.ColumnIds().value(3), 0) << "the graphs were told";

    RightClickHeader(0);
    MenuAction(12)->trigger();
    EXPECT_EQ(settings.Columns(), "13,14,15,0,22,5,7,10,8,9");
    view.ColumnsMenu()->hide();
}

TEST_F(ValueTableViewTest, DraggingAColumnStoresTheNewOrder)
{
    view.horizontalHeader()->moveSection(0, 3);
    EXPECT_EQ(view.GridColumnIds(), QList<int>({14, 15, 12, 13, 22, 5, 7, 10, 8, 9}));
    EXPECT_EQ(settings.Columns(), QLatin1String(DefaultColumns)) << "stored once the move is over";
    QCoreApplication::processEvents();
    EXPECT_EQ(settings.Columns(), "14,15,12,13,22,5,7,10,8,9");
    EXPECT_EQ(model.ColumnIds(), QList<int>({14, 15, 12, 13, 22, 5, 7, 10, 8, 9}));
    EXPECT_EQ(view.GridColumnIds(), model.ColumnIds()) << "the relayout starts from the stored order";

    // A menu choice after a drag inserts by screen position.
    view.horizontalHeader()->moveSection(9, 0);
    RightClickHeader(view.horizontalHeader()->logicalIndex(0));
    MenuAction(17)->trigger();
    EXPECT_EQ(settings.Columns(), "9,17,14,15,12,13,22,5,7,10,8");
    view.ColumnsMenu()->hide();
    QCoreApplication::processEvents();
}

TEST_F(ValueTableViewTest, ClicksOnTargetRowsRequestTheActionOfTheirColumn)
{
    settings.setColumns("13,14,3,4,5,6,12,7");
    QSignalSpy edit(&view, &ValueTableView::EditRequested);
    QSignalSpy remove(&view, &ValueTableView::RemoveRequested);
    QSignalSpy details(&view, &ValueTableView::DetailsRequested);
    QSignalSpy color(&view, &ValueTableView::ColorRequested);
    ClickCell(1, ValueTableModel::ColEditButton);
    ClickCell(2, ValueTableModel::ColRemoveButton, Qt::RightButton);
    for (int id : {3, 4, 5, 6, int(ValueTableModel::ColColor), int(ValueTableModel::ColCurrentValue)})
        ClickCell(0, id);
    // Below the last row nothing is asked for.
    QTest::mouseClick(view.viewport(), Qt::LeftButton, Qt::NoModifier,
                      QPoint(view.visualRect(model.index(0, 0)).center().x(), view.viewport()->height() - 2));
    EXPECT_EQ(QList<int>({int(edit.count()), int(remove.count()), int(details.count()), int(color.count())}),
              QList<int>({1, 1, 4, 1}));
    EXPECT_EQ(edit.at(0).at(0).value<TargetOID*>(), targets.At(1));
    EXPECT_EQ(remove.at(0).at(0).toString(), "O:3");
    EXPECT_EQ(details.at(3).at(0).value<TargetOID*>(), targets.At(0));
}

TEST_F(ValueTableViewTest, ColumnWidthsFollowTheFontAndTheRowsHeightShowsEveryRow)
{
    const int instance = view.horizontalHeader()->sectionSize(2);
    QFont larger = view.font();
    larger.setPointSize(larger.pointSize() * 2);
    view.setFont(larger);
    EXPECT_GT(view.horizontalHeader()->sectionSize(2), instance * 3 / 2);
    settings.setColumns("16,x");
    EXPECT_EQ(view.horizontalHeader()->sectionSize(1), view.horizontalHeader()->defaultSectionSize());

    // Sized to RowsHeight, the table shows every row without a vertical scroll bar, also when the
    // columns overflow and the horizontal one takes room.
    settings.setColumns(QLatin1String(DefaultColumns));
    for (const int width : {4000, view.horizontalHeader()->length() / 2}) {
        view.resize(width, 300);
        view.resize(width, view.RowsHeight());
        QCoreApplication::processEvents();
        EXPECT_FALSE(view.verticalScrollBar()->isVisible()) << width;
        EXPECT_EQ(view.horizontalScrollBar()->isVisible(), width < 4000) << width;
        EXPECT_LE(view.visualRect(model.index(2, 0)).bottom(), view.viewport()->height()) << width;
    }
}

} // namespace
