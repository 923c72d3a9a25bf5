#include "graph_tree.h"

#include "automation_service.h"
#include "chart_style_object.h"
#include "graph_object.h"
#include "oid_details_object.h"
#include "target_oid_object.h"
#include "target_oids_object.h"
#include "y_axis_object.h"
#include "y_axises_object.h"

// Generated from the interface files by qt_add_dbus_adaptor.
#include "chartstyle_adaptor.h"
#include "graph_adaptor.h"
#include "oiddetails_adaptor.h"
#include "targetoid_adaptor.h"
#include "targetoids_adaptor.h"
#include "yaxis_adaptor.h"
#include "yaxises_adaptor.h"

#include <graph.h>
#include <graph_window.h>
#include <rt_trendwick.h>
#include <target_oids.h>
#include <y_axises.h>

#include <QDBusMessage>
#include <QSet>

namespace {
const QString kGraphInterface = QStringLiteral("net.brightfen.Trendwick.Graph");
}

GraphTree::GraphTree(AutomationService& service, Application& application, GraphWindow* window,
                     const QDBusConnection& bus)
    : m_service(service), m_bus(bus), m_handle(qint64(window->winId())),
      m_graph(new GraphObject(service, application, m_handle)), m_targets(new TargetOIDsObject(*this)),
      m_axes(new YAxisesObject(*this)), m_style(new ChartStyleObject(*this))
{
    new GraphAdaptor(m_graph);
    new TargetOIDsAdaptor(m_targets);
    new YAxisesAdaptor(m_axes);
    new ChartStyleAdaptor(m_style);
    for (QObject* object : std::initializer_list<QObject*>{m_graph, m_targets, m_axes, m_style})
        object->setParent(this);
    Connect(window->Control());
}

GraphTree::~GraphTree() = default;

AutomationLifetime& GraphTree::Lifetime() const
{
    return m_service.Lifetime();
}

RTTrendwick& GraphTree::Control() const
{
    GraphWindow* window = Graph::WindowOf(m_handle);
    if (!window)
        throw WindowClosedError();
    return window->Control();
}

QString GraphTree::GraphPath() const
{
    return AutomationService::GraphPath(m_handle);
}

QString GraphTree::TargetPath(qint32 keyNumber) const
{
    return TargetsPath() + QStringLiteral("/O") + QString::number(keyNumber);
}

QString GraphTree::AxisPath(int index) const
{
    return AxesPath() + QStringLiteral("/A") + QString::number(index);
}

void GraphTree::Connect(RTTrendwick& control)
{
    ::TargetOIDs& targets = control.TargetOIDs();
    connect(&targets, &::TargetOIDs::NewOID, this, [this](TargetOID* target) {
        PublishTarget(target->KeyNumber());
        Q_EMIT m_targets->NewOID(QDBusObjectPath(TargetPath(target->KeyNumber())));
    });
    // The series leaves the bus before clients hear of it, so its path no longer answers then.
    connect(&targets, &::TargetOIDs::OIDRemoved, this, [this](TargetOID* target) {
        WithdrawTarget(target->KeyNumber());
        Q_EMIT m_targets->OIDRemoved(QDBusObjectPath(TargetPath(target->KeyNumber())));
    });
    connect(&targets, &::TargetOIDs::Refresh, this, [this] {
        Sync();
        Q_EMIT m_targets->Refresh();
    });
    // Every Reset raises StateChanged: series loaded from a file and rebuilt axes appear then.
    connect(&control, &RTTrendwick::StateChanged, this, [this] {
        Sync();
        AnnounceChanges();
    });
    connect(&control, &RTTrendwick::StateChanged, m_graph, &GraphObject::StateChanged);
    connect(&control, &RTTrendwick::TitlesChanged, this, &GraphTree::AnnounceChanges);
    // Sent here rather than relayed by the adaptor: a relayed signal is matched to its object on
    // the bus's own thread, by when closing the window may have withdrawn the object, and a
    // client waiting for Shutdown would never see it.
    connect(&control, &RTTrendwick::ShuttingDown, this, [this] {
        m_bus.send(QDBusMessage::createSignal(GraphPath(), kGraphInterface, QStringLiteral("Shutdown")));
    });
    connect(&control, &RTTrendwick::MouseDown, m_graph,
            [this](qint16 button, qint16 shift, float x, float y) {
                Q_EMIT m_graph->MouseDown(button, shift, x, y);
            });
    m_watched = {control.Paused(), control.MainTitle(), control.SubTitle(), control.Zoomed()};
}

