#include "common_functions.h"

#include <QDir>
#include <QDomAttr>
#include <QDomDocument>
#include <QDomElement>
#include <QStandardPaths>

#include <cmath>
#include <limits>

namespace {

struct MagnitudeBand {
    int power;    // of the base
    int decimals; // digits after the point in the "##0.0" style pattern
    const char* suffix;
};

// The thresholds stay decimal even for base 1024, so the bands are chosen on the raw value.
MagnitudeBand magnitudeBand(double a)
{
    if (a >= 1e15)
        return {5, 1, " Peta"};
    if (a >= 1e12)
        return {4, 1, " T"};
    if (a >= 1e9)
        return {3, 1, " G"};
    if (a > 9e6)
        return {2, 0, " M"};
    if (a >= 1e6)
        return {2, 2, " M"};
    if (a > 50000)
        return {1, 0, " K"};
    if (a > 9600)
        return {1, 1, " K"};
    return {0, 0, " "};
}

// "##0", "##0.0", "##0.00": at least one integer digit, a fixed number of decimals, no grouping,
// "." as the point (the value table and logs must not change with the user's locale). Halves
// round away from zero; a value that rounds to zero loses its sign.
QString formatFixed(double value, int decimals)
{
    if (!std::isfinite(value))
        return QString::number(value);
    const double scale = std::pow(10.0, decimals);
    const double rounded = std::round(std::fabs(value) * scale);
    QString digits = QString::number(rounded, 'f', 0);
    if (digits.size() <= decimals)
        digits.prepend(QString(decimals + 1 - digits.size(), QLatin1Char('0')));
    if (decimals > 0)
        digits.insert(digits.size() - decimals, QLatin1Char('.'));
    if (value < 0 && rounded != 0)
        digits.prepend(QLatin1Char('-'));
    return digits;
}

bool isDecimalDigits(const QString& text)
{
    if (text.isEmpty())
        return false;
    for (const QChar c : text) {
        if (c < QLatin1Char('0') || c > QLatin1Char('9'))
            return false;
    }
    return true;
}

// A dotted part or port: decimal digits only, so blanks, signs and exponents never pass for an
// address the SNMP layer would then fail to parse.
bool decimalInRange(const QString& text, int low, int high)
{
    if (!isDecimalDigits(text))
        return false;
    qlonglong n = 0;
    for (const QChar c : text) {
        n = n * 10 + (c.unicode() - '0');
        if (n > high)
            return false;
    }
    return n >= low;
}

} // namespace

QString FormatMagnitude(double value, const QString& units, bool powersOfTwo)
{
    const double base = powersOfTwo ? 1024.0 : 1000.0;
    const MagnitudeBand band = magnitudeBand(std::fabs(value));
    const double scaled = value / std::pow(base, band.power);
    return formatFixed(scaled, band.decimals) + QLatin1String(band.suffix) + units;
}

QString FileNameFromPath(const QString& path, bool stripExtension)
{
    QString name = path;
    name.replace(QLatin1Char('/'), QLatin1Char('\\'));
    name = name.mid(name.lastIndexOf(QLatin1Char('\\')) + 1);
    name = name.mid(name.lastIndexOf(QLatin1Char(':')) + 1);
    if (stripExtension) {
        const int dot = name.lastIndexOf(QLatin1Char('.'));
        if (dot >= 0)
            name.truncate(dot);
    }
    return name;
}

QString NormalizeFolderPath(QString& path)
{
    if (path.isEmpty())
        return path;
    path.replace(QLatin1Char('/'), QLatin1Char('\\'));
    const bool network = path.startsWith(QLatin1String("\\\\"));
    while (path.contains(QLatin1String("\\\\")))
        path.replace(QLatin1String("\\\\"), QLatin1String("\\"));
    if (network)
        path.prepend(QLatin1Char('\\'));
    if (path.size() == 2 && path.at(1) == QLatin1Char(':') && path.at(0).isLetter() &&
        path.at(0).unicode() < 128)
        path.append(QLatin1Char('\\'));
    return path;
}

QString MakeSafeName(const QString& text, const QString& fallback)
{
    QString name = text;
    for (QChar& c : name) {
        const QChar upper = c.toUpper();
        const bool allowed = (upper >= QLatin1Char('A') && upper <= QLatin1Char('Z')) ||
                             (upper >= QLatin1Char('0') && upper <= QLatin1Char('9')) ||
                             upper == QLatin1Char('_') || upper == QLatin1Char('-') ||
                             upper == QLatin1Char('.') || upper == QLatin1Char('@');
        if (!allowed)
            c = QLatin1Char('_');
    }
    return name.isEmpty() ? fallback : name;
}

