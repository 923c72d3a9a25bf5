// Checks our MIB text against a real agent: every OID that snmpd serves in the standard
// subtrees should belong to a leaf object of our modules whose syntax matches the value's
// type on the wire.
#include "mib_database.h"
#include "test_agent.h"

#include <QStringList>
#include <gtest/gtest.h>

#include <algorithm>
#include <iterator>
#include <memory>

#include <net-snmp/net-snmp-config.h>
#include <net-snmp/net-snmp-includes.h>

struct Binding {
    QString oid;
    u_char type;
};

/// Every variable below root in agent order, by GET-NEXT over one synchronous SNMPv2c session;
/// false when a request failed.
static bool walk(const TestAgent& agent, const QString& root, std::vector<Binding>& out)
{
    QByteArray peer = agent.address().toLatin1();
    QByteArray community = agent.community().toLatin1();
    netsnmp_session settings;
    snmp_sess_init(&settings);
    settings.version = SNMP_VERSION_2c;
    settings.peername = peer.data();
    settings.community = reinterpret_cast<u_char*>(community.data());
    settings.community_len = static_cast<size_t>(community.size());
    settings.timeout = 1000000;
    settings.retries = 2;
    const std::unique_ptr<void, decltype(&snmp_sess_close)> session(snmp_sess_open(&settings),
                                                                    &snmp_sess_close);
    oid rootOid[MAX_OID_LEN];
    size_t rootLength = MAX_OID_LEN;
    if (!session || !read_objid(root.toLatin1().constData(), rootOid, &rootLength))
        return false;
    std::vector<oid> next(rootOid, rootOid + rootLength);
    for (;;) {
        netsnmp_pdu* request = snmp_pdu_create(SNMP_MSG_GETNEXT);
        snmp_add_null_var(request, next.data(), next.size());
        netsnmp_pdu* raw = nullptr;
        if (snmp_sess_synch_response(session.get(), request, &raw) != STAT_SUCCESS || !raw)
            return false;
        const std::unique_ptr<netsnmp_pdu, decltype(&snmp_free_pdu)> response(raw, &snmp_free_pdu);
        const netsnmp_variable_list* var = response->variables;
        if (response->errstat != SNMP_ERR_NOERROR || !var || var->type == SNMP_ENDOFMIBVIEW ||
            var->name_length < rootLength ||
            snmp_oid_compare(var->name, rootLength, rootOid, rootLength) != 0)
            return true;
        QStringList parts;
        for (size_t i = 0; i < var->name_length; ++i)
            parts << QString::number(var->name[i]);
        out.push_back({parts.join('.'), var->type});
        next.assign(var->name, var->name + var->name_length);
    }
}

// Whether a value of this wire type may carry an object of this MIB base type.
static bool typeAgrees(u_char wire, int mibType)
{
    static const std::pair<u_char, int> carried[] = {
        {ASN_INTEGER, TYPE_INTEGER},     {ASN_INTEGER, TYPE_INTEGER32}, {ASN_OCTET_STR, TYPE_OCTETSTR},
        {ASN_OCTET_STR, TYPE_BITSTRING}, {ASN_OBJECT_ID, TYPE_OBJID},   {ASN_IPADDRESS, TYPE_IPADDR},
        {ASN_IPADDRESS, TYPE_NETADDR},   {ASN_COUNTER, TYPE_COUNTER},   {ASN_GAUGE, TYPE_GAUGE},
        {ASN_GAUGE, TYPE_UNSIGNED32},    {ASN_GAUGE, TYPE_UINTEGER},    {ASN_TIMETICKS, TYPE_TIMETICKS},
        {ASN_COUNTER64, TYPE_COUNTER64}, {ASN_OPAQUE, TYPE_OPAQUE}};
    return std::find(std::begin(carried), std::end(carried), std::pair<u_char, int>(wire, mibType)) !=
           std::end(carried);
}

TEST(MibAgentWalk, StandardSubtreesMapToOurObjects)
{
    // The database first: it owns net-snmp's MIB set-up; the session layer comes after it.
    const MibDatabase& database = MibDatabase::instance();
    init_snmp("trendwick-test");

    TestAgent agent;
    QString error;
    ASSERT_TRUE(agent.start(&error)) << error.toStdString();

    int served = 0;
    int matched = 0;
    QStringList misses;
    for (const char* subtree :
         {"1.3.6.1.2.1.1", "1.3.6.1.2.1.2", "1.3.6.1.2.1.11", "1.3.6.1.2.1.25", "1.3.6.1.2.1.31"}) {
        std::vector<Binding> bindings;
        ASSERT_TRUE(walk(agent, QString::fromLatin1(subtree), bindings)) << subtree;
        for (const Binding& b : bindings) {
            ++served;
            const OIDInfo info = database.lookup(b.oid);
            const tree* node = database.nodeForOID(info.dottedOID);
            const bool isInstance = !info.defaultIndex.isEmpty() && !info.syntaxName.isEmpty() &&
                                    b.oid == info.dottedOID + '.' + info.defaultIndex;
            if (node && isInstance && typeAgrees(b.type, node->type))
                ++matched;
            else
                misses << QStringLiteral("%1 (wire type %2, MIB %3 %4)")
                              .arg(b.oid)
                              .arg(b.type)
                              .arg(info.fullName, info.syntaxName);
        }
    }
    ASSERT_GT(served, 100) << "the agent served too little to judge";
    EXPECT_GE(matched * 100, served * 95) << matched << " of " << served << " matched; misses:\n"
                                          << misses.join('\n').toStdString();
    // Descriptions survive the session layer's start-up.
    EXPECT_FALSE(database.lookup("sysDescr").description.isEmpty());
}
