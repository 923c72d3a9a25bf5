#pragma once

#include <QString>
#include <QStringList>

/// Where the history combo boxes keep their entries: the per-user settings store of an owner
/// (an application name under "Brightfen.Net"), one list per history under "History/<name>".
class HistoryStore {
public:
    /// The most entries one history keeps; the oldest drop out first.
    static constexpr int MaximumEntries = 50;

    explicit HistoryStore(const QString& owner);

    QStringList Load(const QString& name) const;
    /// Stores the entries in their order, keeping only the last MaximumEntries.
    void Save(const QString& name, const QStringList& entries) const;

private:
    QString m_owner;
};