bool IsIPAddress(const QString& text)
{
    const QStringList hostAndPort = text.split(QLatin1Char(':'));
    if (hostAndPort.size() > 2)
        return false;
    if (hostAndPort.size() == 2 && !decimalInRange(hostAndPort.at(1), 0, 32000))
        return false;
    const QStringList parts = hostAndPort.at(0).split(QLatin1Char('.'));
    if (parts.size() != 4)
        return false;
    for (const QString& part : parts) {
        if (!decimalInRange(part, 0, 255))
            return false;
    }
    return true;
}

QString DataFolder()
{
    const QString folder =
        QStandardPaths::writableLocation(QStandardPaths::GenericDataLocation) + QLatin1String("/Brightfen");
    QDir().mkpath(folder);
    return folder;
}

QString DataFolderPath(const QString& fileName)
{
    QString name = fileName;
    name.replace(QLatin1Char('\\'), QLatin1Char('/'));
    if (name.startsWith(QLatin1Char('/')))
        return DataFolder() + name;
    return DataFolder() + QLatin1Char('/') + name;
}

QDomElement AddXMLElement(QDomDocument& document, QDomNode& parent, const QString& name, const QString& text)
{
    const QString safeName = MakeSafeName(name, QString());
    if (safeName.isEmpty())
        return QDomElement();
    QDomElement element = document.createElement(safeName);
    if (!text.isEmpty())
        element.appendChild(document.createTextNode(text));
    parent.appendChild(element);
    return element;
}

QDomAttr AddXMLAttribute(QDomDocument& /*document: the node's own document creates the attribute*/,
                         QDomElement& node, const QString& name, const QVariant& value)
{
    const QString safeName = MakeSafeName(name, QString());
    if (safeName.isEmpty())
        return QDomAttr();
    // setAttribute rather than setAttributeNode: the latter keeps both nodes when the name is
    // already there, and an element must never carry an attribute twice.
    node.setAttribute(safeName, value.isNull() ? QString() : value.toString());
    return node.attributeNode(safeName);
}

QString BoolToXML(bool value)
{
    return value ? QStringLiteral("TRUE") : QStringLiteral("FALSE");
}

bool XMLToBool(const QString& text)
{
    const QString upper = text.toUpper();
    return upper == QLatin1String("YES") || upper == QLatin1String("TRUE") || upper == QLatin1String("1") ||
           upper == QLatin1String("Y");
}

double LeadingNumber(const QString& text)
{
    // Scan the longest prefix that forms a decimal number, then let the C locale convert it.
    const int n = text.size();
    int i = 0;
    while (i < n && text.at(i).isSpace())
        ++i;
    const int start = i;
    auto digitAt = [&](int k) {
        return k < n && text.at(k) >= QLatin1Char('0') && text.at(k) <= QLatin1Char('9');
    };
    if (i < n && (text.at(i) == QLatin1Char('+') || text.at(i) == QLatin1Char('-')))
        ++i;
    const int mantissaStart = i;
    while (digitAt(i))
        ++i;
    int end = i;
    bool haveDigits = i > mantissaStart;
    if (i < n && text.at(i) == QLatin1Char('.')) {
        int j = i + 1;
        while (digitAt(j))
            ++j;
        if (j > i + 1 || haveDigits) {
            haveDigits = haveDigits || j > i + 1;
            end = j;
        }
    }
    if (!haveDigits)
        return 0.0;
    if (end < n && (text.at(end) == QLatin1Char('e') || text.at(end) == QLatin1Char('E'))) {
        int j = end + 1;
        if (j < n && (text.at(j) == QLatin1Char('+') || text.at(j) == QLatin1Char('-')))
            ++j;
        const int exponentStart = j;
        while (digitAt(j))
            ++j;
        if (j > exponentStart)
            end = j;
    }
    bool ok = false;
    const double value = text.mid(start, end - start).toDouble(&ok);
    if (ok)
        return value;
    // Only an exponent too large for a double gets here.
    return text.at(start) == QLatin1Char('-') ? -std::numeric_limits<double>::infinity()
                                              : std::numeric_limits<double>::infinity();
}

long long RoundHalfEven(double value)
{
    if (std::isnan(value))
        return 0;
    constexpr double limit = 9.2233720368547758e18;
    if (value >= limit)
        return std::numeric_limits<long long>::max();
    if (value <= -limit)
        return std::numeric_limits<long long>::min();
    const double floorValue = std::floor(value);
    const double diff = value - floorValue;
    long long result = static_cast<long long>(floorValue);
    if (diff > 0.5 || (diff == 0.5 && (result % 2 != 0)))
        ++result;
    return result;
}
