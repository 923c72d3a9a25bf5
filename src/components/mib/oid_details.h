#pragma once

#include <QString>

/// What the MIB database knows about one object. Every consumer calls Lookup first and then
/// reads; an empty DottedOID is the only sign of an unknown name.
struct OIDInfo {
    QString dottedOID;
    QString indexByName;
    QString calculationHint;
    QString defaultIndex;
    QString moduleName;
    QString fullName;
    QString qualifiedName;
    QString objectName;
    QString description;
    QString status;
    QString syntaxName;
    QString unitChoices;
    qint32 typeTag = 0;
    QString access; // "read-only", "not-accessible", ...
    QString units;  // the MIB's UNITS clause
};

class MibDatabase;
class QWidget;

/// Description of one MIB object, filled by Lookup from the MIB database. Tests build one
/// directly from an OIDInfo without loading any MIB module.
class OIDDetails {
public:
    /// Details looked up in the process-wide database.
    OIDDetails();
    /// Details looked up in the given database (not owned; must outlive this object).
    explicit OIDDetails(const MibDatabase* database);
    /// Fixed details, as a test or a copy hands them in.
    explicit OIDDetails(const OIDInfo& info) : m_info(info) {}

    /// Takes "MODULE:name", "MODULE::name", a bare name or a dotted OID (leading dot allowed).
    void Lookup(const QString& name);

    const QString& DottedOID() const { return m_info.dottedOID; }
    QString IndexByName() const { return m_info.indexByName; }
    QString CalculationHint() const { return m_info.calculationHint; }
    QString DefaultIndex() const { return m_info.defaultIndex; }
    const QString& ModuleName() const { return m_info.moduleName; }
    const QString& FullName() const { return m_info.fullName; }
    const QString& QualifiedName() const { return m_info.qualifiedName; }
    const QString& ObjectName() const { return m_info.objectName; }
    const QString& Description() const { return m_info.description; }
    const QString& Status() const { return m_info.status; }
    qint32 TypeTag() const { return m_info.typeTag; }
    const QString& SyntaxName() const { return m_info.syntaxName; }
    QString UnitChoices() const { return m_info.unitChoices; }
    QString Access() const { return m_info.access; }
    QString Units() const { return m_info.units; }
    /// How a new target of this object is graphed: "No Calculations" for levels (the calculation
    /// hint, or else the syntax, says GAUGE, GAUGE32, INTEGER, INTEGER32 or NO CALCULATIONS, in
    /// any case), "x per Second" for counters and every syntax not known to be a level.
    QString DefaultCalculation() const;

    /// Presents the object's details in a small window of its own (not modal); the window
    /// deletes itself when closed and is returned for callers that want to place it.
    QWidget* ShowDetails(QWidget* parent = nullptr) const;

    const OIDInfo& info() const { return m_info; }

private:
    const MibDatabase* m_database = nullptr;
    OIDInfo m_info;
};
