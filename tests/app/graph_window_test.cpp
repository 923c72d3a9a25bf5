#include "app_fixture.h"

#include <chart_style.h>
#include <rt_trendwick.h>
#include <target_oids.h>

#include <QMenu>
#include <QSignalSpy>
#include <QTimer>

namespace {

class GraphWindowTest : public AppTest {
protected:
    GraphWindow* window = new GraphWindow(settings, clock, &prompter);
    RTTrendwick& control = window->Control();

    void addTarget(const QString& mib, const QString& index, const QString& units)
    {
        control.TargetOIDs()
            .Add(s_agent->address(), s_agent->address(), "public", mib, index)
            ->setUnits(units);
        control.Reset();
    }
    bool enabled(const char* item) const { return window->MenuItem(item)->isEnabled(); }
    bool buttonEnabled(const char* key) const { return window->ToolbarButton(key)->isEnabled(); }
};

TEST_F(GraphWindowTest, CommandsFollowWhetherTheGraphHasTargetsAndClosingShutsTheControlDown)
{
    const auto commands = [this] {
        QList<bool> on{buttonEnabled("Save"), buttonEnabled("Pause")};
        for (const char* item : {"SaveSelection", "CloseSelection", "FontSizeMenu"})
            on << enabled(item);
        return on << window->Menu("EditMenu")->menuAction()->isEnabled();
    };
    EXPECT_EQ(commands(), QList<bool>(6, false));
    EXPECT_TRUE(buttonEnabled("New") && buttonEnabled("Add MIB"));
    window->GraphMIB(s_agent->address(), "public", "sysUpTime");
    ASSERT_EQ(control.TargetOIDs().Count(), 1);
    EXPECT_TRUE(control.PollTimer()->isActive()) << "the graph was reset and polls";
    EXPECT_EQ(commands(), QList<bool>(6, true));

    control.setPaused(true);
    EXPECT_EQ(window->ToolbarButton("Pause")->text(), "Resume");
    window->ToolbarButton("Pause")->trigger();
    EXPECT_FALSE(control.Paused());
    EXPECT_EQ(window->ToolbarButton("Pause")->text(), "Pause");

    window->MenuItem("CloseSelection")->trigger();
    EXPECT_EQ(control.TargetOIDs().Count(), 0);
    EXPECT_EQ(commands(), QList<bool>(6, false));
    EXPECT_TRUE(GraphWindow::Windows().contains(window));

    QSignalSpy shutdown(&control, &RTTrendwick::ShuttingDown);
    window->show();
    window->MenuItem("ExitSelection")->trigger();
    EXPECT_EQ(shutdown.count(), 1);
}

TEST_F(GraphWindowTest, SaveAndOpenGoThroughTheFileDialogsAndNameTheCaption)
{
    addTarget("sysUpTime", "0", "s");
    control.setMainTitle("Core router / uplinks");
    prompter.queueFile(QString()); // cancelled: nothing happens
    window->Save();
    const QString file = path("router.Trendwick");
    prompter.queueFile(file);
    window->Save();
    EXPECT_EQ(prompter.calls.at(1).file.initialPath, "Core_router___uplinks") << "a file name from the title";
    EXPECT_EQ(window->windowTitle(), "Real-Time Trendwick [router]");

    GraphWindow* other = new GraphWindow(settings, clock, &prompter);
    prompter.queueFile(file);
    other->Open();
    EXPECT_EQ(other->Control().TargetOIDs().Count(), 1);
    EXPECT_EQ(other->windowTitle(), "Real-Time Trendwick [router]");

    QFile broken(path("broken.Trendwick"));
    ASSERT_TRUE(broken.open(QIODevice::WriteOnly) && broken.write("<Trendwick><unclosed") > 0);
    broken.close();
    prompter.queueFile(broken.fileName());
    other->Open();
    EXPECT_EQ(prompter.calls.last().kind, ScriptedPrompter::Kind::Message);
    EXPECT_EQ(other->Control().TargetOIDs().Count(), 1) << "a failed load leaves the graph";
}

TEST_F(GraphWindowTest, TheGraphMenuIsPreparedEachTimeItOpensAndPopsUpOnTheRightButton)
{
    addTarget("sysUpTime", "0", "s");
    control.ChartStyle().setFontSize(FONT_LARGE);
    window->PrepareGraphMenu();
    EXPECT_TRUE(window->MenuItem("LargeFontSelection")->isChecked());
    EXPECT_FALSE(enabled("OverLapSelection")) << "one axis has nothing to overlap";
    addTarget("ifInOctets", "1", "bps=*8");
    window->PrepareGraphMenu();
    EXPECT_TRUE(enabled("OverLapSelection"));
    window->MenuItem("SmallFontSelection")->trigger();
    EXPECT_EQ(control.ChartStyle().FontSize(), FONT_SMALL);

    window->show();
    Q_EMIT control.MouseDown(1, 0, 10, 10);
    EXPECT_FALSE(window->Menu("GraphMenu")->isVisible());
    Q_EMIT control.MouseDown(2, 0, 10, 10);
    EXPECT_TRUE(window->Menu("GraphMenu")->isVisible());
    window->Menu("GraphMenu")->hide();
}

} // namespace
