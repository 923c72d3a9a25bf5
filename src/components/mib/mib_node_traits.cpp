#include "mib_node_traits.h"

#include <net-snmp/net-snmp-config.h>
#include <net-snmp/net-snmp-includes.h>

QString mibStatusWord(int status)
{
    switch (status) {
    case MIB_STATUS_MANDATORY:
        return QStringLiteral("mandatory");
    case MIB_STATUS_OPTIONAL:
        return QStringLiteral("optional");
    case MIB_STATUS_OBSOLETE:
        return QStringLiteral("obsolete");
    case MIB_STATUS_DEPRECATED:
        return QStringLiteral("deprecated");
    case MIB_STATUS_CURRENT:
        return QStringLiteral("current");
    default:
        return {};
    }
}

QString mibAccessWord(int access)
{
    switch (access) {
    case MIB_ACCESS_READONLY:
        return QStringLiteral("read-only");
    case MIB_ACCESS_READWRITE:
        return QStringLiteral("read-write");
    case MIB_ACCESS_WRITEONLY:
        return QStringLiteral("write-only");
    case MIB_ACCESS_NOACCESS:
        return QStringLiteral("not-accessible");
    case MIB_ACCESS_NOTIFY:
        return QStringLiteral("accessible-for-notify");
    case MIB_ACCESS_CREATE:
        return QStringLiteral("read-create");
    default:
        return {};
    }
}

// The SMIv2 name of a base type; SMIv1 Counter and Gauge read as their v2 names.
QString mibBaseSyntaxName(int type)
{
    switch (type) {
    case TYPE_OBJID:
        return QStringLiteral("OBJECT IDENTIFIER");
    case TYPE_OCTETSTR:
        return QStringLiteral("OCTET STRING");
    case TYPE_INTEGER:
        return QStringLiteral("INTEGER");
    case TYPE_NETADDR:
        return QStringLiteral("NetworkAddress");
    case TYPE_IPADDR:
        return QStringLiteral("IpAddress");
    case TYPE_COUNTER:
        return QStringLiteral("Counter32");
    case TYPE_GAUGE:
        return QStringLiteral("Gauge32");
    case TYPE_TIMETICKS:
        return QStringLiteral("TimeTicks");
    case TYPE_OPAQUE:
        return QStringLiteral("Opaque");
    case TYPE_NULL:
        return QStringLiteral("NULL");
    case TYPE_COUNTER64:
        return QStringLiteral("Counter64");
    case TYPE_BITSTRING:
        return QStringLiteral("BITS");
    case TYPE_NSAPADDRESS:
        return QStringLiteral("NsapAddress");
    case TYPE_UINTEGER:
        return QStringLiteral("UInteger32");
    case TYPE_UNSIGNED32:
        return QStringLiteral("Unsigned32");
    case TYPE_INTEGER32:
        return QStringLiteral("Integer32");
    default:
        return {};
    }
}

// BER tag of the base type as it travels on the wire, folded the way consumers test it:
// every integer-like application type reads as INTEGER (2).
qint32 mibTypeTag(int type)
{
    switch (type) {
    case TYPE_INTEGER:
    case TYPE_INTEGER32:
    case TYPE_COUNTER:
    case TYPE_COUNTER64:
    case TYPE_GAUGE:
    case TYPE_UNSIGNED32:
    case TYPE_UINTEGER:
    case TYPE_TIMETICKS:
        return 2;
    case TYPE_BITSTRING:
        return 3;
    case TYPE_OCTETSTR:
    case TYPE_OPAQUE:
    case TYPE_NSAPADDRESS:
        return 4;
    case TYPE_NULL:
        return 5;
    case TYPE_OBJID:
        return 6;
    case TYPE_IPADDR:
    case TYPE_NETADDR:
        return 64;
    default:
        return 0;
    }
}

// The calculation word a syntax suggests when no hint names one. Absolute quantities and
// non-numbers are not rates.
QString mibCalculationHint(int type)
{
    switch (type) {
    case TYPE_COUNTER:
        return QStringLiteral("COUNTER32");
    case TYPE_COUNTER64:
        return QStringLiteral("COUNTER64");
    case TYPE_GAUGE:
    case TYPE_UNSIGNED32:
    case TYPE_UINTEGER:
        return QStringLiteral("GAUGE32");
    case TYPE_INTEGER:
        return QStringLiteral("INTEGER");
    case TYPE_INTEGER32:
        return QStringLiteral("INTEGER32");
    default:
        return mibTypeTag(type) ? QStringLiteral("NO CALCULATIONS") : QString();
    }
}

// A scalar or a table column: a node with a value syntax and nothing below it.
bool mibIsValueObject(const tree* node)
{
    return node && !node->child_list && mibTypeTag(node->type) != 0;
}

bool mibIsTableEntry(const tree* node)
{
    return node && (node->indexes || node->augments);
}

bool mibIsColumn(const tree* node)
{
    return mibIsValueObject(node) && mibIsTableEntry(node->parent);
}
