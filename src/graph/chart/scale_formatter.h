#pragma once

#include <QLocale>
#include <QString>

/// Tick label text of a Y axis from its scale format: "|,.|" a number with thousands separators
/// and decimals, "|,|" one without decimals, "|.|" decimals without separators; the text after the
/// closing bar ("|,.| Mbps" gives " Mbps") follows every number. A format without the bars is all
/// suffix and formats like "|,.|".
class ScaleFormatter {
public:
    ScaleFormatter() = default;
    /// decimals is the number of decimals where the format asks for them.
    ScaleFormatter(const QString& format, int decimals, const QLocale& locale = QLocale());

    QString Format(double value) const;
    /// Decimals actually shown (0 for "|,|").
    int Decimals() const { return m_decimals; }
    bool Grouping() const { return m_grouping; }
    QString Suffix() const { return m_suffix; }

private:
    QLocale m_locale;
    bool m_grouping = true;
    int m_decimals = 2;
    QString m_suffix;
};
