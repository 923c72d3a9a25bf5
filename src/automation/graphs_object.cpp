#include "graphs_object.h"

#include "automation_service.h"

#include <application.h>
#include <graphs.h>

GraphsObject::GraphsObject(AutomationService& service, Application& application)
    : AutomationObject(service.Lifetime()), m_service(service), m_application(application)
{
}

QDBusObjectPath GraphsObject::NewGraph(bool Show)
{
    return Call([&] { return m_service.PathOf(m_application.Graphs().NewGraph(Show)); });
}

QDBusObjectPath GraphsObject::Item(const QDBusVariant& Key)
{
    return Call([&] {
        const std::optional<Graph> graph = m_application.Graphs().Item(Key.variant());
        return graph ? m_service.PathOf(*graph) : QDBusObjectPath(QStringLiteral("/"));
    });
}

qint32 GraphsObject::Count()
{
    return Call([&] { return m_application.Graphs().Count(); });
}

QList<QDBusObjectPath> GraphsObject::NewEnum()
{
    return Call([&] {
        QList<QDBusObjectPath> paths;
        for (const Graph& graph : m_application.Graphs().items())
            paths << m_service.PathOf(graph);
        return paths;
    });
}

void GraphsObject::Refresh()
{
    Call([&] { m_application.Graphs().Refresh(); });
}
