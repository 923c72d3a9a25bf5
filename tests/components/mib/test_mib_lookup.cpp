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

TEST(MibLookup, DefaultObjectNamesResolveToTheirOIDs)
{
    const struct {
        const char* name;
        const char* oid;
    } cases[] = {
        {"RFC1213-MIB:ifInOctets", "1.3.6.1.2.1.2.2.1.10"},
        {"RFC1213-MIB:ifOutOctets", "1.3.6.1.2.1.2.2.1.16"},
        {"OLD-CISCO-CPU-MIB:avgBusy5", "1.3.6.1.4.1.9.2.1.58"},
        {"HOST-RESOURCES-MIB:hrProcessorLoad", "1.3.6.1.2.1.25.3.3.1.2"},
        {"RFC1213-MIB:ipInReceives", "1.3.6.1.2.1.4.3"},
        {"RFC1213-MIB:ipOutRequests", "1.3.6.1.2.1.4.10"},
        {"HOST-RESOURCES-MIB:hrSWRunPerfMem", "1.3.6.1.2.1.25.5.1.1.2"},
        {"HOST-RESOURCES-MIB:hrSWRunPerfCPU", "1.3.6.1.2.1.25.5.1.1.1"},
    };
    for (const auto& c : cases) {
        const OIDDetails d = lookedUp(QString::fromLatin1(c.name));
        EXPECT_EQ(d.DottedOID(), QLatin1String(c.oid)) << c.name;
        // The module the caller named is kept, so a saved graph reads back the same name.
        EXPECT_EQ(d.FullName(), QLatin1String(c.name));
        EXPECT_EQ(d.ModuleName() + ':' + d.ObjectName(), QLatin1String(c.name));
    }
}

TEST(MibLookup, NameFormsAgree)
{
    const OIDDetails single = lookedUp("RFC1213-MIB:ifInOctets");
    const OIDDetails doubled = lookedUp("RFC1213-MIB::ifInOctets");
    const OIDDetails bare = lookedUp("ifInOctets");
    const OIDDetails wrongCase = lookedUp("IFINOCTETS");
    const OIDDetails padded = lookedUp("  ifInOctets ");
    for (const OIDDetails* d : {&doubled, &bare, &wrongCase, &padded}) {
        EXPECT_EQ(d->DottedOID(), single.DottedOID());
        EXPECT_EQ(d->ObjectName(), "ifInOctets");
    }
    EXPECT_EQ(doubled.FullName(), "RFC1213-MIB:ifInOctets");
    // A bare name takes the object's defining module, one of the two that carry it.
    EXPECT_TRUE(bare.FullName() == "IF-MIB:ifInOctets" || bare.FullName() == "RFC1213-MIB:ifInOctets")
        << bare.FullName().toStdString();
    EXPECT_EQ(lookedUp(bare.FullName()).DottedOID(), bare.DottedOID());

    // A module that does not carry the name still finds the object, under its real module.
    const OIDDetails elsewhere = lookedUp("NO-SUCH-MIB:ifInOctets");
    EXPECT_EQ(elsewhere.DottedOID(), single.DottedOID());
    EXPECT_NE(elsewhere.ModuleName(), "NO-SUCH-MIB");

    EXPECT_EQ(lookedUp("IF-MIB:ifHCInOctets").DottedOID(), "1.3.6.1.2.1.31.1.1.1.6");
    EXPECT_EQ(lookedUp("iso.org.dod.internet.mgmt.mib-2.system.sysUpTime").ObjectName(), "sysUpTime");
}

TEST(MibLookup, DottedOIDsDescribeTheirNode)
{
    const OIDDetails plain = lookedUp("1.3.6.1.2.1.1.3");
    const OIDDetails leadingDot = lookedUp(".1.3.6.1.2.1.1.3");
    for (const OIDDetails* d : {&plain, &leadingDot}) {
        EXPECT_EQ(d->DottedOID(), "1.3.6.1.2.1.1.3");
        EXPECT_EQ(d->ObjectName(), "sysUpTime");
        EXPECT_EQ(d->QualifiedName(), "iso.org.dod.internet.mgmt.mib-2.system.sysUpTime");
        EXPECT_EQ(d->DefaultIndex(), "0");
        EXPECT_EQ(d->SyntaxName(), "TimeTicks");
    }
    // Inner nodes are valid too, but have no syntax and no default index.
    const OIDDetails group = lookedUp("1.3.6.1.2.1.2.2");
    EXPECT_EQ(group.ObjectName(), "ifTable");
    EXPECT_EQ(group.TypeTag(), 0);
    EXPECT_EQ(group.SyntaxName(), "");
    EXPECT_EQ(group.DefaultIndex(), "");
}

