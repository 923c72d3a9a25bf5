#include "mib_tree_model.h"

#include "mib_database.h"

#include <QApplication>
#include <QStyle>

#include <algorithm>

#include <net-snmp/net-snmp-config.h>
#include <net-snmp/net-snmp-includes.h>

MibTreeModel::MibTreeModel(const MibDatabase& database, QObject* parent)
    : QAbstractItemModel(parent), m_database(database)
{
}

tree* MibTreeModel::nodeAt(const QModelIndex& index)
{
    return index.isValid() ? static_cast<tree*>(index.internalPointer()) : nullptr;
}

const std::vector<tree*>& MibTreeModel::siblingsOf(const tree* node) const
{
    return node->parent ? m_database.children(node->parent) : m_database.roots();
}

int MibTreeModel::rowOf(const tree* node) const
{
    const std::vector<tree*>& siblings = siblingsOf(node);
    // Sorted by sub-identifier; conflicting modules may put two nodes on one number.
    auto it = std::lower_bound(siblings.begin(), siblings.end(), node->subid,
                               [](const tree* n, u_long subid) { return n->subid < subid; });
    while (it != siblings.end() && *it != node)
        ++it;
    return it == siblings.end() ? -1 : static_cast<int>(it - siblings.begin());
}

QModelIndex MibTreeModel::index(int row, int column, const QModelIndex& parent) const
{
    if (column != 0 || row < 0 || (parent.isValid() && parent.column() != 0))
        return {};
    const tree* parentNode = nodeAt(parent);
    const std::vector<tree*>& list = parentNode ? m_database.children(parentNode) : m_database.roots();
    if (row >= static_cast<int>(list.size()))
        return {};
    return createIndex(row, 0, list[static_cast<size_t>(row)]);
}

QModelIndex MibTreeModel::parent(const QModelIndex& child) const
{
    const tree* node = nodeAt(child);
    if (!node || !node->parent)
        return {};
    return indexForNode(node->parent);
}

int MibTreeModel::rowCount(const QModelIndex& parent) const
{
    if (parent.isValid() && parent.column() != 0)
        return 0;
    const tree* node = nodeAt(parent);
    return static_cast<int>(node ? m_database.children(node).size() : m_database.roots().size());
}

int MibTreeModel::columnCount(const QModelIndex& parent) const
{
    return parent.isValid() && parent.column() != 0 ? 0 : 1;
}

bool MibTreeModel::hasChildren(const QModelIndex& parent) const
{
    if (parent.isValid() && parent.column() != 0)
        return false;
    const tree* node = nodeAt(parent);
    // Cheaper than rowCount: a view asks this for every visible row.
    return node ? node->child_list != nullptr : !m_database.roots().empty();
}

QVariant MibTreeModel::data(const QModelIndex& index, int role) const
{
    const tree* node = nodeAt(index);
    if (!node)
        return {};
    switch (role) {
    case Qt::DisplayRole:
        return QStringLiteral("%1 (%2)").arg(MibDatabase::label(node)).arg(node->subid);
    case Qt::ToolTipRole:
    case DottedOIDRole:
        return MibDatabase::dottedOID(node);
    case FullNameRole: {
        const QString module = MibDatabase::moduleName(node);
        return module.isEmpty() ? MibDatabase::label(node)
                                : module + QLatin1Char(':') + MibDatabase::label(node);
    }
    case Qt::DecorationRole:
        return QApplication::style()->standardIcon(node->child_list ? QStyle::SP_DirIcon
                                                                    : QStyle::SP_FileIcon);
    default:
        return {};
    }
}

QVariant MibTreeModel::headerData(int section, Qt::Orientation orientation, int role) const
{
    if (section == 0 && orientation == Qt::Horizontal && role == Qt::DisplayRole)
        return tr("MIB object");
    return {};
}

QModelIndex MibTreeModel::indexForNode(const tree* node) const
{
    if (!node)
        return {};
    const int row = rowOf(node);
    return row < 0 ? QModelIndex() : createIndex(row, 0, const_cast<tree*>(node));
}

QModelIndex MibTreeModel::indexForOID(const QString& dottedOID) const
{
    return indexForNode(m_database.nodeForOID(dottedOID));
}
