#include "graphs.h"

#include "application.h"
#include "graph_window.h"

Graphs::Graphs(Application& application) : m_application(application) {}

Graphs::~Graphs() = default;

Graph Graphs::NewGraph(bool show)
{
    GraphWindow* window = m_application.CreateGraphWindow();
    Graph graph = GetGraph(window);
    if (show)
        window->StartGraph();
    return graph;
}

std::optional<Graph> Graphs::ItemByKey(const QString& key) const
{
    for (const Item_& item : m_items) {
        if (item.window && item.key == key)
            return Graph(const_cast<Graphs*>(this), item.window, item.handle);
    }
    return std::nullopt;
}

std::optional<Graph> Graphs::Item(const QVariant& key) const
{
    if (key.typeId() == QMetaType::QString)
        return ItemByKey(key.toString());
    bool isNumber = false;
    const qlonglong position = key.toLongLong(&isNumber);
    if (!isNumber || position < 1 || position > qlonglong(m_items.size()))
        return std::nullopt;
    // A window the user closed since the last Refresh still counts; its Graph fails on every call.
    const Item_& item = m_items[size_t(position - 1)];
    return Graph(const_cast<Graphs*>(this), item.window, item.handle);
}

void Graphs::Refresh()
{
    ClearGraphs();
    for (GraphWindow* window : GraphWindow::Windows())
        GetGraph(window);
}

Graph Graphs::GetGraph(GraphWindow* window)
{
    const QString key = Graph::KeyOf(window);
    if (std::optional<Graph> existing = ItemByKey(key))
        return *existing;
    Graph graph(this, window);
    m_items.push_back({key, graph.handle(), window});
    return graph;
}

void Graphs::RemoveGraph(const QString& key)
{
    for (auto it = m_items.begin(); it != m_items.end(); ++it) {
        if (it->window && it->key == key) {
            m_items.erase(it);
            return;
        }
    }
}

void Graphs::ClearGraphs()
{
    m_items.clear();
}

QList<Graph> Graphs::items() const
{
    QList<Graph> list;
    for (const Item_& item : m_items)
        list << Graph(const_cast<Graphs*>(this), item.window, item.handle);
    return list;
}
