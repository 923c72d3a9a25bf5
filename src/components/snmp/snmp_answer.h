#pragma once

#include <QString>
#include <QtGlobal>
#include <optional>

/// An answered value. Integers (INTEGER, counters, gauges, time ticks, Counter64) keep their
/// number and are written out only when somebody asks for the text: a graph polling a thousand
/// counters wants the numbers, and writing each one out cost more than reading it.
class SnmpValue {
public:
    /// No value: an empty text.
    SnmpValue() = default;
    static SnmpValue Signed(qint64 value);
    static SnmpValue Unsigned(quint64 value);
    static SnmpValue Text(QString text);

    /// The value as Response hands it out; integers in decimal digits.
    QString ToText() const;
    /// The number of an integer value; nothing for a text, however it reads.
    std::optional<double> Integer() const;
    /// The exact number of an integer value that is not negative: a Counter64 above 2^53 has no
    /// double of its own.
    std::optional<quint64> UnsignedInteger() const;
    bool IsEmpty() const { return m_kind == Kind::Text && m_text.isEmpty(); }

private:
    enum class Kind : quint8 { Text, Signed, Unsigned };
    Kind m_kind = Kind::Text;
    quint64 m_bits = 0; ///< Unsigned as it is, Signed in two's complement
    QString m_text;
};

/// The SMI types whose numbers behave differently from a plain number's: a Counter32 wraps at
/// 2^32, a Counter64 never wraps in practice, time ticks count hundredths since a start.
enum class SnmpSyntax : quint8 { Other, Counter32, Counter64, TimeTicks };

/// The outcome of one request, in the form Response hands it out.
struct SnmpAnswer {
    quint64 serial = 0;
    QString address;
    QString oid;
    qint32 status = 0;
    qint32 code = -1;
    SnmpValue value;
    QString tag;
    QString type;
    SnmpSyntax syntax = SnmpSyntax::Other; ///< the value's type, where it matters for arithmetic
};
