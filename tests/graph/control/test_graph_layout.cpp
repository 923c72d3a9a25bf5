// How the control builds and arranges its graph: series numbers, axes, colours and titles after
// Reset, the table pane, the requests that leave through signals, and an empty graph.
#include "control_fixture.h"

#include "message_panel.h"

#include <chart_style.h>
#include <rgb_color.h>
#include <value_table_view.h>
#include <y_axises.h>

#include <QSplitter>

namespace {

QStringList Labels(RTTrendwick& graph)
{
    QStringList labels;
    for (TargetOID* target : graph.TargetOIDs())
        labels.append(target->Label());
    return labels;
}

} // namespace

TEST_F(ControlTest, ResetNumbersSeriesAxisByAxisAndGivesPaletteColours)
{
    TargetOID* first = AddTarget("counterObj", "1");
    TargetOID* gauge = AddTarget("gaugeObj", "1");
    TargetOID* second = AddTarget("counterObj", "2");
    ResetGraph();

    ASSERT_EQ(control->YAxises().Count(), 2);
    EXPECT_EQ(control->YAxises().At(0)->Subsets(), 2) << "the second counter shares the first axis";
    EXPECT_EQ(control->YAxises().At(1)->Subsets(), 1);
    EXPECT_EQ(QList<int>({first->Subset(), second->Subset(), gauge->Subset()}), QList<int>({0, 1, 2}));
    EXPECT_EQ(control->ChartObject()->SeriesCount(), 3);

    const ChartStyle& style = control->ChartStyle();
    EXPECT_EQ(QList<qint32>({first->Color(), gauge->Color(), second->Color()}),
              QList<qint32>({style.SubsetColor(0), style.SubsetColor(1), style.SubsetColor(2)}))
        << "colours go in collection order";

    // A second Reset keeps the colours the targets have.
    ResetGraph();
    EXPECT_EQ(gauge->Color(), style.SubsetColor(1));
}

TEST_F(ControlTest, AutomaticTitlesAndSeriesLabelsFollowWhatTheTargetsShare)
{
    const QString elsewhere = QStringLiteral("127.0.0.2:%1").arg(agent.port());
    TargetOID* one = AddTarget("gaugeObj", "1", "alpha");
    one->setInstance("eth0");
    ResetGraph();
    EXPECT_EQ(control->MainTitle(), "alpha");
    EXPECT_EQ(control->SubTitle(), "eth0:gaugeObj");
    EXPECT_EQ(Labels(*control), QStringList{QString()});

    // Two hosts, one object.
    control->TargetOIDs().Clear();
    AddTarget("gaugeObj", "1", "alpha");
    control->TargetOIDs().Add("beta", elsewhere, agent.community(), "gaugeObj", "1");
    ResetGraph();
    EXPECT_EQ(control->MainTitle(), "gaugeObj");
    EXPECT_EQ(control->SubTitle(), QString());
    EXPECT_EQ(Labels(*control), (QStringList{"alpha", "beta"}));

    // One host, two instances of one object.
    control->TargetOIDs().Clear();
    AddTarget("gaugeObj", "1", "alpha")->setInstance("eth0");
    AddTarget("gaugeObj", "2", "alpha")->setInstance("eth1");
    ResetGraph();
    EXPECT_EQ(control->MainTitle(), "alpha");
    EXPECT_EQ(control->SubTitle(), "gaugeObj");
    EXPECT_EQ(Labels(*control), (QStringList{"eth0", "eth1"}));

    // A title set by hand stays through later Resets.
    control->setMainTitle("Core links");
    ResetGraph();
    EXPECT_EQ(control->MainTitle(), "Core links");
}

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
    EXPECT_EQ(prompter.calls.last().title, "Select Subset Color ...");
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
    ASSERT_EQ(series.count(), 1);
    EXPECT_EQ(series.last().at(0).value<TargetOID*>(), second);
    Q_EMIT control->ChartObject()->SeriesActivated(first->Subset());
    ASSERT_EQ(series.count(), 2);
    EXPECT_EQ(series.last().at(0).value<TargetOID*>(), first);

    Q_EMIT control->ChartObject()->CustomizeRequested(3);
    control->ShowCustomizeDialog();
    ASSERT_EQ(customize.count(), 2);
    EXPECT_EQ(customize.at(0).at(0).toInt(), 3);
    EXPECT_EQ(customize.at(1).at(0).toInt(), 1);

    Q_EMIT control->ChartObject()->ZoomChanged();
    EXPECT_EQ(state.count(), 2);
    QSignalSpy mouse(control.get(), &RTTrendwick::MouseDown);
    Q_EMIT control->ChartObject()->MouseDown(2, 1, 5.5f, 6.5f);
    ASSERT_EQ(mouse.count(), 1);
    EXPECT_EQ(mouse.at(0).at(0).value<qint16>(), 2);
    EXPECT_EQ(mouse.at(0).at(3).toFloat(), 6.5f);

    // Remove button: the target leaves and the graph is rebuilt without it.
    const QString key = first->Key();
    click(first, ValueTableModel::ColRemoveButton);
    EXPECT_EQ(control->TargetOIDs().FindKey(key), nullptr);
    EXPECT_EQ(control->TargetOIDs().Count(), 1);
    EXPECT_EQ(control->TableModel().rowCount(), 1);
    EXPECT_EQ(control->ChartObject()->SeriesCount(), 1);
    EXPECT_EQ(second->Subset(), 0);
    EXPECT_EQ(state.count(), 3);
}

