#include "mib_library.h"

#include <QByteArray>

#include <net-snmp/net-snmp-config.h>
#include <net-snmp/net-snmp-includes.h>

// net-snmp's MIB layer is process-wide. The first database prepares it: no configuration
// files, no persistent state, no warnings on stderr, and descriptions kept in memory.
void prepareMibLibrary(const QStringList& lowestPriorityFirst)
{
    static bool prepared = false;
    if (prepared)
        return;
    prepared = true;
    netsnmp_ds_set_boolean(NETSNMP_DS_LIBRARY_ID, NETSNMP_DS_LIB_DONT_READ_CONFIGS, 1);
    netsnmp_ds_set_boolean(NETSNMP_DS_LIBRARY_ID, NETSNMP_DS_LIB_DISABLE_PERSISTENT_LOAD, 1);
    netsnmp_ds_set_boolean(NETSNMP_DS_LIBRARY_ID, NETSNMP_DS_LIB_DISABLE_PERSISTENT_SAVE, 1);
    netsnmp_ds_set_boolean(NETSNMP_DS_LIBRARY_ID, NETSNMP_DS_LIB_SAVE_MIB_DESCRS, 1);
    netsnmp_ds_set_boolean(NETSNMP_DS_LIBRARY_ID, NETSNMP_DS_LIB_MIB_ERRORS, 0);
    netsnmp_ds_set_int(NETSNMP_DS_LIBRARY_ID, NETSNMP_DS_LIB_MIB_WARNINGS, 0);
    // A tree that exists already was built without descriptions; start it again.
    if (get_tree_head())
        shutdown_mib();
    const QByteArray dirs = lowestPriorityFirst.join(QLatin1Char(ENV_SEPARATOR_CHAR)).toLocal8Bit();
    netsnmp_set_mib_directory(dirs.constData());
    // net-snmp's built-in start-up list names modules that may not exist here and reports the
    // missing ones on stderr. Every module gets read below anyway, so start with none unless
    // the user chose a list.
    const bool userList = qEnvironmentVariableIsSet("MIBS");
    if (!userList)
        qputenv("MIBS", "");
    netsnmp_init_mib();
    if (!userList)
        qunsetenv("MIBS");
}
