#include "mib_database.h"

#include "mib_hints.h"
#include "mib_library.h"
#include "mib_node_traits.h"

#include <QCoreApplication>
#include <QDir>
#include <QFileInfo>
#include <QRegularExpression>
#include <QStandardPaths>

#include <algorithm>

#include <net-snmp/net-snmp-config.h>
#include <net-snmp/net-snmp-includes.h>

#ifndef TRENDWICK_SOURCE_SHARE
#define TRENDWICK_SOURCE_SHARE ""
#endif

static const char* const kHintsFileName = "trendwick-hints.txt";
static const char* const kPreferredModules[] = {"SNMPv2-MIB", "IF-MIB", "HOST-RESOURCES-MIB"};

// Bumped whenever modules are added to net-snmp's tree, so cached child lists are rebuilt.
static int s_treeGeneration = 0;

MibDatabase::MibDatabase(const QStringList& folders)
{
    for (const QString& folder : folders) {
        if (QFileInfo(folder).isDir() && !m_folders.contains(folder))
            m_folders.append(folder);
    }
    QStringList lowestFirst = m_folders;
    std::reverse(lowestFirst.begin(), lowestFirst.end());
    prepareMibLibrary(lowestFirst);
    // net-snmp lets the folder added last win when two hold the same module.
    for (const QString& folder : std::as_const(lowestFirst))
        add_mibdir(folder.toLocal8Bit().constData());
    // Where an SMIv2 module and its SMIv1 forerunner define the same node, the module read
    // first describes it; the current modules should.
    for (const char* module : kPreferredModules)
        netsnmp_read_module(module);
    read_all_mibs();
    ++s_treeGeneration;
    loadHints();
}

MibDatabase::~MibDatabase() = default;

MibDatabase& MibDatabase::instance()
{
    static MibDatabase database(defaultFolders());
    return database;
}

QStringList MibDatabase::defaultFolders()
{
    QStringList folders;
    folders << QStandardPaths::writableLocation(QStandardPaths::GenericDataLocation) +
                   QStringLiteral("/Brightfen/mibs");
    for (const char* system :
         {"/usr/share/snmp/mibs", "/usr/share/snmp/mibs/iana", "/usr/share/snmp/mibs/ietf"})
        folders << QString::fromLatin1(system);
    folders << projectMibFolder();
    return folders;
}

QString MibDatabase::projectMibFolder()
{
    QStringList candidates;
    if (QCoreApplication::instance())
        candidates << QCoreApplication::applicationDirPath() + QStringLiteral("/../share/trendwick/mibs");
    candidates << QStringLiteral(TRENDWICK_SOURCE_SHARE "/mibs");
    for (const QString& candidate : std::as_const(candidates)) {
        if (QFileInfo(candidate + QLatin1Char('/') + QLatin1String(kHintsFileName)).isFile())
            return QDir::cleanPath(candidate);
    }
    return QDir::cleanPath(candidates.constLast());
}

// ---------------------------------------------------------------------------------------------
// Node texts

QString MibDatabase::label(const tree* node)
{
    return node && node->label ? QString::fromLatin1(node->label) : QString();
}

QString MibDatabase::dottedOID(const tree* node)
{
    QStringList parts;
    for (const tree* n = node; n; n = n->parent)
        parts.prepend(QString::number(n->subid));
    return parts.join(QLatin1Char('.'));
}

QString MibDatabase::qualifiedName(const tree* node)
{
    QStringList parts;
    for (const tree* n = node; n; n = n->parent)
        parts.prepend(label(n));
    return parts.join(QLatin1Char('.'));
}

static QString nameOfModule(int modid)
{
    if (modid < 0)
        return {};
    char name[SPRINT_MAX_LEN];
    module_name(modid, name);
    return name[0] == '#' ? QString() : QString::fromLatin1(name);
}

QString MibDatabase::moduleName(const tree* node)
{
    return node ? nameOfModule(node->modid) : QString();
}

// ---------------------------------------------------------------------------------------------
// Tree caches

