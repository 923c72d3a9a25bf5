// The session layer may start net-snmp before anything looks a name up. Its start-up loads
// the MIB tree with its own defaults and without descriptions; the database must still come
// up complete. Runs as its own executable because net-snmp's set-up happens once per process.
#include "mib_database.h"

#include <gtest/gtest.h>

#include <net-snmp/net-snmp-config.h>
#include <net-snmp/net-snmp-includes.h>

static int s_libraryMessages = 0;

static int countMessage(int, int, void*, void*)
{
    ++s_libraryMessages;
    return 0;
}

TEST(MibAfterSession, DatabaseRebuildsTheTreeStartedBySessionLayer)
{
    // Start net-snmp the way the session layer does: no configuration files, log routed away
    // from stderr, and init_snmp loading net-snmp's default module list from its own paths.
    netsnmp_session scratch;
    snmp_sess_init(&scratch);
    netsnmp_ds_set_boolean(NETSNMP_DS_LIBRARY_ID, NETSNMP_DS_LIB_DONT_READ_CONFIGS, 1);
    netsnmp_ds_set_boolean(NETSNMP_DS_LIBRARY_ID, NETSNMP_DS_LIB_MIB_ERRORS, 0);
    netsnmp_ds_set_int(NETSNMP_DS_LIBRARY_ID, NETSNMP_DS_LIB_MIB_WARNINGS, 0);
    snmp_disable_stderrlog();
    snmp_register_callback(SNMP_CALLBACK_LIBRARY, SNMP_CALLBACK_LOGGING, countMessage, nullptr);
    snmp_enable_calllog();
    init_snmp("trendwick-test");
    ASSERT_NE(get_tree_head(), nullptr);

    const MibDatabase& database = MibDatabase::instance();
    EXPECT_FALSE(database.lookup("SNMPv2-MIB:sysDescr").description.isEmpty());
    EXPECT_EQ(database.lookup("UCD-SNMP-MIB:laLoadInt").dottedOID, "1.3.6.1.4.1.2021.10.1.5");
    EXPECT_EQ(database.lookup("RFC1213-MIB:ifInOctets").unitChoices, "Bps,bps=*8");
}
