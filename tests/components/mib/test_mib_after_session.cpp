// The session layer may start net-snmp before anything looks a name up. Its start-up loads the
// MIB tree with net-snmp's own defaults and without descriptions; the database must still come
// up complete. Its own executable, because net-snmp is set up once per process.
#include "mib_database.h"
#include "netsnmp_library.h"

#include <gtest/gtest.h>

#include <net-snmp/net-snmp-config.h>
#include <net-snmp/net-snmp-includes.h>

TEST(MibAfterSession, DatabaseRebuildsTheTreeStartedBySessionLayer)
{
    InitNetSnmpLibrary();
    ASSERT_NE(get_tree_head(), nullptr);

    const MibDatabase& database = MibDatabase::instance();
    EXPECT_FALSE(database.lookup("SNMPv2-MIB:sysDescr").description.isEmpty());
    EXPECT_EQ(database.lookup("UCD-SNMP-MIB:laLoadInt").dottedOID, "1.3.6.1.4.1.2021.10.1.5");
    EXPECT_EQ(database.lookup("RFC1213-MIB:ifInOctets").unitChoices, "Bps,bps=*8");
}
