#pragma once

#include <QLocale>
#include <QString>
#include <QStringList>

class Clock;
class QDateTime;
class TargetOIDs;

/// The default name of a graph's log or published page when none is set: the data folder, the
/// safe form of the main title (else the definition file's name without extension, else
/// "Trendwick") and extension (".csv", ".htm"). Derived anew on every call, so it follows titles.
QString DerivedGraphFilename(const QString& mainTitle, const QString& definitionFilename,
                             const QString& extension);

/// The log file name a graph uses: the name as set, or the derived ".csv" default when empty.
QString EffectiveLogFilename(const QString& asSet, const QString& mainTitle,
                             const QString& definitionFilename);

/// The comma-separated value log of one graph. Every header and row opens the file for
/// appending, writes and closes it again, so other programs can read the log while the graph
/// runs; the file is never truncated. Errors are swallowed: a header or row that cannot be
/// written is skipped and the next call simply tries again.
///
/// Dates and times follow the user's locale (the one handed in):
/// - the date of a row ("Medium Date") is the locale's short date format;
/// - the time ("Long Time") is the locale's long time format without its time-zone part, since a
///   zone name in every row only gets in the way of a spreadsheet reading the column as a time;
/// - the general date of the header is that date, a blank and that time.
/// Values are written with up to 15 significant digits and no group separators, with the locale's
/// decimal point unless that is "," (the field separator), in which case "." is used.
class ValueLog {
public:
    explicit ValueLog(Clock& clock, const QLocale& locale = QLocale());

    /// Appends the four header lines: version line, general date, start stamp, column names.
    /// True when they were written; failures are not reported otherwise.
    bool WriteLogHeader(const QString& filename, const TargetOIDs& targets) const;
    /// Appends one row: time stamp, then every target's value (an empty field when negative).
    bool WriteLogRow(const QString& filename, const TargetOIDs& targets) const;

    QStringList HeaderLines(const TargetOIDs& targets) const;
    QString RowLine(const TargetOIDs& targets) const;

    /// "Medium Date" + " " + "Long Time" of the given time, as rows carry it.
    QString TimeStamp(const QDateTime& time) const;
    /// The general date format: the same date and time texts.
    QString GeneralDate(const QDateTime& time) const;
    /// A value in the log's general number format.
    QString NumberText(double value) const;

private:
    bool AppendLines(const QString& filename, const QStringList& lines) const;

    Clock& m_clock;
    QLocale m_locale;
};
