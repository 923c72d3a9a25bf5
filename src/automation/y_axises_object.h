#pragma once

#include "automation_object.h"

#include <QDBusObjectPath>
#include <QDBusVariant>
#include <QList>

class GraphTree;

/// What the YAxises adaptor of one graph forwards to. Axes travel as object paths; "/" is nothing.
class YAxisesObject : public AutomationObject {
    Q_OBJECT
    Q_PROPERTY(qint32 Count READ Count)
public:
    explicit YAxisesObject(GraphTree& tree);

    QDBusObjectPath Item(const QDBusVariant& Key);
    qint32 Count();
    QList<QDBusObjectPath> NewEnum();

private:
    GraphTree& m_tree;
};
