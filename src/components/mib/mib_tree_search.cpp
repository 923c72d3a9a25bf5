#include "mib_tree_search.h"

#include "mib_database.h"

#include <QRegularExpression>

#include <algorithm>

static bool isNumericQuery(const QString& query)
{
    static const QRegularExpression dotted(QStringLiteral("^\\.?[0-9]+(\\.[0-9]+)*$"));
    return dotted.match(query).hasMatch();
}

static QString withoutLeadingDot(const QString& text)
{
    return text.startsWith(QLatin1Char('.')) ? text.mid(1) : text;
}

bool MibTreeSearch::matches(const QString& rawQuery, const tree* node) const
{
    const QString query = rawQuery.trimmed();
    if (query.isEmpty() || !node)
        return false;
    if (isNumericQuery(query)) {
        const QString oid = withoutLeadingDot(query);
        const QString nodeOID = MibDatabase::dottedOID(node);
        return nodeOID == oid || nodeOID.startsWith(oid + QLatin1Char('.'));
    }
    const int colon = query.lastIndexOf(QLatin1Char(':'));
    if (colon >= 0)
        return MibDatabase::label(node).compare(query.mid(colon + 1), Qt::CaseInsensitive) == 0;
    return MibDatabase::label(node).contains(query, Qt::CaseInsensitive);
}

MibTreeSearch::Result MibTreeSearch::find(const QString& rawQuery, const tree* from,
                                          Direction direction) const
{
    const QString query = rawQuery.trimmed();
    const std::vector<tree*>& all = m_database.preorder();
    if (query.isEmpty() || all.empty())
        return {};
    const auto count = static_cast<long>(all.size());
    long start = direction == Direction::Next ? -1 : count;
    if (from) {
        const auto it = std::find(all.begin(), all.end(), from);
        if (it != all.end())
            start = it - all.begin();
    }
    const long step = direction == Direction::Next ? 1 : -1;
    for (long i = 1; i <= count; ++i) {
        long position = start + step * i;
        const bool wrapped = position < 0 || position >= count;
        position = ((position % count) + count) % count;
        if (matches(query, all[static_cast<size_t>(position)]))
            return {all[static_cast<size_t>(position)], wrapped};
    }
    // An instance OID lies below every known node: offer the deepest node on its path.
    if (isNumericQuery(query))
        return {m_database.nodeForOID(query), false};
    return {};
}