void MibDatabase::refreshCaches() const
{
    if (m_cacheGeneration == s_treeGeneration)
        return;
    m_cacheGeneration = s_treeGeneration;
    m_roots.clear();
    m_children.clear();
    m_preorder.clear();
    m_lowerLabels.clear();
    for (tree* root = get_tree_head(); root; root = root->next_peer)
        m_roots.push_back(root);
    std::sort(m_roots.begin(), m_roots.end(),
              [](const tree* a, const tree* b) { return a->subid < b->subid; });
}

const std::vector<tree*>& MibDatabase::roots() const
{
    refreshCaches();
    return m_roots;
}

const std::vector<tree*>& MibDatabase::children(const tree* node) const
{
    refreshCaches();
    auto it = m_children.find(node);
    if (it == m_children.end()) {
        std::vector<tree*> list;
        for (tree* child = node ? node->child_list : nullptr; child; child = child->next_peer)
            list.push_back(child);
        std::sort(list.begin(), list.end(), [](const tree* a, const tree* b) { return a->subid < b->subid; });
        it = m_children.insert(node, std::move(list));
    }
    return *it;
}

const std::vector<tree*>& MibDatabase::preorder() const
{
    refreshCaches();
    if (m_preorder.empty()) {
        std::vector<tree*> stack(m_roots.rbegin(), m_roots.rend());
        while (!stack.empty()) {
            tree* node = stack.back();
            stack.pop_back();
            m_preorder.push_back(node);
            const std::vector<tree*>& kids = children(node);
            stack.insert(stack.end(), kids.rbegin(), kids.rend());
        }
    }
    return m_preorder;
}

// ---------------------------------------------------------------------------------------------
// Resolving names and OIDs

struct MibDatabase::Resolved {
    bool valid = false;
    tree* node = nullptr; // deepest known node on the OID's path
    QStringList rest;     // sub-identifiers below node
    QString module;       // module to name the object by
};

static bool parseDotted(const QString& text, QStringList& parts)
{
    static const QRegularExpression dotted(QStringLiteral("^\\.?[0-9]+(\\.[0-9]+)*$"));
    if (!dotted.match(text).hasMatch())
        return false;
    parts = text.mid(text.startsWith(QLatin1Char('.')) ? 1 : 0).split(QLatin1Char('.'));
    if (parts.size() > MAX_OID_LEN)
        return false;
    for (QString& part : parts) {
        bool ok = false;
        const qulonglong value = part.toULongLong(&ok);
        if (!ok || value > 0xFFFFFFFFull)
            return false;
        part = QString::number(value); // drops leading zeros
    }
    return true;
}

MibDatabase::Resolved MibDatabase::resolveOID(const QString& text) const
{
    Resolved r;
    QStringList parts;
    if (!parseDotted(text, parts))
        return r;
    r.valid = true;
    tree* level = get_tree_head();
    int used = 0;
    for (; used < parts.size(); ++used) {
        const u_long subid = parts[used].toULong();
        tree* match = nullptr;
        for (tree* n = level; n; n = n->next_peer) {
            if (n->subid == subid) {
                match = n;
                break;
            }
        }
        if (!match)
            break;
        r.node = match;
        level = match->child_list;
    }
    r.rest = parts.mid(used);
    r.module = moduleName(r.node);
    return r;
}

tree* MibDatabase::findLabel(const QString& name, const QString& module) const
{
    const QByteArray latin = name.toLatin1();
    if (!module.isEmpty()) {
        const int modid = which_module(module.toLatin1().constData());
        if (modid >= 0) {
            if (tree* node = find_tree_node(latin.constData(), modid))
                return node;
        }
    }
    if (tree* node = find_tree_node(latin.constData(), -1))
        return node;
    // Names typed by hand often get the letter case wrong.
    if (m_lowerLabels.isEmpty()) {
        const std::vector<tree*>& all = preorder();
        for (tree* node : all) {
            const QString key = label(node).toLower();
            if (!m_lowerLabels.contains(key))
                m_lowerLabels.insert(key, node);
        }
    }
    return m_lowerLabels.value(name.toLower());
}

