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

#include <QCheckBox>
#include <QLineEdit>
#include <QSlider>
#include <QTest>
#include <QTimer>
#include <modal_driver.h>

namespace {

class DialogCommandsTest : public AppTest {
protected:
    /// Runs action while step handles each modal dialog that comes up, until step answers true.
    static bool Drive(std::function<bool(QDialog*)> step, const std::function<void()>& action)
    {
        ModalDriver driver(std::move(step));
        action();
        return QTest::qWaitFor([&] { return driver.done || driver.timedOut; }, 16000) && driver.done;
    }
    QString LastMessage() const { return prompter.calls.isEmpty() ? QString() : prompter.calls.last().text; }

    GraphWindow* window = new GraphWindow(settings, clock, &prompter);
    RTTrendwick& control = window->Control();
};

} // namespace

TEST_F(DialogCommandsTest, SettingsOpenFromTheMenuAndToolbarAndReachOpenAndNewGraphs)
{
    // Cancel from the File menu writes nothing.
    ASSERT_TRUE(Drive(
        [&](QDialog* dialog) {
            Child<QSlider>(dialog, "PollInterval_Slider")->setValue(300);
            Click(dialog, "Cancel_Button");
            return true;
        },
        [&] { window->MenuItem("SettingsSelection")->trigger(); }));
    EXPECT_EQ(settings.PollInterval(), 1);

    ASSERT_TRUE(Drive(
        [&](QDialog* dialog) {
            EXPECT_TRUE(qobject_cast<SettingsForm*>(dialog)) << dialog->metaObject()->className();
            Child<QSlider>(dialog, "PollInterval_Slider")->setValue(42);
            Child<QSlider>(dialog, "SNMPTimeout_Slider")->setValue(1234);
            Click(dialog, "OK_Button");
            return true;
        },
        [&] { window->ToolbarButton("Settings")->trigger(); }));
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

    const ValueTableModel& model = control.TableModel();
    const QRect cell = control.Table()->visualRect(
        model.index(0, model.ColumnIds().indexOf(ValueTableModel::ColEditButton)));
    ASSERT_TRUE(cell.isValid());
    ASSERT_TRUE(Drive(
        [&](QDialog* dialog) {
            EXPECT_TRUE(qobject_cast<CustomSubsetForm*>(dialog)) << dialog->metaObject()->className();
            EXPECT_EQ(Child<QLineEdit>(dialog, "IPText")->text(), s_agent->address());
            Child<QCheckBox>(dialog, "AutoLabelCheck")->setChecked(false);
            Child<QLineEdit>(dialog, "LabelText")->setText("Core uplink");
            Click(dialog, "OK_Button");
            return true;
        },
        [&] {
            QTest::mouseClick(control.Table()->viewport(), Qt::LeftButton, Qt::NoModifier, cell.center());
        }));

    EXPECT_EQ(target->Label(), "Core uplink");
    QCPLegend* legend = control.ChartObject()->Plot()->legend;
    QStringList names;
    for (int i = 0; i < legend->itemCount(); ++i) {
        if (auto* item = qobject_cast<QCPPlottableLegendItem*>(legend->item(i)))
            names.append(item->plottable()->name());
    }
    EXPECT_TRUE(names.contains("Core uplink")) << names.join('|').toStdString();

    // A double-click on the series asks for the same dialog; Cancel leaves the target alone.
    ASSERT_TRUE(Drive(
        [&](QDialog* dialog) {
            Child<QLineEdit>(dialog, "LabelText")->setText("not kept");
            Click(dialog, "Cancel_Button");
            return true;
        },
        [&] { Q_EMIT control.ChartObject()->SeriesActivated(target->Subset()); }));
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
    // The picker runs inside the series dialog's click, so the series dialog's part is queued.
    const auto step = [&](QDialog* dialog) {
        if (auto* rows = qobject_cast<SelectIndexForm*>(dialog)) {
            const SelectIndexLogic* walk = rows->logic();
            if (!walk || walk->Walking() || walk->rowCount() == 0)
                return false;
            offered = walk->IndexText(walk->rowCount() - 1);
            rows->logic()->setChecked(walk->rowCount() - 1, true);
            Click(rows, "OK_Button");
            return true;
        }
        if (qobject_cast<CustomSubsetForm*>(dialog) && !pickerShown) {
            pickerShown = true;
            QTimer::singleShot(0, dialog, [&, dialog] {
                Click(dialog, "IndexBrowser_Button");
                picked = Child<QLineEdit>(dialog, "IndexText")->text();
                Click(dialog, "OK_Button");
            });
        }
        return false;
    };
    ASSERT_TRUE(Drive(step, [&] { window->CustomizeSeries(target); })) << "the picker found no row";
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
