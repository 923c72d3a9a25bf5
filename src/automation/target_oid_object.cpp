#include "target_oid_object.h"

#include "graph_tree.h"

#include <clock.h>
#include <rt_trendwick.h>
#include <target_oids.h>

TargetOIDObject::TargetOIDObject(GraphTree& tree, qint32 keyNumber)
    : AutomationObject(tree.Lifetime()), m_tree(tree), m_keyNumber(keyNumber)
{
}

TargetOID& TargetOIDObject::Target() const
{
    TargetOID* target =
        m_tree.Control().TargetOIDs().Index(QStringLiteral("O:") + QString::number(m_keyNumber));
    if (!target)
        throw ObjectGoneError();
    return *target;
}

// clang-format off
qint32 TargetOIDObject::ID() { return Forward([](TargetOID& t) { return t.ID(); }); }
QString TargetOIDObject::Key() { return Forward([](TargetOID& t) { return t.Key(); }); }
QString TargetOIDObject::LastError() { return Forward([](TargetOID& t) { return t.LastError(); }); }
QString TargetOIDObject::Instance() { return Forward([](TargetOID& t) { return t.Instance(); }); }
void TargetOIDObject::setInstance(const QString& v) { Forward([&](TargetOID& t) { t.setInstance(v); }); }
bool TargetOIDObject::AssumeCounterRollover() { return Forward([](TargetOID& t) { return t.AssumeCounterRollover(); }); }
void TargetOIDObject::setAssumeCounterRollover(bool v) { Forward([&](TargetOID& t) { t.setAssumeCounterRollover(v); }); }
bool TargetOIDObject::AutoLabel() { return Forward([](TargetOID& t) { return t.AutoLabel(); }); }
void TargetOIDObject::setAutoLabel(bool v) { Forward([&](TargetOID& t) { t.setAutoLabel(v); }); }
QString TargetOIDObject::Index() { return Forward([](TargetOID& t) { return t.Index(); }); }
QString TargetOIDObject::Label() { return Forward([](TargetOID& t) { return t.Label(); }); }
void TargetOIDObject::setLabel(const QString& v) { Forward([&](TargetOID& t) { t.setLabel(v); }); }
qint32 TargetOIDObject::Color() { return Forward([](TargetOID& t) { return t.Color(); }); }
void TargetOIDObject::setColor(qint32 v) { Forward([&](TargetOID& t) { t.setColor(v); }); }
qint32 TargetOIDObject::LineStyle() { return Forward([](TargetOID& t) { return qint32(t.LineStyle()); }); }
void TargetOIDObject::setLineStyle(qint32 v) { Forward([&](TargetOID& t) { t.setLineStyle(LineStyles(v)); }); }
QString TargetOIDObject::LineStyleName() { return Forward([](TargetOID& t) { return t.LineStyleName(); }); }
void TargetOIDObject::setLineStyleName(const QString& v) { Forward([&](TargetOID& t) { t.setLineStyleName(v); }); }
qint16 TargetOIDObject::Subset() { return Forward([](TargetOID& t) { return t.Subset(); }); }
double TargetOIDObject::History(qint16 i) { return Forward([&](TargetOID& t) { return double(t.History(i)); }); }
qint16 TargetOIDObject::HistoryCount() { return Forward([](TargetOID& t) { return t.HistoryCount(); }); }
QString TargetOIDObject::Conversion() { return Forward([](TargetOID& t) { return t.Conversion(); }); }
void TargetOIDObject::setConversion(const QString& v) { Forward([&](TargetOID& t) { t.setConversion(v); }); }
QString TargetOIDObject::Units() { return Forward([](TargetOID& t) { return t.Units(); }); }
void TargetOIDObject::setUnits(const QString& v) { Forward([&](TargetOID& t) { t.setUnits(v); }); }
QString TargetOIDObject::Calculation() { return Forward([](TargetOID& t) { return t.Calculation(); }); }
void TargetOIDObject::setCalculation(const QString& v) { Forward([&](TargetOID& t) { t.setCalculation(v); }); }
QString TargetOIDObject::TargetMIB() { return Forward([](TargetOID& t) { return t.OID().FullName(); }); }
void TargetOIDObject::setTargetMIB(const QString& v) { Forward([&](TargetOID& t) { t.setTargetMIB(v); }); }
QString TargetOIDObject::Hostname() { return Forward([](TargetOID& t) { return t.Hostname(); }); }
void TargetOIDObject::setHostname(const QString& v) { Forward([&](TargetOID& t) { t.setHostname(v); }); }
QString TargetOIDObject::IP() { return Forward([](TargetOID& t) { return t.IP(); }); }
void TargetOIDObject::setIP(const QString& v) { Forward([&](TargetOID& t) { t.setIP(v); }); }
QString TargetOIDObject::Community() { return Forward([](TargetOID& t) { return t.Community(); }); }
void TargetOIDObject::setCommunity(const QString& v) { Forward([&](TargetOID& t) { t.setCommunity(v); }); }
double TargetOIDObject::Value() { return Forward([](TargetOID& t) { return t.Value(); }); }
double TargetOIDObject::Average() { return Forward([](TargetOID& t) { return double(t.Average()); }); }
double TargetOIDObject::Min() { return Forward([](TargetOID& t) { return double(t.Min()); }); }
double TargetOIDObject::Max() { return Forward([](TargetOID& t) { return double(t.Max()); }); }
// clang-format on

double TargetOIDObject::HistoryTime(qint16 index)
{
    return Forward([&](TargetOID& t) {
        const QDateTime time = t.HistoryTime(index);
        return time.isValid() ? ToAutomationDate(time) : 0.0;
    });
}

QDBusObjectPath TargetOIDObject::OID()
{
    return Forward([&](TargetOID& t) { return QDBusObjectPath(m_tree.TargetPath(t.KeyNumber()) + "/OID"); });
}
