#pragma once

#include <QLocale>
#include <QString>

class QDateTime;

// How the log and the published page write dates, times and numbers in the user's locale.

/// The locale's short date ("Medium Date").
QString LogDateText(const QLocale& locale, const QDateTime& time);
/// The locale's long time without its time-zone part ("Long Time").
QString LogTimeText(const QLocale& locale, const QDateTime& time);
/// Date, a blank and time: the general date format of log headers and the page's closing line.
QString GeneralDateText(const QLocale& locale, const QDateTime& time);
/// Up to 15 significant digits, no group separators; "." when the locale's point is ",".
QString LogNumberText(const QLocale& locale, double value);
