// Name resolution against the real MIB set: the project's own base modules plus the
// net-snmp modules that Debian installs.
#include "mib_database.h"
#include "oid_details.h"

#include <QFile>
#include <gtest/gtest.h>
#include <qt_print.h>

static OIDDetails lookedUp(const QString& name)
{
    OIDDetails details;
    details.Lookup(name);
    return details;
}

// One field of what a lookup found, by its name in the facts file.
static QString field(const OIDDetails& details, const QString& name)
{
    const OIDInfo& i = details.info();
    // clang-format off
    const QHash<QString, QString> fields{
        {"dottedOID", i.dottedOID}, {"fullName", i.fullName}, {"objectName", i.objectName},
        {"moduleName", i.moduleName}, {"qualifiedName", i.qualifiedName}, {"defaultIndex", i.defaultIndex},
        {"syntaxName", i.syntaxName}, {"status", i.status}, {"access", i.access}, {"unitChoices", i.unitChoices},
        {"calculationHint", i.calculationHint}, {"indexByName", i.indexByName},
        {"typeTag", QString::number(details.TypeTag())}, {"calculation", details.DefaultCalculation()}};
    // clang-format on
    return fields.value(name, "no field " + name);
}

TEST(MibLookup, FactsOfKnownNamesAndOIDsThenForeignAndUnknownNames)
{
    QFile facts(QStringLiteral(TW_MIB_TEST_DATA "/lookup_facts.txt"));
    ASSERT_TRUE(facts.open(QIODevice::ReadOnly | QIODevice::Text));
    int checked = 0;
    for (const QString& line : QString::fromUtf8(facts.readAll()).split('\n')) {
        QStringList parts = line.split('|');
        if (line.startsWith('#') || parts.size() != 3)
            continue;
        for (QString& part : parts)
            part = part.trimmed().startsWith('"') ? part.trimmed().chopped(1).mid(1) : part.trimmed();
        EXPECT_EQ(field(lookedUp(parts[0]), parts[1]), parts[2]) << line.toStdString();
        ++checked;
    }
    EXPECT_GT(checked, 40);
    const QString description = lookedUp("sysDescr").Description();
    EXPECT_FALSE(description.isEmpty() || description.contains('\n'));
    // A bare name takes the object's defining module, one of the two that carry it; a module that
    // does not carry the name still finds the object, under its real module.
    const OIDDetails bare = lookedUp("ifInOctets");
    EXPECT_TRUE(bare.FullName() == "IF-MIB:ifInOctets" || bare.FullName() == "RFC1213-MIB:ifInOctets")
        << bare.FullName().toStdString();
    const OIDDetails elsewhere = lookedUp("NO-SUCH-MIB:ifInOctets");
    EXPECT_TRUE(elsewhere.DottedOID() == "1.3.6.1.2.1.2.2.1.10" && elsewhere.ModuleName() != "NO-SUCH-MIB");
    // A failed lookup forgets the previous object.
    OIDDetails d = lookedUp("sysDescr");
    d.Lookup("noSuchObjectAnywhere");
    EXPECT_EQ(d.ObjectName(), "");
}

// Details that carry no hint at all (an object known only by its syntax) decide by the syntax;
// real lookups are in the facts file.
TEST(OIDDetailsCalculation, ComesFromTheHintOrElseTheSyntax)
{
    const std::pair<const char*, const char*> syntaxes[] = {
        {"Counter64", "x per Second"}, {"Gauge32", "No Calculations"}, {"INTEGER", "No Calculations"}};
    for (const auto& [syntaxName, expected] : syntaxes) {
        OIDInfo info;
        info.syntaxName = QLatin1String(syntaxName);
        EXPECT_EQ(OIDDetails(info).DefaultCalculation(), expected) << syntaxName;
        info.calculationHint = "counter32";
        EXPECT_EQ(OIDDetails(info).DefaultCalculation(), "x per Second") << "hint in any case wins";
    }
}
