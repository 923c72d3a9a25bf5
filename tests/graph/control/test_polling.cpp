// The polling cycle against a real snmpd: baseline, rates, the one-cycle-late display, pause,
// unusable replies, and the program-wide settings that reach a running graph.
#include "control_fixture.h"

#include "message_panel.h"

#include <y_axises.h>

#include <cmath>

// Given a counter (a rate) and a gauge, the graph waits for its baseline with empty cells and
// grey lights; the gauge has a value after the first answer, the counter only after the second.
// Every tick then plots what the previous cycle brought.
TEST_F(ControlTest, BaselineHoldsUntilEveryTargetHasAValueAndThePlotRunsOneCycleLate)
{
    agent.setValue("1.1", Type::Counter32, 1000);
    agent.setValue("3.1", Type::Gauge32, 40);
    TargetOID* counter = AddTarget("counterObj", "1");
    TargetOID* gauge = AddTarget("gaugeObj", "1");
    QSignalSpy answers(&control->SNMP(), &SNMPSession::Response);

    ResetGraph();
    EXPECT_FALSE(control->BaseLineMessage()->isHidden());
    EXPECT_EQ(control->BaseLineMessage()->text(), "Establishing SNMP Baseline\n\nPlease Wait ...");
    EXPECT_EQ(CellText(counter, ValueTableModel::ColCurrentValue), QString());
    EXPECT_EQ(CellText(gauge, ValueTableModel::ColCurrentValue), QString());
    EXPECT_EQ(Light(counter), ValueTableModel::PictureGray);
    EXPECT_EQ(Light(gauge), ValueTableModel::PictureGray);
    ASSERT_TRUE(WaitForAnswers(answers, 0, 2));

    // Cycle 1: the plot gets cycle 0's answers; the counter still holds the baseline up.
    agent.setValue("1.1", Type::Counter32, 2000);
    agent.setValue("3.1", Type::Gauge32, 55);
    Cycle();
    EXPECT_EQ(NewestPoint(gauge), 40.0);
    EXPECT_TRUE(std::isnan(NewestPoint(counter))) << "a rate needs two samples";
    EXPECT_FALSE(control->BaseLineMessage()->isHidden());
    EXPECT_EQ(CellText(gauge, ValueTableModel::ColCurrentValue),
              ValueTableModel::FormatValue(40, gauge->Units()));
    EXPECT_EQ(Light(gauge), ValueTableModel::PictureGray);

    // Cycle 2: every target has shown a value, so the baseline is over and the lights are green.
    agent.setValue("1.1", Type::Counter32, 4000);
    Cycle();
    EXPECT_DOUBLE_EQ(NewestPoint(counter), 100.0) << "1000 more in 10 seconds";
    EXPECT_EQ(NewestPoint(gauge), 55.0);
    EXPECT_EQ(control->ChartObject()->PointValue(gauge->Subset(), ChartBinding::Points - 2), 40.0);
    EXPECT_TRUE(control->BaseLineMessage()->isHidden());
    EXPECT_EQ(Light(counter), ValueTableModel::PictureGreen);
    EXPECT_EQ(Light(gauge), ValueTableModel::PictureGreen);
    EXPECT_EQ(CellText(counter, ValueTableModel::ColCurrentValue),
              ValueTableModel::FormatValue(100, counter->Units()));
    EXPECT_DOUBLE_EQ(counter->Value(), 200.0);

    // A target without a value brings the notice back with the next Reset.
    TargetOID* added = AddTarget("gaugeObj", "2");
    ResetGraph();
    EXPECT_FALSE(control->BaseLineMessage()->isHidden());
    EXPECT_EQ(Light(added), ValueTableModel::PictureGray);
}

TEST_F(ControlTest, PauseSkipsPlotTableAndLogWhileTargetsKeepUpdating)
{
    agent.setValue("3.1", Type::Gauge32, 40);
    TargetOID* gauge = AddTarget("gaugeObj", "1");
    const QString log = files.filePath("pause.csv");
    control->setLogFilename(log);
    control->setLoggingEnabled(true);
    QSignalSpy answers(&control->SNMP(), &SNMPSession::Response);
    ResetGraph();
    ASSERT_TRUE(WaitForAnswers(answers, 0, 1));
    Cycle();
    ASSERT_EQ(NewestPoint(gauge), 40.0);

    QSignalSpy state(control.get(), &RTTrendwick::StateChanged);
    control->setPaused(true);
    EXPECT_EQ(state.count(), 1);
    EXPECT_FALSE(control->PauseMessage()->isHidden());
    control->setPaused(true);
    EXPECT_EQ(state.count(), 1) << "the same value again is no change";

    const QString label = control->ChartObject()->PointLabel(ChartBinding::Points - 1);
    const int lines = ReadLines(log).size();
    const int history = gauge->HistoryCount();
    agent.setValue("3.1", Type::Gauge32, 70);
    Cycle();
    EXPECT_EQ(gauge->Value(), 70.0) << "requests still go out while paused";
    EXPECT_EQ(gauge->HistoryCount(), history + 1);
    Cycle();
    EXPECT_EQ(control->ChartObject()->PointLabel(ChartBinding::Points - 1), label);
    EXPECT_EQ(NewestPoint(gauge), 40.0);
    EXPECT_EQ(CellText(gauge, ValueTableModel::ColCurrentValue),
              ValueTableModel::FormatValue(40, gauge->Units()));
    EXPECT_EQ(ReadLines(log).size(), lines);

    // Clicking the notice resumes.
    QTest::mouseClick(control->PauseMessage(), Qt::LeftButton);
    EXPECT_FALSE(control->Paused());
    EXPECT_TRUE(control->PauseMessage()->isHidden());
    EXPECT_EQ(state.count(), 2);
    Cycle();
    EXPECT_EQ(NewestPoint(gauge), 70.0);
    EXPECT_EQ(CellText(gauge, ValueTableModel::ColCurrentValue),
              ValueTableModel::FormatValue(70, gauge->Units()));
    EXPECT_EQ(ReadLines(log).size(), lines + 1);
}

