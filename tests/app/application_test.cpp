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

TEST_F(ApplicationTest, TheFirstApplicationStaysCurrentAndItsGraphsFindWindowsByKeyOrPosition)
{
    Application second(settings, clock, &prompter);
    EXPECT_EQ(Application::current(), &application);
    GraphWindow* first = application.NewGraphWindow();
    ::Graphs& graphs = application.Graphs();
    EXPECT_EQ(graphs.Count(), 1) << "windows already open are counted";
    std::optional<Graph> graph = graphs.Item(1);
    ASSERT_TRUE(graph);
    EXPECT_EQ(graph->window(), first);
    EXPECT_TRUE(graphs.Item(graph->Key()) == graph);
    EXPECT_EQ(graph->Key(), "G:" + QString::number(qint64(first->winId())));
    EXPECT_FALSE(graphs.Item(2));
    EXPECT_FALSE(graphs.Item("G:0"));

    Graph hidden = graphs.NewGraph();
    EXPECT_FALSE(hidden.window()->isVisible());
    hidden.ShowWindow();
    EXPECT_TRUE(hidden.window()->isVisible());

    // A window opened behind the collection's back appears only after Refresh.
    application.NewGraphWindow();
    EXPECT_EQ(graphs.Count(), 2);
    graphs.Refresh();
    EXPECT_EQ(graphs.Count(), 3);

    // The Graph held across Refresh still reaches its window.
    hidden.CloseWindow();
    EXPECT_EQ(graphs.Count(), 2);
    application.Shutdown();
    EXPECT_TRUE(GraphWindow::Windows().isEmpty());
}

TEST_F(ApplicationTest, GraphForwardsToItsWindowAndFailsOnceItIsClosed)
{
    std::optional<Graph> graph = application.Graphs().NewGraph(true);
    graph->Move(0, 0, 14400, 7200);
    const qint32 height = graph->Height();
    graph->Move(-1, -1, 12000, -1); // -1 keeps a side as it is
    EXPECT_NEAR(graph->Width(), 12000, 30);
    EXPECT_EQ(graph->Height(), height);
    graph->setTitle("Core");
    EXPECT_EQ(graph->window()->Control().MainTitle(), "Core");
    graph->setPollInterval(0);
    EXPECT_EQ(graph->PollInterval(), 1);

    // The user closes the window while the Graph is still held.
    delete graph->window();
    EXPECT_THROW(graph->Title(), WindowClosedError);
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

    start = StartInteractive(application, present, "-?");
    EXPECT_FALSE(start.runEventLoop);
    EXPECT_EQ(start.exitCode, 0);
    start = StartInteractive(application, present, "-Log run.csv");
    EXPECT_FALSE(start.runEventLoop);
    EXPECT_NE(start.exitCode, 0);
    start = StartInteractive(application, present, "-Examples");
    EXPECT_EQ(texts, QList<QStringList>({CommandLineParser::UsageLines(), CommandLineParser::UsageLines(),
                                         CommandLineParser::ExamplesLines()}));

    // The command line's -MIB window gets the log once its targets are in.
    const QString log = path("run.csv");
    start = StartInteractive(application, present,
                             "-Node " + s_agent->address() + " -Community public -MIB sysUpTime -Log " + log);
    EXPECT_TRUE(start.runEventLoop);
    ASSERT_EQ(GraphWindow::Windows().size(), 1);
    RTTrendwick& control = GraphWindow::Windows().first()->Control();
    EXPECT_EQ(control.TargetOIDs().Count(), 1);
    EXPECT_TRUE(control.LoggingEnabled());
    EXPECT_EQ(control.LogFilename(), log);
    EXPECT_TRUE(QFile::exists(log)) << "enabling the log writes its header";
}

TEST(HelpTextDialog, TabsExpandToEightColumnStops)
{
    const QString text = HelpTextDialog::DisplayText(CommandLineParser::UsageLines());
    const QString aligned =
        "    [-F filename]" + QString(23, ' ') + ": Trendwick filename to open and display";
    EXPECT_TRUE(text.contains("\n" + aligned + "\n")) << text.toStdString();
    EXPECT_TRUE(
        text.contains("\n    [-Community communitystring]" + QString(8, ' ') + ": SNMP Community String\n"));
}

TEST(StartMode, TheAutomationSwitchIsFoundAnywhereAndNotParsed)
{
    EXPECT_EQ(StartModeOf({}), StartMode::Interactive);
    EXPECT_EQ(StartModeOf({"-F", "x", "--automation"}), StartMode::Automation);
    EXPECT_EQ(UserArguments({"--automation", "-F", "x"}), QStringList({"-F", "x"}));
}

} // namespace
