#pragma once

#include <QList>
#include <QString>
#include <QVariant>
#include <memory>

class Application;
class Graph;
class GraphWindow;

/// The graph windows as Graph objects, in the order they were added. It is brought up to date
/// only by Refresh, NewGraph and Graph::CloseWindow: windows opened or closed otherwise appear or
/// disappear at the next Refresh.
class Graphs {
public:
    explicit Graphs(Application& application);
    ~Graphs();
    Graphs(const Graphs&) = delete;
    Graphs& operator=(const Graphs&) = delete;

    /// A new window (loaded, hidden unless show) wrapped as a Graph of this collection.
    Graph* NewGraph(bool show = false);
    /// A key text ("G:" and the window handle) or a 1-based position; nullptr when there is none.
    Graph* Item(const QVariant& key) const;
    qint32 Count() const { return qint32(m_items.size()); }
    /// Empties the collection, then adds every open graph window, oldest first.
    void Refresh();

    /// The Graph of a window, added under its key when the collection does not hold it yet.
    Graph* GetGraph(GraphWindow* window);
    /// Removes the item with that key; a missing key is ignored.
    void RemoveGraph(const QString& key);
    void ClearGraphs();

    QList<Graph*> items() const;

private:
    Application& m_application;
    std::vector<std::unique_ptr<Graph>> m_items;
};