static bool nodeInModule(const tree* node, int modid)
{
    if (node->modid == modid)
        return true;
    for (int i = 0; i < node->number_modules; ++i) {
        if (node->module_list[i] == modid)
            return true;
    }
    return false;
}

MibDatabase::Resolved MibDatabase::resolveName(const QString& text) const
{
    // MODULE::name or MODULE:name, then a label followed by labels or sub-identifiers.
    static const QRegularExpression form(
        QStringLiteral("^(?:([A-Za-z][A-Za-z0-9_-]*)::?)?([A-Za-z][A-Za-z0-9_-]*)((?:\\.[A-Za-z0-9_-]+)*)$"));
    const QRegularExpressionMatch m = form.match(text);
    if (!m.hasMatch())
        return {};
    const QString module = m.captured(1);
    tree* node = findLabel(m.captured(2), module);
    if (!node)
        return {};
    // Walk the rest of the path: labels must name children, numbers may run past known nodes.
    QStringList numeric;
    const QStringList tail = m.captured(3).split(QLatin1Char('.'), Qt::SkipEmptyParts);
    for (const QString& step : tail) {
        bool isNumber = false;
        step.toULong(&isNumber);
        if (!numeric.isEmpty() || isNumber) {
            if (!isNumber)
                return {};
            numeric << step;
            continue;
        }
        tree* child = nullptr;
        for (tree* c = node->child_list; c && !child; c = c->next_peer)
            child = label(c) == step ? c : nullptr;
        if (!child)
            return {};
        node = child;
    }
    QString dotted = dottedOID(node);
    if (!numeric.isEmpty())
        dotted += QLatin1Char('.') + numeric.join(QLatin1Char('.'));
    Resolved r = resolveOID(dotted);
    if (r.valid && r.node && !module.isEmpty()) {
        const int modid = which_module(module.toLatin1().constData());
        if (modid >= 0 && nodeInModule(r.node, modid))
            r.module = nameOfModule(modid);
    }
    return r;
}

OIDInfo MibDatabase::lookup(const QString& text) const
{
    const QString trimmed = text.trimmed();
    if (trimmed.isEmpty())
        return {};
    const bool numeric = trimmed.front().isDigit() || trimmed.front() == QLatin1Char('.');
    const Resolved r = numeric ? resolveOID(trimmed) : resolveName(trimmed);
    if (!r.valid)
        return {};
    return describe(r);
}

// ---------------------------------------------------------------------------------------------
// Describing

OIDInfo MibDatabase::describe(const tree* node) const
{
    Resolved r;
    r.valid = node != nullptr;
    r.node = const_cast<tree*>(node);
    r.module = moduleName(node);
    return r.valid ? describe(r) : OIDInfo();
}

OIDInfo MibDatabase::describe(const Resolved& r) const
{
    OIDInfo info;
    const QString rest = r.rest.join(QLatin1Char('.'));
    if (!r.node) {
        // Not even a root is known: the OID stands for itself.
        info.dottedOID = info.objectName = info.qualifiedName = info.fullName = rest;
        return info;
    }
    const tree* node = r.node;
    info.moduleName = r.module;
    info.dottedOID = dottedOID(node);
    info.objectName = label(node);
    info.qualifiedName = qualifiedName(node);
    const bool instance = !r.rest.isEmpty() && mibIsValueObject(node);
    if (!r.rest.isEmpty() && !instance) {
        // An object no loaded MIB defines: named from its nearest known ancestor.
        info.dottedOID += QLatin1Char('.') + rest;
        info.objectName += QLatin1Char('.') + rest;
        info.qualifiedName += QLatin1Char('.') + rest;
        info.fullName = info.moduleName.isEmpty() ? info.objectName
                                                  : info.moduleName + QLatin1Char(':') + info.objectName;
        return info;
    }
    info.fullName =
        info.moduleName.isEmpty() ? info.objectName : info.moduleName + QLatin1Char(':') + info.objectName;
    info.description = node->description ? QString::fromUtf8(node->description).simplified() : QString();
    info.status = mibStatusWord(node->status);
    info.access = mibIsValueObject(node) ? mibAccessWord(node->access) : QString();
    info.units = node->units ? QString::fromUtf8(node->units) : QString();
    if (mibIsValueObject(node)) {
        const char* tc = node->tc_index >= 0 ? get_tc_descriptor(node->tc_index) : nullptr;
        info.syntaxName = tc ? QString::fromLatin1(tc) : mibBaseSyntaxName(node->type);
        info.typeTag = mibTypeTag(node->type);
    }
    fillFromHintsOrMib(node, info);
    if (instance)
        info.defaultIndex = rest;
    return info;
}

