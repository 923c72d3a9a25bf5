#pragma once

#include <oid_details.h>
#include <target_oid.h>

#include <QHash>
#include <QStringList>

/// Answers MIB lookups from a table instead of the MIB database, so model and graph tests need
/// no MIB module. A name is found by its full name ("IF-MIB::ifInOctets") or, failing that, by
/// its object name; unknown names give empty details, as the real database does.
struct FakeMib {
    QHash<QString, OIDInfo> objects;
    QStringList lookedUp;

    /// Adds an object and returns it, so a test can set the fields its case is about.
    OIDInfo& Add(const QString& fullName, const QString& dottedOID, const QString& syntax,
                 const QString& unitChoices = QString(), qint32 typeTag = 2)
    {
        OIDInfo info;
        info.fullName = fullName;
        info.objectName = fullName.section(QLatin1Char(':'), -1);
        info.moduleName = fullName.contains(QLatin1Char(':')) ? fullName.section(QLatin1Char(':'), 0, 0) : QString();
        info.dottedOID = dottedOID;
        info.syntaxName = syntax;
        info.unitChoices = unitChoices;
        info.typeTag = typeTag;
        return objects[fullName] = info;
    }

    /// Interface input octets and a processor load, the two objects most tests need.
    FakeMib& WithStandardObjects()
    {
        Add(QStringLiteral("IF-MIB::ifInOctets"), QStringLiteral("1.3.6.1.2.1.2.2.1.10"),
            QStringLiteral("Counter32"), QStringLiteral("Octets,bps=*8"));
        Add(QStringLiteral("HOST-RESOURCES-MIB::hrProcessorLoad"), QStringLiteral("1.3.6.1.2.1.25.3.3.1.2"),
            QStringLiteral("Integer32"), QStringLiteral("%"));
        return *this;
    }

    OIDInfo Find(const QString& name) const
    {
        if (objects.contains(name))
            return objects.value(name);
        const QString object = name.section(QLatin1Char(':'), -1);
        for (const OIDInfo& info : objects) {
            if (info.objectName == object)
                return info;
        }
        return OIDInfo();
    }

    /// A resolver reading this table; the table must outlive every object holding the resolver.
    OIDResolver Resolver()
    {
        return [this](const QString& name) {
            lookedUp.append(name);
            return OIDDetails(Find(name));
        };
    }
};
