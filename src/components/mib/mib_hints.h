#pragma once

#include <QHash>
#include <QString>

/// Presentation hints for one MIB object, as a hints file gives them. An empty field means
/// "no opinion": the caller falls back to what the MIB itself says.
struct MibHint {
    QString calculationHint;
    QString unitChoices;
    QString indexByName;
    QString defaultIndex;
};

/// Hints read from one or more hints files. A line is
///   object | calculation hint | unit choices | index-by object | default index
/// where object is "name" or "MODULE:name"; '#' starts a comment line, trailing fields may
/// be left out. Files merged later win over earlier ones, field by field.
class MibHints {
public:
    /// Reads a file and merges its entries; returns false when it cannot be read.
    bool loadFile(const QString& path);
    /// Parses hints text and merges its entries.
    void loadText(const QString& text);

    /// Entries by object key ("MODULE:name" or "name"), for the database to resolve to nodes.
    const QHash<QString, MibHint>& entries() const { return m_hints; }

private:
    void merge(const QString& key, const MibHint& hint);

    QHash<QString, MibHint> m_hints; // key: "MODULE:name" or "name"
};
