#include "graphs.h"

#include "application.h"
#include "graph.h"
#include "graph_window.h"

Graphs::Graphs(Application& application) : m_application(application) {}

Graphs::~Graphs() = default;

Graph* Graphs::NewGraph(bool show)
{
    GraphWindow* window = m_application.CreateGraphWindow();
    Graph* graph = GetGraph(window);
    if (show)
        window->StartGraph();
    return graph;
}

Graph* Graphs::Item(const QVariant& key) const
{
    if (key.typeId() == QMetaType::QString) {
        const QString text = key.toString();
        for (const auto& item : m_items) {
            if (item->window() && item->Key() == text)
                return item.get();
        }
        return nullptr;
    }
    bool isNumber = false;
    const qlonglong position = key.toLongLong(&isNumber);
    if (!isNumber || position < 1 || position > qlonglong(m_items.size()))
        return nullptr;
    return m_items[size_t(position - 1)].get();
}

void Graphs::Refresh()
{
    ClearGraphs();
    for (GraphWindow* window : GraphWindow::Windows())
        GetGraph(window);
}

Graph* Graphs::GetGraph(GraphWindow* window)
{
    const QString key = QStringLiteral("G:") + QString::number(qint64(window->winId()));
    if (Graph* existing = Item(key))
        return existing;
    m_items.push_back(std::make_unique<Graph>(this, window));
    return m_items.back().get();
}

void Graphs::RemoveGraph(const QString& key)
{
    for (auto it = m_items.begin(); it != m_items.end(); ++it) {
        if ((*it)->window() && (*it)->Key() == key) {
            m_items.erase(it);
            return;
        }
    }
}

void Graphs::ClearGraphs()
{
    while (!m_items.empty())
        m_items.erase(m_items.begin());
}

QList<Graph*> Graphs::items() const
{
    QList<Graph*> list;
    for (const auto& item : m_items)
        list << item.get();
    return list;
}
