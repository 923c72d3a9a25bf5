// The dialogs themselves, shown offscreen and driven the way a user would: every modal run is
// operated from a polling timer, and a guard closes anything still open so no test can hang.
#include "add_mib_form.h"
#include "dialog_test_support.h"
#include "history_combo_box.h"
#include "history_store.h"
#include "mib_tree_form.h"
#include "select_index_form.h"
#include "select_index_logic.h"

#include <mib_tree.h>
#include <snmp_session.h>

#include <QApplication>
#include <QElapsedTimer>
#include <QLabel>
#include <QLineEdit>
#include <QProgressBar>
#include <QPushButton>
#include <QTableView>
#include <QTest>
#include <QTimer>

namespace {

/// Calls step with the active modal dialog every 20 ms until it returns true. After 15 s every
/// open dialog is rejected and timedOut is set, so a failed step still ends the run.
class ModalDriver {
public:
    explicit ModalDriver(std::function<bool(QDialog*)> step)
    {
        m_clock.start();
        QObject::connect(&m_timer, &QTimer::timeout, [this, step = std::move(step)] {
            if (m_clock.elapsed() > 15000) {
                timedOut = true;
                for (QWidget* widget : QApplication::topLevelWidgets()) {
                    if (auto* dialog = qobject_cast<QDialog*>(widget); dialog && dialog->isVisible())
                        dialog->reject();
                }
            } else if (auto* dialog = qobject_cast<QDialog*>(QApplication::activeModalWidget());
                       dialog && !m_done) {
                m_done = step(dialog);
            }
        });
        m_timer.start(20);
    }
    bool timedOut = false;

private:
    QTimer m_timer;
    QElapsedTimer m_clock;
    bool m_done = false;
};

template <typename Widget = HistoryComboBox>
Widget* Child(QWidget* parent, const char* name)
{
    Widget* child = parent->findChild<Widget*>(QLatin1String(name));
    EXPECT_NE(child, nullptr) << name;
    return child;
}

void Click(QWidget* parent, const char* buttonName)
{
    if (auto* button = Child<QPushButton>(parent, buttonName))
        QTest::mouseClick(button, Qt::LeftButton);
}

std::unique_ptr<HistoryComboBox> RestoredCombo(const QString& owner, const QString& name)
{
    auto combo = std::make_unique<HistoryComboBox>();
    combo->setHistoryOwner(owner);
    combo->setHistoryName(name);
    combo->RestoreHistory();
    return combo;
}

void Fill(QWidget* form, const QString& host, const QString& community, const QString& mib)
{
    Child(form, "Host")->setText(host);
    Child(form, "Community")->setText(community);
    Child(form, "MIB")->setText(mib);
}

class FormsTest : public AgentTest {
protected:
    SNMPSession session;
    Settings settings;
    ScriptedPrompter prompter;
    AgentTableMib mib;
};

} // namespace

TEST_F(FormsTest, AddMibWiresItsFieldsToTheChecksAndHandsAColumnToTheIndexSelection)
{
    GraphTargets graph(mib.Resolver());
    graph.targets.Add("router", "192.0.2.7", "community-b", "TEST:plainCounter", "1");
    AddMibForm form(session, settings, prompter, nullptr, mib.Resolver());
    bool filled = false;
    ModalDriver driver([&](QDialog* dialog) {
        if (dialog == &form && !filled) {
            filled = true;
            EXPECT_EQ(QStringList({Child(&form, "Host")->Text(), Child(&form, "Community")->Text(),
                                   Child(&form, "MIB")->Text()}),
                      (QStringList{"router", "community-b", "TEST:plainCounter"}));
            Fill(&form, " " + agent().address(), "public", "   ");
            Click(&form, "OK_Button");
            EXPECT_TRUE(form.isVisible());
            EXPECT_EQ(Child(&form, "Host")->Text(), agent().address()) << "trimmed texts are shown";
            // Offscreen the window need not be active; the widget holding its focus is what counts.
            auto* mibField = Child(&form, "MIB");
            EXPECT_TRUE(form.focusWidget() == mibField || form.focusWidget() == mibField->lineEdit());
            mibField->setText("TEST:counter");
            EXPECT_EQ(Child<QComboBox>(&form, "Units")->currentText(), "bps");
            Click(&form, "OK_Button");
            return false;
        }
        auto* indexes = qobject_cast<SelectIndexForm*>(dialog);
        if (!indexes || !indexes->logic() || indexes->logic()->rowCount() < 3)
            return false;
        indexes->logic()->ToggleRow(1);
        Click(indexes, "OK_Button");
        return true;
    });
    EXPECT_TRUE(form.AddMIB(graph.targets, 5));
    ASSERT_FALSE(driver.timedOut) << MessageTexts(prompter).join('\n').toStdString();
    EXPECT_EQ(MessageTexts(prompter), QStringList{"You must enter a MIB/OID to monitor."});
    ASSERT_EQ(graph.targets.Count(), 2);
    const TargetOID* target = graph.targets.At(1);
    // The object's defaults as the dialog chose them: the last unit choice and a rate.
    EXPECT_EQ(QStringList({target->Index(), target->Instance(), target->IP(), target->Units(),
                           target->Conversion(), target->Calculation()}),
              (QStringList{"2", "downlink", agent().address(), "bps", "*8", "x per Second"}));
    const auto restored = RestoredCombo("Real-Time Trendwick", "Community"); // stored on the way out
    EXPECT_EQ(restored->Text(), "public");
    EXPECT_GE(restored->findText("community-b"), 0);
}

