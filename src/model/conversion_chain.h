#pragma once

#include <QChar>
#include <QLocale>
#include <QString>
#include <vector>

/// A target's conversion text ("*8/1000") read once into its steps. Steps apply left to right with
/// no precedence; an operand of 0 anywhere (or one that cannot be read) voids the whole chain, and
/// an unknown operator ends it. Numbers are read in the locale given at construction, falling back
/// to the C locale.
class ConversionChain {
public:
    explicit ConversionChain(const QString& text = QString(), const QLocale& locale = QLocale());

    /// x run through the chain; x itself when the chain is void or empty.
    double Apply(double x) const;

    /// Whether the chain only multiplies and divides (or does nothing), so that the converted
    /// difference of two values is the difference converted.
    bool IsLinear() const { return m_linear; }

    const QString& Text() const { return m_text; }
    const QLocale& Locale() const { return m_locale; }
    /// Whether another locale could read the numbers differently: only separators can, a run
    /// of plain digits reads the same everywhere.
    bool DependsOnLocale() const { return m_dependsOnLocale; }

private:
    struct Step {
        QChar op;
        double operand;
    };

    void Parse();
    static double Operate(QChar op, double result, double operand, bool* valid);

    QString m_text;
    QLocale m_locale;
    std::vector<Step> m_steps;
    bool m_void = false;
    bool m_linear = true;
    bool m_dependsOnLocale = false;
};
