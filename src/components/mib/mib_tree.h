#pragma once

#include "oid_details.h"

#include <QWidget>

class QLabel;
class QLineEdit;
class QModelIndex;
class QToolButton;
class QTreeView;
class MibDatabase;
class MibTreeModel;
class OIDDetailsWidget;

/// The MIB browser control: a tree of every known MIB node, a search bar that finds nodes
/// by name or OID, and the details of the selected node beneath.
class MIBTree : public QWidget {
    Q_OBJECT
public:
    /// Browses database, or the process-wide one when it is null.
    explicit MIBTree(QWidget* parent = nullptr, const MibDatabase* database = nullptr);
    ~MIBTree() override;

    /// Fills the tree; the top levels down to the Internet node are opened.
    void LoadTree();
    /// Opens the tree down to the node of a dotted OID (or the deepest known node on its
    /// path) and selects it. Loads the tree first if needed.
    void ExpandToOID(const QString& dottedOID);
    /// Selects the node the details describe.
    void SelectDetails(const OIDDetails& details);
    /// Details of the selected node; empty details when nothing is selected.
    OIDDetails SelectedDetails() const;
    /// Shows (true) or hides the search bar.
    void SearchTree(bool show);

    /// Finds the next or previous match of the search text and selects it; false if none.
    bool findNext();
    bool findPrevious();

    QTreeView* view() const { return m_view; }

Q_SIGNALS:
    /// The selected node changed.
    void selectionChanged();
    /// The user double-clicked or pressed Enter on a node.
    void nodeActivated();

private:
    bool find(bool forward);
    void selectIndex(const QModelIndex& index);
    void showSelected();

    const MibDatabase& m_database;
    MibTreeModel* m_model = nullptr;
    QTreeView* m_view;
    QWidget* m_searchBar;
    QLineEdit* m_searchText;
    QLabel* m_searchStatus;
    OIDDetailsWidget* m_details;
};
