#include "oid_details_object.h"

#include "graph_tree.h"

#include <rt_trendwick.h>
#include <target_oids.h>

OIDDetailsObject::OIDDetailsObject(GraphTree& tree, qint32 keyNumber)
    : AutomationObject(tree.Lifetime()), m_tree(tree), m_keyNumber(keyNumber)
{
}

template <class F>
auto OIDDetailsObject::Forward(F&& member)
{
    return Call([&] {
        TargetOID* target =
            m_tree.Control().TargetOIDs().Index(QStringLiteral("O:") + QString::number(m_keyNumber));
        if (!target)
            throw ObjectGoneError();
        return member(target->OID());
    });
}

// clang-format off
QString OIDDetailsObject::DottedOID() { return Forward([](OIDDetails& d) { return d.DottedOID(); }); }
QString OIDDetailsObject::IndexByName() { return Forward([](OIDDetails& d) { return d.IndexByName(); }); }
QString OIDDetailsObject::CalculationHint() { return Forward([](OIDDetails& d) { return d.CalculationHint(); }); }
QString OIDDetailsObject::DefaultIndex() { return Forward([](OIDDetails& d) { return d.DefaultIndex(); }); }
QString OIDDetailsObject::ModuleName() { return Forward([](OIDDetails& d) { return d.ModuleName(); }); }
QString OIDDetailsObject::FullName() { return Forward([](OIDDetails& d) { return d.FullName(); }); }
void OIDDetailsObject::Lookup(const QString& name) { Forward([&](OIDDetails& d) { d.Lookup(name); }); }
QString OIDDetailsObject::QualifiedName() { return Forward([](OIDDetails& d) { return d.QualifiedName(); }); }
QString OIDDetailsObject::ObjectName() { return Forward([](OIDDetails& d) { return d.ObjectName(); }); }
QString OIDDetailsObject::Description() { return Forward([](OIDDetails& d) { return d.Description(); }); }
QString OIDDetailsObject::Status() { return Forward([](OIDDetails& d) { return d.Status(); }); }
qint32 OIDDetailsObject::TypeTag() { return Forward([](OIDDetails& d) { return d.TypeTag(); }); }
QString OIDDetailsObject::SyntaxName() { return Forward([](OIDDetails& d) { return d.SyntaxName(); }); }
QString OIDDetailsObject::UnitChoices() { return Forward([](OIDDetails& d) { return d.UnitChoices(); }); }
// clang-format on

void OIDDetailsObject::ShowDetails()
{
    Forward([&](OIDDetails& d) { d.ShowDetails(&m_tree.Control()); });
}