// Answers that carry nothing usable: a tag of no target, a text value, a silent agent; the graph
// picks up again when the agent is back.
TEST_F(ControlTest, UnusableRepliesLeaveValuesAloneAndTheGraphRecovers)
{
    agent.setValue("3.1", Type::Gauge32, 40);
    agent.setValue("4.1", Type::Gauge32, 7);
    TargetOID* gauge = AddTarget("gaugeObj", "1");
    TargetOID* other = AddTarget("otherGauge", "1");
    QSignalSpy answers(&control->SNMP(), &SNMPSession::Response);
    ResetGraph();
    ASSERT_TRUE(WaitForAnswers(answers, 0, 2));
    ASSERT_EQ(gauge->Value(), 40.0);

    // An answer for a target that is gone (its tag names no target) changes nothing.
    agent.setValue("3.1", Type::Gauge32, 99);
    const int history = gauge->HistoryCount();
    control->SNMP().setRequestTag("O:99");
    control->SNMP().setOID(gauge->OID().DottedOID() + QStringLiteral(".1"));
    control->SNMP().SendGet(agent.address());
    ASSERT_TRUE(WaitForAnswers(answers, 2, 1));
    EXPECT_EQ(gauge->Value(), 40.0);
    EXPECT_EQ(gauge->HistoryCount(), history);
    EXPECT_EQ(other->Value(), 7.0);

    agent.setValue("3.1", Type::String, "abc");
    Cycle();
    EXPECT_EQ(gauge->LastError(), "Could not convert OID value to numerical. Value returned: (abc)");
    EXPECT_EQ(gauge->Value(), 40.0);
    EXPECT_EQ(other->LastError(), QString());

    agent.stop();
    Cycle();
    EXPECT_EQ(gauge->LastError(), "No Response");
    EXPECT_EQ(other->LastError(), "No Response");
    EXPECT_EQ(other->Value(), 7.0);
    Cycle(); // the table shows what the silent cycle left
    EXPECT_EQ(Light(gauge), ValueTableModel::PictureRed);
    EXPECT_EQ(Light(other), ValueTableModel::PictureRed);
    EXPECT_EQ(CellText(other, ValueTableModel::ColLastError), "No Response");

    QString error;
    ASSERT_TRUE(agent.start(&error)) << error.toStdString();
    agent.setValue("3.1", Type::Gauge32, 60);
    Cycle();
    EXPECT_EQ(gauge->LastError(), QString());
    EXPECT_EQ(gauge->Value(), 60.0);
    Cycle();
    EXPECT_EQ(Light(gauge), ValueTableModel::PictureGreen);
    EXPECT_EQ(Light(other), ValueTableModel::PictureGreen);
    EXPECT_EQ(NewestPoint(gauge), 60.0);
}

TEST_F(ControlTest, ProgramWideSettingsReachTheRunningGraph)
{
    agent.setValue("1.1", Type::Counter32, 4294967000u);
    TargetOID* counter = AddTarget("counterObj", "1");
    QSignalSpy answers(&control->SNMP(), &SNMPSession::Response);
    ResetGraph();
    ASSERT_TRUE(WaitForAnswers(answers, 0, 1));

    settings.setColumns("7,8");
    EXPECT_EQ(control->TableModel().ColumnIds(), (QList<int>{7, 8}));
    EXPECT_EQ(control->TableModel().rowCount(), 1) << "rows come back after the new layout";
    settings.setSNMPTimeout(300);
    settings.setSNMPRetries(3);
    EXPECT_EQ(control->SNMP().Timeout(), 300);
    EXPECT_EQ(control->SNMP().Retries(), 3);
    settings.setPollInterval(30);
    EXPECT_EQ(control->PollInterval(), kPollSeconds) << "a running graph keeps its own interval";
    settings.setSNMPTimeout(200);
    settings.setSNMPRetries(1);

    // Without rollover a counter that went down leaves a gap and measures from there.
    agent.setValue("1.1", Type::Counter32, 704);
    Cycle();
    EXPECT_EQ(counter->Value(), TargetOID::NoValue);
    agent.setValue("1.1", Type::Counter32, 4294967000u);
    Cycle();
    ASSERT_NE(counter->Value(), TargetOID::NoValue);

    // With it, the same wrap is 1000 counts in 10 seconds.
    settings.setAssumeCounterRollover(true);
    agent.setValue("1.1", Type::Counter32, 704);
    Cycle();
    EXPECT_DOUBLE_EQ(counter->Value(), 100.0);

    // A target added later takes the program-wide permission too.
    TargetOID* later = AddTarget("counterObj", "2");
    agent.setValue("1.2", Type::Counter32, 4294967000u);
    const int before = answers.count();
    ResetGraph();
    ASSERT_TRUE(WaitForAnswers(answers, before, 2));
    agent.setValue("1.2", Type::Counter32, 704);
    Cycle();
    EXPECT_DOUBLE_EQ(later->Value(), 100.0);
}
