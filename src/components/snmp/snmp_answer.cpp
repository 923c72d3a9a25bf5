#include "snmp_answer.h"

#include <iterator>

namespace {

// Straight into the string's own buffer: QString::number goes through the locale machinery and
// a temporary.
QString DecimalText(quint64 magnitude, bool negative)
{
    char16_t digits[21];
    char16_t* const end = digits + std::size(digits);
    char16_t* begin = end;
    do {
        *--begin = char16_t(u'0' + magnitude % 10);
        magnitude /= 10;
    } while (magnitude != 0);
    if (negative)
        *--begin = u'-';
    return QString(reinterpret_cast<const QChar*>(begin), end - begin);
}

} // namespace

SnmpValue SnmpValue::Signed(qint64 value)
{
    SnmpValue result;
    result.m_kind = Kind::Signed;
    result.m_bits = quint64(value);
    return result;
}

SnmpValue SnmpValue::Unsigned(quint64 value)
{
    SnmpValue result;
    result.m_kind = Kind::Unsigned;
    result.m_bits = value;
    return result;
}

SnmpValue SnmpValue::Text(QString text)
{
    SnmpValue result;
    result.m_text = std::move(text);
    return result;
}

QString SnmpValue::ToText() const
{
    switch (m_kind) {
    case Kind::Signed: {
        const bool negative = qint64(m_bits) < 0;
        return DecimalText(negative ? 0 - m_bits : m_bits, negative);
    }
    case Kind::Unsigned:
        return DecimalText(m_bits, false);
    case Kind::Text:
        break;
    }
    return m_text;
}

std::optional<double> SnmpValue::Integer() const
{
    switch (m_kind) {
    case Kind::Signed:
        return double(qint64(m_bits));
    case Kind::Unsigned:
        return double(m_bits);
    case Kind::Text:
        break;
    }
    return std::nullopt;
}

std::optional<quint64> SnmpValue::UnsignedInteger() const
{
    if (m_kind == Kind::Unsigned || (m_kind == Kind::Signed && qint64(m_bits) >= 0))
        return m_bits;
    return std::nullopt;
}
