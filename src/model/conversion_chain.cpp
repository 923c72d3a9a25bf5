#include "conversion_chain.h"

#include <common_functions.h>

#include <algorithm>
#include <limits>

static bool IsNumberChar(QChar c)
{
    return c.isDigit() || c == QLatin1Char(',') || c == QLatin1Char('.');
}

static bool IsValidNumber(const QString& text, const QLocale& locale, double* value)
{
    bool ok = false;
    *value = locale.toDouble(text, &ok);
    if (!ok)
        *value = QLocale::c().toDouble(text, &ok);
    return ok;
}

// Rounds to a 32-bit integer, halves to even; out-of-range values stick to the nearest limit.
static qint64 RoundToInt32(double value)
{
    const long long rounded = RoundHalfEven(value);
    return std::clamp<long long>(rounded, std::numeric_limits<qint32>::min(),
                                 std::numeric_limits<qint32>::max());
}

ConversionChain::ConversionChain(const QString& text, const QLocale& locale)
    : m_text(text), m_locale(locale),
      m_dependsOnLocale(text.contains(QLatin1Char(',')) || text.contains(QLatin1Char('.')))
{
    Parse();
}

// Each step is an operator character followed by the longest run of digits, "," and "." that the
// locale (or the C locale) accepts as a number. Group separators make "1,000" a number while "1,"
// is not, so the longest valid prefix is taken rather than stopping at the first invalid one.
void ConversionChain::Parse()
{
    QString rest = m_text;
    rest.removeIf([](QChar c) { return c.isSpace(); });
    while (!rest.isEmpty()) {
        const QChar op = rest.at(0);
        int run = 1;
        while (run < rest.size() && IsNumberChar(rest.at(run)))
            ++run;
        double operand = 0;
        int taken = run;
        while (taken > 1 && !IsValidNumber(rest.mid(1, taken - 1), m_locale, &operand))
            --taken;
        if (taken == 1)
            operand = 0;
        operand = static_cast<float>(operand);
        if (operand == 0) {
            m_void = true;
            m_linear = true;
            m_steps.clear();
            return;
        }
        if (!QStringLiteral("+-*/\\").contains(op))
            return; // an unknown operator ends the chain with the steps before it
        m_linear = m_linear && (op == QLatin1Char('*') || op == QLatin1Char('/'));
        m_steps.push_back({op, operand});
        rest.remove(0, taken);
    }
}

double ConversionChain::Operate(QChar op, double result, double operand, bool* valid)
{
    *valid = true;
    switch (op.unicode()) {
    case '+':
        return result + operand;
    case '-':
        return result - operand;
    case '*':
        return result * operand;
    case '/':
        return result / operand;
    case '\\': {
        const qint64 divisor = RoundToInt32(operand);
        if (divisor == 0) {
            // An operand such as 0.4 survives the zero check but rounds to nothing to divide by.
            *valid = false;
            return result;
        }
        return static_cast<double>(RoundToInt32(result) / divisor);
    }
    default:
        *valid = false;
        return result;
    }
}

double ConversionChain::Apply(double x) const
{
    if (m_void)
        return x;
    double result = x;
    for (const Step& step : m_steps) {
        bool valid = false;
        const double next = Operate(step.op, result, step.operand, &valid);
        if (!valid)
            return x;
        result = next;
    }
    return result;
}
