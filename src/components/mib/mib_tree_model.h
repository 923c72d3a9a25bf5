#pragma once

#include <QAbstractItemModel>

struct tree;
class MibDatabase;

/// The parsed MIB tree as an item model: one column, one row per node, children in
/// sub-identifier order. Child lists are built only when a view asks for them.
class MibTreeModel : public QAbstractItemModel {
    Q_OBJECT
public:
    enum Role {
        DottedOIDRole = Qt::UserRole + 1, ///< "1.3.6.1.2.1.1"
        FullNameRole,                     ///< "SNMPv2-MIB:system"
    };

    explicit MibTreeModel(const MibDatabase& database, QObject* parent = nullptr);

    QModelIndex index(int row, int column, const QModelIndex& parent = {}) const override;
    QModelIndex parent(const QModelIndex& child) const override;
    int rowCount(const QModelIndex& parent = {}) const override;
    int columnCount(const QModelIndex& parent = {}) const override;
    bool hasChildren(const QModelIndex& parent = {}) const override;
    QVariant data(const QModelIndex& index, int role = Qt::DisplayRole) const override;
    QVariant headerData(int section, Qt::Orientation orientation, int role = Qt::DisplayRole) const override;

    /// The index of a node of the database's tree; invalid for nullptr.
    QModelIndex indexForNode(const tree* node) const;
    /// The index of the deepest known node on the path of a dotted OID.
    QModelIndex indexForOID(const QString& dottedOID) const;
    static tree* nodeAt(const QModelIndex& index);

    const MibDatabase& database() const { return m_database; }

private:
    const std::vector<tree*>& siblingsOf(const tree* node) const;
    int rowOf(const tree* node) const;

    const MibDatabase& m_database;
};