TEST(MibLookup, InstanceOIDsDescribeTheObjectAndKeepTheIndex)
{
    const OIDDetails column = lookedUp("1.3.6.1.2.1.2.2.1.10.3");
    EXPECT_EQ(column.DottedOID(), "1.3.6.1.2.1.2.2.1.10");
    EXPECT_EQ(column.ObjectName(), "ifInOctets");
    EXPECT_EQ(column.DefaultIndex(), "3");

    const OIDDetails scalar = lookedUp(".1.3.6.1.2.1.1.5.0");
    EXPECT_EQ(scalar.ObjectName(), "sysName");
    EXPECT_EQ(scalar.DefaultIndex(), "0");

    const OIDDetails named = lookedUp("IF-MIB::ifDescr.12");
    EXPECT_EQ(named.DottedOID(), "1.3.6.1.2.1.2.2.1.2");
    EXPECT_EQ(named.DefaultIndex(), "12");

    // Multi-part indexes (an IP address here) stay whole.
    const OIDDetails address = lookedUp("1.3.6.1.2.1.4.20.1.2.127.0.0.1");
    EXPECT_EQ(address.ObjectName(), "ipAdEntIfIndex");
    EXPECT_EQ(address.DefaultIndex(), "127.0.0.1");

    // A plain column has no default index: the caller must choose rows.
    EXPECT_EQ(lookedUp("ifInOctets").DefaultIndex(), "");
}

TEST(MibLookup, PrivateOIDWithoutMibIsStillValid)
{
    const OIDDetails d = lookedUp(".1.3.6.1.4.1.99999.1.2.0");
    EXPECT_EQ(d.DottedOID(), "1.3.6.1.4.1.99999.1.2.0");
    EXPECT_EQ(d.ObjectName(), "enterprises.99999.1.2.0");
    EXPECT_EQ(d.QualifiedName(), "iso.org.dod.internet.private.enterprises.99999.1.2.0");
    EXPECT_EQ(d.FullName(), "SNMPv2-SMI:enterprises.99999.1.2.0");
    EXPECT_EQ(d.SyntaxName(), "");
    EXPECT_EQ(d.CalculationHint(), "");
    EXPECT_EQ(d.TypeTag(), 0);

    // The full name written into a graph file reads back as the same OID.
    EXPECT_EQ(lookedUp(d.FullName()).DottedOID(), d.DottedOID());

    // Below an unknown child of a table entry, and outside every known root.
    EXPECT_EQ(lookedUp("1.3.6.1.2.1.2.2.1.99.4").ObjectName(), "ifEntry.99.4");
    const OIDDetails rootless = lookedUp("7.1.2");
    EXPECT_EQ(rootless.DottedOID(), "7.1.2");
    EXPECT_EQ(rootless.FullName(), "7.1.2");
}

