// The automation server as a client sees it: each test runs on its own private bus and reaches
// the program only through activation, then drives it through proxies generated from the
// interface files.
#include "application_proxy.h"
#include "bus_replies.h"
#include "graph_proxy.h"
#include "graphs_proxy.h"
#include "settings_proxy.h"

#include <test_agent.h>

#include <QDBusConnection>
#include <QDBusConnectionInterface>
#include <QDBusMetaType>
#include <QDBusServiceWatcher>
#include <QDomDocument>
#include <QImageReader>
#include <QProcess>
#include <QSignalSpy>
#include <QTemporaryDir>
#include <gtest/gtest.h>

namespace {

void Ok(QDBusPendingReply<> reply)
{
    EXPECT_EQ(ErrorOf(reply), QDBusError::NoError) << reply.error().message().toStdString();
}

/// One gdbus call to the program; its answer in GVariant text. A failed call fails the test
/// unless the caller takes the error text.
QString Gdbus(const QString& path, const QString& member, const QStringList& arguments = {},
              QString* error = nullptr)
{
    const QString interface = member.startsWith("org.") ? QString() : "net.brightfen.Trendwick.";
    QProcess gdbus;
    gdbus.start("gdbus", QStringList{"call", "--session", "--timeout", "60", "--dest", kService,
                                     "--object-path", path, "--method", interface + member} +
                             arguments);
    EXPECT_TRUE(gdbus.waitForFinished(90000)) << "gdbus (libglib2.0-bin) is needed";
    const QString failure = QString::fromUtf8(gdbus.readAllStandardError());
    if (error)
        *error = failure;
    else
        EXPECT_EQ(gdbus.exitCode(), 0) << member.toStdString() << ": " << failure.toStdString();
    return QString::fromUtf8(gdbus.readAllStandardOutput()).trimmed();
}

/// The last object path in a gdbus answer.
QString LastPath(const QString& answer)
{
    const int end = answer.lastIndexOf("'");
    const int start = answer.lastIndexOf("objectpath '", end) + int(qstrlen("objectpath '"));
    return end > 0 && start < end ? answer.mid(start, end - start) : QString();
}

/// A file read by Qt's XML parser.
QDomDocument ReadXml(const QString& fileName)
{
    QFile file(fileName);
    QDomDocument document;
    EXPECT_TRUE(file.open(QIODevice::ReadOnly) && document.setContent(&file)) << fileName.toStdString();
    return document;
}

bool WaitForSignals(QSignalSpy& spy, int count)
{
    while (spy.size() < count) {
        if (!spy.wait(10000))
            return false;
    }
    return spy.size() == count;
}

class AutomationTest : public ::testing::Test {
protected:
    void SetUp() override
    {
        ASSERT_TRUE(bus.isConnected()) << "no private bus: run under dbus-run-session";
        // The program started by the bus keeps its settings in this test's private folders.
        using Environment = QMap<QString, QString>;
        qDBusRegisterMetaType<Environment>();
        Environment environment;
        for (const char* name : {"XDG_CONFIG_HOME", "XDG_DATA_HOME", "XDG_CACHE_HOME", "QT_QPA_PLATFORM"})
            environment.insert(name, qEnvironmentVariable(name));
        QDBusMessage update =
            QDBusMessage::createMethodCall("org.freedesktop.DBus", "/org/freedesktop/DBus",
                                           "org.freedesktop.DBus", "UpdateActivationEnvironment");
        update << QVariant::fromValue(environment);
        const QDBusMessage answer = bus.call(update);
        ASSERT_NE(answer.type(), QDBusMessage::ErrorMessage) << answer.errorMessage().toStdString();
    }

    void TearDown() override
    {
        if (bus.interface()->isServiceRegistered(kService))
            application.Shutdown().waitForFinished();
    }

    GraphProxy graph(const QDBusObjectPath& path) { return GraphProxy(kService, path.path(), bus); }

