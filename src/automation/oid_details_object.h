#pragma once

#include "automation_object.h"

#include <QString>

class GraphTree;
class OIDDetails;

/// What the OIDDetails adaptor of one series forwards to, at .../TargetOIDs/O<n>/OID: the details
/// the series owns, found again on every call.
class OIDDetailsObject : public AutomationObject {
    Q_OBJECT
    Q_PROPERTY(QString DottedOID READ DottedOID)
    Q_PROPERTY(QString IndexByName READ IndexByName)
    Q_PROPERTY(QString CalculationHint READ CalculationHint)
    Q_PROPERTY(QString DefaultIndex READ DefaultIndex)
    Q_PROPERTY(QString ModuleName READ ModuleName)
    Q_PROPERTY(QString FullName READ FullName)
    Q_PROPERTY(QString QualifiedName READ QualifiedName)
    Q_PROPERTY(QString ObjectName READ ObjectName)
    Q_PROPERTY(QString Description READ Description)
    Q_PROPERTY(QString Status READ Status)
    Q_PROPERTY(qint32 TypeTag READ TypeTag)
    Q_PROPERTY(QString SyntaxName READ SyntaxName)
    Q_PROPERTY(QString UnitChoices READ UnitChoices)
public:
    OIDDetailsObject(GraphTree& tree, qint32 keyNumber);

    QString DottedOID();
    void ShowDetails();
    QString IndexByName();
    QString CalculationHint();
    QString DefaultIndex();
    QString ModuleName();
    QString FullName();
    /// The series then polls the object found (nothing, for an unknown name).
    void Lookup(const QString& Name);
    QString QualifiedName();
    QString ObjectName();
    QString Description();
    QString Status();
    qint32 TypeTag();
    QString SyntaxName();
    QString UnitChoices();

private:
    template <class F>
    auto Forward(F&& member);

    GraphTree& m_tree;
    qint32 m_keyNumber;
};
