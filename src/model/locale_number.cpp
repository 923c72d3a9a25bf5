#include "locale_number.h"

#include <QLocale>

std::optional<double> LocaleNumber(const QString& text)
{
    bool ok = false;
    double value = QLocale().toDouble(text, &ok);
    if (ok)
        return value;
    value = QLocale::c().toDouble(text, &ok);
    if (ok)
        return value;
    return std::nullopt;
}
