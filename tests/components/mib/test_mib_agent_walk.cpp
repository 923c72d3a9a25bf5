// Checks our MIB text against a real agent: every OID that snmpd serves in the standard
// subtrees should belong to a leaf object of our modules whose syntax matches the value's
// type on the wire.
#include "mib_database.h"
#include "snmp_session.h"
#include "test_agent.h"

#include <QEventLoop>
#include <QStringList>
#include <QTimer>
#include <gtest/gtest.h>

#include <net-snmp/net-snmp-config.h>
#include <net-snmp/net-snmp-includes.h>

/// Every variable below root in agent order as (OID, wire type name), by GET-NEXT.
static QList<QPair<QString, QString>> walk(const TestAgent& agent, const QString& root)
{
    SNMPSession session;
    session.setCommunity(agent.community());
    session.setVersion(2);
    QList<QPair<QString, QString>> out;
    QEventLoop loop; // a waiting loop, not polling: thousands of round trips in a row
    QObject::connect(&session, &SNMPSession::Response,
                     [&](const QString& address, const QString& oid, qint32, const QString&, const QString&,
                         const QString& type) {
                         if (!oid.startsWith(root + QLatin1Char('.')))
                             return loop.exit(0);
                         out.append({oid, type});
                         session.setOID(oid);
                         session.SendGetNext(address);
                     });
    session.setOID(root);
    session.SendGetNext(agent.address());
    QTimer::singleShot(60000, &loop, [&] { loop.exit(1); });
    EXPECT_EQ(loop.exec(), 0) << "walk of " << root.toStdString() << " did not end";
    return out;
}

TEST(MibAgentWalk, StandardSubtreesMapToOurObjects)
{
    // The database first: it owns net-snmp's MIB set-up; the session layer comes after it.
    const MibDatabase& database = MibDatabase::instance();
    TestAgent agent;
    QString error;
    ASSERT_TRUE(agent.start(&error)) << error.toStdString();

    // The type name on the wire that may carry an object of each MIB base type.
    const QHash<int, QString> carrier{{TYPE_INTEGER, "INTEGER"},         {TYPE_INTEGER32, "INTEGER"},
                                      {TYPE_OCTETSTR, "OCTET STRING"},   {TYPE_BITSTRING, "OCTET STRING"},
                                      {TYPE_OBJID, "OBJECT IDENTIFIER"}, {TYPE_IPADDR, "IpAddress"},
                                      {TYPE_NETADDR, "IpAddress"},       {TYPE_COUNTER, "Counter32"},
                                      {TYPE_GAUGE, "Gauge32"},           {TYPE_UNSIGNED32, "Gauge32"},
                                      {TYPE_UINTEGER, "Gauge32"},        {TYPE_TIMETICKS, "TimeTicks"},
                                      {TYPE_COUNTER64, "Counter64"},     {TYPE_OPAQUE, "Opaque"}};
    int served = 0;
    int matched = 0;
    QStringList misses;
    for (const char* subtree :
         {"1.3.6.1.2.1.1", "1.3.6.1.2.1.2", "1.3.6.1.2.1.11", "1.3.6.1.2.1.25", "1.3.6.1.2.1.31"}) {
        for (const auto& [oid, type] : walk(agent, QString::fromLatin1(subtree))) {
            ++served;
            const OIDInfo info = database.lookup(oid);
            const tree* node = database.nodeForOID(info.dottedOID);
            const bool isInstance = !info.defaultIndex.isEmpty() && !info.syntaxName.isEmpty() &&
                                    oid == info.dottedOID + '.' + info.defaultIndex;
            if (node && isInstance && carrier.value(node->type) == type)
                ++matched;
            else
                misses << QStringLiteral("%1 (wire %2, MIB %3 %4)")
                              .arg(oid, type, info.fullName, info.syntaxName);
        }
    }
    ASSERT_GT(served, 100) << "the agent served too little to judge";
    EXPECT_GE(matched * 100, served * 95) << matched << " of " << served << " matched; misses:\n"
                                          << misses.join('\n').toStdString();
    // Descriptions survive the session layer's start-up.
    EXPECT_FALSE(database.lookup("sysDescr").description.isEmpty());
}
