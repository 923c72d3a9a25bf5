#include "app_fixture.h"

#include "application.h"
#include "graph.h"
#include "graph_mib_command.h"
#include "graphs.h"
#include "help_text_dialog.h"
#include "startup.h"

#include <rt_trendwick.h>
#include <snmp_session.h>
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

// The checks themselves are the Add OID dialog's (tested with it); here: what GraphMIB adds.
class GraphMIBCommandTest : public AppTest {
protected:
    /// Runs the request; the index chooser's arguments are recorded, joined with "|".
    GraphMIBCommand::Outcome run(const QString& mib, const QString& index, const QString& target,
                                 const QString& calculation = {}, const QString& hostname = {})
    {
        return command.Run({target, "public", mib, index, "uptime", calculation, hostname}, targets,
                           [this](const QString& t, const QString& ip, const QString& c, const QString& m,
                                  const QString& units, const QString& calc) {
                               choices << QStringList{t, ip, c, m, units, calc}.join('|');
                           });
    }
    /// The last target's index, host name, IP, instance, calculation, units and conversion.
    QStringList added() const
    {
        const TargetOID* t = targets.At(targets.Count() - 1);
        return {t->Index(),       t->Hostname(), t->IP(),        t->Instance(),
                t->Calculation(), t->Units(),    t->Conversion()};
    }

    SNMPSession session;
    TargetOIDs targets{clock, settings};
    GraphMIBCommand command{session, prompter, settings};
    QStringList choices;
};

TEST_F(GraphMIBCommandTest, AScalarGetsIndexZeroAColumnItsIndexOrTheChooserAndAProblemAddsNothing)
{
    const QString address = s_agent->address();
    EXPECT_EQ(run("sysUpTime", "7", address, {}, "agent.example"), GraphMIBCommand::Outcome::TargetAdded);
    // The last unit choice wins, conversion included.
    EXPECT_EQ(added(),
              QStringList({"0", "agent.example", address, "uptime", "No Calculations", "s", "/100"}));
    const QString named = "localhost:" + QString::number(s_agent->port());
    EXPECT_EQ(run("IF-MIB:ifInOctets", "1", named), GraphMIBCommand::Outcome::TargetAdded);
    EXPECT_EQ(added(), QStringList({"1", named, address, "uptime", "x per Second", "bps", "*8"}));

    EXPECT_EQ(run("ifInOctets", QString(), address, "x per Minute"),
              GraphMIBCommand::Outcome::IndexesSelected);
    EXPECT_EQ(choices, QStringList{address + "|" + address + "|public|ifInOctets|Bps,bps=*8|x per Minute"});
    EXPECT_EQ(targets.Count(), 2) << "the chooser adds rows itself";
    EXPECT_TRUE(prompter.calls.isEmpty());
    // The window's session shows the answered OID to whoever borrows it next.
    EXPECT_TRUE(session.OID().startsWith("1.3.6.1.2.1.2.2.1.10.")) << session.OID().toStdString();

    EXPECT_EQ(run("OLD-CISCO-CPU-MIB:avgBusy5", "1", address), GraphMIBCommand::Outcome::Rejected);
    ASSERT_EQ(prompter.calls.size(), 1);
    EXPECT_EQ(prompter.calls.at(0).icon, Prompter::Icon::Exclamation);
    EXPECT_EQ(targets.Count(), 2);
}

} // namespace
