#pragma once

#include "automation_object.h"

#include <QDBusObjectPath>
#include <QDBusVariant>
#include <QList>

class Application;
class AutomationService;

/// What the Graphs adaptor forwards to, at /Graphs. Graphs travel as object paths; "/" is nothing.
class GraphsObject : public AutomationObject {
    Q_OBJECT
    Q_PROPERTY(qint32 Count READ Count)
public:
    GraphsObject(AutomationService& service, Application& application);

    QDBusObjectPath NewGraph(bool Show);
    QDBusObjectPath Item(const QDBusVariant& Key);
    qint32 Count();
    QList<QDBusObjectPath> NewEnum();
    void Refresh();

private:
    AutomationService& m_service;
    Application& m_application;
};
