#include "snmp_text.h"

#include <QStringDecoder>

#include <arpa/inet.h>

namespace {

bool printableText(const QByteArray& bytes)
{
    for (const char c : bytes) {
        const auto byte = static_cast<unsigned char>(c);
        if ((byte < 0x20 && byte != '\t' && byte != '\n' && byte != '\r') || byte == 0x7f)
            return false;
    }
    QStringDecoder decoder(QStringDecoder::Utf8, QStringDecoder::Flag::Stateless);
    const QString ignored = decoder(bytes);
    return !decoder.hasError();
}

QString hexText(const QByteArray& bytes)
{
    return QString::fromLatin1(bytes.toHex(' ').toUpper());
}

QString octetStringText(const u_char* data, size_t length)
{
    const QByteArray bytes(reinterpret_cast<const char*>(data), qsizetype(length));
    // Many agents count a C string's terminating zero into the value; it is not part of the text.
    qsizetype textLength = bytes.size();
    while (textLength > 0 && bytes.at(textLength - 1) == '\0')
        --textLength;
    const QByteArray text = bytes.left(textLength);
    if (printableText(text))
        return QString::fromUtf8(text);
    return hexText(bytes);
}

} // namespace

bool parseDottedOid(QStringView text, SnmpOid* out)
{
    out->clear();
    if (text.startsWith(QLatin1Char('.')))
        text = text.mid(1);
    quint64 current = 0;
    bool haveDigit = false;
    for (const QChar c : text) {
        if (c == QLatin1Char('.')) {
            if (!haveDigit || out->size() >= MAX_OID_LEN)
                return false;
            out->append(oid(current));
            current = 0;
            haveDigit = false;
        } else if (c >= QLatin1Char('0') && c <= QLatin1Char('9')) {
            current = current * 10 + quint64(c.unicode() - '0');
            if (current > 0xffffffffu)
                return false;
            haveDigit = true;
        } else {
            return false;
        }
    }
    if (!haveDigit || out->size() >= MAX_OID_LEN)
        return false;
    out->append(oid(current));
    return out->size() >= 2;
}

QString dottedOid(const oid* name, size_t length)
{
    // Formats into a stack buffer: this runs once per answer, so it avoids QString::number's
    // temporary strings.
    char buffer[MAX_OID_LEN * 11];
    char* end = buffer;
    for (size_t i = 0; i < length && i < MAX_OID_LEN; ++i) {
        if (i > 0)
            *end++ = '.';
        char digits[10];
        int count = 0;
        quint32 value = quint32(name[i]);
        do {
            digits[count++] = char('0' + value % 10);
            value /= 10;
        } while (value != 0);
        while (count > 0)
            *end++ = digits[--count];
    }
    return QString::fromLatin1(buffer, end - buffer);
}

bool parseAgentAddress(QStringView text, QByteArray* peerName)
{
    text = text.trimmed();
    QStringView host = text;
    quint32 port = 161;
    const qsizetype colon = text.indexOf(QLatin1Char(':'));
    if (colon >= 0) {
        bool ok = false;
        port = text.mid(colon + 1).toUInt(&ok);
        if (!ok || port == 0 || port > 65535)
            return false;
        host = text.left(colon);
    }
    const QByteArray hostBytes = host.toLatin1();
    in_addr parsed{};
    if (hostBytes.isEmpty() || inet_pton(AF_INET, hostBytes.constData(), &parsed) != 1)
        return false;
    char normalized[INET_ADDRSTRLEN];
    inet_ntop(AF_INET, &parsed, normalized, sizeof(normalized));
    *peerName = QByteArray("udp:") + normalized + ':' + QByteArray::number(port);
    return true;
}

