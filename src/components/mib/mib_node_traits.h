#pragma once

// Words and classifications of net-snmp's parsed MIB nodes, used inside the MIB library.

#include <QString>

struct tree;

/// "current", "deprecated", ... for a node's status code; "" when it has none.
QString mibStatusWord(int status);
/// "read-only", "not-accessible", ... for a node's access code; "" when it has none.
QString mibAccessWord(int access);
/// The SMIv2 name of a parser base type ("Counter32", "OCTET STRING").
QString mibBaseSyntaxName(int type);
/// BER tag of the base type, every integer-like type folded to 2; 0 for non-values.
qint32 mibTypeTag(int type);
/// The calculation word that a base type suggests ("COUNTER32", "GAUGE32", ...).
QString mibCalculationHint(int type);
/// A scalar or a table column: a node with a value syntax and nothing below it.
bool mibIsValueObject(const tree* node);
/// A conceptual row: a node with INDEX or AUGMENTS.
bool mibIsTableEntry(const tree* node);
bool mibIsColumn(const tree* node);
