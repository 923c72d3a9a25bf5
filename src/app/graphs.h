#pragma once

#include "graph.h"

#include <QList>
#include <QObject>
#include <QPointer>
#include <QString>
#include <QVariant>
#include <optional>
#include <vector>

class Application;
class GraphWindow;

/// The graph windows as Graph objects, in the order they were added. It is brought up to date
/// only by Refresh, NewGraph and Graph::CloseWindow: windows opened or closed otherwise appear or
/// disappear at the next Refresh.
///
/// The collection keeps windows, not Graph objects: a Graph is a small handle made on request, so
/// emptying the collection (Refresh) never frees something a caller still holds.
class Graphs : public QObject {
    Q_OBJECT
public:
    explicit Graphs(Application& application);
    ~Graphs() override;

    /// A new window (loaded, hidden unless show) wrapped as a Graph of this collection.
    Graph NewGraph(bool show = false);
    /// A key text ("G:" and the window handle) or a 1-based position; nothing when there is none.
    std::optional<Graph> Item(const QVariant& key) const;
    qint32 Count() const { return qint32(m_items.size()); }
    /// Empties the collection, then adds every open graph window, oldest first.
    void Refresh();

    /// The Graph of a window, added under its key when the collection does not hold it yet.
    Graph GetGraph(GraphWindow* window);
    /// Removes the item with that key; a missing key is ignored.
    void RemoveGraph(const QString& key);
    void ClearGraphs();

    QList<Graph> items() const;

private:
    struct Item_ {
        QString key;
        qint64 handle;
        QPointer<GraphWindow> window;
    };
    std::optional<Graph> ItemByKey(const QString& key) const;

    Application& m_application;
    std::vector<Item_> m_items;
};
