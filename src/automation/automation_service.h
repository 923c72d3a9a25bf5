#pragma once

#include "automation_lifetime.h"

#include <QDBusConnection>
#include <QDBusObjectPath>
#include <QHash>
#include <QObject>
#include <QString>

class Application;
class ApplicationObject;
class Graph;
class GraphTree;
class GraphWindow;
class GraphsObject;
class Settings;
class SettingsObject;

/// Publishes the object model on a bus: /Application, /Settings, /Graphs and one
/// /Graphs/G<handle> per loaded graph window with the objects below it (GraphTree), then the name
/// net.brightfen.Trendwick. A window's paths are served from its creation until it is unloaded or
/// destroyed.
class AutomationService : public QObject {
    Q_OBJECT
public:
    static inline const QString kServiceName = QStringLiteral("net.brightfen.Trendwick");
    static inline const QString kApplicationPath = QStringLiteral("/Application");
    static inline const QString kSettingsPath = QStringLiteral("/Settings");
    static inline const QString kGraphsPath = QStringLiteral("/Graphs");
    static QString GraphPath(qint64 handle);

    AutomationService(Application& application, ::Settings& settings, const QDBusConnection& bus,
                      QObject* parent = nullptr);
    ~AutomationService() override;

    /// Registers the objects and takes the bus name. False with a reason when there is no bus or
    /// the name belongs to another process (which keeps it).
    bool Register(QString* error = nullptr);

    AutomationLifetime& Lifetime() { return m_lifetime; }
    /// The path of a Graph, served as long as its window is loaded.
    QDBusObjectPath PathOf(const Graph& graph);

private:
    void Publish(GraphWindow* window);
    void Withdraw(qint64 handle);

    Application& m_application;
    QDBusConnection m_bus;
    AutomationLifetime m_lifetime;
    ApplicationObject* m_applicationObject;
    GraphsObject* m_graphsObject;
    SettingsObject* m_settingsObject;
    QHash<qint64, GraphTree*> m_graphTrees;
    bool m_registered = false;
};
