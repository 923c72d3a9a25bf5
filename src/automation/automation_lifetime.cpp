#include "automation_lifetime.h"

#include <graph_window.h>

#include <QDBusConnectionInterface>

AutomationLifetime::AutomationLifetime(const QDBusConnection& bus, std::chrono::milliseconds grace,
                                       QObject* parent)
    : QObject(parent), m_grace(grace)
{
    m_watcher.setConnection(bus);
    m_watcher.setWatchMode(QDBusServiceWatcher::WatchForUnregistration);
    connect(&m_watcher, &QDBusServiceWatcher::serviceUnregistered, this, [this](const QString& name) {
        m_clients.remove(name);
        m_watcher.removeWatchedService(name);
    });
    // A coarse tick is enough: the grace is counted in seconds and nothing here is urgent.
    m_tick.setInterval(std::min<std::chrono::milliseconds>(grace / 4, std::chrono::seconds(1)));
    connect(&m_tick, &QTimer::timeout, this, &AutomationLifetime::Check);
    m_unheldFor.start();
}

void AutomationLifetime::NoteCall(const QString& caller)
{
    m_unheldFor.restart();
    if (caller.isEmpty() || m_clients.contains(caller))
        return;
    m_watcher.addWatchedService(caller);
    // A client that left before the watch began would otherwise be waited for forever.
    QDBusConnectionInterface* bus = m_watcher.connection().interface();
    if (bus && bus->isServiceRegistered(caller))
        m_clients.insert(caller);
    else
        m_watcher.removeWatchedService(caller);
}

void AutomationLifetime::Start()
{
    m_unheldFor.restart();
    m_tick.start();
}

void AutomationLifetime::Check()
{
    const bool windowsLoaded = !GraphWindow::Windows().isEmpty();
    // With the bus gone no client can come back or say goodbye, so there is nothing to wait for.
    if (!m_watcher.connection().isConnected() && !windowsLoaded) {
        m_tick.stop();
        Q_EMIT Idle();
        return;
    }
    if (!m_clients.isEmpty() || windowsLoaded) {
        m_unheldFor.restart();
        return;
    }
    if (m_unheldFor.elapsed() >= m_grace.count()) {
        m_tick.stop();
        Q_EMIT Idle();
    }
}