TEST_F(FormsTest, SelectIndexesAddsTheTickedRowsOnlyAfterOk)
{
    GraphTargets graph(mib.Resolver());
    SelectIndexForm form(session, settings, nullptr, mib.Resolver());
    bool confirm = false;
    ModalDriver cancelThenOk([&](QDialog* dialog) {
        SelectIndexLogic* logic = form.logic();
        if (dialog != &form || !logic || logic->Walking() || logic->InstanceText(2).isEmpty())
            return false;
        EXPECT_EQ(form.windowTitle(), "Select indexes of \"TEST:counter\" to graph ...");
        QStringList labels;
        for (const char* name : {"TargetLabel", "TargetMIB", "ProgressText"})
            labels << Child<QLabel>(&form, name)->text();
        EXPECT_EQ(labels, QStringList({"the agent", "TEST:counter", "3 rows found"}));
        EXPECT_FALSE(Child<QProgressBar>(&form, "Progress")->isVisible()) << "busy only while walking";
        QTableView* table = form.table();
        // A click on the value or description toggles the row.
        for (auto [row, column] : {std::pair{2, 2}, {0, 3}, {0, 1}}) {
            const QRect cell = table->visualRect(table->model()->index(row, column));
            QTest::mouseClick(table->viewport(), Qt::LeftButton, {}, cell.center());
        }
        EXPECT_EQ(QList<bool>({logic->Checked(0), logic->Checked(1), logic->Checked(2)}),
                  (QList<bool>{false, false, true}));
        Click(&form, confirm ? "OK_Button" : "Cancel_Button");
        const bool done = confirm;
        confirm = true;
        return done;
    });
    const auto run = [&] {
        return form.SelectIndexes(graph.targets, "the agent", agent().address(), "public", "TEST:counter",
                                  "Bps", "x per Second");
    };
    EXPECT_FALSE(run()) << "Cancel after ticking adds nothing";
    EXPECT_EQ(graph.targets.Count(), 0);
    EXPECT_TRUE(run());
    ASSERT_FALSE(cancelThenOk.timedOut);
    ASSERT_EQ(graph.targets.Count(), 1);
    const TargetOID* target = graph.targets.At(0);
    EXPECT_EQ(QStringList({target->Index(), target->Instance(), target->Hostname(), target->IP()}),
              (QStringList{"15", "spare", "the agent", agent().address()}));
}

TEST(MIBTreeForm, OkHandsBackTheSelectedNameAndCancelTheTextAsGiven)
{
    MIBTreeForm form;
    EXPECT_EQ(form.windowTitle(), "Select OID to Monitor");
    ModalDriver pick([&](QDialog* dialog) {
        if (dialog != &form)
            return false;
        EXPECT_EQ(form.tree()->SelectedDetails().ObjectName(), "ifInOctets");
        auto* search = form.findChild<QLineEdit*>("MIBSearchText");
        EXPECT_FALSE(search->isVisible());
        Click(&form, "Search_Button");
        EXPECT_TRUE(search->isVisible());
        Click(&form, "OK_Button");
        return true;
    });
    const QString chosen = form.SelectMIB("IF-MIB:ifInOctets");
    EXPECT_FALSE(pick.timedOut);
    EXPECT_TRUE(chosen.endsWith(":ifInOctets")) << chosen.toStdString();

    MIBTreeForm again;
    ModalDriver cancel([&](QDialog* dialog) {
        Click(dialog, "Cancel_Button");
        return true;
    });
    EXPECT_EQ(again.SelectMIB(" not a name! "), " not a name! ");
    EXPECT_FALSE(cancel.timedOut);
}

TEST(HistoryComboBox, KeepsEachTextOnceAndRestoresWithTheTextInUseLast)
{
    const auto makeCombo = [](const char* name) { return RestoredCombo("Trendwick History Test", name); };
    auto combo = makeCombo("Round Trip");
    combo->setText("typed");
    for (const char* text : {"alpha", "beta", "alpha", ""})
        combo->AddItem(text);
    EXPECT_EQ(combo->count(), 2);
    EXPECT_EQ(combo->Text(), "typed") << "adding entries must not replace the text";
    combo->setText("alpha");
    combo->StoreHistory();

    auto again = makeCombo("Round Trip");
    EXPECT_EQ(QStringList({again->itemText(0), again->itemText(1), again->Text()}),
              QStringList({"beta", "alpha", "alpha"}));
    EXPECT_EQ(again->count(), 2);
    EXPECT_EQ(makeCombo("Other")->count(), 0) << "histories of one owner are kept apart";

    QStringList many;
    for (int i = 0; i < HistoryStore::MaximumEntries + 5; ++i)
        many.append(QString::number(i));
    const HistoryStore store("Trendwick History Test");
    store.Save("Many", many);
    EXPECT_EQ(store.Load("Many"), many.mid(5)) << "the oldest entries drop out";
}
