#pragma once

#include "snmp_answer.h"

#include <QByteArray>
#include <QString>
#include <QVarLengthArray>

#include <net-snmp/net-snmp-config.h>
#include <net-snmp/net-snmp-includes.h>

// Conversions between net-snmp's binary forms and the texts the session hands to its callers.

/// An OID in net-snmp's form; most OIDs polled in practice fit without a heap allocation.
using SnmpOid = QVarLengthArray<oid, 16>;

/// Parses "1.3.6.1.2.1.1.3.0" (a leading dot is accepted). Fails on anything but at least two
/// decimal sub-identifiers of at most 32 bits, up to net-snmp's maximum length.
bool parseDottedOid(QStringView text, SnmpOid* out);

/// "1.3.6.1.2.1.1.3.0", without a leading dot.
QString dottedOid(const oid* name, size_t length);

/// Turns "a.b.c.d" or "a.b.c.d:port" (IPv4 only, port 161 when missing) into net-snmp's peer
/// name "udp:a.b.c.d:port". Host names are refused so that opening a session never waits on DNS.
bool parseAgentAddress(QStringView text, QByteArray* peerName);

/// The value of an answered variable: integers, counters, gauges, time ticks (hundredths) and
/// Counter64 as numbers; strings as text, or as hexadecimal bytes ("00 1A FF") when they hold
/// anything that is not printable; OIDs and IpAddress dotted.
SnmpValue answerValue(const netsnmp_variable_list& variable);

/// The arithmetic kind of an ASN.1 type.
SnmpSyntax syntaxOf(int asnType);

/// The SMI name of an ASN.1 type ("Counter32", "OCTET STRING", "noSuchInstance", ...).
QString typeName(int asnType);

/// The protocol name of an SNMP error-status ("tooBig", "noSuchName", ...).
QString errorStatusName(long errorStatus);

/// Whether an ASN.1 type is one of the SNMPv2 exceptions that stand in for a value.
inline bool isException(int asnType)
{
    return asnType == SNMP_NOSUCHOBJECT || asnType == SNMP_NOSUCHINSTANCE || asnType == SNMP_ENDOFMIBVIEW;
}
