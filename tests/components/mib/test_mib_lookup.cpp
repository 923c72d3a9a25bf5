// Name resolution against the real MIB set: the project's own base modules plus the
// net-snmp modules that Debian installs.
#include "mib_database.h"
#include "oid_details.h"

#include <gtest/gtest.h>

#include <array>
#include <vector>

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
            units = &OIDInfo::unitChoices, hint = &OIDInfo::calculationHint, rows = &OIDInfo::indexByName;
    const struct {
        const char* name;
        F field;
        const char* expected;
    } facts[] = {
        // The default objects; the module the caller named is kept, so a saved graph reads back the same.
        {"RFC1213-MIB:ifInOctets", oid, "1.3.6.1.2.1.2.2.1.10"},
        {"RFC1213-MIB:ifInOctets", full, "RFC1213-MIB:ifInOctets"},
        {"RFC1213-MIB:ifOutOctets", oid, "1.3.6.1.2.1.2.2.1.16"},
        {"OLD-CISCO-CPU-MIB:avgBusy5", oid, "1.3.6.1.4.1.9.2.1.58"},
        {"OLD-CISCO-CPU-MIB:avgBusy5", full, "OLD-CISCO-CPU-MIB:avgBusy5"},
        {"HOST-RESOURCES-MIB:hrProcessorLoad", oid, "1.3.6.1.2.1.25.3.3.1.2"},
        {"RFC1213-MIB:ipInReceives", oid, "1.3.6.1.2.1.4.3"},
        {"RFC1213-MIB:ipOutRequests", oid, "1.3.6.1.2.1.4.10"},
        {"HOST-RESOURCES-MIB:hrSWRunPerfMem", oid, "1.3.6.1.2.1.25.5.1.1.2"},
        {"HOST-RESOURCES-MIB:hrSWRunPerfCPU", oid, "1.3.6.1.2.1.25.5.1.1.1"},
        {"HOST-RESOURCES-MIB:hrSWRunPerfCPU", full, "HOST-RESOURCES-MIB:hrSWRunPerfCPU"},
        // Other name forms.
        {"RFC1213-MIB::ifInOctets", full, "RFC1213-MIB:ifInOctets"},
        {"IFINOCTETS", object, "ifInOctets"},
        {"  ifInOctets ", oid, "1.3.6.1.2.1.2.2.1.10"},
        {"IF-MIB:ifHCInOctets", oid, "1.3.6.1.2.1.31.1.1.1.6"},
        {"iso.org.dod.internet.mgmt.mib-2.system.sysUpTime", object, "sysUpTime"},
        // Dotted OIDs describe their node; inner nodes have no syntax and no default index.
        {".1.3.6.1.2.1.1.3", object, "sysUpTime"},
        {".1.3.6.1.2.1.1.3", index, "0"},
        {"1.3.6.1.2.1.1.3", syntax, "TimeTicks"},
        {"1.3.6.1.2.1.1.3", &OIDInfo::qualifiedName, "iso.org.dod.internet.mgmt.mib-2.system.sysUpTime"},
        {"1.3.6.1.2.1.2.2", object, "ifTable"},
        {"1.3.6.1.2.1.2.2", syntax, ""},
        {"1.3.6.1.2.1.2.2", index, ""},
        // Instance OIDs describe the object and keep the index, multi-part indexes whole; a plain
        // column has no default index: the caller must choose rows.
        {"1.3.6.1.2.1.2.2.1.10.3", oid, "1.3.6.1.2.1.2.2.1.10"},
        {"1.3.6.1.2.1.2.2.1.10.3", index, "3"},
        {".1.3.6.1.2.1.1.5.0", object, "sysName"},
        {".1.3.6.1.2.1.1.5.0", index, "0"},
        {"IF-MIB::ifDescr.12", oid, "1.3.6.1.2.1.2.2.1.2"},
        {"IF-MIB::ifDescr.12", index, "12"},
        {"1.3.6.1.2.1.4.20.1.2.127.0.0.1", object, "ipAdEntIfIndex"},
        {"1.3.6.1.2.1.4.20.1.2.127.0.0.1", index, "127.0.0.1"},
        {"ifInOctets", index, ""},
        // OIDs without a MIB are still valid, below a known node or outside every root.
        {".1.3.6.1.4.1.99999.1.2.0", oid, "1.3.6.1.4.1.99999.1.2.0"},
        {".1.3.6.1.4.1.99999.1.2.0", object, "enterprises.99999.1.2.0"},
        {".1.3.6.1.4.1.99999.1.2.0", &OIDInfo::qualifiedName,
         "iso.org.dod.internet.private.enterprises.99999.1.2.0"},
        {".1.3.6.1.4.1.99999.1.2.0", full, "SNMPv2-SMI:enterprises.99999.1.2.0"},
        {"SNMPv2-SMI:enterprises.99999.1.2.0", oid, "1.3.6.1.4.1.99999.1.2.0"},
        {".1.3.6.1.4.1.99999.1.2.0", syntax, ""},
        {".1.3.6.1.4.1.99999.1.2.0", hint, ""},
        {"1.3.6.1.2.1.2.2.1.99.4", object, "ifEntry.99.4"},
        {"7.1.2", oid, "7.1.2"},
        {"7.1.2", full, "7.1.2"},
        // Debian's modules load through our base modules; imported conventions keep their names.
        {"UCD-SNMP-MIB:laLoadInt", oid, "1.3.6.1.4.1.2021.10.1.5"},
        {"UCD-SNMP-MIB:laLoadInt", &OIDInfo::moduleName, "UCD-SNMP-MIB"},
        {"UCD-SNMP-MIB:laLoadInt", rows, "UCD-SNMP-MIB:laNames"},
        {"UCD-SNMP-MIB:laLoadInt", syntax, "Integer32"},
        {"UCD-SNMP-MIB:laNames", syntax, "DisplayString"},
        {"NET-SNMP-AGENT-MIB:nsModuleName", object, "nsModuleName"},
        {"NET-SNMP-VACM-MIB:nsVacmViewName", object, "nsVacmViewName"},
        // Syntax and status.
        {"sysDescr", syntax, "DisplayString"},
        {"sysObjectID", syntax, "OBJECT IDENTIFIER"},
        {"IF-MIB:ifInNUcastPkts", status, "deprecated"},
        {"ifHCOutOctets", syntax, "Counter64"},
        {"IF-MIB:ifSpeed", syntax, "Gauge32"},
        {"IF-MIB:ifInOctets", syntax, "Counter32"},
        {"hrProcessorLoad", syntax, "Integer32"},
        {"IF-MIB:ifType", syntax, "IANAifType"},
        {"ipAdEntAddr", syntax, "IpAddress"},
        {"ipAdEntAddr", status, "mandatory"},
        {"hrSystemDate", syntax, "DateAndTime"},
        {"hrProcessorLoad", status, "current"},
        {"snmpOutPkts", status, "obsolete"},
        {"NET-SNMP-AGENT-MIB:nsModuleModes", syntax, "BITS"},
        {"OLD-CISCO-CPU-MIB:avgBusy5", syntax, "INTEGER"},
        {"sysDescr", &OIDInfo::access, "read-only"},
        {"sysContact", &OIDInfo::access, "read-write"},
        // Hints of well-known objects belong to the node, whatever module or form names it.
        {"RFC1213-MIB:ifInOctets", units, "Bps,bps=*8"},
        {"RFC1213-MIB:ifInOctets", hint, "COUNTER32"},
        {"RFC1213-MIB:ifInOctets", rows, "IF-MIB:ifDescr"},
        {"1.3.6.1.2.1.2.2.1.10.2", units, "Bps,bps=*8"},
        {"ifHCOutOctets", hint, "COUNTER64"},
        {"ifHCOutOctets", units, "Bps,bps=*8"},
        {"OLD-CISCO-CPU-MIB:avgBusy5", units, "%"},
        {"OLD-CISCO-CPU-MIB:avgBusy5", index, "0"},
        {"OLD-CISCO-CPU-MIB:avgBusy5", hint, "GAUGE32"},
        {"hrProcessorLoad", units, "%"},
        {"hrProcessorLoad", rows, "HOST-RESOURCES-MIB:hrDeviceDescr"},
        {"hrSWRunPerfMem", rows, "HOST-RESOURCES-MIB:hrSWRunName"},
        {"hrSWRunPerfCPU", hint, "COUNTER"},
        {"hrStorageUsed", rows, "HOST-RESOURCES-MIB:hrStorageDescr"},
        {"ifHighSpeed", units, "bps=*1000000,Mbps"},
        // Without hints the MIB decides: ifName's table augments ifEntry, whose rows ifDescr names;
        // partitions are indexed first by their disk device; a table without a text column has no
        // describing object; a 64-bit gauge is carried as Counter64 but is no rate.
        {"IF-MIB:ifName", hint, "NO CALCULATIONS"},
        {"IF-MIB:ifName", rows, "IF-MIB:ifDescr"},
        {"IF-MIB:ifName", units, ""},
        {"hrPartitionSize", units, "KBytes"},
        {"hrPartitionSize", hint, "INTEGER32"},
        {"hrPartitionSize", rows, "HOST-RESOURCES-MIB:hrDeviceDescr"},
        {"snmpEngineTime", units, "seconds"},
        {"snmpEngineTime", index, "0"},
        {"IF-MIB:ifOutMulticastPkts", hint, "COUNTER32"},
        {"tcpCurrEstab", hint, "GAUGE32"},
        {"ifOperStatus", hint, "INTEGER"},
        {"tcpConnState", rows, ""},
        {"UCD-SNMP-MIB:memTotalRealX", hint, "GAUGE"},
    };
    for (const auto& fact : facts)
        EXPECT_EQ(lookedUp(QString::fromLatin1(fact.name)).info().*fact.field, QLatin1String(fact.expected))
            << fact.name << " -> " << fact.expected;

    const struct {
        const char* name;
        int tag;
    } tags[] = {{"sysDescr", 4},
                {"sysObjectID", 6},
                {"sysUpTime", 2},
                {"ifHCOutOctets", 2},
                {"ipAdEntAddr", 64},
                {"NET-SNMP-AGENT-MIB:nsModuleModes", 3},
                {"1.3.6.1.2.1.2.2", 0},
                {".1.3.6.1.4.1.99999.1.2.0", 0},
                {"UCD-SNMP-MIB:laLoadInt", 2}};
    for (const auto& [name, tag] : tags)
        EXPECT_EQ(lookedUp(QString::fromLatin1(name)).TypeTag(), tag) << name;

    const OIDDetails descr = lookedUp("sysDescr");
    EXPECT_FALSE(descr.Description().isEmpty());
    EXPECT_FALSE(descr.Description().contains('\n'));
}