    QDBusConnection bus = QDBusConnection::sessionBus();
    ApplicationProxy application{kService, "/Application", bus};
    GraphsProxy graphs{kService, "/Graphs", bus};
    SettingsProxy settings{kService, "/Settings", bus};
};

TEST_F(AutomationTest, GraphsReachWindowsByKeyPositionAndPathAndSettingsAnnounceWrites)
{
    EXPECT_EQ(graphs.count(), 0) << "an automation start opens no window";

    const QDBusObjectPath first = Value(graphs.NewGraph(false));
    const QDBusObjectPath second = Value(graphs.NewGraph(true));
    GraphProxy one = graph(first);
    EXPECT_EQ(Value(graphs.Item(QDBusVariant(one.key()))), first);
    EXPECT_EQ(Value(graphs.Item(QDBusVariant(1))), first);
    EXPECT_EQ(Value(graphs.Item(QDBusVariant(3))).path(), "/") << "a position beyond Count is nothing";
    EXPECT_EQ(Value(graphs.NewEnum()), QList<QDBusObjectPath>({first, second}));

    // Move with only a width changes only the width; four -1 leave the window as it is.
    Ok(one.Move(0, 0, 14400, 7200));
    const int height = one.height();
    Ok(one.Move(-1, -1, 12000, -1));
    EXPECT_NEAR(one.width(), 12000, 30);
    EXPECT_EQ(one.height(), height);
    const int left = one.left();
    Ok(one.Move(-1, -1, -1, -1));
    EXPECT_EQ(one.left(), left);

    one.setTitle("Core");
    EXPECT_FALSE(Value(one.SetXML("<not a graph")));

    // A path held across Refresh still reaches its window; after CloseWindow nothing answers.
    Ok(graphs.Refresh());
    EXPECT_EQ(graphs.count(), 2);
    EXPECT_EQ(one.title(), "Core");
    Ok(one.CloseWindow());
    EXPECT_EQ(graphs.count(), 1);
    EXPECT_EQ(ErrorOf(one.Reset()), QDBusError::UnknownObject);
    EXPECT_EQ(ErrorOf(one.CloseWindow()), QDBusError::UnknownObject);
    EXPECT_EQ(Value(graphs.Item(QDBusVariant(1))), second);

    Ok(application.Shutdown());
    EXPECT_EQ(ErrorOf(graph(second).ShowWindow()), QDBusError::UnknownObject);
    Ok(graphs.Refresh());
    EXPECT_EQ(graphs.count(), 0);

    // Settings clamp what they are given and announce each write by the value's name.
    QSignalSpy changed(&settings, &SettingsProxy::Changed);
    settings.setPollInterval(0);
    EXPECT_EQ(settings.pollInterval(), 1);
    settings.setSNMPRetries(9);
    EXPECT_EQ(settings.sNMPRetries(), 5);
    ASSERT_TRUE(WaitForSignals(changed, 2));
    EXPECT_EQ(changed.at(0).at(0).toString(), "Poll Interval");
    EXPECT_EQ(changed.at(0).at(1).value<QDBusVariant>().variant().toInt(), 1);

    // The version announces only a change; Columns announces every write.
    changed.clear();
    settings.setSNMPVersion(settings.sNMPVersion());
    settings.setColumns(settings.columns());
    Ok(settings.SaveOption("Custom", QDBusVariant(42)));
    ASSERT_TRUE(WaitForSignals(changed, 2));
    EXPECT_EQ(changed.at(0).at(0).toString(), "Table Columns");
    EXPECT_EQ(changed.at(1).at(0).toString(), "Custom");

    EXPECT_EQ(Value(settings.RetrieveOption("Custom", QDBusVariant(""))).variant().toString(), "42");
    EXPECT_EQ(Value(settings.RetrieveOption("Missing", QDBusVariant(7))).variant().toInt(), 7);
}

// The process ends on its own once its one-shot clients are gone and no window is loaded. The
// clients here are gdbus runs: this test process never calls the program itself.
TEST_F(AutomationTest, AnActivatedProcessServesOneShotCallsThenEnds)
{
    const auto callFromGdbus = [] {
        return Gdbus("/Application", "org.freedesktop.DBus.Properties.Get",
                     {"net.brightfen.Trendwick.Application", "Version"});
    };
    EXPECT_EQ(callFromGdbus(), "(<'3.1.0'>,)");
    ASSERT_TRUE(bus.interface()->isServiceRegistered(kService));
    const uint pid = bus.interface()->servicePid(kService);
    callFromGdbus();
    EXPECT_EQ(bus.interface()->servicePid(kService).value(), pid) << "the second call found the same process";

    QDBusServiceWatcher watcher(kService, bus, QDBusServiceWatcher::WatchForUnregistration);
    QSignalSpy ended(&watcher, &QDBusServiceWatcher::serviceUnregistered);
    EXPECT_TRUE(ended.wait(60000)) << "the process should end once nothing holds it";
}

// A whole session from the command-line client: the program is started by the bus, graphs an
// interface of the agent, takes a second series and a style change, and writes files that
// readers other than ours accept. This process only listens.
TEST_F(AutomationTest, AGdbusSessionGraphsTheAgentAndWritesFilesOthersRead)
{
    TestAgent agent;
    QString error;
    ASSERT_TRUE(agent.start(&error)) << error.toStdString();
    QTemporaryDir folder;
    const QString address = agent.address();
    const auto text = [](const QString& value) { return "<'" + value + "'>"; };

    Gdbus("/Application", "Application.GraphMIB",
          {text(address), text("public"), text("ifInOctets"), text("1"), text(""), text(""), text("")});
    Gdbus("/Graphs", "Graphs.Refresh");
    const QString graph = LastPath(Gdbus("/Graphs", "Graphs.NewEnum"));
    ASSERT_TRUE(graph.startsWith("/Graphs/G")) << graph.toStdString();
    const QString series = LastPath(
        Gdbus(graph + "/TargetOIDs", "TargetOIDs.Add", {"core", address, "public", "ifOutOctets", "1"}));
    EXPECT_EQ(series, graph + "/TargetOIDs/O2");
    Gdbus(graph, "Graph.Reset");
    Gdbus(graph + "/ChartStyle", "org.freedesktop.DBus.Properties.Set",
          {"net.brightfen.Trendwick.ChartStyle", "GridStyleName", text("x & y axis")});
    const QString jpeg = folder.filePath("chart.jpg");
    const QString definition = folder.filePath("graph.Trendwick");
    Gdbus(graph, "Graph.SaveJPEG", {jpeg, "640", "480"});
    Gdbus(graph, "Graph.Save", {definition});
    Gdbus(graph, "Graph.CloseWindow");
    Gdbus(series, "org.freedesktop.DBus.Properties.Get", {"net.brightfen.Trendwick.TargetOID", "Key"},
          &error);
    EXPECT_TRUE(error.contains("UnknownObject")) << error.toStdString();

    QImageReader image(jpeg);
    EXPECT_EQ(image.format(), "jpeg");
    EXPECT_EQ(image.read().size(), QSize(640, 480)) << image.errorString().toStdString();
    const QDomDocument saved = ReadXml(definition);
    EXPECT_EQ(saved.documentElement().firstChildElement("ChartStyle").attribute("GridStyle"), "BOTH");
    QStringList objects;
    for (QDomElement target = saved.documentElement().firstChildElement("TargetOIDs").firstChildElement();
         !target.isNull(); target = target.nextSiblingElement())
        objects << target.attribute("MIB") + "." + target.attribute("Index") + "@" + target.attribute("IP");
    EXPECT_EQ(objects, QStringList({"IF-MIB:ifInOctets.1@" + address, "IF-MIB:ifOutOctets.1@" + address}));
}

// The scripts in examples/automation run as a user would run them, against the test agent.
TEST_F(AutomationTest, TheExampleScriptsGraphAnInterfaceAndSaveIt)
{
    TestAgent agent;
    QString error;
    ASSERT_TRUE(agent.start(&error)) << error.toStdString();
    const QString examples = QStringLiteral(TW_EXAMPLES_DIR);
    for (const QStringList& command : {QStringList{"sh", examples + "/graph_interface.sh"},
                                       QStringList{TW_PYTHON3, examples + "/graph_interface.py"}}) {
        SCOPED_TRACE(command.last().toStdString());
        QTemporaryDir folder;
        QProcess script;
        script.start(command.first(),
                     command.mid(1) + QStringList{agent.address(), "public", "1", folder.path()});
        ASSERT_TRUE(script.waitForFinished(120000));
        EXPECT_EQ(script.exitCode(), 0) << script.readAllStandardError().toStdString();

        QImageReader image(folder.filePath("interface.jpg"));
        EXPECT_EQ(image.read().size(), QSize(800, 600)) << image.errorString().toStdString();
        const QDomDocument saved = ReadXml(folder.filePath("interface.Trendwick"));
        const QDomElement definition = saved.documentElement();
        EXPECT_EQ(definition.firstChildElement("ChartStyle").attribute("MainTitle"),
                  "Interface 1 of " + agent.address());
        const QDomElement axis = definition.firstChildElement("Axes").firstChildElement("Axis");
        EXPECT_EQ(axis.attribute("FixedScales") + " " + axis.attribute("FixedMax"), "Yes 100000000");
        EXPECT_EQ(definition.firstChildElement("TargetOIDs").childNodes().size(), 2);
    }
}

} // namespace
