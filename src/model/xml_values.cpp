#include "xml_values.h"

#include <common_functions.h>

#include <algorithm>
#include <charconv>
#include <cmath>
#include <limits>

template <typename T>
static T ClampedInteger(const QString& text)
{
    const long long rounded = RoundHalfEven(LeadingNumber(text));
    return static_cast<T>(
        std::clamp<long long>(rounded, std::numeric_limits<T>::min(), std::numeric_limits<T>::max()));
}

qint32 XMLInt32(const QString& text)
{
    return ClampedInteger<qint32>(text);
}

qint16 XMLInt16(const QString& text)
{
    return ClampedInteger<qint16>(text);
}

float XMLSingle(const QString& text)
{
    const double value = LeadingNumber(text);
    const double limit = std::numeric_limits<float>::max();
    return static_cast<float>(std::clamp(value, -limit, limit));
}

QString SingleToXML(float value)
{
    if (!std::isfinite(value))
        return QStringLiteral("0");
    char buffer[128];
    const auto result = std::to_chars(buffer, buffer + sizeof buffer, value, std::chars_format::fixed);
    return QString::fromLatin1(buffer, int(result.ptr - buffer));
}
