#include "automation_service.h"

#include "application_object.h"
#include "graph_tree.h"
#include "graphs_object.h"
#include "settings_object.h"

// Generated from the interface files by qt_add_dbus_adaptor.
#include "application_adaptor.h"
#include "graphs_adaptor.h"
#include "settings_adaptor.h"

#include <application.h>
#include <graph.h>
#include <graph_window.h>

#include <QDBusConnectionInterface>

QString AutomationService::GraphPath(qint64 handle)
{
    return kGraphsPath + QStringLiteral("/G") + QString::number(handle);
}

AutomationService::AutomationService(Application& application, ::Settings& settings,
                                     const QDBusConnection& bus, QObject* parent)
    : QObject(parent), m_application(application), m_bus(bus), m_lifetime(bus),
      m_applicationObject(new ApplicationObject(*this, application)),
      m_graphsObject(new GraphsObject(*this, application)),
      m_settingsObject(new SettingsObject(*this, settings))
{
    // Adaptors relay their objects' signals only when the argument types are known by the time
    // an adaptor is made, and nothing else in the program may have used these types yet.
    qRegisterMetaType<QDBusVariant>();
    qRegisterMetaType<QDBusObjectPath>();
    for (AutomationObject* object :
         std::initializer_list<AutomationObject*>{m_applicationObject, m_graphsObject, m_settingsObject})
        object->setParent(this);
    new ApplicationAdaptor(m_applicationObject);
    new GraphsAdaptor(m_graphsObject);
    new SettingsAdaptor(m_settingsObject);
    connect(&application, &Application::GraphWindowCreated, this, &AutomationService::Publish);
}

AutomationService::~AutomationService()
{
    if (!m_registered)
        return;
    m_bus.unregisterService(kServiceName);
    for (const QString& path : {kApplicationPath, kSettingsPath, kGraphsPath})
        m_bus.unregisterObject(path);
    for (GraphTree* tree : std::as_const(m_graphTrees))
        tree->Withdraw();
}

bool AutomationService::Register(QString* error)
{
    const auto fail = [error](const QString& reason) {
        if (error)
            *error = reason;
        return false;
    };
    if (!m_bus.isConnected())
        return fail(QStringLiteral("no session bus: ") + m_bus.lastError().message());
    const auto options = QDBusConnection::ExportAdaptors;
    if (!m_bus.registerObject(kApplicationPath, m_applicationObject, options) ||
        !m_bus.registerObject(kSettingsPath, m_settingsObject, options) ||
        !m_bus.registerObject(kGraphsPath, m_graphsObject, options))
        return fail(QStringLiteral("the object paths are taken on this connection"));
    m_registered = true;
    for (GraphWindow* window : GraphWindow::Windows())
        Publish(window);
    // Without queueing: a second copy of the program must not take the name over.
    if (!m_bus.registerService(kServiceName))
        return fail(QStringLiteral("the name %1 belongs to another process").arg(kServiceName));
    return true;
}

QDBusObjectPath AutomationService::PathOf(const Graph& graph)
{
    if (graph.window())
        Publish(graph.window());
    // A window closed since the collection was filled keeps its path, which no longer answers.
    return QDBusObjectPath(GraphPath(graph.handle()));
}

void AutomationService::Publish(GraphWindow* window)
{
    const qint64 handle = qint64(window->winId());
    if (!m_registered || m_graphTrees.contains(handle))
        return;
    auto* tree = new GraphTree(*this, m_application, window, m_bus);
    tree->setParent(this);
    if (!tree->Register()) {
        delete tree;
        return;
    }
    m_graphTrees.insert(handle, tree);
    connect(window, &GraphWindow::Unloaded, this, [this, handle] { Withdraw(handle); });
    connect(window, &QObject::destroyed, this, [this, handle] { Withdraw(handle); });
}

void AutomationService::Withdraw(qint64 handle)
{
    GraphTree* tree = m_graphTrees.take(handle);
    if (!tree)
        return;
    tree->Withdraw();
    // One of its objects may be answering the call that closed the window.
    tree->deleteLater();
}
