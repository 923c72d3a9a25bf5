#pragma once

#include "keyed_list.h"
#include "target_oid.h"

#include <QObject>
#include <QVariant>
#include <memory>
#include <vector>

class Clock;
class QDomDocument;
class QDomElement;
class QDomNode;
class Settings;

/// The ordered, keyed targets of one graph. Owns its targets; keys are "O:" and a number that is
/// never reused within one collection. A removed target is destroyed right after OIDRemoved.
class TargetOIDs : public QObject {
    Q_OBJECT
public:
    /// Walks the targets in order, yielding TargetOID*.
    using const_iterator = KeyedList<TargetOID>::const_iterator;

    /// clock, settings and resolver are handed to every target the collection creates.
    TargetOIDs(Clock& clock, const Settings& settings, OIDResolver resolver = OIDResolver(),
               QObject* parent = nullptr);
    ~TargetOIDs() override;

    // Published members.
    /// Sets the rollover permission of every target.
    void AssumeCounterRollover(bool assume);
    /// Creates a target for the MIB object on the host, stores it and announces it by NewOID. An
    /// exception from the MIB lookup passes to the caller; nothing is added then.
    TargetOID* Add(const QString& hostname, const QString& ip, const QString& community,
                   const QString& targetMIB, const QString& index);
    qint32 Count() const { return m_items.Count(); }
    /// Removes every target (no OIDRemoved), then raises Refresh once.
    void Clear();
    /// A text is a key, a number a 1-based position; nullptr when nothing matches.
    TargetOID* Index(const QVariant& key) const { return m_items.Item(key); }
    /// Removes the target found as Index finds it, then raises OIDRemoved; nothing when not found.
    void Remove(const QVariant& key);
    const_iterator begin() const { return m_items.begin(); }
    const_iterator end() const { return m_items.end(); }

    // For the program's own use.
    TargetOID* FindKey(const QString& key) const;
    /// Target at 0-based position.
    TargetOID* At(int position) const { return m_items.At(position); }
    void WriteXML(QDomDocument& document, QDomNode& parent) const;
    /// Clears (raising Refresh), then one target per child element; no NewOID.
    void ReadXML(const QDomElement& element);

Q_SIGNALS:
    void NewOID(TargetOID* target);
    /// The target is still alive while this is raised and destroyed right afterwards.
    void OIDRemoved(TargetOID* target);
    void Refresh();

private:
    std::unique_ptr<TargetOID> CreateTarget() const;
    void Append(std::unique_ptr<TargetOID> target);

    Clock& m_clock;
    const Settings& m_settings;
    OIDResolver m_resolver;
    KeyedList<TargetOID> m_items;
    // The key numbers in list order (ascending, as keys are handed out in order), and the
    // position FindKey found last: answers come back in about the order the targets were polled.
    std::vector<qint32> m_keyNumbers;
    mutable int m_lastFound = -1;
    qint32 m_counter = 0;
};
