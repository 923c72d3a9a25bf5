#pragma once

#include <QLoggingCategory>

/// net-snmp's own messages. Silent unless enabled, e.g.
/// QT_LOGGING_RULES="trendwick.snmp.netsnmp.debug=true".
Q_DECLARE_LOGGING_CATEGORY(lcNetSnmp)

/// Prepares net-snmp once per process: no configuration files, no persistent state, no host
/// files, no MIB warnings, its log routed into lcNetSnmp instead of stderr, and the folders it
/// insists on creating kept under the user's cache (GenericCacheLocation/Brightfen/net-snmp).
/// Safe to call any number of times; every user of the library calls it before opening a
/// session.
void InitNetSnmpLibrary();
