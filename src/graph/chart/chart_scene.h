#pragma once

#include "chart_tickers.h"

#include <qcustomplot.h>

#include <QObject>
#include <QSharedPointer>
#include <vector>

/// Where the series of one Y axis are drawn.
struct AxisView {
    QCPAxisRect* rect = nullptr;
    /// The column (time) axis the series use; hidden for horizontal bars beside vertical axes.
    QCPAxis* keyAxis = nullptr;
    /// The axis that carries this Y axis's scale, title and colour.
    QCPAxis* valueAxis = nullptr;
    QSharedPointer<ScaleTicker> ticker;
    /// Values run left to right.
    bool horizontal = false;
};

/// The layout of the chart: main title and subtitle on top, then the plot areas with the legend
/// under them, and the footer's three parts at the bottom. Plot areas are rebuilt when the axes
/// change: one area for all axes (extra axes beside the first, alternating left and right) or one
/// area per axis stacked vertically. All column axes share one range.
class ChartScene : public QObject {
    Q_OBJECT
public:
    ChartScene(QCustomPlot* plot, ColumnTicker::LabelLookup labels);

    /// Drops every plottable and plot area, then lays out one axis per entry of `horizontal`.
    void Build(const std::vector<bool>& horizontal, bool overlapping);
    int AxisCount() const { return int(m_axes.size()); }
    const AxisView& Axis(int index) const { return m_axes.at(size_t(index)); }
    int RectCount() const { return m_rectCount; }
    bool Overlapping() const { return m_overlapping; }

    /// Every column axis, shown or not.
    const QList<QCPAxis*>& ColumnAxes() const { return m_columnAxes; }
    /// The axes whose grid lines may show: per area the first horizontal and first vertical one.
    const QList<QCPAxis*>& GridAxes() const { return m_gridAxes; }
    QSharedPointer<ColumnTicker> ColumnTickerShared() const { return m_columnTicker; }
    void SetColumnRange(const QCPRange& range);
    QCPRange ColumnRange() const;

    /// An empty title takes no room.
    void SetTitles(const QString& main, const QString& sub);
    QCPTextElement* MainTitle() const { return m_mainTitle; }
    QCPTextElement* SubTitle() const { return m_subTitle; }
    QCPTextElement* FooterPart(int index) const { return m_footer[index]; }
    QCPLegend* Legend() const { return m_legend; }
    /// What a click at the position asks to customise: 1 for a title or the footer, 3 for an axis,
    /// 0 for anything else.
    int CustomizePageAt(const QPointF& position) const;
    /// The legend takes room only while it has entries.
    void ShowLegend(bool show) { ShowInRow(3, m_legend, show); }
    /// Spreads the legend entries over as many columns as the width allows.
    void ArrangeLegend(int plotWidth);

Q_SIGNALS:
    /// The shared range of the column axes moved (scrolling, zoom).
    void ColumnRangeChanged(const QCPRange& range);

private:
    void BuildRect(const std::vector<int>& axes, const std::vector<bool>& horizontal, bool last);
    QCPAxis* NextAxis(QCPAxisRect* rect, const std::vector<QCPAxis::AxisType>& sides, int& used);
    void AddColumnAxis(QCPAxis* axis, bool labelled);
    void ShowInRow(int row, QCPLayoutElement* element, bool show);

    QCustomPlot* m_plot;
    QSharedPointer<ColumnTicker> m_columnTicker;
    QCPTextElement* m_mainTitle;
    QCPTextElement* m_subTitle;
    QCPTextElement* m_footer[3];
    QCPLayoutGrid* m_rects;
    QCPLegend* m_legend;
    QCPMarginGroup* m_marginGroup = nullptr;
    std::vector<AxisView> m_axes;
    QList<QCPAxis*> m_columnAxes;
    QList<QCPAxis*> m_gridAxes;
    int m_rectCount = 0;
    bool m_overlapping = true;
    bool m_syncing = false;
};
