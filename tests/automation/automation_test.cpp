// The automation server as a client sees it: each test runs on its own private bus and reaches
// the program only through activation, then drives it through proxies generated from the
// interface files.
#include "application_proxy.h"
#include "graph_proxy.h"
#include "graphs_proxy.h"
#include "settings_proxy.h"

#include <QDBusConnection>
#include <QDBusConnectionInterface>
#include <QDBusMetaType>
#include <QDBusServiceWatcher>
#include <QProcess>
#include <QSignalSpy>
#include <gtest/gtest.h>

namespace {

const QString kService = QStringLiteral("net.brightfen.Trendwick");

template <class Reply>
auto Value(Reply reply)
{
    reply.waitForFinished();
    EXPECT_FALSE(reply.isError()) << reply.error().message().toStdString();
    return reply.value();
}

QDBusError::ErrorType ErrorOf(QDBusPendingReply<> reply)
{
    reply.waitForFinished();
    return reply.error().type();
}

void Ok(QDBusPendingReply<> reply)
{
    EXPECT_EQ(ErrorOf(reply), QDBusError::NoError) << reply.error().message().toStdString();
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

TEST_F(AutomationTest, GraphsAndGraphsReachWindowsByKeyPositionAndPath)
{
    EXPECT_EQ(application.name(), "Real-Time Trendwick");
    EXPECT_EQ(application.graphs().path(), "/Graphs");
    EXPECT_EQ(application.settings().path(), "/Settings");
    EXPECT_EQ(graphs.count(), 0) << "an automation start opens no window";

    const QDBusObjectPath first = Value(graphs.NewGraph(false));
    const QDBusObjectPath second = Value(graphs.NewGraph(true));
    GraphProxy one = graph(first);
    EXPECT_EQ(first.path(), "/Graphs/G" + QString::number(one.hWnd()));
    EXPECT_EQ(one.key(), "G:" + QString::number(one.hWnd()));
    EXPECT_EQ(Value(graphs.Item(QDBusVariant(one.key()))), first);
    EXPECT_EQ(Value(graphs.Item(QDBusVariant(1))), first);
    EXPECT_EQ(Value(graphs.Item(QDBusVariant(3))).path(), "/") << "a position beyond Count is nothing";
    EXPECT_EQ(Value(graphs.Item(QDBusVariant("G:0"))).path(), "/");
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
    EXPECT_EQ(one.title(), "Core");
    one.setPollInterval(0);
    EXPECT_EQ(one.pollInterval(), 1);
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
}

TEST_F(AutomationTest, SettingsClampWritesAndAnnounceThemByValueName)
{
    QSignalSpy changed(&settings, &SettingsProxy::Changed);
    settings.setPollInterval(0);
    EXPECT_EQ(settings.pollInterval(), 1);
    settings.setPollInterval(601);
    EXPECT_EQ(settings.pollInterval(), 600);
    settings.setSNMPTimeout(50);
    EXPECT_EQ(settings.sNMPTimeout(), 100);
    settings.setSNMPRetries(9);
    EXPECT_EQ(settings.sNMPRetries(), 5);
    ASSERT_TRUE(WaitForSignals(changed, 4));
    EXPECT_EQ(changed.at(0).at(0).toString(), "Poll Interval");
    EXPECT_EQ(changed.at(0).at(1).value<QDBusVariant>().variant().toInt(), 1);
    EXPECT_EQ(changed.at(3).at(0).toString(), "SNMP Retries");

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
    EXPECT_EQ(Value(settings.ColumnName(24)), "");
    EXPECT_EQ(Value(settings.ColumnName(3)), "MIB Name");
}

// The process ends on its own once its one-shot clients are gone and no window is loaded. The
// clients here are gdbus runs: this test process never calls the program itself.
TEST_F(AutomationTest, AnActivatedProcessServesOneShotCallsThenEnds)
{
    const auto callFromGdbus = [] {
        QProcess gdbus;
        gdbus.start("gdbus", {"call", "--session", "--dest", kService, "--object-path", "/Application",
                              "--method", "org.freedesktop.DBus.Properties.Get",
                              "net.brightfen.Trendwick.Application", "Version"});
        EXPECT_TRUE(gdbus.waitForFinished(30000)) << "gdbus (libglib2.0-bin) is needed";
        EXPECT_EQ(gdbus.exitCode(), 0) << gdbus.readAllStandardError().toStdString();
        return QString::fromUtf8(gdbus.readAllStandardOutput()).trimmed();
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

} // namespace