void MibDatabase::fillFromHintsOrMib(const tree* node, OIDInfo& info) const
{
    if (mibIsValueObject(node)) {
        // A 64-bit gauge travels as Counter64 but is not a rate.
        info.calculationHint =
            node->type == TYPE_COUNTER64 && info.syntaxName.contains(QLatin1String("Gauge"))
                ? QStringLiteral("GAUGE")
                : mibCalculationHint(node->type);
        info.unitChoices = info.units;
        info.defaultIndex = mibIsColumn(node) ? QString() : QStringLiteral("0");
        if (mibIsColumn(node))
            info.indexByName = describingColumn(node);
    }
    const auto hint = m_hints.constFind(node);
    if (hint == m_hints.constEnd())
        return;
    if (!hint->calculationHint.isEmpty())
        info.calculationHint = hint->calculationHint;
    if (!hint->unitChoices.isEmpty())
        info.unitChoices = hint->unitChoices;
    if (!hint->indexByName.isEmpty())
        info.indexByName = hint->indexByName;
    if (!hint->defaultIndex.isEmpty())
        info.defaultIndex = hint->defaultIndex;
}

// The column whose values name the rows of column's table: found in the table that the row
// augments, or in the table that owns the row's first index, else in the row itself.
QString MibDatabase::describingColumn(const tree* column) const
{
    const tree* entry = column->parent;
    const tree* rows = entry;
    if (entry->augments) {
        if (const tree* other = findLabel(QString::fromLatin1(entry->augments), moduleName(entry)))
            rows = other;
    } else if (entry->indexes && entry->indexes->ilabel) {
        const tree* index = findLabel(QString::fromLatin1(entry->indexes->ilabel), moduleName(entry));
        if (index && index->parent != entry && mibIsTableEntry(index->parent))
            rows = index->parent;
    }
    const tree* byDescr = nullptr;
    const tree* byName = nullptr;
    const tree* anyText = nullptr;
    for (const tree* c : children(rows)) {
        if (c->type != TYPE_OCTETSTR || c->access == MIB_ACCESS_NOACCESS)
            continue;
        const QString name = label(c);
        if (!byDescr && name.endsWith(QLatin1String("Descr")))
            byDescr = c;
        else if (!byName && name.endsWith(QLatin1String("Name")))
            byName = c;
        else if (!anyText && c->tc_index >= 0 &&
                 QByteArray(get_tc_descriptor(c->tc_index)).contains("DisplayString"))
            anyText = c;
    }
    const tree* best = byDescr ? byDescr : byName ? byName : anyText;
    if (!best)
        return {};
    const QString module = moduleName(best);
    return module.isEmpty() ? label(best) : module + QLatin1Char(':') + label(best);
}

tree* MibDatabase::nodeForOID(const QString& dotted) const
{
    return resolveOID(dotted.trimmed()).node;
}

void MibDatabase::loadHints()
{
    MibHints hints;
    // Lowest priority first, so the user's own hints override the shipped ones.
    for (auto it = m_folders.crbegin(); it != m_folders.crend(); ++it)
        hints.loadFile(*it + QLatin1Char('/') + QLatin1String(kHintsFileName));
    m_hints.clear();
    for (auto it = hints.entries().cbegin(); it != hints.entries().cend(); ++it) {
        const Resolved r = resolveName(it.key());
        if (r.valid && r.node && r.rest.isEmpty())
            m_hints.insert(r.node, it.value());
    }
}
