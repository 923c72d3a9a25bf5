#include "scale_formatter.h"

#include <cmath>

ScaleFormatter::ScaleFormatter(const QString& format, int decimals, const QLocale& locale)
    : m_locale(locale), m_decimals(qBound(0, decimals, 15)), m_suffix(format)
{
    const int open = format.indexOf(QLatin1Char('|'));
    const int close = open < 0 ? -1 : format.indexOf(QLatin1Char('|'), open + 1);
    if (close < 0)
        return;
    const QString pattern = format.mid(open + 1, close - open - 1);
    m_grouping = pattern.contains(QLatin1Char(','));
    if (!pattern.contains(QLatin1Char('.')))
        m_decimals = 0;
    m_suffix = format.mid(close + 1);
}

QString ScaleFormatter::Format(double value) const
{
    // A tick a hair below zero must not read "-0.00".
    if (std::fabs(value) < 0.5 * std::pow(10.0, -m_decimals))
        value = 0;
    QLocale locale = m_locale;
    locale.setNumberOptions(m_grouping ? QLocale::DefaultNumberOptions : QLocale::OmitGroupSeparator);
    return locale.toString(value, 'f', m_decimals) + m_suffix;
}
