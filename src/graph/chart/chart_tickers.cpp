#include "chart_tickers.h"

#include <cmath>

double ColumnTicker::getTickStep(const QCPRange& range)
{
    const double wanted = std::max(1.0, range.size() / std::max(1, tickCount()));
    double step = 1;
    for (double decade = 1;; decade *= 10) {
        for (double factor : {1.0, 2.0, 5.0}) {
            step = factor * decade;
            if (step >= wanted)
                return step;
        }
    }
}

int ColumnTicker::getSubTickCount(double)
{
    return 0;
}

QString ColumnTicker::getTickLabel(double tick, const QLocale&, QChar, int)
{
    return m_lookup ? m_lookup(qRound64(tick)) : QString();
}

QVector<double> ColumnTicker::createTickVector(double tickStep, const QCPRange& range)
{
    QVector<double> ticks;
    const qint64 step = std::max<qint64>(1, qRound64(tickStep));
    qint64 key = qint64(std::ceil(range.lower));
    key += (step - key % step) % step;
    for (; key <= range.upper; key += step)
        ticks.append(double(key));
    return ticks;
}

double ScaleTicker::getTickStep(const QCPRange& range)
{
    const double smallest = std::pow(10.0, -m_formatter.Decimals());
    return std::max(QCPAxisTicker::getTickStep(range), smallest);
}

QString ScaleTicker::getTickLabel(double tick, const QLocale&, QChar, int)
{
    return m_formatter.Format(tick);
}
