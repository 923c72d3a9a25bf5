// Conversions between net-snmp's binary forms and the session's texts, without an agent.
#include "snmp_text.h"

#include <gtest/gtest.h>
#include <memory>

namespace {

/// One variable built the way net-snmp builds a decoded one.
class Variable {
public:
    Variable(u_char type, const void* value, size_t length)
    {
        const oid name[] = {1, 3, 6, 1, 4, 1, 8072, 9999, 9999, 1, 0};
        snmp_varlist_add_variable(&m_list, name, sizeof(name) / sizeof(oid), type, value, length);
    }
    ~Variable() { snmp_free_varbind(m_list); }
    Variable(const Variable&) = delete;
    Variable& operator=(const Variable&) = delete;
    const netsnmp_variable_list& get() const { return *m_list; }

private:
    netsnmp_variable_list* m_list = nullptr;
};

QString textOf(u_char type, const void* value, size_t length)
{
    return valueText(Variable(type, value, length).get());
}

QString bytesText(const QByteArray& bytes)
{
    return textOf(ASN_OCTET_STR, bytes.constData(), size_t(bytes.size()));
}

} // namespace

TEST(SnmpText, ParsesDottedOidsAndRefusesAnythingElse)
{
    SnmpOid parsed;
    ASSERT_TRUE(parseDottedOid(u".1.3.6.1.2.1.1.3.0", &parsed));
    EXPECT_EQ(dottedOid(parsed.constData(), size_t(parsed.size())), QStringLiteral("1.3.6.1.2.1.1.3.0"));
    ASSERT_TRUE(parseDottedOid(u"1.3.4294967295", &parsed));
    EXPECT_EQ(parsed.last(), oid(4294967295u));

    for (const char16_t* bad :
         {u"", u".", u"1", u"1..3", u"1.3.", u"1.3.a", u"1.3.4294967296", u" 1.3", u"1.3.-1"})
        EXPECT_FALSE(parseDottedOid(bad, &parsed)) << QString::fromUtf16(bad).toStdString();

    QString tooLong = QStringLiteral("1");
    for (int i = 1; i <= MAX_OID_LEN; ++i)
        tooLong += QStringLiteral(".1");
    EXPECT_FALSE(parseDottedOid(tooLong, &parsed));
}

TEST(SnmpText, AgentAddressIsNumericIPv4WithOptionalPort)
{
    QByteArray peer;
    ASSERT_TRUE(parseAgentAddress(u"10.0.0.1", &peer));
    EXPECT_EQ(peer, QByteArray("udp:10.0.0.1:161"));
    ASSERT_TRUE(parseAgentAddress(u" 127.0.0.1:16100 ", &peer));
    EXPECT_EQ(peer, QByteArray("udp:127.0.0.1:16100"));

    for (const char16_t* bad : {u"", u"localhost", u"10.0.0", u"10.0.0.256", u"10.0.0.1:", u"10.0.0.1:0",
                                u"10.0.0.1:65536", u"10.0.0.1:x", u"::1", u"udp:10.0.0.1"})
        EXPECT_FALSE(parseAgentAddress(bad, &peer)) << QString::fromUtf16(bad).toStdString();
}

TEST(SnmpText, NumbersAreDecimalDigitsOfTheirOwnWidth)
{
    const long negative = -42;
    EXPECT_EQ(textOf(ASN_INTEGER, &negative, sizeof(negative)), QStringLiteral("-42"));
    const long top = 0xffffffffL;
    EXPECT_EQ(textOf(ASN_COUNTER, &top, sizeof(top)), QStringLiteral("4294967295"));
    EXPECT_EQ(textOf(ASN_GAUGE, &top, sizeof(top)), QStringLiteral("4294967295"));
    const long ticks = 360001;
    EXPECT_EQ(textOf(ASN_TIMETICKS, &ticks, sizeof(ticks)), QStringLiteral("360001"));
    const counter64 big{0xffffffffUL, 0xfffffffeUL};
    EXPECT_EQ(textOf(ASN_COUNTER64, &big, sizeof(big)), QStringLiteral("18446744073709551614"));
}

TEST(SnmpText, StringsAreTextUnlessTheyHoldUnprintableBytes)
{
    EXPECT_EQ(bytesText(QByteArray("eth0 uplink")), QStringLiteral("eth0 uplink"));
    EXPECT_EQ(bytesText(QByteArray()), QString());
    EXPECT_EQ(bytesText(QStringLiteral("Grüße").toUtf8()), QStringLiteral("Grüße"));
    EXPECT_EQ(bytesText(QByteArray("two\tcolumns\r\n")), QStringLiteral("two\tcolumns\r\n"));
    // A C string's terminating zero is dropped, not shown.
    EXPECT_EQ(bytesText(QByteArray("abc\0", 4)), QStringLiteral("abc"));
    // A MAC address, an invalid UTF-8 sequence and an embedded zero are binary.
    EXPECT_EQ(bytesText(QByteArray::fromHex("001a2b3c4d5e")), QStringLiteral("00 1A 2B 3C 4D 5E"));
    EXPECT_EQ(bytesText(QByteArray("ab\xff", 3)), QStringLiteral("61 62 FF"));
    EXPECT_EQ(bytesText(QByteArray("a\0b", 3)), QStringLiteral("61 00 62"));
    EXPECT_EQ(bytesText(QByteArray("bell\x07")), QStringLiteral("62 65 6C 6C 07"));
}

TEST(SnmpText, OidsAndAddressesAreDotted)
{
    const oid value[] = {1, 3, 6, 1, 4, 1, 8072, 3, 2, 10};
    EXPECT_EQ(textOf(ASN_OBJECT_ID, value, sizeof(value)), QStringLiteral("1.3.6.1.4.1.8072.3.2.10"));
    const u_char address[] = {192, 168, 0, 254};
    EXPECT_EQ(textOf(ASN_IPADDRESS, address, sizeof(address)), QStringLiteral("192.168.0.254"));
}

TEST(SnmpText, TypeAndErrorNames)
{
    EXPECT_EQ(typeName(ASN_COUNTER), QStringLiteral("Counter32"));
    EXPECT_EQ(typeName(ASN_COUNTER64), QStringLiteral("Counter64"));
    EXPECT_EQ(typeName(SNMP_NOSUCHINSTANCE), QStringLiteral("noSuchInstance"));
    EXPECT_EQ(errorStatusName(SNMP_ERR_NOSUCHNAME), QStringLiteral("noSuchName"));
    EXPECT_EQ(errorStatusName(SNMP_ERR_INCONSISTENTNAME), QStringLiteral("inconsistentName"));
    EXPECT_EQ(errorStatusName(99), QStringLiteral("error 99"));
    EXPECT_TRUE(isException(SNMP_ENDOFMIBVIEW));
    EXPECT_FALSE(isException(ASN_NULL));
}
