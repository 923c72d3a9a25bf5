#include "history_store.h"

#include <QSettings>

namespace {

QString KeyOf(const QString& name)
{
    return QStringLiteral("History/") + name;
}

} // namespace

HistoryStore::HistoryStore(const QString& owner) : m_owner(owner) {}

QStringList HistoryStore::Load(const QString& name) const
{
    const QSettings store(QSettings::IniFormat, QSettings::UserScope, QStringLiteral("Brightfen.Net"),
                          m_owner);
    return store.value(KeyOf(name)).toStringList();
}

void HistoryStore::Save(const QString& name, const QStringList& entries) const
{
    QSettings store(QSettings::IniFormat, QSettings::UserScope, QStringLiteral("Brightfen.Net"), m_owner);
    store.setValue(KeyOf(name), entries.mid(qMax(0, int(entries.size()) - MaximumEntries)));
}
