#pragma once

#include "mib_hints.h"
#include "oid_details.h"

#include <QHash>
#include <QString>
#include <QStringList>
#include <vector>

struct tree;

/// The MIB modules of this process, parsed by net-snmp, plus the presentation hints.
///
/// net-snmp keeps exactly one MIB tree per process. Every database adds its folders to that
/// tree, so a second database (a test with extra modules, say) makes its modules visible to
/// the first as well. The library set-up is done once, whoever comes first; it turns off
/// reading configuration files and MIB warnings and asks the parser to keep descriptions.
/// If net-snmp's MIB layer was already started elsewhere (init_snmp of the session component
/// loads its default modules without descriptions), the tree is rebuilt once.
class MibDatabase {
public:
    /// Loads every module in folders (highest priority first: a module found in an earlier
    /// folder hides one of the same name in a later folder) and the hints files there.
    explicit MibDatabase(const QStringList& folders);
    ~MibDatabase();
    MibDatabase(const MibDatabase&) = delete;
    MibDatabase& operator=(const MibDatabase&) = delete;

    /// The process-wide database over defaultFolders(), loaded on first use.
    static MibDatabase& instance();
    /// The user's data folder mibs/, the system's net-snmp MIB folders, then the program's own.
    static QStringList defaultFolders();
    /// The program's own mibs/ folder: installed share folder, else the source tree.
    static QString projectMibFolder();

    /// Describes a "MODULE:name", "MODULE::name", bare name or dotted OID; empty when unknown.
    OIDInfo lookup(const QString& text) const;
    /// The folders this database loaded, highest priority first.
    QStringList folders() const { return m_folders; }

    // Tree access for views and searches. Nodes belong to net-snmp and live until the process
    // ends (nobody may call snmp_shutdown or shutdown_mib while a database is in use);
    // children come sorted by sub-identifier.
    const std::vector<tree*>& roots() const;
    const std::vector<tree*>& children(const tree* node) const;
    /// Every node, parents before their children, siblings in sub-identifier order.
    const std::vector<tree*>& preorder() const;
    /// The deepest node on the path of a dotted OID (leading dot allowed), or nullptr.
    tree* nodeForOID(const QString& dotted) const;
    /// Describes a node of the tree.
    OIDInfo describe(const tree* node) const;

    static QString dottedOID(const tree* node);
    static QString qualifiedName(const tree* node);
    static QString moduleName(const tree* node);
    static QString label(const tree* node);

private:
    struct Resolved;
    Resolved resolveName(const QString& text) const;
    Resolved resolveOID(const QString& text) const;
    OIDInfo describe(const Resolved& r) const;
    tree* findLabel(const QString& label, const QString& module) const;
    void loadHints();
    void fillFromHintsOrMib(const tree* node, OIDInfo& info) const;
    QString describingColumn(const tree* column) const;
    void refreshCaches() const;

    QStringList m_folders;
    QHash<const tree*, MibHint> m_hints;

    mutable int m_cacheGeneration = -1;
    mutable std::vector<tree*> m_roots;
    mutable QHash<const tree*, std::vector<tree*>> m_children;
    mutable std::vector<tree*> m_preorder;
    mutable QHash<QString, tree*> m_lowerLabels;
};