TEST_F(ControlTest, SmallTableGetsExactlyItsRowsAndBigOneKeepsTheSplit)
{
    AddTarget("gaugeObj", "1");
    AddTarget("gaugeObj", "2");
    ResetGraph();
    const int margin = (20 * control->logicalDpiY() + 720) / 1440;
    QSplitter* splitter = control->Splitter();
    ASSERT_FALSE(splitter->isHidden());
    EXPECT_EQ(splitter->sizes().value(1), control->Table()->RowsHeight() + margin);
    control->setMIBListVisible(false);
    EXPECT_TRUE(control->Table()->isHidden());
    control->setMIBListVisible(true);
    EXPECT_EQ(splitter->sizes().value(1), control->Table()->RowsHeight() + margin);

    // Rows beyond 3000 twips: the pane keeps the height it has.
    for (int index = 3; index <= 40; ++index)
        AddTarget("gaugeObj", QString::number(index));
    const int total = splitter->sizes().value(0) + splitter->sizes().value(1);
    splitter->setSizes({total - 250, 250});
    ResetGraph();
    EXPECT_GT(control->Table()->RowsHeight(), (3000 * control->logicalDpiY()) / 1440);
    EXPECT_EQ(splitter->sizes().value(1), 250);
}

// An empty graph hides everything and stops polling; the interval properties clamp and make the
// next tick due at once; publishing runs on its own schedule at poll ticks, paused or not.
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

    // Each due, unpaused tick writes one log row, so the log counts the polls.
    agent.setValue("3.1", Type::Gauge32, 40);
    AddTarget("gaugeObj", "1");
    const QString log = files.filePath("polls.csv");
    control->setLogFilename(log);
    control->StoreLoggingEnabled(true);
    control->Reset();
    EXPECT_TRUE(control->PollTimer()->isActive());
    control->PollTimer()->stop();
    const auto lines = [&] { return ReadLines(log).size(); };
    const int header = lines();
    EXPECT_EQ(header, 4) << "a Reset of a logging graph starts with a header";
    control->PollTimerTick();
    ASSERT_EQ(lines(), header + 1) << "the first tick after a Reset polls";
    control->PollTimerTick();
    EXPECT_EQ(lines(), header + 1) << "not due yet";
    control->setPollInterval(600);
    control->PollTimerTick();
    EXPECT_EQ(lines(), header + 2) << "a new interval makes the next tick poll at once";
    clock.advanceSeconds(599);
    control->PollTimerTick();
    EXPECT_EQ(lines(), header + 2);
    clock.advanceSeconds(1);
    control->PollTimerTick();
    EXPECT_EQ(lines(), header + 3);
    control->setPollInterval(kPollSeconds);

    const QString page = files.filePath("graph.htm");
    const QString image = files.filePath("graph.jpg");
    control->setAutoPublishFilename(page);
    control->setAutoPublishEnabled(true);
    const auto publishedNow = [&] {
        TickOnly();
        const bool published = QFile::exists(page) && QFile::exists(image);
        QFile::remove(page);
        QFile::remove(image);
        return published;
    };
    EXPECT_TRUE(publishedNow()) << "setting the properties makes the next due tick publish";
    EXPECT_FALSE(publishedNow()) << "10 s later, with 60 s between pages";
    clock.advanceSeconds(40);
    EXPECT_FALSE(publishedNow()) << "exactly 60 s later is not yet after";
    EXPECT_TRUE(publishedNow());
    control->setAutoPublishInterval(20);
    EXPECT_TRUE(publishedNow()) << "a new interval makes the next due tick publish";
    EXPECT_FALSE(publishedNow());
    control->setPaused(true);
    clock.advanceSeconds(10);
    EXPECT_TRUE(publishedNow()) << "publishing goes on while paused";
    control->setAutoPublishEnabled(false);
    clock.advanceSeconds(100);
    EXPECT_FALSE(publishedNow());
}
