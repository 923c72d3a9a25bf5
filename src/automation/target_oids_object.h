#pragma once

#include "automation_object.h"

#include <QDBusObjectPath>
#include <QDBusVariant>
#include <QList>

class GraphTree;

/// What the TargetOIDs adaptor of one graph forwards to. Targets travel as object paths; "/" is
/// nothing. The signals are raised by the GraphTree once the series' path is (or is no longer)
/// served.
class TargetOIDsObject : public AutomationObject {
    Q_OBJECT
    Q_PROPERTY(qint32 Count READ Count)
public:
    explicit TargetOIDsObject(GraphTree& tree);

    void AssumeCounterRollover(bool NewValue);
    QDBusObjectPath Add(const QString& Hostname, const QString& IP, const QString& Community,
                        const QString& TargetMIB, const QString& Index);
    qint32 Count();
    void Clear();
    QDBusObjectPath Index(const QDBusVariant& Key);
    void Remove(const QDBusVariant& Key);
    QList<QDBusObjectPath> NewEnum();

Q_SIGNALS:
    void NewOID(const QDBusObjectPath& T);
    void OIDRemoved(const QDBusObjectPath& T);
    void Refresh();

private:
    GraphTree& m_tree;
};
