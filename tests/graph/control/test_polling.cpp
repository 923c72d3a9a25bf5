// The polling cycle against a real snmpd.
#include "control_fixture.h"

#include "message_panel.h"
#include "response_number.h"

#include <locale_number.h>

#include <QLocale>
#include <cmath>
#include <limits>

// The graph waits for its baseline with empty cells and grey lights until a gauge has one answer
// and a counter two; every tick plots what the previous cycle brought.
TEST_F(ControlTest, BaselineHoldsUntilEveryTargetHasAValueAndThePlotRunsOneCycleLate)
{
    agent.setValue("1.1", Type::Counter32, 1000);
    agent.setValue("3.1", Type::Gauge32, 40);
    TargetOID* counter = AddTarget("counterObj", "1");
    TargetOID* gauge = AddTarget("gaugeObj", "1");
    QSignalSpy answers(&control->SNMP(), &SNMPSession::Response);

    ResetGraph();
    EXPECT_FALSE(control->BaseLineMessage()->isHidden());
    EXPECT_EQ(Shown(gauge), QString());
    EXPECT_EQ(Light(gauge), ValueTableModel::PictureGray);
    ASSERT_TRUE(WaitForAnswers(answers, 0, 2));

    // Cycle 1: the plot gets cycle 0's answers; the counter still holds the baseline up.
    agent.setValue("1.1", Type::Counter32, 2000);
    agent.setValue("3.1", Type::Gauge32, 55);
    Cycle();
    EXPECT_EQ(NewestPoint(gauge), 40.0);
    EXPECT_TRUE(std::isnan(NewestPoint(counter))) << "a rate needs two samples";
    EXPECT_FALSE(control->BaseLineMessage()->isHidden());
    EXPECT_EQ(Shown(gauge), ValueTableModel::FormatValue(40, gauge->Units()));
    EXPECT_EQ(Light(gauge), ValueTableModel::PictureGray);

    // Cycle 2: every target has shown a value, so the baseline is over and the lights are green.
    agent.setValue("1.1", Type::Counter32, 4000);
    Cycle();
    EXPECT_DOUBLE_EQ(NewestPoint(counter), 100.0) << "1000 more in 10 seconds";
    EXPECT_EQ(NewestPoint(gauge), 55.0);
    EXPECT_EQ(control->ChartObject()->PointValue(gauge->Subset(), ChartBinding::Points - 2), 40.0);
    EXPECT_TRUE(control->BaseLineMessage()->isHidden());
    EXPECT_EQ(std::pair(Light(counter), Light(gauge)),
              std::pair(ValueTableModel::PictureGreen, ValueTableModel::PictureGreen));
    EXPECT_EQ(Shown(counter), ValueTableModel::FormatValue(100, counter->Units()));
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
    ResetAndWait();
    Cycle();
    ASSERT_EQ(NewestPoint(gauge), 40.0);

    QSignalSpy state(control.get(), &RTTrendwick::StateChanged);
    control->setPaused(true);
    control->setPaused(true);
    EXPECT_EQ(state.count(), 1) << "the same value again is no change";
    EXPECT_FALSE(control->PauseMessage()->isHidden());

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
    EXPECT_EQ(Shown(gauge), ValueTableModel::FormatValue(40, gauge->Units()));
    EXPECT_EQ(ReadLines(log).size(), lines);

    // Clicking the notice resumes.
    QTest::mouseClick(control->PauseMessage(), Qt::LeftButton);
    EXPECT_FALSE(control->Paused());
    EXPECT_TRUE(control->PauseMessage()->isHidden());
    EXPECT_EQ(state.count(), 2);
    Cycle();
    EXPECT_EQ(NewestPoint(gauge), 70.0);
    EXPECT_EQ(Shown(gauge), ValueTableModel::FormatValue(70, gauge->Units()));
    EXPECT_EQ(ReadLines(log).size(), lines + 1);
}

