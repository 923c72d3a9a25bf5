#include "response_number.h"

#include <locale_number.h>

namespace {

// Up to 15 digits a 64-bit integer holds exactly, and so does a double.
constexpr int kExactDigits = 15;

} // namespace

std::optional<double> ResponseNumber(const QString& text)
{
    const qsizetype length = text.size();
    const bool negative = length > 0 && text.front() == QLatin1Char('-');
    const qsizetype first = negative ? 1 : 0;
    if (length > first && length - first <= kExactDigits) {
        qint64 value = 0;
        qsizetype i = first;
        for (; i < length; ++i) {
            const char16_t c = text.at(i).unicode();
            if (c < u'0' || c > u'9')
                break;
            value = value * 10 + (c - u'0');
        }
        if (i == length)
            return negative ? -double(value) : double(value);
    }
    return LocaleNumber(text);
}

std::optional<double> ResponseNumber(const SnmpValue& value)
{
    if (const std::optional<double> integer = value.Integer())
        return integer;
    return ResponseNumber(value.ToText());
}
