#include "target_oids.h"

#include <common_functions.h>

#include <QDomDocument>

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
    Q_EMIT Refresh();
}

void TargetOIDs::Remove(const QVariant& key)
{
    TargetOID* found = Index(key);
    if (!found)
        return;
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