// Answers that carry nothing usable: a tag of no target, a text value, an agent gone silent.
TEST_F(ControlTest, UnusableRepliesLeaveValuesAloneAndTheGraphRecovers)
{
    agent.setValue("3.1", Type::Gauge32, 40);
    agent.setValue("1.1", Type::Counter32, 1000);
    TargetOID* gauge = AddTarget("gaugeObj", "1");
    TargetOID* counter = AddTarget("counterObj", "1");
    QSignalSpy answers(&control->SNMP(), &SNMPSession::Response);
    ResetGraph();
    ASSERT_TRUE(WaitForAnswers(answers, 0, 2));
    agent.setValue("1.1", Type::Counter32, 2000);
    Cycle();
    ASSERT_EQ(std::pair(gauge->Value(), counter->Value()), std::pair(40.0, 100.0));

    // An answer for a target that is gone (its tag names no target) changes nothing.
    agent.setValue("3.1", Type::Gauge32, 99);
    const int history = gauge->HistoryCount();
    control->SNMP().setRequestTag("O:99");
    control->SNMP().setOID(gauge->OID().DottedOID() + QStringLiteral(".1"));
    control->SNMP().SendGet(agent.address());
    ASSERT_TRUE(WaitForAnswers(answers, 4, 1));
    EXPECT_EQ(std::pair(gauge->Value(), int(gauge->HistoryCount())), std::pair(40.0, history));

    agent.setValue("3.1", Type::String, "abc");
    Cycle();
    EXPECT_EQ(gauge->LastError(), "Could not convert OID value to numerical. Value returned: (abc)");
    EXPECT_EQ(gauge->Value(), 40.0);
    EXPECT_EQ(counter->LastError(), QString());

    agent.stop();
    Cycle();
    EXPECT_EQ(gauge->LastError() + counter->LastError(), "No ResponseNo Response");
    Cycle(); // the table shows what the silent cycle left
    EXPECT_EQ(Light(gauge), ValueTableModel::PictureRed);
    EXPECT_EQ(CellText(counter, ValueTableModel::ColLastError), "No Response");

    ASSERT_TRUE(agent.start());
    agent.setValue("3.1", Type::Gauge32, 60);
    agent.setValue("1.1", Type::Counter32, 5000);
    Cycle();
    EXPECT_EQ(std::pair(gauge->LastError(), gauge->Value()), std::pair(QString(), 60.0));
    EXPECT_EQ(counter->Value(), TargetOID::NoValue)
        << "a restarted agent's counter needs a new base, no spike";
    agent.setValue("1.1", Type::Counter32, 6000);
    Cycle();
    EXPECT_DOUBLE_EQ(counter->Value(), 100.0);
    EXPECT_EQ(std::pair(Light(gauge), Light(counter)),
              std::pair(ValueTableModel::PictureGreen, ValueTableModel::PictureGreen));
    EXPECT_EQ(NewestPoint(gauge), 60.0);
    Cycle();
    EXPECT_DOUBLE_EQ(NewestPoint(counter), 100.0);
}

// A vanished row (noSuchInstance in SNMPv2c) and a Counter64 asked in SNMPv1 (noSuchName for the
// whole request) fail alone; the version comes from the settings at every poll.
TEST_F(ControlTest, RowsTheAgentCannotServeFailAloneUntilTheyAreBack)
{
    agent.setValue("3.1", Type::Gauge32, 40);
    agent.setValue("3.2", Type::Gauge32, 50);
    agent.setValue("3.3", Type::Counter64, 5000000000u);
    TargetOID* first = AddTarget("gaugeObj", "1");
    TargetOID* vanishing = AddTarget("gaugeObj", "2");
    TargetOID* wide = AddTarget("gaugeObj", "3");
    ResetAndWait();
    ASSERT_EQ(wide->Value(), 5000000000.0);

    const auto poll = [&](int firstValue, int wideValue) {
        agent.setValue("3.1", Type::Gauge32, firstValue);
        agent.setValue("3.3", Type::Counter64, wideValue);
        Cycle();
        return QStringList{vanishing->LastError(), wide->LastError()};
    };
    agent.removeValue("3.2");
    EXPECT_EQ(poll(41, 7), (QStringList{"No Response", QString()}));
    EXPECT_EQ(std::vector({first->Value(), vanishing->Value(), wide->Value()}),
              std::vector({41.0, 50.0, 7.0}));
    agent.setValue("3.2", Type::Gauge32, 52);
    EXPECT_EQ(poll(42, 8), (QStringList{QString(), QString()}));
    EXPECT_EQ(vanishing->Value(), 52.0);

    settings.setSNMPVersion(1);
    EXPECT_EQ(poll(43, 9), (QStringList{QString(), "No Response"}));
    EXPECT_EQ(std::pair(first->Value(), wide->Value()), std::pair(43.0, 8.0));
    settings.setSNMPVersion(2);
    EXPECT_EQ(poll(44, 10), (QStringList{QString(), QString()}));
    EXPECT_EQ(std::pair(first->Value(), wide->Value()), std::pair(44.0, 10.0));
}

