// Name resolution against the real MIB set: the project's own base modules plus the
// net-snmp modules that Debian installs.
#include "mib_database.h"
#include "oid_details.h"

#include <gtest/gtest.h>

static OIDDetails lookedUp(const QString& name)
{
    OIDDetails details;
    details.Lookup(name);
    return details;
}

TEST(MibLookup, FactsOfKnownNamesAndOIDs)
{
    using F = QString OIDInfo::*;
    const F oid = &OIDInfo::dottedOID, full = &OIDInfo::fullName, object = &OIDInfo::objectName,
            index = &OIDInfo::defaultIndex, syntax = &OIDInfo::syntaxName, status = &OIDInfo::status,
            units = &OIDInfo::unitChoices, hint = &OIDInfo::calculationHint, rows = &OIDInfo::indexByName,
            path = &OIDInfo::qualifiedName;
    const struct {
        const char* name;
        F field;
        const char* expected;
    } facts[] = {
        // The module the caller named is kept, so a saved graph reads back the same.
        {"RFC1213-MIB:ifInOctets", full, "RFC1213-MIB:ifInOctets"},
        {"RFC1213-MIB::ifInOctets", full, "RFC1213-MIB:ifInOctets"},
        {"IFINOCTETS", object, "ifInOctets"},
        {"  ifInOctets ", oid, "1.3.6.1.2.1.2.2.1.10"},
        {"iso.org.dod.internet.mgmt.mib-2.system.sysUpTime", object, "sysUpTime"},
        // Dotted OIDs describe their node; inner nodes have no syntax and no default index.
        {".1.3.6.1.2.1.1.3", index, "0"},
        {"1.3.6.1.2.1.1.3", path, "iso.org.dod.internet.mgmt.mib-2.system.sysUpTime"},
        {"1.3.6.1.2.1.2.2", syntax, ""},
        {"1.3.6.1.2.1.2.2", index, ""},
        // Instance OIDs describe the object and keep the index, multi-part indexes whole; a plain
        // column has no default index: the caller must choose rows.
        {"1.3.6.1.2.1.2.2.1.10.3", oid, "1.3.6.1.2.1.2.2.1.10"},
        {"1.3.6.1.2.1.2.2.1.10.3", index, "3"},
        {"IF-MIB::ifDescr.12", index, "12"},
        {"1.3.6.1.2.1.4.20.1.2.127.0.0.1", index, "127.0.0.1"},
        {"ifInOctets", index, ""},
        // OIDs without a MIB are still valid, below a known node or outside every root.
        {".1.3.6.1.4.1.99999.1.2.0", path, "iso.org.dod.internet.private.enterprises.99999.1.2.0"},
        {".1.3.6.1.4.1.99999.1.2.0", full, "SNMPv2-SMI:enterprises.99999.1.2.0"},
        {"SNMPv2-SMI:enterprises.99999.1.2.0", oid, "1.3.6.1.4.1.99999.1.2.0"},
        {"1.3.6.1.2.1.2.2.1.99.4", object, "ifEntry.99.4"},
        {"7.1.2", full, "7.1.2"},
        // Debian's modules load through our base modules; imported conventions keep their names.
        {"UCD-SNMP-MIB:laLoadInt", oid, "1.3.6.1.4.1.2021.10.1.5"},
        {"UCD-SNMP-MIB:laLoadInt", rows, "UCD-SNMP-MIB:laNames"},
        {"UCD-SNMP-MIB:laNames", syntax, "DisplayString"},
        {"IF-MIB:ifType", syntax, "IANAifType"},
        // Base syntaxes, status and access.
        {"sysObjectID", syntax, "OBJECT IDENTIFIER"},
        {"IF-MIB:ifInNUcastPkts", status, "deprecated"},
        {"sysContact", &OIDInfo::access, "read-write"},
        // Hints of well-known objects belong to the node, whatever module or form names it.
        {"RFC1213-MIB:ifInOctets", units, "Bps,bps=*8"},
        {"1.3.6.1.2.1.2.2.1.10.2", units, "Bps,bps=*8"},
        {"OLD-CISCO-CPU-MIB:avgBusy5", index, "0"},
        {"hrSWRunPerfCPU", rows, "HOST-RESOURCES-MIB:hrSWRunName"},
        // Without hints the MIB decides: ifName's table augments ifEntry, whose rows ifDescr names;
        // partitions are indexed first by their disk device; a table without a text column has no
        // describing object; a 64-bit gauge is carried as Counter64 but is no rate.
        {"IF-MIB:ifName", hint, "NO CALCULATIONS"},
        {"IF-MIB:ifName", rows, "IF-MIB:ifDescr"},
        {"hrPartitionSize", units, "KBytes"},
        {"hrPartitionSize", rows, "HOST-RESOURCES-MIB:hrDeviceDescr"},
        {"tcpConnState", rows, ""},
        {"UCD-SNMP-MIB:memTotalRealX", hint, "GAUGE"},
    };
    for (const auto& fact : facts)
        EXPECT_EQ(lookedUp(QString::fromLatin1(fact.name)).info().*fact.field, QLatin1String(fact.expected))
            << fact.name << " -> " << fact.expected;

    const std::pair<const char*, int> tags[] = {
        {"sysDescr", 4},     {"sysObjectID", 6},   {"sysUpTime", 2},      {"ifHCOutOctets", 2},
        {"ipAdEntAddr", 64}, {"nsModuleModes", 3}, {"1.3.6.1.2.1.2.2", 0}};
    for (const auto& [name, tag] : tags)
        EXPECT_EQ(lookedUp(QString::fromLatin1(name)).TypeTag(), tag) << name;

    const OIDDetails descr = lookedUp("sysDescr");
    EXPECT_FALSE(descr.Description().isEmpty());
    EXPECT_FALSE(descr.Description().contains('\n'));
}