SnmpValue answerValue(const netsnmp_variable_list& variable)
{
    switch (variable.type) {
    case ASN_INTEGER:
        return SnmpValue::Signed(qint64(*variable.val.integer));
    case ASN_COUNTER:
    case ASN_GAUGE:
    case ASN_TIMETICKS:
    case ASN_UINTEGER:
        return SnmpValue::Unsigned(quint32(static_cast<unsigned long>(*variable.val.integer)));
    case ASN_COUNTER64:
#ifdef NETSNMP_WITH_OPAQUE_SPECIAL_TYPES
    case ASN_OPAQUE_COUNTER64:
    case ASN_OPAQUE_U64:
#endif
        return SnmpValue::Unsigned((quint64(variable.val.counter64->high) << 32) |
                                   quint32(variable.val.counter64->low));
#ifdef NETSNMP_WITH_OPAQUE_SPECIAL_TYPES
    case ASN_OPAQUE_I64:
        return SnmpValue::Signed(
            qint64((quint64(variable.val.counter64->high) << 32) | quint32(variable.val.counter64->low)));
    case ASN_OPAQUE_FLOAT:
        return SnmpValue::Text(QString::number(double(*variable.val.floatVal)));
    case ASN_OPAQUE_DOUBLE:
        return SnmpValue::Text(QString::number(*variable.val.doubleVal, 'g', 17));
#endif
    case ASN_OCTET_STR:
        return SnmpValue::Text(octetStringText(variable.val.string, variable.val_len));
    case ASN_OBJECT_ID:
        return SnmpValue::Text(dottedOid(variable.val.objid, variable.val_len / sizeof(oid)));
    case ASN_IPADDRESS:
        if (variable.val_len == 4) {
            const u_char* b = variable.val.string;
            return SnmpValue::Text(QStringLiteral("%1.%2.%3.%4").arg(b[0]).arg(b[1]).arg(b[2]).arg(b[3]));
        }
        return SnmpValue::Text(hexText(
            QByteArray(reinterpret_cast<const char*>(variable.val.string), qsizetype(variable.val_len))));
    case ASN_BIT_STR:
    case ASN_OPAQUE:
        return SnmpValue::Text(hexText(
            QByteArray(reinterpret_cast<const char*>(variable.val.string), qsizetype(variable.val_len))));
    default:
        return SnmpValue();
    }
}

SnmpSyntax syntaxOf(int asnType)
{
    switch (asnType) {
    case ASN_COUNTER:
        return SnmpSyntax::Counter32;
    case ASN_COUNTER64:
#ifdef NETSNMP_WITH_OPAQUE_SPECIAL_TYPES
    case ASN_OPAQUE_COUNTER64:
#endif
        return SnmpSyntax::Counter64;
    case ASN_TIMETICKS:
        return SnmpSyntax::TimeTicks;
    default:
        return SnmpSyntax::Other;
    }
}

QString typeName(int asnType)
{
    switch (asnType) {
    case ASN_INTEGER:
        return QStringLiteral("INTEGER");
    case ASN_OCTET_STR:
        return QStringLiteral("OCTET STRING");
    case ASN_OBJECT_ID:
        return QStringLiteral("OBJECT IDENTIFIER");
    case ASN_NULL:
        return QStringLiteral("NULL");
    case ASN_BIT_STR:
        return QStringLiteral("BITS");
    case ASN_IPADDRESS:
        return QStringLiteral("IpAddress");
    case ASN_COUNTER:
        return QStringLiteral("Counter32");
    case ASN_GAUGE:
        return QStringLiteral("Gauge32");
    case ASN_TIMETICKS:
        return QStringLiteral("TimeTicks");
    case ASN_OPAQUE:
        return QStringLiteral("Opaque");
    case ASN_COUNTER64:
        return QStringLiteral("Counter64");
    case ASN_UINTEGER:
        return QStringLiteral("UInteger32");
    case SNMP_NOSUCHOBJECT:
        return QStringLiteral("noSuchObject");
    case SNMP_NOSUCHINSTANCE:
        return QStringLiteral("noSuchInstance");
    case SNMP_ENDOFMIBVIEW:
        return QStringLiteral("endOfMibView");
    default:
        return QStringLiteral("Opaque");
    }
}

QString errorStatusName(long errorStatus)
{
    static const char* const names[] = {"noError",
                                        "tooBig",
                                        "noSuchName",
                                        "badValue",
                                        "readOnly",
                                        "genErr",
                                        "noAccess",
                                        "wrongType",
                                        "wrongLength",
                                        "wrongEncoding",
                                        "wrongValue",
                                        "noCreation",
                                        "inconsistentValue",
                                        "resourceUnavailable",
                                        "commitFailed",
                                        "undoFailed",
                                        "authorizationError",
                                        "notWritable",
                                        "inconsistentName"};
    if (errorStatus >= 0 && errorStatus < long(sizeof(names) / sizeof(names[0])))
        return QLatin1String(names[errorStatus]);
    return QStringLiteral("error %1").arg(errorStatus);
}
