// The settings dialog's decisions, driven without a window: what it opens with, the column list
// edits, what OK writes and in which order, and a hand-broken store.
#include "settings_logic.h"

#include <scripted_prompter.h>
#include <settings.h>

#include <QSignalSpy>
#include <gtest/gtest.h>
#include <qt_print.h>

namespace {

class SettingsLogicTest : public ::testing::Test {
protected:
    QList<int> ChosenIds() const
    {
        QList<int> ids;
        for (const SettingsLogic::Column& column : logic.Chosen())
            ids.append(column.id);
        return ids;
    }
    QString LastMessage() const { return prompter.calls.isEmpty() ? QString() : prompter.calls.last().text; }

    Settings settings;
    ScriptedPrompter prompter;
    SettingsLogic logic{settings, prompter};
};

} // namespace

TEST_F(SettingsLogicTest, OpensWithTheStoredOptionsAndOkWritesThemAllInOrder)
{
    settings.setPollInterval(30);
    settings.setSNMPTimeout(700);
    settings.setSNMPRetries(3);
    settings.setAssumeCounterRollover(true);
    settings.setSNMPVersion(1);
    settings.setColumns("13,14,15,12,22,5,7,10,8,9");
    logic.Load();
    EXPECT_EQ(std::make_tuple(logic.values.pollInterval, logic.values.snmpTimeout, logic.values.snmpRetries,
                              logic.values.rolloverMethod1, logic.values.version),
              std::make_tuple(30, 700, 3, true, SettingsLogic::Version::V1));
    EXPECT_EQ(ChosenIds(), QList<int>({13, 14, 15, 12, 22, 5, 7, 10, 8, 9}));
    EXPECT_TRUE(logic.Broken().isEmpty());

    // Every option is written and announced once, in this order; open graphs follow the
    // announcements, so a missing or reordered write is a visible fault.
    QSignalSpy changed(&settings, &Settings::Changed);
    logic.values = {5, 1200, 4, false, SettingsLogic::Version::V2};
    logic.Apply();
    QStringList written;
    for (const QList<QVariant>& call : changed)
        written.append(call.at(0).toString() + '=' + call.at(1).toString());
    EXPECT_EQ(written, QStringList({"Poll Interval=5", "SNMP Timeout=1200", "SNMP Retries=4",
                                    "Assume Counter Rollover=false", "SNMP Version=2",
                                    "Table Columns=13,14,15,12,22,5,7,10,8,9"}));

    // A version the dialog cannot show selects neither option; OK then stores version 2.
    settings.setSNMPVersion(3);
    logic.Load();
    EXPECT_EQ(logic.values.version, SettingsLogic::Version::None);
    logic.Apply();
    EXPECT_EQ(settings.SNMPVersion(), 2);
}

TEST_F(SettingsLogicTest, ColumnListEditsWarnMoveAndRemove)
{
    settings.setColumns("15,12");
    logic.Load();
    // Add: nothing selected, then a new column, then the same one again.
    EXPECT_EQ(logic.Add(-1), SettingsLogic::Focus::AllFields);
    EXPECT_EQ(logic.Add(17), SettingsLogic::Focus::None);
    logic.Add(17);
    EXPECT_EQ(prompter.count(ScriptedPrompter::Kind::Message), 2);
    EXPECT_TRUE(LastMessage().contains("\"Units\"")) << LastMessage().toStdString();
    EXPECT_EQ(ChosenIds(), QList<int>({15, 12, 17}));

    // Up and Down: a plain box without a selection, nothing at the ends, else the selection
    // moves with its entry.
    logic.Up();
    EXPECT_EQ(prompter.count(ScriptedPrompter::Kind::Message), 3);
    logic.setSelected(0);
    logic.Up();
    EXPECT_EQ(ChosenIds(), QList<int>({15, 12, 17}));
    logic.Down();
    EXPECT_EQ(ChosenIds(), QList<int>({12, 15, 17}));
    EXPECT_EQ(logic.Selected(), 1);
    logic.setSelected(2);
    logic.Down();
    EXPECT_EQ(ChosenIds(), QList<int>({12, 15, 17}));

    // Remove: the last entry is selected afterwards; with none selected a warning and nothing gone.
    logic.setSelected(0);
    EXPECT_EQ(logic.Remove(), SettingsLogic::Focus::None);
    EXPECT_EQ(ChosenIds(), QList<int>({15, 17}));
    EXPECT_EQ(logic.Selected(), 1);
    logic.setSelected(-1);
    EXPECT_EQ(logic.Remove(), SettingsLogic::Focus::ChosenFields);
    EXPECT_EQ(prompter.count(ScriptedPrompter::Kind::Message), 4);
    EXPECT_EQ(logic.Chosen().size(), 2);
    logic.setSelected(1);
    logic.Remove();
    logic.Remove();
    EXPECT_EQ(logic.Selected(), -1);

    // An empty list is stored as the empty text.
    logic.Apply();
    EXPECT_EQ(settings.Columns(), "");
}

TEST_F(SettingsLogicTest, BrokenStoredValuesAreShownAndOkStoresGoodOnes)
{
    settings.setSNMPVersion(2);
    settings.SaveOption("SNMP Version", "two");
    settings.SaveOption("Poll Interval", "soon");
    settings.SaveOption("Assume Counter Rollover", "maybe");
    settings.setSNMPTimeout(900);
    settings.setColumns("13,x,99,5");
    ASSERT_NO_THROW(logic.Load());
    EXPECT_EQ(logic.Broken(),
              QStringList({"Poll Interval", "Assume Counter Rollover", "SNMP Version", "Table Columns"}));
    EXPECT_TRUE(logic.BrokenText("SNMP Version").contains("\"two\""));
    EXPECT_TRUE(logic.BrokenText("Table Columns").contains("\"x\", \"99\""));
    // Broken options start from their defaults; the good one keeps its stored value.
    EXPECT_EQ(logic.values.pollInterval, 10);
    EXPECT_EQ(logic.values.snmpTimeout, 900);
    EXPECT_EQ(logic.values.version, SettingsLogic::Version::V2);
    EXPECT_EQ(ChosenIds(), QList<int>({13, 5}));

    // The settings' cached version is 2 as well: OK must still replace the broken text.
    logic.Apply();
    EXPECT_NO_THROW({
        EXPECT_EQ(settings.SNMPVersion(), 2);
        EXPECT_EQ(settings.PollInterval(), 10);
        EXPECT_FALSE(settings.AssumeCounterRollover());
    });
    EXPECT_EQ(settings.Columns(), "13,5");
}
