// Conversions between net-snmp's binary forms and the session's texts, without an agent.
#include "snmp_text.h"

#include <gtest/gtest.h>
#include <iterator>
#include <memory>

namespace {

/// The text of an OCTET STRING variable built the way net-snmp builds a decoded one.
QString bytesText(const QByteArray& bytes)
{
    const oid name[] = {1, 3, 6, 1, 4, 1, 8072, 9999, 9999, 1, 0};
    netsnmp_variable_list* list = nullptr;
    snmp_varlist_add_variable(&list, name, std::size(name), ASN_OCTET_STR, bytes.constData(),
                              size_t(bytes.size()));
    const std::unique_ptr<netsnmp_variable_list, decltype(&snmp_free_varbind)> owner(list,
                                                                                     &snmp_free_varbind);
    return answerValue(*list).ToText();
}

} // namespace

TEST(SnmpText, ParsesDottedOidsAndRefusesAnythingElse)
{
    SnmpOid parsed;
    ASSERT_TRUE(parseDottedOid(u".1.3.6.1.2.1.1.3.0", &parsed));
    EXPECT_EQ(dottedOid(parsed.constData(), size_t(parsed.size())), "1.3.6.1.2.1.1.3.0");
    ASSERT_TRUE(parseDottedOid(u"1.3.4294967295", &parsed));
    EXPECT_EQ(parsed.last(), oid(4294967295u));
    for (const char16_t* bad :
         {u"", u".", u"1", u"1..3", u"1.3.", u"1.3.a", u"1.3.4294967296", u" 1.3", u"1.3.-1"})
        EXPECT_FALSE(parseDottedOid(bad, &parsed)) << QString::fromUtf16(bad).toStdString();
    EXPECT_FALSE(parseDottedOid("1" + QString(".1").repeated(MAX_OID_LEN), &parsed));
}

TEST(SnmpText, AgentAddressIsNumericIPv4WithOptionalPort)
{
    QByteArray peer, other;
    ASSERT_TRUE(parseAgentAddress(u"10.0.0.1", &peer) && parseAgentAddress(u" 127.0.0.1:16100 ", &other));
    EXPECT_EQ(peer + ' ' + other, QByteArray("udp:10.0.0.1:161 udp:127.0.0.1:16100"));
    for (const char16_t* bad : {u"", u"localhost", u"10.0.0", u"10.0.0.256", u"10.0.0.1:", u"10.0.0.1:0",
                                u"10.0.0.1:65536", u"10.0.0.1:x", u"::1", u"udp:10.0.0.1"})
        EXPECT_FALSE(parseAgentAddress(bad, &peer)) << QString::fromUtf16(bad).toStdString();
}

TEST(SnmpText, StringsAreTextUnlessTheyHoldUnprintableBytes)
{
    EXPECT_EQ(bytesText(QByteArray()), QString());
    EXPECT_EQ(bytesText(QStringLiteral("Grüße\tcolumns\r\n").toUtf8()), "Grüße\tcolumns\r\n");
    // A C string's terminating zero is dropped, not shown.
    EXPECT_EQ(bytesText(QByteArray("abc\0", 4)), "abc");
    // A MAC address, an invalid UTF-8 sequence and an embedded zero are binary.
    EXPECT_EQ(bytesText(QByteArray::fromHex("001a2b3c4d5e")), "00 1A 2B 3C 4D 5E");
    EXPECT_EQ(bytesText(QByteArray("ab\xff", 3)), "61 62 FF");
    EXPECT_EQ(bytesText(QByteArray("a\0b", 3)), "61 00 62");
    EXPECT_EQ(bytesText(QByteArray("bell\x07")), "62 65 6C 6C 07");
}
