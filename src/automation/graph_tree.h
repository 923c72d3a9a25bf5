#pragma once

#include <QDBusConnection>
#include <QDBusObjectPath>
#include <QHash>
#include <QObject>
#include <QString>
#include <vector>

class Application;
class AutomationLifetime;
class AutomationService;
class ChartStyleObject;
class GraphObject;
class GraphWindow;
class OIDDetailsObject;
class RTTrendwick;
class TargetOID;
class TargetOIDObject;
class TargetOIDsObject;
class YAxisObject;
class YAxisesObject;

/// Everything one graph window offers on the bus, below /Graphs/G<handle>: the Graph itself, its
/// TargetOIDs with one TargetOID (and its OID details) per series, its YAxises with one YAxis per
/// axis, and its ChartStyle. The objects keep numbers only (handle, key number, axis index) and
/// find their model object on every call. A series leaves the bus as soon as it leaves its
/// collection; axis paths follow the axes' count, since every Reset rebuilds the axes.
class GraphTree : public QObject {
    Q_OBJECT
public:
    GraphTree(AutomationService& service, Application& application, GraphWindow* window,
              const QDBusConnection& bus);
    ~GraphTree() override;

    /// Registers the paths; false when the graph's own path is taken on this connection.
    bool Register();
    /// Unregisters every path of the graph.
    void Withdraw();

    AutomationLifetime& Lifetime() const;
    /// The graph control of the window; WindowClosedError once the window is gone.
    RTTrendwick& Control() const;

    QString GraphPath() const;
    QString TargetsPath() const { return GraphPath() + QStringLiteral("/TargetOIDs"); }
    QString TargetPath(qint32 keyNumber) const;
    QString AxesPath() const { return GraphPath() + QStringLiteral("/YAxises"); }
    QString AxisPath(int index) const;
    QString StylePath() const { return GraphPath() + QStringLiteral("/ChartStyle"); }

    /// The path of a series of this graph, published if it was not yet.
    QDBusObjectPath PathOf(const TargetOID* target);
    /// The path of the axis at this 0-based index, published if it was not yet.
    QDBusObjectPath PathOfAxis(int index);

private:
    struct TargetEntry {
        TargetOIDObject* target = nullptr;
        OIDDetailsObject* details = nullptr;
    };

    void Connect(RTTrendwick& control);
    void PublishTarget(qint32 keyNumber);
    void WithdrawTarget(qint32 keyNumber);
    /// Brings the published series and axes in line with the collections.
    void Sync();
    /// Sends PropertiesChanged for the watched Graph properties that changed since last time.
    void AnnounceChanges();
    bool RegisterAt(const QString& path, QObject* object);

    AutomationService& m_service;
    QDBusConnection m_bus;
    qint64 m_handle;
    GraphObject* m_graph;
    TargetOIDsObject* m_targets;
    YAxisesObject* m_axes;
    ChartStyleObject* m_style;
    QHash<qint32, TargetEntry> m_targetObjects;
    std::vector<YAxisObject*> m_axisObjects;
    bool m_registered = false;

    struct Watched {
        bool paused = false;
        QString title;
        QString subTitle;
        bool zoomed = false;
    };
    Watched m_watched;
};
