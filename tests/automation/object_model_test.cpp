// Series, axes and style driven by a client over the bus, checked where they end up: on the chart
// of the graph window. The program's objects live in this process on a private bus; the client
// runs on a thread of its own with its own connection, as a separate program would, and reaches
// them only through proxies generated from the interface files.
#include "bus_replies.h"
#include "chartstyle_proxy.h"
#include "graph_proxy.h"
#include "graphs_proxy.h"
#include "targetoid_proxy.h"
#include "targetoids_proxy.h"
#include "yaxis_proxy.h"
#include "yaxises_proxy.h"

#include <application.h>
#include <automation_service.h>
#include <chart_binding.h>
#include <clock.h>
#include <graph_window.h>
#include <qcustomplot.h>
#include <rgb_color.h>
#include <rt_trendwick.h>
#include <scripted_prompter.h>
#include <settings.h>
#include <test_agent.h>

#include <QDomDocument>
#include <QSignalSpy>
#include <QTest>
#include <QThread>
#include <functional>
#include <gtest/gtest.h>
#include <qt_print.h>

namespace {

using Type = TestAgent::ValueType;

/// Collects PropertiesChanged of one object (QtDBus connects bus signals to slots by name only).
class ChangeLog : public QObject {
    Q_OBJECT
public:
    QVariantMap changes;
public Q_SLOTS:
    void Changed(const QString&, const QVariantMap& changed, const QStringList&)
    {
        for (auto it = changed.cbegin(); it != changed.cend(); ++it)
            changes.insert(it.key(), it.value());
    }
};

/// The names of the nodes below a path, as the bus tells any client.
QString Children(const QDBusConnection& bus, const QString& path)
{
    const QDBusMessage answer = bus.call(
        QDBusMessage::createMethodCall(kService, path, "org.freedesktop.DBus.Introspectable", "Introspect"));
    QDomDocument document;
    document.setContent(answer.arguments().value(0).toString());
    QStringList names;
    for (QDomElement node = document.documentElement().firstChildElement("node"); !node.isNull();
         node = node.nextSiblingElement("node"))
        names << node.attribute("name");
    return names.join(' ');
}

class ObjectModelTest : public ::testing::Test {
protected:
    static void SetUpTestSuite()
    {
        s_agent = std::make_unique<TestAgent>();
        QString error;
        if (!s_agent->start(&error)) {
            ADD_FAILURE() << error.toStdString();
            s_agent.reset();
        }
    }
    static void TearDownTestSuite() { s_agent.reset(); }

    void SetUp() override
    {
        ASSERT_TRUE(s_agent) << "the test agent did not start";
        QString error;
        ASSERT_TRUE(service.Register(&error)) << error.toStdString() << " (run under dbus-run-session)";
        settings.setSNMPTimeout(300);
        settings.setSNMPRetries(1);
    }

    void TearDown() override { application.Shutdown(); }

    /// Runs the client's part to its end while this thread serves the calls.
    void AsClient(const std::function<void(const QDBusConnection&)>& body)
    {
        std::unique_ptr<QThread> thread(QThread::create([&body] {
            {
                const QDBusConnection bus =
                    QDBusConnection::connectToBus(QDBusConnection::SessionBus, "client");
                body(bus);
            }
            QDBusConnection::disconnectFromBus("client");
        }));
        QEventLoop loop;
        QObject::connect(thread.get(), &QThread::finished, &loop, &QEventLoop::quit);
        thread->start();
        loop.exec();
        thread->wait();
    }

    /// The chart of the only graph window.
    ChartBinding& Chart() const { return *GraphWindow::Windows().value(0)->Control().ChartObject(); }

    /// The graph series with that label.
    QCPGraph* Series(const QString& label) const
    {
        QCustomPlot* plot = Chart().Plot();
        for (int i = 0; i < plot->graphCount(); ++i) {
            if (plot->graph(i)->name() == label)
                return plot->graph(i);
        }
        return nullptr;
    }

