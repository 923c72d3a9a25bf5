// The dialogs themselves, shown offscreen and driven the way a user would.
#include "add_mib_form.h"
#include "dialog_test_support.h"
#include "history_combo_box.h"
#include "history_store.h"
#include "mib_tree_form.h"
#include "select_index_form.h"
#include "select_index_logic.h"

#include <mib_tree.h>
#include <snmp_session.h>

#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QTableView>
#include <QTest>
#include <modal_driver.h>

namespace {

std::unique_ptr<HistoryComboBox> RestoredCombo(const QString& name,
                                               const QString& owner = "Trendwick History Test")
{
    auto combo = std::make_unique<HistoryComboBox>();
    combo->setHistoryOwner(owner);
    combo->setHistoryName(name);
    combo->RestoreHistory();
    return combo;
}

using FormsTest = AgentTest;

} // namespace

TEST_F(FormsTest, AddMibWiresItsFieldsToTheChecksAndHandsAColumnToTheIndexSelection)
{
    SNMPSession session;
    Settings settings;
    ScriptedPrompter prompter;
    AgentTableMib mib;
    GraphTargets graph(mib.Resolver());
    graph.targets.Add("router", "192.0.2.7", "community-b", "TEST:plainCounter", "1");
    AddMibForm form(session, settings, prompter, nullptr, mib.Resolver());
    bool filled = false;
    const auto field = [&](const char* name) { return Child<HistoryComboBox>(&form, name); };
    ModalDriver driver([&](QDialog* dialog) {
        if (dialog == &form && !filled) {
            filled = true;
            EXPECT_EQ(field("Community")->Text(), "community-b");
            field("Host")->setText(" " + agent().address());
            field("Community")->setText("public");
            field("MIB")->setText("   ");
            Click(&form, "OK_Button");
            EXPECT_TRUE(form.isVisible());
            // Offscreen the window need not be active; the widget holding its focus is what counts.
            auto* mibField = field("MIB");
            EXPECT_TRUE(form.focusWidget() == mibField || form.focusWidget() == mibField->lineEdit());
            mibField->setText("TEST:counter");
            Click(&form, "OK_Button");
            return false;
        }
        auto* indexes = qobject_cast<SelectIndexForm*>(dialog);
        if (!indexes || !indexes->logic() || indexes->logic()->Walking() ||
            indexes->logic()->InstanceText(2).isEmpty())
            return false;
        EXPECT_EQ(Child<QLabel>(indexes, "ProgressText")->text(), "3 rows found");
        // A click on the value or the description toggles the row.
        QTableView* table = indexes->table();
        for (auto [row, column] : {std::pair{1, 2}, {0, 3}, {0, 1}}) {
            const QRect cell = table->visualRect(table->model()->index(row, column));
            QTest::mouseClick(table->viewport(), Qt::LeftButton, {}, cell.center());
        }
        Click(indexes, "OK_Button");
        return true;
    });
    EXPECT_TRUE(form.AddMIB(graph.targets, 5));
    ASSERT_FALSE(driver.timedOut) << prompter.calls.value(1).text.toStdString();
    ASSERT_EQ(prompter.calls.size(), 1);
    EXPECT_EQ(prompter.calls.at(0).text, "You must enter a MIB/OID to monitor.");
    ASSERT_EQ(graph.targets.Count(), 2);
    const TargetOID* target = graph.targets.At(1);
    // The object's defaults as the dialog chose them: the last unit choice and a rate.
    EXPECT_EQ(QStringList({target->Index(), target->Instance(), target->IP(), target->Units(),
                           target->Conversion(), target->Calculation()}),
              (QStringList{"2", "downlink", agent().address(), "bps", "*8", "x per Second"}));
    EXPECT_EQ(RestoredCombo("Community", "Real-Time Trendwick")->Text(), "public") << "stored on the way out";
}

TEST(MIBTreeForm, OkHandsBackTheSelectedNameAndCancelTheTextAsGiven)
{
    MIBTreeForm form;
    ModalDriver pick([&](QDialog* dialog) {
        EXPECT_EQ(form.tree()->SelectedDetails().ObjectName(), "ifInOctets");
        Click(dialog, "OK_Button");
        return true;
    });
    EXPECT_TRUE(form.SelectMIB("IF-MIB:ifInOctets").endsWith(":ifInOctets"));
    ModalDriver cancel([&](QDialog* dialog) {
        Click(dialog, "Cancel_Button");
        return true;
    });
    EXPECT_EQ(form.SelectMIB(" not a name! "), " not a name! ");
    EXPECT_FALSE(pick.timedOut || cancel.timedOut);
}

TEST(HistoryComboBox, KeepsEachTextOnceAndRestoresWithTheTextInUseLast)
{
    auto combo = RestoredCombo("Round Trip");
    for (const char* text : {"alpha", "beta", "alpha", ""})
        combo->AddItem(text);
    combo->setText("alpha");
    combo->StoreHistory();
    auto again = RestoredCombo("Round Trip");
    EXPECT_EQ(
        QStringList({again->itemText(0), again->itemText(1), QString::number(again->count()), again->Text()}),
        QStringList({"beta", "alpha", "2", "alpha"}));
    EXPECT_EQ(RestoredCombo("Other")->count(), 0) << "histories of one owner are kept apart";
    QStringList many;
    for (int i = 0; i < HistoryStore::MaximumEntries + 5; ++i)
        many.append(QString::number(i));
    HistoryStore("Trendwick History Test").Save("Many", many);
    EXPECT_EQ(HistoryStore("Trendwick History Test").Load("Many"), many.mid(5))
        << "the oldest entries drop out";
}
