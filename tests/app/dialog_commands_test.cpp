// The settings and series dialogs opened from the graph window's own commands, and a hand-broken
// settings file met by every command that reads it before talking to a device.
#include "app_fixture.h"

#include <add_mib_logic.h>
#include <chart_binding.h>
#include <custom_subset_form.h>
#include <qcustomplot.h>
#include <rt_trendwick.h>
#include <select_index_form.h>
#include <select_index_logic.h>
#include <settings_form.h>
#include <snmp_session.h>
#include <target_oids.h>
#include <value_table_model.h>
#include <value_table_view.h>

#include <QApplication>
#include <QCheckBox>
#include <QElapsedTimer>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QSlider>
#include <QTest>
#include <QTimer>

namespace {

class DialogCommandsTest : public AppTest {
protected:
    /// Runs step on the next modal dialog, once. Every dialog still open after 20 s is
    /// rejected, so a failed step cannot hang the test.
    void WhenModal(std::function<void(QDialog*)> step)
    {
        m_stepDone = false;
        m_clock.start();
        m_poll.disconnect();
        QObject::connect(&m_poll, &QTimer::timeout, [this, step = std::move(step)] {
            auto* dialog = qobject_cast<QDialog*>(QApplication::activeModalWidget());
            if (dialog && !m_stepDone) {
                m_stepDone = true;
                step(dialog);
            } else if (m_clock.elapsed() > 20000) {
                for (QWidget* widget : QApplication::topLevelWidgets()) {
                    if (auto* open = qobject_cast<QDialog*>(widget); open && open->isVisible())
                        open->reject();
                }
            }
        });
        m_poll.start(10);
    }
    /// Lets events run until the step has run (or the guard gave up).
    bool StepRan()
    {
        while (!m_stepDone && m_clock.elapsed() < 20000)
            QCoreApplication::processEvents(QEventLoop::AllEvents, 50);
        m_poll.stop();
        return m_stepDone;
    }
    template <typename Widget>
    static Widget* Child(QWidget* parent, const char* name)
    {
        auto* child = parent->findChild<Widget*>(QLatin1String(name));
        EXPECT_NE(child, nullptr) << name;
        return child;
    }
    static void Click(QWidget* parent, const char* button)
    {
        if (auto* found = Child<QPushButton>(parent, button))
            QTest::mouseClick(found, Qt::LeftButton);
    }
    /// The message shown last, "" when there was none.
    QString LastMessage() const { return prompter.calls.isEmpty() ? QString() : prompter.calls.last().text; }

    GraphWindow* window = new GraphWindow(settings, clock, &prompter);
    RTTrendwick& control = window->Control();

private:
    QTimer m_poll;
    QElapsedTimer m_clock;
    bool m_stepDone = false;
};

} // namespace

TEST_F(DialogCommandsTest, SettingsOpenFromTheMenuAndToolbarAndReachOpenAndNewGraphs)
{
    // The command does not depend on the graph having targets.
    EXPECT_TRUE(window->MenuItem("SettingsSelection")->isEnabled());
    EXPECT_TRUE(window->ToolbarButton("Settings")->isEnabled());

    // Cancel from the File menu writes nothing.
    WhenModal([&](QDialog* dialog) {
        Child<QSlider>(dialog, "PollInterval_Slider")->setValue(300);
        Click(dialog, "Cancel_Button");
    });
    window->MenuItem("SettingsSelection")->trigger();
    ASSERT_TRUE(StepRan());
    EXPECT_EQ(settings.PollInterval(), 1);

    QStringList labels;
    WhenModal([&](QDialog* dialog) {
        ASSERT_TRUE(qobject_cast<SettingsForm*>(dialog)) << dialog->metaObject()->className();
        Child<QSlider>(dialog, "PollInterval_Slider")->setValue(42);
        Child<QSlider>(dialog, "SNMPTimeout_Slider")->setValue(1234);
        for (const char* name : {"PollInterval", "SNMPTimeout", "SNMPRetries"})
            labels.append(Child<QLabel>(dialog, name)->text());
        Click(dialog, "OK_Button");
    });
    window->ToolbarButton("Settings")->trigger();
    ASSERT_TRUE(StepRan());
    EXPECT_EQ(labels, QStringList({"42 seconds", "1234 milliseconds", "1 Attempts"}));
    // The open graph follows the announcement at once; a new graph starts with the new interval.
    EXPECT_EQ(control.SNMP().Timeout(), 1234);
    GraphWindow second(settings, clock, &prompter);
    EXPECT_EQ(second.Control().PollInterval(), 42);
}