bool GraphTree::RegisterAt(const QString& path, QObject* object)
{
    return m_bus.registerObject(path, object, QDBusConnection::ExportAdaptors);
}

bool GraphTree::Register()
{
    if (!RegisterAt(GraphPath(), m_graph))
        return false;
    RegisterAt(TargetsPath(), m_targets);
    RegisterAt(AxesPath(), m_axes);
    RegisterAt(StylePath(), m_style);
    m_registered = true;
    Sync();
    return true;
}

void GraphTree::Withdraw()
{
    if (!m_registered)
        return;
    m_registered = false;
    for (const qint32 number : m_targetObjects.keys())
        WithdrawTarget(number);
    for (int index = int(m_axisObjects.size()) - 1; index >= 0; --index) {
        m_bus.unregisterObject(AxisPath(index));
        m_axisObjects[size_t(index)]->deleteLater();
    }
    m_axisObjects.clear();
    for (const QString& path : {StylePath(), AxesPath(), TargetsPath(), GraphPath()})
        m_bus.unregisterObject(path);
}

void GraphTree::PublishTarget(qint32 keyNumber)
{
    if (!m_registered || m_targetObjects.contains(keyNumber))
        return;
    TargetEntry entry{new TargetOIDObject(*this, keyNumber), new OIDDetailsObject(*this, keyNumber)};
    entry.target->setParent(this);
    entry.details->setParent(this);
    new TargetOIDAdaptor(entry.target);
    new OIDDetailsAdaptor(entry.details);
    RegisterAt(TargetPath(keyNumber), entry.target);
    RegisterAt(TargetPath(keyNumber) + QStringLiteral("/OID"), entry.details);
    m_targetObjects.insert(keyNumber, entry);
}

void GraphTree::WithdrawTarget(qint32 keyNumber)
{
    const TargetEntry entry = m_targetObjects.take(keyNumber);
    if (!entry.target)
        return;
    m_bus.unregisterObject(TargetPath(keyNumber) + QStringLiteral("/OID"));
    m_bus.unregisterObject(TargetPath(keyNumber));
    // Either may be answering the call that removed its series.
    entry.details->deleteLater();
    entry.target->deleteLater();
}

void GraphTree::Sync()
{
    if (!m_registered)
        return;
    GraphWindow* window = Graph::WindowOf(m_handle);
    if (!window)
        return;
    RTTrendwick& control = window->Control();
    QSet<qint32> present;
    for (const TargetOID* target : control.TargetOIDs()) {
        present.insert(target->KeyNumber());
        PublishTarget(target->KeyNumber());
    }
    for (const qint32 number : m_targetObjects.keys()) {
        if (!present.contains(number))
            WithdrawTarget(number);
    }
    const size_t axes = size_t(control.YAxises().Count());
    while (m_axisObjects.size() > axes) {
        m_bus.unregisterObject(AxisPath(int(m_axisObjects.size()) - 1));
        m_axisObjects.back()->deleteLater();
        m_axisObjects.pop_back();
    }
    while (m_axisObjects.size() < axes) {
        auto* axis = new YAxisObject(*this, int(m_axisObjects.size()));
        axis->setParent(this);
        new YAxisAdaptor(axis);
        RegisterAt(AxisPath(int(m_axisObjects.size())), axis);
        m_axisObjects.push_back(axis);
    }
}

QDBusObjectPath GraphTree::PathOf(const TargetOID* target)
{
    PublishTarget(target->KeyNumber());
    return QDBusObjectPath(TargetPath(target->KeyNumber()));
}

QDBusObjectPath GraphTree::PathOfAxis(int index)
{
    Sync();
    return QDBusObjectPath(AxisPath(index));
}

void GraphTree::AnnounceChanges()
{
    GraphWindow* window = Graph::WindowOf(m_handle);
    if (!window || !m_registered)
        return;
    const RTTrendwick& control = window->Control();
    QVariantMap changed;
    const auto note = [&changed](const char* name, auto& known, const auto& now) {
        if (known != now) {
            known = now;
            changed.insert(QLatin1String(name), QVariant::fromValue(now));
        }
    };
    note("Paused", m_watched.paused, control.Paused());
    note("Title", m_watched.title, control.MainTitle());
    note("SubTitle", m_watched.subTitle, control.SubTitle());
    note("Zoomed", m_watched.zoomed, control.Zoomed());
    if (changed.isEmpty())
        return;
    QDBusMessage signal = QDBusMessage::createSignal(
        GraphPath(), QStringLiteral("org.freedesktop.DBus.Properties"), QStringLiteral("PropertiesChanged"));
    signal << kGraphInterface << changed << QStringList();
    m_bus.send(signal);
}
