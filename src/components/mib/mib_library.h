#pragma once

#include <QStringList>

/// Prepares net-snmp's process-wide MIB layer once, whoever calls first: no configuration
/// files or persistent state, MIB warnings off, descriptions kept, the MIB folders given
/// (lowest priority first). A tree that the session layer's init_snmp built earlier (without
/// descriptions) is taken down and started again. Later calls do nothing.
void prepareMibLibrary(const QStringList& lowestPriorityFirst);
