#pragma once

#include <QDBusConnection>
#include <QDBusServiceWatcher>
#include <QElapsedTimer>
#include <QObject>
#include <QSet>
#include <QTimer>
#include <chrono>

/// Keeps an automation-started process alive while a client that called it is still on the bus
/// or any graph window is loaded (hidden ones too), and raises Idle once neither has held for the
/// grace time. The grace also runs from every call, so a one-shot client (a shell running gdbus
/// several times) finds the process still there for its next call.
class AutomationLifetime : public QObject {
    Q_OBJECT
public:
    explicit AutomationLifetime(const QDBusConnection& bus,
                                std::chrono::milliseconds grace = std::chrono::seconds(10),
                                QObject* parent = nullptr);

    /// A call arrived; caller is its unique bus name, empty when unknown (property access).
    void NoteCall(const QString& caller);
    /// Starts watching; Idle is raised at most once.
    void Start();

Q_SIGNALS:
    void Idle();

private:
    void Check();

    QDBusServiceWatcher m_watcher;
    QSet<QString> m_clients;
    std::chrono::milliseconds m_grace;
    QElapsedTimer m_unheldFor;
    QTimer m_tick;
};
