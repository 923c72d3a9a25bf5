// The control's wiring of chart and table to targets and hosts, its layout, an empty graph.
#include "control_fixture.h"

#include "message_panel.h"

#include <rgb_color.h>
#include <value_table_view.h>

#include <QSplitter>
#include <tuple>

TEST_F(ControlTest, TableClicksAndChartEventsBecomeRequests)
{
    TargetOID* first = AddTarget("gaugeObj", "1");
    TargetOID* second = AddTarget("gaugeObj", "2");
    ResetGraph();
    ValueTableView* table = control->Table();
    const auto click = [&](TargetOID* target, int columnId) {
        const QRect cell = table->visualRect(Cell(target, columnId));
        ASSERT_TRUE(cell.isValid()) << "column " << columnId << " is not on screen";
        QTest::mouseClick(table->viewport(), Qt::LeftButton, Qt::NoModifier, cell.center());
    };
    QSignalSpy state(control.get(), &RTTrendwick::StateChanged);
    QSignalSpy series(control.get(), &RTTrendwick::SeriesDialogRequested);
    QSignalSpy customize(control.get(), &RTTrendwick::CustomizeDialogRequested);

    // Colour cell: the colour dialog starts from the series colour; the choice rebuilds the graph.
    const qint32 old = second->Color();
    prompter.queueColor(QColor(10, 20, 30));
    click(second, ValueTableModel::ColColor);
    ASSERT_EQ(prompter.count(ScriptedPrompter::Kind::ChooseColor), 1);
    EXPECT_EQ(prompter.calls.last().initialColor, ToQColor(old));
    EXPECT_EQ(second->Color(), RGBColor(10, 20, 30));
    EXPECT_EQ(state.count(), 1);
    EXPECT_EQ(Cell(second, ValueTableModel::ColColor).data(Qt::BackgroundRole).value<QBrush>().color(),
              QColor(10, 20, 30));
    // Cancelled: nothing changes.
    prompter.queueColor(std::nullopt);
    click(second, ValueTableModel::ColColor);
    EXPECT_EQ(second->Color(), RGBColor(10, 20, 30));
    EXPECT_EQ(state.count(), 1);

    click(second, ValueTableModel::ColEditButton);
    Q_EMIT control->ChartObject()->SeriesActivated(first->Subset());
    ASSERT_EQ(series.count(), 2);
    EXPECT_EQ(std::pair(series.at(0).at(0).value<TargetOID*>(), series.at(1).at(0).value<TargetOID*>()),
              std::pair(second, first));

    // The chart's own requests reach the hosts.
    QSignalSpy mouse(control.get(), &RTTrendwick::MouseDown);
    Q_EMIT control->ChartObject()->CustomizeRequested(3);
    Q_EMIT control->ChartObject()->ZoomChanged();
    Q_EMIT control->ChartObject()->MouseDown(2, 1, 5.5f, 6.5f);
    EXPECT_EQ(
        std::tuple(customize.value(0).value(0).toInt(), state.count(), mouse.value(0).value(3).toFloat()),
        std::tuple(3, qsizetype(2), 6.5f));

    // Remove button: the target leaves and the graph is rebuilt without it.
    const QString key = first->Key();
    click(first, ValueTableModel::ColRemoveButton);
    EXPECT_EQ(control->TargetOIDs().FindKey(key), nullptr);
    EXPECT_EQ(QList<qsizetype>({control->TableModel().rowCount(), control->ChartObject()->SeriesCount(),
                                second->Subset(), state.count()}),
              QList<qsizetype>({1, 1, 0, 3}));
}

