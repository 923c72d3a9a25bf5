#pragma once

#include <QString>
#include <QStringList>
#include <QTime>
#include <vector>

// The texts the chart builds on its own: automatic titles and series labels from what the targets
// share, the footer's three parts and the time labels of the columns.

/// What one target contributes to the automatic texts.
struct TargetNames {
    QString hostname;
    QString ip;
    QString objectName;
    QString instance;
};

/// For "IP" (case-blind; answered with the first host name), "OID" (object name) or "INSTANCE":
/// the value every target shares, else the empty text.
QString CommonTargetValue(const std::vector<TargetNames>& targets, const QString& field);

struct ChartTitles {
    QString main;
    QString sub;
};

/// Main title: the common host, else the common object. Subtitle, only with a common host: the
/// common instance and object joined by ":" (or whichever of them there is).
ChartTitles AutomaticTitles(const std::vector<TargetNames>& targets);

/// One label per target: the parts that differ between the targets (host, first 20 characters of
/// the instance, object), joined by ":". Empty when nothing differs.
QStringList AutomaticSeriesLabels(const std::vector<TargetNames>& targets);

/// The footer as stored: "||" appended when the text has fewer than three "|"-separated parts.
QString NormalizedFooter(const QString& footer);

/// Left, centre and right part of a footer (missing parts empty; further bars stay in the right).
QStringList FooterParts(const QString& footer);

/// "h:nn:ss" for poll intervals under 61 seconds, else "h:nn"; " AM/PM" appended on request.
QString TimeLabelFormatFor(int pollIntervalSeconds, bool includeAMPM);

/// A time in such a format: h hour without leading zero (12-hour with AM/PM), nn minutes,
/// ss seconds, AM/PM the upper-case suffix.
QString FormatTimeLabel(const QTime& time, const QString& format);