TEST(MibLookup, TextThatIsNeitherNameNorOIDIsUnknown)
{
    for (const char* text :
         {"", "   ", "noSuchObjectAnywhere", "NO-SUCH-MIB:noSuchObject", "1..3", "1.3.x", ".",
          "1.3.6.1.2.1.1.99999999999", "ifInOctets junk", "ifInOctets.x", "RFC1213-MIB:", ":ifInOctets"}) {
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

TEST(MibLookup, DebianModulesLoadThroughOurBaseModules)
{
    const OIDDetails load = lookedUp("UCD-SNMP-MIB:laLoadInt");
    EXPECT_EQ(load.DottedOID(), "1.3.6.1.4.1.2021.10.1.5");
    EXPECT_EQ(load.ModuleName(), "UCD-SNMP-MIB");
    EXPECT_EQ(load.SyntaxName(), "Integer32");
    EXPECT_EQ(load.TypeTag(), 2);
    EXPECT_EQ(load.IndexByName(), "UCD-SNMP-MIB:laNames");

    // Imports of textual conventions resolve: the column keeps its convention's name.
    EXPECT_EQ(lookedUp("UCD-SNMP-MIB:laNames").SyntaxName(), "DisplayString");
    EXPECT_EQ(lookedUp("NET-SNMP-AGENT-MIB:nsModuleName").DottedOID().isEmpty(), false);
    EXPECT_EQ(lookedUp("NET-SNMP-VACM-MIB:nsVacmViewName").DottedOID().isEmpty(), false);
}

TEST(MibLookup, SyntaxTypeTagAndStatus)
{
    const struct {
        const char* name;
        const char* syntax;
        int tag;
        const char* status;
    } cases[] = {
        {"sysDescr", "DisplayString", 4, "current"},
        {"sysObjectID", "OBJECT IDENTIFIER", 6, "current"},
        {"sysUpTime", "TimeTicks", 2, "current"},
        {"IF-MIB:ifInOctets", "Counter32", 2, "current"},
        {"IF-MIB:ifInNUcastPkts", "Counter32", 2, "deprecated"},
        {"ifHCOutOctets", "Counter64", 2, "current"},
        {"IF-MIB:ifSpeed", "Gauge32", 2, "current"},
        {"IF-MIB:ifType", "IANAifType", 2, "current"},
        {"ipAdEntAddr", "IpAddress", 64, "mandatory"},
        {"hrSystemDate", "DateAndTime", 4, "current"},
        {"hrProcessorLoad", "Integer32", 2, "current"},
        {"snmpOutPkts", "Counter32", 2, "obsolete"},
        {"NET-SNMP-AGENT-MIB:nsModuleModes", "BITS", 3, "current"},
        {"OLD-CISCO-CPU-MIB:avgBusy5", "INTEGER", 2, "mandatory"},
    };
    for (const auto& c : cases) {
        const OIDDetails d = lookedUp(QString::fromLatin1(c.name));
        EXPECT_EQ(d.SyntaxName(), QLatin1String(c.syntax)) << c.name;
        EXPECT_EQ(d.TypeTag(), c.tag) << c.name;
        EXPECT_EQ(d.Status(), QLatin1String(c.status)) << c.name;
    }
    const OIDDetails descr = lookedUp("sysDescr");
    EXPECT_FALSE(descr.Description().isEmpty());
    EXPECT_FALSE(descr.Description().contains('\n'));
    EXPECT_EQ(descr.Access(), "read-only");
    EXPECT_EQ(lookedUp("sysContact").Access(), "read-write");
}

TEST(MibLookup, HintsOfWellKnownObjects)
{
    const OIDDetails octets = lookedUp("RFC1213-MIB:ifInOctets");
    EXPECT_EQ(octets.UnitChoices(), "Bps,bps=*8");
    EXPECT_EQ(octets.CalculationHint(), "COUNTER32");
    EXPECT_EQ(octets.IndexByName(), "IF-MIB:ifDescr");
    EXPECT_EQ(octets.DefaultIndex(), "");
    // The hint belongs to the node, whatever module or form names it.
    EXPECT_EQ(lookedUp("1.3.6.1.2.1.2.2.1.10.2").UnitChoices(), "Bps,bps=*8");

    EXPECT_EQ(lookedUp("ifHCOutOctets").CalculationHint(), "COUNTER64");
    EXPECT_EQ(lookedUp("ifHCOutOctets").UnitChoices(), "Bps,bps=*8");

    const OIDDetails cpu = lookedUp("OLD-CISCO-CPU-MIB:avgBusy5");
    EXPECT_EQ(cpu.UnitChoices(), "%");
    EXPECT_EQ(cpu.DefaultIndex(), "0");
    EXPECT_EQ(cpu.CalculationHint(), "GAUGE32");

    const OIDDetails load = lookedUp("hrProcessorLoad");
    EXPECT_EQ(load.UnitChoices(), "%");
    EXPECT_EQ(load.IndexByName(), "HOST-RESOURCES-MIB:hrDeviceDescr");

    EXPECT_EQ(lookedUp("hrSWRunPerfMem").IndexByName(), "HOST-RESOURCES-MIB:hrSWRunName");
    EXPECT_EQ(lookedUp("hrSWRunPerfCPU").CalculationHint(), "COUNTER");
    EXPECT_EQ(lookedUp("hrStorageUsed").IndexByName(), "HOST-RESOURCES-MIB:hrStorageDescr");
    EXPECT_EQ(lookedUp("ifHighSpeed").UnitChoices(), "bps=*1000000,Mbps");
}

TEST(MibLookup, WithoutHintsTheMibDecides)
{
    // ifName: no hint; its table augments ifEntry, whose rows ifDescr describes.
    const OIDDetails name = lookedUp("IF-MIB:ifName");
    EXPECT_EQ(name.CalculationHint(), "NO CALCULATIONS");
    EXPECT_EQ(name.IndexByName(), "IF-MIB:ifDescr");
    EXPECT_EQ(name.UnitChoices(), "");

    // Partitions are indexed first by their disk device, which hrDeviceDescr names.
    const OIDDetails partition = lookedUp("hrPartitionSize");
    EXPECT_EQ(partition.UnitChoices(), "KBytes");
    EXPECT_EQ(partition.CalculationHint(), "INTEGER32");
    EXPECT_EQ(partition.IndexByName(), "HOST-RESOURCES-MIB:hrDeviceDescr");

    const OIDDetails engineTime = lookedUp("snmpEngineTime");
    EXPECT_EQ(engineTime.UnitChoices(), "seconds");
    EXPECT_EQ(engineTime.DefaultIndex(), "0");

    EXPECT_EQ(lookedUp("ifMulticastPktsNoSuch").DottedOID(), "");
    EXPECT_EQ(lookedUp("IF-MIB:ifOutMulticastPkts").CalculationHint(), "COUNTER32");
    EXPECT_EQ(lookedUp("tcpCurrEstab").CalculationHint(), "GAUGE32");
    EXPECT_EQ(lookedUp("ifOperStatus").CalculationHint(), "INTEGER");
    // A table whose rows carry no text column has no describing object.
    EXPECT_EQ(lookedUp("tcpConnState").IndexByName(), "");
    // A 64-bit gauge is carried as Counter64 but is no rate.
    EXPECT_EQ(lookedUp("UCD-SNMP-MIB:memTotalRealX").CalculationHint(), "GAUGE");
}