TEST(MibLookup, BareAndForeignModuleNamesFindTheDefiningModule)
{
    // A bare name takes the object's defining module, one of the two that carry it.
    const OIDDetails bare = lookedUp("ifInOctets");
    EXPECT_EQ(bare.DottedOID(), "1.3.6.1.2.1.2.2.1.10");
    EXPECT_TRUE(bare.FullName() == "IF-MIB:ifInOctets" || bare.FullName() == "RFC1213-MIB:ifInOctets")
        << bare.FullName().toStdString();
    EXPECT_EQ(lookedUp(bare.FullName()).DottedOID(), bare.DottedOID());

    // A module that does not carry the name still finds the object, under its real module.
    const OIDDetails elsewhere = lookedUp("NO-SUCH-MIB:ifInOctets");
    EXPECT_EQ(elsewhere.DottedOID(), bare.DottedOID());
    EXPECT_NE(elsewhere.ModuleName(), "NO-SUCH-MIB");
}

TEST(MibLookup, TextThatIsNeitherNameNorOIDIsUnknown)
{
    for (const char* text : {"", "   ", "noSuchObjectAnywhere", "NO-SUCH-MIB:noSuchObject", "1..3", "1.3.x",
                             ".", "1.3.6.1.2.1.1.99999999999", "ifInOctets junk", "ifInOctets.x",
                             "RFC1213-MIB:", ":ifInOctets", "ifMulticastPktsNoSuch"}) {
        const OIDDetails d = lookedUp(QString::fromLatin1(text));
        EXPECT_EQ(d.DottedOID(), "") << text;
        EXPECT_EQ(d.FullName(), "") << text;
    }
    // A failed lookup forgets the previous object.
    OIDDetails d;
    d.Lookup("sysDescr");
    ASSERT_FALSE(d.DottedOID().isEmpty());
    d.Lookup("noSuchObjectAnywhere");
    EXPECT_EQ(d.ObjectName(), "");
}

TEST(OIDDetailsCalculation, ComesFromTheHintOrElseTheSyntax)
{
    const std::vector<std::array<const char*, 3>> cases{
        {"COUNTER32", "Gauge32", "x per Second"},   {"gauge32", "Counter32", "No Calculations"},
        {"No Calculations", "", "No Calculations"}, {"", "Gauge32", "No Calculations"},
        {"", "INTEGER", "No Calculations"},         {"", "Counter64", "x per Second"},
        {"", "TimeTicks", "x per Second"},          {"SOMETHING", "Gauge32", "x per Second"}};
    for (const auto& [hint, syntax, expected] : cases) {
        OIDInfo info;
        info.calculationHint = QLatin1String(hint);
        info.syntaxName = QLatin1String(syntax);
        EXPECT_EQ(OIDDetails(info).DefaultCalculation(), expected) << hint << " " << syntax;
    }
}
