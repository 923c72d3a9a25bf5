// The series dialog: its decisions driven without a window (filling, colour, the OK order) and
// the form closing itself when its target goes away while it is open.
#include "custom_subset_form.h"
#include "custom_subset_logic.h"

#include <clock.h>
#include <fake_mib.h>
#include <rgb_color.h>
#include <rt_trendwick.h>
#include <scripted_prompter.h>
#include <settings.h>
#include <snmp_session.h>
#include <target_oids.h>

#include <QApplication>
#include <QSignalSpy>
#include <QTimer>
#include <gtest/gtest.h>
#include <modal_driver.h>
#include <qt_print.h>

namespace {

class CustomSubsetTest : public ::testing::Test {
protected:
    void SetUp() override
    {
        mib.WithStandardObjects();
        // Nothing listens there: the graph's polls get no answer and change nothing.
        target = graph->TargetOIDs().Add("router", "127.0.0.1:9", "public", "IF-MIB::ifInOctets", "1");
        ASSERT_NE(target, nullptr);
        target->setUnits("bps=*8");
        target->setColor(RGBColor(1, 2, 3));
        graph->setPollInterval(60);
        graph->Reset();
    }

    FakeMib mib;
    Settings settings;
    ManualClock clock;
    ScriptedPrompter prompter;
    std::unique_ptr<RTTrendwick> graph =
        std::make_unique<RTTrendwick>(settings, clock, prompter, RTTrendwick::Seams{nullptr, mib.Resolver()});
    TargetOID* target = nullptr;
};

} // namespace

TEST_F(CustomSubsetTest, OkAndTheColourWriteTheUsersChoicesButNotToAGoneTarget)
{
    CustomSubsetLogic logic(*graph, *target, prompter);
    CustomSubsetLogic::Fields fields = logic.Fill();
    EXPECT_EQ(QStringList({fields.ip, fields.mib, fields.index, fields.calculation, fields.units}),
              QStringList({"127.0.0.1:9", "IF-MIB::ifInOctets", "1", "x per Second", "bps=*8"}));
    EXPECT_EQ(fields.color, RGBColor(1, 2, 3));
    EXPECT_TRUE(logic.UnitChoices().contains("bps=*8"));
    // A calculation the list cannot show is left unselected.
    target->setCalculation("x per Minute");
    EXPECT_EQ(logic.Fill().calculation, "");
    graph->setPollInterval(121);
    EXPECT_EQ(logic.Fill().calculation, "x per Minute");

    // Another object, whose own defaults ("No Calculations", "%") the user overrides. The graph's
    // reset comes last: the target must already hold everything when it runs.
    fields = {
        "Core uplink", false,          "127.0.0.2:9", "private",        "HOST-RESOURCES-MIB::hrProcessorLoad",
        "7",           "x per Second", "Load=/100",   RGBColor(9, 8, 7)};
    QStringList atReset;
    QObject::connect(graph.get(), &RTTrendwick::StateChanged, [&] {
        atReset = {target->Label(),
                   target->IP(),
                   target->Community(),
                   target->OID().FullName(),
                   target->Index(),
                   target->Calculation(),
                   target->UnitsAndConversion(),
                   QString::number(target->Color())};
    });
    logic.Apply(fields);
    EXPECT_EQ(atReset, QStringList({fields.label, fields.ip, fields.community, fields.mib, fields.index,
                                    fields.calculation, fields.units, QString::number(fields.color)}));
    EXPECT_FALSE(target->AutoLabel());
    EXPECT_EQ(target->Hostname(), "router");

    // With the check set the label box is not written: the user's label waits behind it.
    fields.autoLabel = true;
    fields.label = "ignored";
    logic.Apply(fields);
    EXPECT_TRUE(target->AutoLabel());
    target->setAutoLabel(false);
    EXPECT_EQ(target->Label(), "Core uplink");

    // The colour is written at once; a target removed while the dialog is open gets nothing.
    prompter.queueColor(QColor(10, 20, 30));
    EXPECT_EQ(logic.ChooseColor(), RGBColor(10, 20, 30));
    EXPECT_EQ(target->Color(), RGBColor(10, 20, 30));
    EXPECT_EQ(prompter.calls.last().initialColor, QColor(9, 8, 7));
    prompter.queueColor(std::nullopt);
    EXPECT_EQ(logic.ChooseColor(), std::nullopt);
    EXPECT_EQ(target->Color(), RGBColor(10, 20, 30));
    graph->TargetOIDs().Remove(target->Key());
    QSignalSpy resets(graph.get(), &RTTrendwick::StateChanged);
    EXPECT_FALSE(logic.Valid());
    logic.Apply(logic.Fill());
    EXPECT_EQ(logic.ChooseColor(), std::nullopt);
    EXPECT_EQ(resets.count(), 0);
    EXPECT_EQ(prompter.count(ScriptedPrompter::Kind::ChooseColor), 2);
}

TEST_F(CustomSubsetTest, TheFormClosesWhenItsTargetOrGraphGoesAway)
{
    CustomSubsetForm form(prompter);
    ModalDriver guard([](QDialog*) { return false; }); // only rejects what is left open

    bool shown = false;
    QTimer::singleShot(0, [&] {
        shown = form.isVisible();
        graph->TargetOIDs().Remove(target->Key());
    });
    form.Customize(*graph, *target);
    EXPECT_TRUE(shown);
    EXPECT_TRUE(form.Cancelled());
    EXPECT_FALSE(form.isVisible());

    TargetOID* other = graph->TargetOIDs().Add("router", "127.0.0.1:9", "public", "IF-MIB::ifInOctets", "2");
    QTimer::singleShot(0, [&] { graph.reset(); });
    form.Customize(*graph, *other);
    EXPECT_TRUE(form.Cancelled());
    EXPECT_FALSE(form.isVisible());
}