TEST_F(DialogCommandsTest, TheTablesEditButtonOpensTheSeriesDialogAndTheLegendShowsTheNewLabel)
{
    TargetOID* target =
        control.TargetOIDs().Add(s_agent->address(), s_agent->address(), "public", "sysUpTime", "0");
    control.Reset();
    window->show();
    ASSERT_TRUE(QTest::qWaitForWindowExposed(window));

    WhenModal([&](QDialog* dialog) {
        ASSERT_TRUE(qobject_cast<CustomSubsetForm*>(dialog)) << dialog->metaObject()->className();
        EXPECT_EQ(Child<QLineEdit>(dialog, "IPText")->text(), s_agent->address());
        Child<QCheckBox>(dialog, "AutoLabelCheck")->setChecked(false);
        Child<QLineEdit>(dialog, "LabelText")->setText("Core uplink");
        Click(dialog, "OK_Button");
    });
    const ValueTableModel& model = control.TableModel();
    const QRect cell = control.Table()->visualRect(
        model.index(0, model.ColumnIds().indexOf(ValueTableModel::ColEditButton)));
    ASSERT_TRUE(cell.isValid());
    QTest::mouseClick(control.Table()->viewport(), Qt::LeftButton, Qt::NoModifier, cell.center());
    ASSERT_TRUE(StepRan());

    EXPECT_EQ(target->Label(), "Core uplink");
    QCPLegend* legend = control.ChartObject()->Plot()->legend;
    QStringList names;
    for (int i = 0; i < legend->itemCount(); ++i) {
        if (auto* item = qobject_cast<QCPPlottableLegendItem*>(legend->item(i)))
            names.append(item->plottable()->name());
    }
    EXPECT_TRUE(names.contains("Core uplink")) << names.join('|').toStdString();

    // A double-click on the series asks for the same dialog; Cancel leaves the target alone.
    WhenModal([&](QDialog* dialog) {
        Child<QLineEdit>(dialog, "LabelText")->setText("not kept");
        Click(dialog, "Cancel_Button");
    });
    Q_EMIT control.ChartObject()->SeriesActivated(target->Subset());
    ASSERT_TRUE(StepRan());
    EXPECT_EQ(target->Label(), "Core uplink");
}

TEST_F(DialogCommandsTest, TheSeriesDialogPicksItsIndexFromTheRowsOnTheDevice)
{
    TargetOID* target =
        control.TargetOIDs().Add(s_agent->address(), s_agent->address(), "public", "ifInOctets", "999");
    control.Reset();
    QString offered;
    QString picked;
    bool pickerShown = false;
    QElapsedTimer clock;
    clock.start();
    QTimer poll;
    // The picker runs inside the series dialog's click; the timer serves both, by dialog.
    QObject::connect(&poll, &QTimer::timeout, [&] {
        QWidget* dialog = QApplication::activeModalWidget();
        if (clock.elapsed() > 20000) {
            if (auto* open = qobject_cast<QDialog*>(dialog))
                open->reject();
        } else if (auto* rows = qobject_cast<SelectIndexForm*>(dialog)) {
            const SelectIndexLogic* walk = rows->logic();
            if (walk && !walk->Walking() && walk->rowCount() > 0 && offered.isEmpty()) {
                offered = walk->IndexText(walk->rowCount() - 1);
                rows->logic()->setChecked(walk->rowCount() - 1, true);
                Click(rows, "OK_Button");
            }
        } else if (qobject_cast<CustomSubsetForm*>(dialog) && !pickerShown) {
            pickerShown = true;
            // A timer does not fire again while its own slot runs: the picker blocks elsewhere.
            QTimer::singleShot(0, dialog, [&, dialog] {
                Click(dialog, "IndexBrowser_Button");
                picked = Child<QLineEdit>(dialog, "IndexText")->text();
                Click(dialog, "OK_Button");
            });
        }
    });
    poll.start(10);
    window->CustomizeSeries(target);
    ASSERT_FALSE(offered.isEmpty()) << "the picker found no row";
    EXPECT_EQ(picked, offered);
    EXPECT_EQ(target->Index(), offered);
}

TEST_F(DialogCommandsTest, ABrokenSettingsFileIsToldAndEveryCommandGoesOn)
{
    settings.SaveOption("SNMP Version", "two");
    const auto told = [&] {
        const QString text = LastMessage();
        return text.contains("\"SNMP Version\"") && text.contains("\"two\"") &&
               text.contains(settings.FileName());
    };
    const QString address = s_agent->address();

    // GraphMIB: told before any device is asked; nothing is added.
    EXPECT_NO_THROW(window->GraphMIB(address, "public", "sysUpTime"));
    EXPECT_TRUE(told()) << LastMessage().toStdString();
    EXPECT_EQ(control.TargetOIDs().Count(), 0);

    // The Add OID dialog's OK: told, and the dialog stays open.
    AddMibLogic addMib(prompter, window->SNMP(), settings, 10);
    AddMibLogic::Entries entries{address, "public", "sysUpTime", QString(), QString()};
    prompter.calls.clear();
    AddMibLogic::Outcome outcome;
    EXPECT_NO_THROW(outcome = addMib.Accept(entries));
    EXPECT_FALSE(outcome.accepted);
    EXPECT_TRUE(told()) << LastMessage().toStdString();

    // The index selection: told, no walk, nothing added.
    SelectIndexForm indexes(window->SNMP(), settings, window);
    indexes.setPrompter(&prompter);
    prompter.calls.clear();
    bool selected = true;
    EXPECT_NO_THROW(selected = indexes.SelectIndexes(control.TargetOIDs(), address, address, "public",
                                                     "ifInOctets", QString(), QString()));
    EXPECT_FALSE(selected);
    EXPECT_TRUE(told()) << LastMessage().toStdString();
    EXPECT_EQ(control.TargetOIDs().Count(), 0);

    // Once the file is corrected the same command goes through.
    settings.SaveOption("SNMP Version", "2");
    window->GraphMIB(address, "public", "sysUpTime");
    EXPECT_EQ(control.TargetOIDs().Count(), 1) << LastMessage().toStdString();
}
