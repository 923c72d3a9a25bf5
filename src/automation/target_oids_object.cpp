#include "target_oids_object.h"

#include "graph_tree.h"

#include <rt_trendwick.h>
#include <target_oids.h>

TargetOIDsObject::TargetOIDsObject(GraphTree& tree) : AutomationObject(tree.Lifetime()), m_tree(tree) {}

void TargetOIDsObject::AssumeCounterRollover(bool assume)
{
    Call([&] { m_tree.Control().TargetOIDs().AssumeCounterRollover(assume); });
}

QDBusObjectPath TargetOIDsObject::Add(const QString& hostname, const QString& ip, const QString& community,
                                      const QString& targetMIB, const QString& index)
{
    return Call([&] {
        return m_tree.PathOf(m_tree.Control().TargetOIDs().Add(hostname, ip, community, targetMIB, index));
    });
}

qint32 TargetOIDsObject::Count()
{
    return Call([&] { return m_tree.Control().TargetOIDs().Count(); });
}

void TargetOIDsObject::Clear()
{
    Call([&] { m_tree.Control().TargetOIDs().Clear(); });
}

QDBusObjectPath TargetOIDsObject::Index(const QDBusVariant& key)
{
    return Call([&] {
        const TargetOID* target = m_tree.Control().TargetOIDs().Index(key.variant());
        return target ? m_tree.PathOf(target) : QDBusObjectPath(QStringLiteral("/"));
    });
}

void TargetOIDsObject::Remove(const QDBusVariant& key)
{
    Call([&] { m_tree.Control().TargetOIDs().Remove(key.variant()); });
}

QList<QDBusObjectPath> TargetOIDsObject::NewEnum()
{
    return Call([&] {
        QList<QDBusObjectPath> paths;
        for (const TargetOID* target : m_tree.Control().TargetOIDs())
            paths << m_tree.PathOf(target);
        return paths;
    });
}
