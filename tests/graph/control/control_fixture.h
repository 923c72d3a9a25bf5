#pragma once

#include <agent_restarts.h>
#include <chart_binding.h>
#include <clock.h>
#include <rt_trendwick.h>
#include <scripted_prompter.h>
#include <settings.h>
#include <snmp_session.h>
#include <target_oids.h>
#include <test_agent.h>
#include <value_table_model.h>

#include <QFile>
#include <QSignalSpy>
#include <QTemporaryDir>
#include <QTest>
#include <QTimer>
#include <algorithm>
#include <fake_mib.h>
#include <gtest/gtest.h>
#include <memory>
#include <qt_print.h>

/// The non-empty lines of a log or page; none when it cannot be read.
inline QStringList ReadLines(const QString& path)
{
    QFile file(path);
    return file.open(QIODevice::ReadOnly) ? QString::fromUtf8(file.readAll()).split('\n', Qt::SkipEmptyParts)
                                          : QStringList();
}

/// A private snmpd, a manual clock, scripted dialogs and one graph control wired to them; the
/// control's timer is stopped after each Reset so that the test alone decides when a cycle runs.
class ControlTest : public ::testing::Test {
protected:
    static constexpr int kPollSeconds = 10;
    static constexpr int kReplyWaitMs = 10000;
    using Type = TestAgent::ValueType;

    void SetUp() override
    {
        QString error;
        ASSERT_TRUE(agent.start(&error)) << error.toStdString();
        settings.setSNMPTimeout(200);
        settings.setSNMPRetries(1);
        settings.setSNMPVersion(2);
        settings.setPollInterval(kPollSeconds);
        settings.setAssumeCounterRollover(false);
        settings.setColumns(QStringLiteral("13,14,15,12,22,5,7,10,8,9,23"));
        // "counterObj" and "gaugeObj" are the agent's branches 1 and 3; an index follows the branch.
        mib.Add("TEST-MIB::counterObj", TestAgent::controlledOid("1"), "Counter32");
        mib.Add("TEST-MIB::gaugeObj", TestAgent::controlledOid("3"), "Gauge32");
        control = MakeControl();
    }

    std::unique_ptr<RTTrendwick> MakeControl(OIDResolver resolver = nullptr)
    {
        RTTrendwick::Seams seams;
        seams.resolver = resolver ? std::move(resolver) : mib.Resolver();
        auto made = std::make_unique<RTTrendwick>(settings, clock, prompter, std::move(seams));
        made->resize(900, 700);
        made->show();
        return made;
    }

    RTTrendwick& On(RTTrendwick* graph) const { return graph ? *graph : *control; }

    TargetOID* AddTarget(const QString& object, const QString& index,
                         const QString& host = QStringLiteral("agent"), RTTrendwick* graph = nullptr)
    {
        return On(graph).TargetOIDs().Add(host, agent.address(), agent.community(), object, index);
    }

    void ResetGraph(RTTrendwick* graph = nullptr)
    {
        On(graph).Reset();
        On(graph).PollTimer()->stop();
    }

    /// Waits until `count` more answers (or time-outs) than `before` have reached the control.
    bool WaitForAnswers(QSignalSpy& answers, int before, int count)
    {
        return QTest::qWaitFor([&] { return answers.count() >= before + count; }, kReplyWaitMs);
    }

    /// Resets and waits for the answers of the poll the Reset starts: every target has a base.
    void ResetAndWait(RTTrendwick* graph = nullptr)
    {
        QSignalSpy answers(&On(graph).SNMP(), &SNMPSession::Response);
        ResetGraph(graph);
        ASSERT_TRUE(WaitForAnswers(answers, 0, On(graph).TargetOIDs().Count()));
    }

    /// The tick alone, as the timer runs it once the interval is over; answers are left on their way.
    void TickOnly(RTTrendwick* graph = nullptr)
    {
        clock.advanceSeconds(On(graph).PollInterval());
        On(graph).PollTimerTick();
    }

    /// One poll cycle, until every target's answer has arrived (the uptime's is not one of them).
    void Cycle(RTTrendwick* graph = nullptr)
    {
        QSignalSpy answers(&On(graph).SNMP(), &SNMPSession::Response);
        const auto targetAnswers = [&answers] {
            return std::count_if(answers.begin(), answers.end(), [](const QList<QVariant>& answer) {
                return !AgentRestarts::IsUptimeTag(answer.at(4).toString());
            });
        };
        TickOnly(graph);
        ASSERT_TRUE(
            QTest::qWaitFor([&] { return targetAnswers() >= On(graph).TargetOIDs().Count(); }, kReplyWaitMs))
            << targetAnswers() << " answers of " << On(graph).TargetOIDs().Count();
    }

    QModelIndex Cell(const TargetOID* target, int columnId) const
    {
        const ValueTableModel& model = control->TableModel();
        for (int row = 0; row < model.rowCount(); ++row) {
            if (model.RowSubset(row) == target->Subset())
                return model.index(row, model.ColumnIds().indexOf(columnId));
        }
        return QModelIndex();
    }

    QString CellText(const TargetOID* target, int columnId) const
    {
        return Cell(target, columnId).data(Qt::DisplayRole).toString();
    }

    QString Shown(const TargetOID* target) const
    {
        return CellText(target, ValueTableModel::ColCurrentValue);
    }

    ValueTableModel::PictureKey Light(const TargetOID* target) const
    {
        return control->TableModel().Picture(Cell(target, ValueTableModel::ColStatusLED));
    }

    double NewestPoint(const TargetOID* target) const
    {
        return control->ChartObject()->PointValue(target->Subset(), ChartBinding::Points - 1);
    }

    FakeMib mib;
    TestAgent agent;
    Settings settings;
    ManualClock clock;
    ScriptedPrompter prompter;
    QTemporaryDir files;
    std::unique_ptr<RTTrendwick> control;
};
