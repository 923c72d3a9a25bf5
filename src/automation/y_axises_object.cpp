#include "y_axises_object.h"

#include "graph_tree.h"

#include <rt_trendwick.h>
#include <y_axises.h>

YAxisesObject::YAxisesObject(GraphTree& tree) : AutomationObject(tree.Lifetime()), m_tree(tree) {}

QDBusObjectPath YAxisesObject::Item(const QDBusVariant& key)
{
    return Call([&] {
        const YAxis* axis = m_tree.Control().YAxises().Item(key.variant());
        return axis ? m_tree.PathOfAxis(axis->Index()) : QDBusObjectPath(QStringLiteral("/"));
    });
}

qint32 YAxisesObject::Count()
{
    return Call([&] { return m_tree.Control().YAxises().Count(); });
}

QList<QDBusObjectPath> YAxisesObject::NewEnum()
{
    return Call([&] {
        QList<QDBusObjectPath> paths;
        for (const YAxis* axis : m_tree.Control().YAxises())
            paths << m_tree.PathOfAxis(axis->Index());
        return paths;
    });
}
