#include "app_fixture.h"

#include <chart_style.h>
#include <rt_trendwick.h>
#include <target_oids.h>

#include <QLabel>
#include <QMenu>
#include <QSignalSpy>
#include <QStatusBar>
#include <QTimer>
#include <QToolBar>

std::unique_ptr<TestAgent> AppTest::s_agent;

namespace {

class GraphWindowTest : public AppTest {
protected:
    GraphWindow* window = new GraphWindow(settings, clock, &prompter);
    RTTrendwick& control = window->Control();

    void addTarget(const QString& mib, const QString& index, const QString& units = QString())
    {
        TargetOID* target =
            control.TargetOIDs().Add(s_agent->address(), s_agent->address(), "public", mib, index);
        if (!units.isEmpty())
            target->setUnits(units);
        control.Reset();
    }
    bool enabled(const char* item) const { return window->MenuItem(QLatin1String(item))->isEnabled(); }
    bool buttonEnabled(const char* key) const
    {
        return window->ToolbarButton(QLatin1String(key))->isEnabled();
    }
};

TEST_F(GraphWindowTest, CommandsFollowWhetherTheGraphHasTargets)
{
    EXPECT_EQ(window->windowTitle(), "Real-Time Trendwick");
    for (const char* key : {"Save", "Export", "Print", "Customize", "Pause"})
        EXPECT_FALSE(buttonEnabled(key)) << key;
    for (const char* item :
         {"SaveSelection", "CloseSelection", "OverLapSelection", "FontSizeMenu", "ExportMenu"})
        EXPECT_FALSE(enabled(item)) << item;
    EXPECT_FALSE(window->Menu("EditMenu")->menuAction()->isEnabled());
    EXPECT_TRUE(buttonEnabled("New") && buttonEnabled("Add MIB"));

    addTarget("sysUpTime", "0");
    for (const char* item : {"SaveSelection", "CloseSelection", "FontSizeMenu", "CopyBitmapSelection"})
        EXPECT_TRUE(enabled(item)) << item;
    EXPECT_TRUE(window->Menu("EditMenu")->menuAction()->isEnabled());
    EXPECT_TRUE(buttonEnabled("Save") && buttonEnabled("Pause"));
    // Commands whose dialogs do not exist yet stay off and say so.
    for (const char* key : {"Export", "Print", "Customize"}) {
        EXPECT_FALSE(buttonEnabled(key)) << key;
        EXPECT_EQ(window->ToolbarButton(QLatin1String(key))->toolTip(), "Not available yet");
    }
    EXPECT_FALSE(enabled("CustomizeStyleSelection"));

    control.setPaused(true);
    EXPECT_EQ(window->ToolbarButton("Pause")->text(), "Resume");
    window->ToolbarButton("Pause")->trigger();
    EXPECT_FALSE(control.Paused());
    EXPECT_EQ(window->ToolbarButton("Pause")->text(), "Pause");

    window->MenuItem("CloseSelection")->trigger();
    EXPECT_EQ(control.TargetOIDs().Count(), 0);
    EXPECT_FALSE(buttonEnabled("Save"));
    EXPECT_TRUE(GraphWindow::Windows().contains(window));
}

TEST_F(GraphWindowTest, SaveAndOpenGoThroughTheFileDialogsAndNameTheCaption)
{
    addTarget("sysUpTime", "0");
    control.setMainTitle("Core router / uplinks");

    prompter.queueFile(QString()); // cancelled: nothing happens
    window->Save();
    const QString file = path("router.Trendwick");
    prompter.queueFile(file);
    window->Save();
    ASSERT_EQ(prompter.count(ScriptedPrompter::Kind::SaveFile), 2);
    const Prompter::FileRequest save = prompter.calls.at(1).file;
    EXPECT_EQ(QStringList({save.title, save.initialPath, save.filter, save.defaultSuffix}),
              QStringList({"Save Trendwick ...", "Core_router___uplinks",
                           "Trendwicks (*.Trendwick);;All Files (*.*)", "Trendwick"}));
    EXPECT_TRUE(QFile::exists(file));
    EXPECT_EQ(window->windowTitle(), "Real-Time Trendwick [router]");

    GraphWindow* other = new GraphWindow(settings, clock, &prompter);
    prompter.queueFile(file);
    other->Open();
    const Prompter::FileRequest open = prompter.calls.last().file;
    EXPECT_EQ(QStringList({open.title, open.initialPath}),
              QStringList({"Load and Start Trendwick ...", "*.Trendwick"}));
    EXPECT_EQ(other->Control().TargetOIDs().Count(), 1);
    EXPECT_EQ(other->windowTitle(), "Real-Time Trendwick [router]");
    EXPECT_TRUE(other->ToolbarButton("Save")->isEnabled());

    QFile broken(path("broken.Trendwick"));
    ASSERT_TRUE(broken.open(QIODevice::WriteOnly) && broken.write("<Trendwick><unclosed") > 0);
    broken.close();
    prompter.queueFile(broken.fileName());
    other->Open();
    const ScriptedPrompter::Call message = prompter.calls.last();
    EXPECT_TRUE(message.kind == ScriptedPrompter::Kind::Message && message.title == "Open Trendwick");
    EXPECT_TRUE(message.text.startsWith("Cannot load Trendwick.")) << message.text.toStdString();
    EXPECT_EQ(other->Control().TargetOIDs().Count(), 1) << "a failed load leaves the graph";
}

TEST_F(GraphWindowTest, TheGraphMenuIsPreparedEachTimeItOpens)
{
    addTarget("sysUpTime", "0", "s");
    control.ChartStyle().setFontSize(FONT_LARGE);
    window->PrepareGraphMenu();
    EXPECT_TRUE(window->MenuItem("LargeFontSelection")->isChecked());
    EXPECT_FALSE(window->MenuItem("MediumFontSelection")->isChecked() || enabled("ZoomSelection"));
    EXPECT_FALSE(enabled("OverLapSelection")) << "one axis has nothing to overlap";

    addTarget("ifInOctets", "1", "bps=*8");
    window->PrepareGraphMenu();
    EXPECT_TRUE(enabled("OverLapSelection"));

    window->MenuItem("SmallFontSelection")->trigger();
    EXPECT_EQ(control.ChartStyle().FontSize(), FONT_SMALL);
    const bool overlapping = control.ChartStyle().OverLappingAxes();
    EXPECT_EQ(window->MenuItem("OverLapSelection")->isChecked(), overlapping);
    window->MenuItem("OverLapSelection")->trigger();
    EXPECT_EQ(control.ChartStyle().OverLappingAxes(), !overlapping);
    EXPECT_EQ(window->MenuItem("OverLapSelection")->isChecked(), !overlapping);

    // The right button on the chart pops the same menu up.
    window->show();
    Q_EMIT control.MouseDown(1, 0, 10, 10);
    EXPECT_FALSE(window->Menu("GraphMenu")->isVisible());
    Q_EMIT control.MouseDown(2, 0, 10, 10);
    EXPECT_TRUE(window->Menu("GraphMenu")->isVisible());
    window->Menu("GraphMenu")->hide();
}

TEST_F(GraphWindowTest, ToolbarMenusAndLogoFollowTheWindow)
{
    window->resize(1000, 600);
    window->show();
    window->Layout();
    EXPECT_TRUE(window->Logo()->isVisible());
    window->resize(420, 600);
    window->Layout();
    EXPECT_FALSE(window->Logo()->isVisible()) << "the logo would cover the buttons";

    window->setToolbarVisible(false);
    EXPECT_FALSE(window->statusBar()->isVisible());
    window->setToolbarVisible(true);
    EXPECT_TRUE(window->statusBar()->isVisible());

    window->setMenusVisible(false);
    EXPECT_FALSE(window->Menu("GraphMenu")->menuAction()->isVisible());
    window->setMenusVisible(true);
    EXPECT_TRUE(window->Menu("GraphMenu")->menuAction()->isVisible());
    EXPECT_FALSE(window->Menu("HelpMenu")->menuAction()->isVisible());
    EXPECT_TRUE(window->Menu("EditMenu")->menuAction()->isVisible());
}

TEST_F(GraphWindowTest, GraphMIBResetsTheGraphAndClosingShutsTheControlDown)
{
    window->GraphMIB(s_agent->address(), "public", "sysUpTime");
    ASSERT_EQ(control.TargetOIDs().Count(), 1);
    EXPECT_TRUE(control.PollTimer()->isActive()) << "the graph was reset and polls";
    EXPECT_TRUE(window->ToolbarButton("Save")->isEnabled());

    QSignalSpy shutdown(&control, &RTTrendwick::ShuttingDown);
    window->show();
    window->MenuItem("ExitSelection")->trigger();
    EXPECT_EQ(shutdown.count(), 1);
}

} // namespace
