#pragma once

#include <QString>

struct tree;
class MibDatabase;

/// Finds nodes of the MIB tree for the search box. A query of digits and dots is an OID and
/// matches that node and everything below it (or, past the known tree, the deepest node on
/// its path); "MODULE:name" matches the name exactly; any other text matches names that
/// contain it, ignoring case. Matches are visited in tree order, wrapping at either end.
class MibTreeSearch {
public:
    enum class Direction { Next, Previous };

    struct Result {
        tree* node = nullptr; ///< nullptr when nothing matches
        bool wrapped = false; ///< the search went past the end (or start) of the tree
    };

    explicit MibTreeSearch(const MibDatabase& database) : m_database(database) {}

    /// The next (or previous) match after from; from nullptr starts at the top (or bottom).
    Result find(const QString& query, const tree* from, Direction direction) const;
    /// Whether node matches the query.
    bool matches(const QString& query, const tree* node) const;

private:
    const MibDatabase& m_database;
};
