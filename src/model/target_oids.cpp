#include "target_oids.h"

#include <common_functions.h>

#include <QDomDocument>
#include <algorithm>

TargetOIDs::TargetOIDs(Clock& clock, const Settings& settings, OIDResolver resolver, QObject* parent)
    : QObject(parent), m_clock(clock), m_settings(settings),
      m_resolver(resolver ? std::move(resolver) : MibDatabaseResolver())
{
}

TargetOIDs::~TargetOIDs() = default;

std::unique_ptr<TargetOID> TargetOIDs::CreateTarget() const
{
    return std::make_unique<TargetOID>(m_clock, m_settings, m_resolver);
}

void TargetOIDs::Append(std::unique_ptr<TargetOID> target)
{
    target->SetKeyNumber(++m_counter);
    const QString key = target->Key();
    m_items.Append(key, std::move(target));
    m_keyNumbers.push_back(m_counter);
}

TargetOID* TargetOIDs::FindKey(const QString& key) const
{
    // The target after the last one found is tried before the hash, and the search starts over at
    // the top after the last target.
    const int count = Count();
    if (count > 0) {
        const int next = m_lastFound + 1 < count ? m_lastFound + 1 : 0;
        TargetOID* candidate = At(next);
        const QString& candidateKey = candidate->Key();
        if (candidateKey.size() == key.size() &&
            (candidateKey.constData() == key.constData() || candidateKey == key)) {
            m_lastFound = next;
            // The next answers are most likely for the next targets.
            if (next + 1 < count)
                At(next + 1)->PrefetchAnswerSlots();
            if (next + 2 < count)
                At(next + 2)->PrefetchAnswer();
            return candidate;
        }
    }
    TargetOID* found = m_items.Find(key);
    m_lastFound = -1;
    if (found) {
        const auto number = std::lower_bound(m_keyNumbers.begin(), m_keyNumbers.end(), found->KeyNumber());
        if (number != m_keyNumbers.end() && *number == found->KeyNumber())
            m_lastFound = int(number - m_keyNumbers.begin());
    }
    return found;
}

void TargetOIDs::AssumeCounterRollover(bool assume)
{
    for (TargetOID* target : m_items)
        target->setAssumeCounterRollover(assume);
}

TargetOID* TargetOIDs::Add(const QString& hostname, const QString& ip, const QString& community,
                           const QString& targetMIB, const QString& index)
{
    auto target = CreateTarget();
    target->setTargetMIB(targetMIB);
    target->setHostname(hostname);
    target->setIP(ip);
    target->SetIndex(index);
    target->setCommunity(community);
    target->setColor(-1); // the chart binding picks a palette colour later
    TargetOID* added = target.get();
    Append(std::move(target));
    Q_EMIT NewOID(added);
    return added;
}

void TargetOIDs::Clear()
{
    m_items.Clear();
    m_keyNumbers.clear();
    m_lastFound = -1;
    Q_EMIT Refresh();
}

void TargetOIDs::Remove(const QVariant& key)
{
    TargetOID* found = Index(key);
    if (!found)
        return;
    const auto number = std::lower_bound(m_keyNumbers.begin(), m_keyNumbers.end(), found->KeyNumber());
    if (number != m_keyNumbers.end() && *number == found->KeyNumber())
        m_keyNumbers.erase(number);
    m_lastFound = -1;
    const std::unique_ptr<TargetOID> removed = m_items.Take(found);
    Q_EMIT OIDRemoved(removed.get());
}

void TargetOIDs::WriteXML(QDomDocument& document, QDomNode& parent) const
{
    QDomElement element = AddXMLElement(document, parent, QStringLiteral("TargetOIDs"), QString());
    for (const TargetOID* target : m_items)
        target->WriteXML(document, element);
}

void TargetOIDs::ReadXML(const QDomElement& element)
{
    Clear();
    for (QDomElement child = element.firstChildElement(); !child.isNull();
         child = child.nextSiblingElement()) {
        auto target = CreateTarget();
        target->ReadXML(child);
        Append(std::move(target));
    }
}
