#pragma once

#include "scale_formatter.h"

#include <qcustomplot.h>

#include <functional>

/// Ticks of the time axis: whole column keys, labelled with the columns' time texts. Only every
/// n-th column gets a tick (n from 1, 2, 5, 10, ...), chosen so that at most the ticker's tick
/// count fits, and always at multiples of n so labels stay put while the chart scrolls.
class ColumnTicker : public QCPAxisTickerText {
public:
    using LabelLookup = std::function<QString(qint64 key)>;
    explicit ColumnTicker(LabelLookup lookup) : m_lookup(std::move(lookup)) {}

protected:
    double getTickStep(const QCPRange& range) override;
    int getSubTickCount(double tickStep) override;
    QString getTickLabel(double tick, const QLocale& locale, QChar formatChar, int precision) override;
    QVector<double> createTickVector(double tickStep, const QCPRange& range) override;

private:
    LabelLookup m_lookup;
};

/// Ticks of a Y axis labelled through its scale format. The tick step never goes below the
/// smallest step the format can show, so no two ticks read alike.
class ScaleTicker : public QCPAxisTicker {
public:
    void setFormatter(const ScaleFormatter& formatter) { m_formatter = formatter; }
    const ScaleFormatter& formatter() const { return m_formatter; }

protected:
    double getTickStep(const QCPRange& range) override;
    QString getTickLabel(double tick, const QLocale& locale, QChar formatChar, int precision) override;

private:
    ScaleFormatter m_formatter;
};