    static std::unique_ptr<TestAgent> s_agent;
    Settings settings;
    ScriptedPrompter prompter;
    Application application{settings, SystemClock::instance(), &prompter};
    AutomationService service{application, settings, QDBusConnection::sessionBus()};
};

std::unique_ptr<TestAgent> ObjectModelTest::s_agent;

TEST_F(ObjectModelTest, SeriesFollowTheAgentAnnounceThemselvesAndLeaveTheBusWhenRemoved)
{
    TestAgent& agent = *s_agent;
    agent.setValue("1.1", Type::Counter32, 1000);
    AsClient([&](const QDBusConnection& bus) {
        GraphsProxy graphs(kService, "/Graphs", bus);
        GraphProxy graph(kService, Value(graphs.NewGraph(true)).path(), bus);
        TargetOIDsProxy targets(kService, graph.targetOIDs().path(), bus);
        QSignalSpy added(&targets, &TargetOIDsProxy::NewOID);
        QSignalSpy removed(&targets, &TargetOIDsProxy::OIDRemoved);
        QSignalSpy refreshed(&targets, &TargetOIDsProxy::Refresh);
        // Connected long before it is raised: a proxy's match rule reaches the bus asynchronously.
        QSignalSpy shutdown(&graph, &GraphProxy::Shutdown);

        const QDBusObjectPath first = Value(
            targets.Add("agent", agent.address(), agent.community(), TestAgent::controlledOid("1"), "1"));
        EXPECT_EQ(first.path(), graph.path() + "/TargetOIDs/O1");
        ASSERT_TRUE(added.wait(10000));
        EXPECT_EQ(added.at(0).at(0).value<QDBusObjectPath>(), first);
        TargetOIDProxy counter(kService, first.path(), bus);
        counter.setCalculation("No Calculations");
        graph.setPollInterval(1);
        EXPECT_EQ(ErrorOf(graph.Reset()), QDBusError::NoError);

        // The series reads what the agent answers, poll after poll.
        EXPECT_TRUE(QTest::qWaitFor([&] { return counter.value() == 1000; }, 15000)) << counter.value();
        const double firstSeen = ToAutomationDate(QDateTime::currentDateTime());
        EXPECT_EQ(Value(counter.History(0)), 1000);
        EXPECT_NEAR(Value(counter.HistoryTime(0)), firstSeen, 5.0 / 86400);
        agent.setValue("1.1", Type::Counter32, 2500);
        EXPECT_TRUE(QTest::qWaitFor([&] { return counter.value() == 2500; }, 15000)) << counter.value();
        const qint16 count = counter.historyCount();
        ASSERT_GE(count, 2);
        EXPECT_EQ(Value(counter.History(count - 1)), 1000) << "the oldest entry";
        EXPECT_LE(Value(counter.HistoryTime(count - 1)), Value(counter.HistoryTime(0)));
        EXPECT_EQ(ErrorOf(counter.History(500)), QDBusError::InvalidArgs);

        // Removed by the client: announced with its path, which answers nothing any more.
        const QDBusObjectPath second = Value(
            targets.Add("agent", agent.address(), agent.community(), TestAgent::controlledOid("1"), "1"));
        EXPECT_EQ(Value(targets.Index(QDBusVariant(2))), second);
        EXPECT_EQ(Value(targets.Index(QDBusVariant("O:99"))).path(), "/");
        EXPECT_EQ(Children(bus, targets.path()), "O1 O2");
        EXPECT_EQ(ErrorOf(targets.Remove(QDBusVariant("O:1"))), QDBusError::NoError);
        ASSERT_TRUE(removed.wait(10000));
        EXPECT_EQ(removed.at(0).at(0).value<QDBusObjectPath>(), first);
        EXPECT_EQ(ErrorOf(counter.History(0)), QDBusError::UnknownObject);
        EXPECT_EQ(Children(bus, targets.path()), "O2") << "gone from the bus, not only empty";
        EXPECT_EQ(Value(targets.NewEnum()), QList<QDBusObjectPath>{second});

        // Cleared: Refresh once, no OIDRemoved, and the last path is gone too.
        EXPECT_EQ(ErrorOf(targets.Clear()), QDBusError::NoError);
        ASSERT_TRUE(refreshed.wait(10000));
        EXPECT_EQ(removed.size(), 1);
        EXPECT_EQ(ErrorOf(TargetOIDProxy(kService, second.path(), bus).History(0)),
                  QDBusError::UnknownObject);
        EXPECT_EQ(targets.count(), 0);

        // Closing the window raises the graph's Shutdown before its objects leave the bus.
        EXPECT_EQ(ErrorOf(graph.CloseWindow()), QDBusError::NoError);
        EXPECT_TRUE(shutdown.wait(10000));
    });
}

TEST_F(ObjectModelTest, WhatAClientSetsReachesTheChart)
{
    TestAgent& agent = *s_agent;
    agent.setValue("3.1", Type::Gauge32, 50);
    QString graphPath;
    QString upPath;
    AsClient([&](const QDBusConnection& bus) {
        GraphsProxy graphs(kService, "/Graphs", bus);
        graphPath = Value(graphs.NewGraph(true)).path();
        GraphProxy graph(kService, graphPath, bus);
        TargetOIDsProxy targets(kService, graph.targetOIDs().path(), bus);
        const auto add = [&] {
            TargetOIDProxy target(kService,
                                  Value(targets.Add("agent", agent.address(), agent.community(),
                                                    TestAgent::controlledOid("3"), "1"))
                                      .path(),
                                  bus);
            target.setCalculation("No Calculations");
            return target.path();
        };
        upPath = add();
        TargetOIDProxy up(kService, upPath, bus);
        TargetOIDProxy down(kService, add(), bus);
        up.setLabel("uplink");
        EXPECT_FALSE(up.autoLabel());
        up.setColor(RGBColor(10, 200, 30));
        up.setLineStyleName("dash");
        down.setUnits("Kbps=*8");
        graph.setPaused(false);
        EXPECT_EQ(ErrorOf(graph.Reset()), QDBusError::NoError);

        YAxisesProxy axes(kService, graph.yAxises().path(), bus);
        ASSERT_EQ(axes.count(), 2) << "the new units make an axis of their own";
        YAxisProxy kbps(kService, Value(axes.Item(QDBusVariant(2))).path(), bus);
        EXPECT_EQ(kbps.label(), "Kbps");
        EXPECT_EQ(kbps.targetOIDs(), QList<QDBusObjectPath>{QDBusObjectPath(down.path())});
        kbps.setFixedScales(true);
        kbps.setFixedMax(5000);
        kbps.setFixedMin(-10);
        ChartStyleProxy style(kService, graph.chartStyle().path(), bus);
        style.setDeskColor(RGBColor(10, 20, 30));
        EXPECT_EQ(ErrorOf(graph.UpdateStyle()), QDBusError::NoError);
        // The converted value is what the chart plots.
        EXPECT_TRUE(QTest::qWaitFor([&] { return down.value() == 400; }, 15000)) << down.value();
        EXPECT_EQ(ErrorOf(graph.RedrawGraph()), QDBusError::NoError);
    });
    ChartBinding& chart = Chart();
    QCPGraph* up = Series("uplink");
    ASSERT_NE(up, nullptr);
    EXPECT_EQ(up->pen().color(), QColor(10, 200, 30));
    EXPECT_EQ(up->pen().style(), Qt::DashLine);
    EXPECT_EQ(chart.AxisScale(1), std::make_pair(-10.0, 5000.0));
    EXPECT_EQ(chart.DeskColor(), RGBColor(10, 20, 30));
    EXPECT_EQ(chart.Image(400, 300).pixelColor(1, 1), QColor(10, 20, 30));
    EXPECT_EQ(chart.PointValue(1, ChartBinding::Points - 1), 400);

    // Back to the automatic label, and the axis scale again on its own; the Graph announces what
    // it changed without being asked.
    QVariantMap changes;
    AsClient([&](const QDBusConnection& bus) {
        ChangeLog log;
        QDBusConnection(bus).connect(kService, graphPath, "org.freedesktop.DBus.Properties",
                                     "PropertiesChanged", &log,
                                     SLOT(Changed(QString, QVariantMap, QStringList)));
        GraphProxy graph(kService, graphPath, bus);
        QSignalSpy state(&graph, &GraphProxy::StateChanged);
        QSignalSpy mouse(&graph, &GraphProxy::MouseDown);
        QMetaObject::invokeMethod(
            qApp,
            [this] { QTest::mouseClick(Chart().Plot(), Qt::LeftButton, Qt::ShiftModifier, QPoint(60, 40)); },
            Qt::QueuedConnection);
        ASSERT_TRUE(mouse.wait(10000));
        EXPECT_EQ(mouse.at(0), QVariantList({1, 1, 60.0, 40.0})) << "left button, shift, position";
        TargetOIDProxy(kService, upPath, bus).setAutoLabel(true);
        YAxisProxy(kService, graphPath + "/YAxises/A1", bus).setFixedScales(false);
        graph.setTitle("Core");
        EXPECT_TRUE(QTest::qWaitFor([&] { return log.changes.contains("Title"); }, 10000));
        graph.setPaused(true);
        EXPECT_TRUE(state.wait(10000));
        EXPECT_TRUE(QTest::qWaitFor([&] { return log.changes.contains("Paused"); }, 10000));
        changes = log.changes;
        EXPECT_EQ(ErrorOf(graph.Reset()), QDBusError::NoError);
    });
    EXPECT_EQ(changes.value("Title").toString(), "Core");
    EXPECT_EQ(changes.value("Paused").toBool(), true);
    EXPECT_EQ(Series("uplink"), nullptr);
    EXPECT_NE(chart.AxisScale(1).second, 5000.0);
}

} // namespace

#include "object_model_test.moc"
