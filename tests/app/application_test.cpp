#include "app_fixture.h"

#include "application.h"
#include "graph.h"
#include "graphs.h"
#include "help_text_dialog.h"
#include "startup.h"

#include <rt_trendwick.h>
#include <target_oids.h>

namespace {

class ApplicationTest : public AppTest {
protected:
    Application application{settings, clock, &prompter};
};

TEST_F(ApplicationTest, WindowsOpenShownWhateverTheirFilesOrProbesSay)
{
    GraphWindow* saved = application.CreateGraphWindow();
    EXPECT_FALSE(saved->isVisible());
    saved->GraphMIB(s_agent->address(), "public", "sysUpTime");
    const QString file = path("uptime.Trendwick");
    ASSERT_TRUE(saved->Control().SaveXML(file));
    delete saved;
    EXPECT_EQ(application.OpenGraphFile(file)->Control().TargetOIDs().Count(), 1);
    application.OpenGraphFile(path("missing.Trendwick"));
    // New in a window's File menu asks the application for another window.
    application.NewGraphWindow()->MenuItem("NewSelection")->trigger();
    // The window of a GraphMIB shows even after a problem.
    application.GraphMIB(s_agent->address(), "public", "");
    EXPECT_EQ(prompter.calls.last().text, "You must enter a MIB/OID to monitor.");
    ASSERT_EQ(GraphWindow::Windows().size(), 5);
    for (GraphWindow* window : GraphWindow::Windows())
        EXPECT_TRUE(window->isVisible());
}

// The Graph calls themselves are pinned through automation; here: what only a user can do.
TEST_F(ApplicationTest, TheFirstApplicationStaysCurrentAndItsGraphsSeeNewWindowsOnRefreshAndClosedOnesFail)
{
    Application second(settings, clock, &prompter);
    EXPECT_EQ(Application::current(), &application);
    GraphWindow* first = application.NewGraphWindow();
    ::Graphs& graphs = application.Graphs();
    EXPECT_EQ(graphs.Count(), 1) << "windows already open are counted";
    std::optional<Graph> graph = graphs.Item(1);
    ASSERT_TRUE(graph);
    EXPECT_EQ(graph->window(), first);
    Graph hidden = graphs.NewGraph();
    EXPECT_FALSE(hidden.window()->isVisible());
    hidden.ShowWindow();
    EXPECT_TRUE(hidden.window()->isVisible());

    // A window opened behind the collection's back appears only after Refresh.
    application.NewGraphWindow();
    EXPECT_EQ(graphs.Count(), 2);
    graphs.Refresh();
    EXPECT_EQ(graphs.Count(), 3);

    // The user closes a window while its Graph is still held.
    delete graph->window();
    EXPECT_THROW(graph->Title(), WindowClosedError);
    application.Shutdown();
    EXPECT_TRUE(GraphWindow::Windows().isEmpty());
}

TEST_F(ApplicationTest, InteractiveStartOpensWindowsOnlyWhenAsked)
{
    QList<QStringList> texts;
    const HelpPresenter present = [&](const QString&, const QStringList& lines) { texts << lines; };
    StartResult start = StartInteractive(application, present, QString());
    EXPECT_TRUE(start.runEventLoop);
    EXPECT_EQ(GraphWindow::Windows().size(), 1);
    application.Shutdown();

    start = StartInteractive(application, present, "hello world");
    EXPECT_FALSE(start.runEventLoop) << "unknown words open nothing, so the process ends";
    EXPECT_TRUE(GraphWindow::Windows().isEmpty());

    // Help ends the process well, a usage error badly; each shows its text.
    for (const char* line : {"-?", "-Log run.csv", "-Examples"}) {
        start = StartInteractive(application, present, line);
        EXPECT_FALSE(start.runEventLoop);
        EXPECT_EQ(start.exitCode != 0, line == QLatin1String("-Log run.csv")) << line;
    }
    EXPECT_EQ(texts, QList<QStringList>({CommandLineParser::UsageLines(), CommandLineParser::UsageLines(),
                                         CommandLineParser::ExamplesLines()}));
}

TEST(StartMode, TheAutomationSwitchIsFoundAnywhereAndNotParsedAndHelpTabsStopEveryEightColumns)
{
    EXPECT_EQ(HelpTextDialog::DisplayText({"a\tb", "12345678\tc\td"}),
              "a       b\n12345678        c       d");
    EXPECT_EQ(StartModeOf({}), StartMode::Interactive);
    EXPECT_EQ(StartModeOf({"-F", "x", "--automation"}), StartMode::Automation);
    EXPECT_EQ(UserArguments({"--automation", "-F", "x"}), QStringList({"-F", "x"}));
}

} // namespace