TEST(MibLookup, ForeignAndUnknownNames)
{
    // A bare name takes the object's defining module, one of the two that carry it; a module that
    // does not carry the name still finds the object, under its real module.
    const OIDDetails bare = lookedUp("ifInOctets");
    EXPECT_TRUE(bare.FullName() == "IF-MIB:ifInOctets" || bare.FullName() == "RFC1213-MIB:ifInOctets")
        << bare.FullName().toStdString();
    const OIDDetails elsewhere = lookedUp("NO-SUCH-MIB:ifInOctets");
    EXPECT_EQ(elsewhere.DottedOID(), "1.3.6.1.2.1.2.2.1.10");
    EXPECT_NE(elsewhere.ModuleName(), "NO-SUCH-MIB");

    for (const char* text : {"", "   ", "noSuchObjectAnywhere", "NO-SUCH-MIB:noSuchObject", "1..3", "1.3.x",
                             ".", "1.3.6.1.2.1.1.99999999999", "ifInOctets junk", "ifInOctets.x",
                             "RFC1213-MIB:", ":ifInOctets", "ifMulticastPktsNoSuch"}) {
        const OIDDetails unknown = lookedUp(QString::fromLatin1(text));
        EXPECT_EQ(unknown.DottedOID() + unknown.FullName(), "") << text;
    }
    // A failed lookup forgets the previous object.
    OIDDetails d;
    d.Lookup("sysDescr");
    d.Lookup("noSuchObjectAnywhere");
    EXPECT_EQ(d.ObjectName(), "");
}

TEST(OIDDetailsCalculation, ComesFromTheHintOrElseTheSyntax)
{
    // The hints file makes hrSWRunPerfCPU, an Integer32, a rate; objects it does not name take their
    // calculation from their syntax.
    const std::pair<const char*, const char*> objects[] = {{"hrSWRunPerfCPU", "x per Second"},
                                                           {"hrPartitionSize", "No Calculations"},
                                                           {"snmpInBadVersions", "x per Second"}};
    for (const auto& [name, expected] : objects)
        EXPECT_EQ(lookedUp(QString::fromLatin1(name)).DefaultCalculation(), expected) << name;
    // Details that carry no hint at all (an object known only by its syntax) decide by the syntax.
    const std::pair<const char*, const char*> syntaxes[] = {
        {"Counter64", "x per Second"}, {"Gauge32", "No Calculations"}, {"INTEGER", "No Calculations"}};
    for (const auto& [syntaxName, expected] : syntaxes) {
        OIDInfo info;
        info.syntaxName = QLatin1String(syntaxName);
        EXPECT_EQ(OIDDetails(info).DefaultCalculation(), expected) << syntaxName;
        info.calculationHint = QStringLiteral("counter32");
        EXPECT_EQ(OIDDetails(info).DefaultCalculation(), "x per Second") << "hint in any case wins";
    }
}