// A small table gets the height of its rows and no more, a big one keeps the user's split.
TEST_F(ControlTest, SmallTableShowsAllItsRowsAndABigOneKeepsTheSplit)
{
    AddTarget("gaugeObj", "1");
    AddTarget("gaugeObj", "2");
    ResetGraph();
    QSplitter* splitter = control->Splitter();
    ValueTableView* table = control->Table();
    // Every row in view, and less than half a row to spare below the last.
    const auto spare = [&] {
        const QModelIndex last = table->model()->index(table->model()->rowCount() - 1, 0);
        return table->viewport()->height() - 1 - table->visualRect(last).bottom();
    };
    EXPECT_EQ(splitter->geometry(), control->rect());
    EXPECT_LT(control->ChartObject()->geometry().bottom(), table->geometry().top());
    EXPECT_TRUE(spare() >= 0 && spare() < table->rowHeight(0) / 2) << spare();
    control->setMIBListVisible(false);
    EXPECT_TRUE(table->isHidden());
    control->setMIBListVisible(true);
    EXPECT_TRUE(spare() >= 0 && spare() < table->rowHeight(0) / 2) << spare();

    for (int index = 3; index <= 40; ++index)
        AddTarget("gaugeObj", QString::number(index));
    const int total = splitter->sizes().value(0) + splitter->sizes().value(1);
    splitter->setSizes({total - 250, 250});
    ResetGraph();
    EXPECT_GT(table->RowsHeight(), table->height()) << "the rows do not fit";
    EXPECT_EQ(splitter->sizes().value(1), 250);
}

// An empty graph stops polling; intervals clamp; polls and pages each keep their own schedule.
TEST_F(ControlTest, EmptyGraphIntervalsAndThePublishingSchedule)
{
    QSignalSpy state(control.get(), &RTTrendwick::StateChanged);
    control->Reset();
    EXPECT_TRUE(control->Splitter()->isHidden() && control->BaseLineMessage()->isHidden() &&
                control->PauseMessage()->isHidden());
    EXPECT_FALSE(control->PollTimer()->isActive());
    EXPECT_EQ(state.count(), 1);

    QList<int> clamped;
    for (int seconds : {0, 601, 5, 1000}) {
        control->setPollInterval(seconds);
        control->setAutoPublishInterval(static_cast<qint16>(seconds));
        clamped << control->PollInterval() << control->AutoPublishInterval();
    }
    EXPECT_EQ(clamped, QList<int>({1, 10, 600, 600, 5, 10, 600, 600}));
    control->setAutoPublishInterval(60);
    control->setPollInterval(kPollSeconds);

    agent.setValue("3.1", Type::Gauge32, 40);
    AddTarget("gaugeObj", "1");
    const QString log = files.filePath("polls.csv");
    control->setLogFilename(log);
    control->StoreLoggingEnabled(true);
    control->Reset();
    EXPECT_TRUE(control->PollTimer()->isActive());
    control->PollTimer()->stop();
    const int header = ReadLines(log).size();
    EXPECT_EQ(header, 4) << "a Reset of a logging graph starts with a header";
    // Each poll writes a log row: the first tick after a Reset or a new interval, then when due.
    const std::vector<std::tuple<int, int, int>> ticks{
        {0, 0, 1}, {0, 0, 1}, {0, 600, 2}, {599, 0, 2}, {1, 0, 3}};
    for (const auto& [seconds, interval, rows] : ticks) {
        clock.advanceSeconds(seconds);
        if (interval)
            control->setPollInterval(interval);
        control->PollTimerTick();
        EXPECT_EQ(ReadLines(log).size(), header + rows) << seconds << " s later, interval " << interval;
    }
    control->setPollInterval(kPollSeconds);

    const QString page = files.filePath("graph.htm");
    const QString image = files.filePath("graph.jpg");
    control->setAutoPublishFilename(page);
    control->setAutoPublishEnabled(true);
    QString published; // one digit per due tick
    const auto tick = [&](int seconds) {
        clock.advanceSeconds(seconds);
        TickOnly();
        published += (QFile::remove(page) & QFile::remove(image)) ? '1' : '0';
    };
    tick(0);  // setting the properties makes the next due tick publish
    tick(0);  // 10 s later, with 60 s between pages
    tick(40); // exactly 60 s later is not yet after
    tick(0);
    control->setAutoPublishInterval(20);
    tick(0); // a new interval makes the next due tick publish
    tick(0);
    control->setPaused(true);
    tick(10); // publishing goes on while paused
    control->setAutoPublishEnabled(false);
    tick(100);
    EXPECT_EQ(published, "10011010");
}