// Answers that come after the next tick went out are still credited.
TEST_F(ControlTest, SlowAnswersLandAfterTheNextTickAndStillCount)
{
    settings.setSNMPVersion(1); // no uptime is asked along, so every answer counted is the counter's
    agent.setValue("1.1", Type::Counter32, 1000);
    TargetOID* counter = AddTarget("counterObj", "1");
    QSignalSpy answers(&control->SNMP(), &SNMPSession::Response);
    ResetGraph();
    ASSERT_TRUE(WaitForAnswers(answers, 0, 1));
    agent.setValue("1.1", Type::Counter32, 2000);
    Cycle();
    ASSERT_DOUBLE_EQ(counter->Value(), 100.0);

    settings.setSNMPTimeout(5000);
    agent.setDelay(400);
    agent.setValue("1.1", Type::Counter32, 5000);
    TickOnly();
    QTest::qWait(50); // the request leaves, as it would long before the next tick
    TickOnly();
    ASSERT_EQ(answers.count(), 2) << "nothing can have come back within the agent's delay";
    EXPECT_DOUBLE_EQ(NewestPoint(counter), 100.0);
    ASSERT_TRUE(WaitForAnswers(answers, 2, 1));
    EXPECT_DOUBLE_EQ(counter->Value(), 150.0) << "3000 more in the 20 s since the last answer";
    ASSERT_TRUE(WaitForAnswers(answers, 2, 2));

    agent.setDelay(0);
    agent.setValue("1.1", Type::Counter32, 6000);
    Cycle();
    EXPECT_DOUBLE_EQ(counter->Value(), 100.0);
}

// Late answers to a closed graph go nowhere, not even to another graph with the same target key.
TEST_F(ControlTest, ClosedControlIgnoresAnswersStillOnTheirWay)
{
    agent.setValue("3.1", Type::Gauge32, 40);
    agent.setValue("3.2", Type::Gauge32, 70);
    TargetOID* closing = AddTarget("gaugeObj", "1");
    std::unique_ptr<RTTrendwick> other = MakeControl();
    TargetOID* kept = AddTarget("gaugeObj", "2", "agent", other.get());
    ASSERT_EQ(kept->Key(), closing->Key());
    const QString log = files.filePath("closing.csv");
    control->setLogFilename(log);
    control->setLoggingEnabled(true);
    ResetGraph();
    ResetGraph(other.get());
    ASSERT_TRUE(
        QTest::qWaitFor([&] { return closing->Value() == 40.0 && kept->Value() == 70.0; }, kReplyWaitMs));

    agent.setDelay(300);
    TickOnly();
    const QStringList lines = ReadLines(log);
    control->Shutdown();
    control.reset();
    Cycle(other.get()); // the agent answers the closed graph's request first
    EXPECT_EQ(std::pair(kept->Min(), int(kept->HistoryCount())), std::pair(70.0f, 2));
    EXPECT_EQ(ReadLines(log), lines);
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
    EXPECT_EQ(std::pair(control->SNMP().Timeout(), int(control->SNMP().Retries())), std::pair(300, 3));
    settings.setPollInterval(30);
    EXPECT_EQ(control->PollInterval(), kPollSeconds) << "a running graph keeps its own interval";

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

// The fast reading of answer texts must agree with the locale-aware one it short-cuts.
TEST(ResponseNumber, AgreesWithTheLocaleAwareReading)
{
    // The last but one is a Counter64 beyond the short cut; the last, Arabic-Indic digits.
    const QStringList texts{
        "0", "40", "-17", "007", "999999999999999", "4294967295",           "1.5",         " 42 ",
        "-", "",   "12a", "abc", "1.3.6.1.2.1",     "18446744073709551615", "\u0661\u0662"};
    for (const char* name : {"C", "de_DE", "ar_EG"}) {
        QLocale::setDefault(QLocale(QString::fromLatin1(name)));
        for (const QString& text : texts) {
            const std::optional<double> expected = LocaleNumber(text), fast = ResponseNumber(text);
            ASSERT_EQ(fast.has_value(), expected.has_value()) << name << " \"" << text.toStdString() << '"';
            if (expected) {
                EXPECT_EQ(*fast, *expected) << name << " \"" << text.toStdString() << '"';
            }
        }
    }
    QLocale::setDefault(QLocale::c());
    // Integers that came as numbers read as their written-out texts do.
    for (const SnmpValue& value :
         {SnmpValue::Signed(-17), SnmpValue::Signed(std::numeric_limits<qint64>::min()),
          SnmpValue::Unsigned(4294967295u), SnmpValue::Unsigned(std::numeric_limits<quint64>::max())})
        EXPECT_EQ(ResponseNumber(value), ResponseNumber(value.ToText())) << value.ToText().toStdString();
    EXPECT_EQ(ResponseNumber(SnmpValue::Text(QStringLiteral("12"))), 12.0);
    EXPECT_FALSE(ResponseNumber(SnmpValue()).has_value());
}
