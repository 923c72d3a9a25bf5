#include "log_time_format.h"

#include <QDateTime>

// Drops the time-zone letters ("t" runs outside quoted literals) from a time format.
static QString WithoutTimeZone(const QString& format)
{
    QString result;
    bool quoted = false;
    for (const QChar c : format) {
        if (c == QLatin1Char('\''))
            quoted = !quoted;
        else if (!quoted && c == QLatin1Char('t'))
            continue;
        result.append(c);
    }
    return result.simplified();
}

QString LogDateText(const QLocale& locale, const QDateTime& time)
{
    return locale.toString(time.date(), QLocale::ShortFormat);
}

QString LogTimeText(const QLocale& locale, const QDateTime& time)
{
    return locale.toString(time.time(), WithoutTimeZone(locale.timeFormat(QLocale::LongFormat)));
}

QString GeneralDateText(const QLocale& locale, const QDateTime& time)
{
    return LogDateText(locale, time) + QLatin1Char(' ') + LogTimeText(locale, time);
}

QString LogNumberText(const QLocale& locale, double value)
{
    QLocale numbers = locale.decimalPoint() == QLatin1String(",") ? QLocale::c() : locale;
    numbers.setNumberOptions(numbers.numberOptions() | QLocale::OmitGroupSeparator);
    return numbers.toString(value, 'g', 15);
}
