#pragma once

#include "chart_scene.h"
#include "column_window.h"

#include <QColor>
#include <QHash>
#include <vector>

/// A graph's points for a window that drops its oldest column on every append. The base class
/// finds what to drop by a binary search over the whole series; here the front is walked, which
/// for one column per append reads a single point.
class WindowGraphData : public QCPGraphDataContainer {
public:
    /// Points dropped at the front before the rest is moved down over them.
    static constexpr int Slack = 256;

    /// Drops the points with keys below key.
    void DropFront(double key);
    /// Asks for the memory the next append and drop touch. The container itself must already be
    /// in the cache (or on its way): its fields say where that memory is.
    void PrefetchAppend() const;
    /// Room for the points of a window of `columns` columns with everything the drops leave
    /// before they are squeezed out, so that appending never has to grow the storage.
    static int Capacity(int columns) { return columns + Slack + 8; }
};

/// How one series looks.
struct SeriesLook {
    QString label;
    QColor color;
    int lineTypeCode = 0;
    bool markPoints = false;
    /// Lines one pixel wide whatever the line type (many series).
    bool thin = false;
};

/// The plottables of one Y axis's series, drawn by the axis's plotting method. Appending a column
/// adds one data point per series and drops the one that left the window (the fits and the spline
/// tail are recomputed, they depend on their neighbours); a reload rebuilds from the window.
class AxisPlot {
public:
    /// subsets: the series of the axis, bottom of a stack first.
    AxisPlot(QCustomPlot* plot, const AxisView& view, int methodCode, std::vector<int> subsets);
    ~AxisPlot();
    AxisPlot(const AxisPlot&) = delete;
    AxisPlot& operator=(const AxisPlot&) = delete;

    int MethodCode() const { return m_method; }
    /// Methods that cover an area (fills, bars, ribbon) rather than draw a line.
    static bool IsFilled(int methodCode);
    const std::vector<int>& Subsets() const { return m_subsets; }
    /// The series a plottable draws, or -1.
    int SubsetOf(const QCPAbstractPlottable* plottable) const;

    /// The newest column of the window was just appended. visible: the key range on screen,
    /// which the fits cover.
    void Append(const ColumnWindow& window, const QCPRange& visible);
    void Reload(const ColumnWindow& window, const QCPRange& visible);
    /// Takes in the values from changedFrom[subset] on (indexed by series; the largest qint64 for
    /// none), in place where the points stay where they are.
    void ReloadChanged(const ColumnWindow& window, const QCPRange& visible,
                       const std::vector<qint64>& changedFrom);
    /// Recomputes only what depends on the visible range (the fits).
    void VisibleRangeChanged(const ColumnWindow& window, const QCPRange& visible);
    void SetLook(int subset, const SeriesLook& look, QCPLegend* legend);

private:
    enum class Kind {
        Line,
        Area,
        Bar,
        FitCurve,
        FitLine,
        HBar,
        HStackedBar,
        Point,
        PointLine,
        Spline,
        Ribbon,
        Step,
        Stacked
    };
    static Kind KindOf(int code);
    bool IsBars() const;
    bool IsFit() const { return m_kind == Kind::FitCurve || m_kind == Kind::FitLine; }
    void CreatePlottables();
    std::vector<double> ColumnValues(const ColumnWindow& window, qint64 key) const;
    void AppendSpline(const ColumnWindow& window, size_t position);
    void ReloadSeries(const ColumnWindow& window, size_t position);
    void UpdateValues(const ColumnWindow& window, size_t position, qint64 fromKey);
    void ReloadFit(const ColumnWindow& window, size_t position, const QCPRange& visible);
    double Value(const ColumnWindow& window, size_t position, qint64 key) const;

    QCustomPlot* m_plot;
    AxisView m_view;
    int m_method;
    Kind m_kind;
    std::vector<int> m_subsets;
    std::vector<QCPGraph*> m_graphs;
    // The graphs' data, held for the graphs' lifetime: a poll touches every one of them, and
    // asking the graph hands out a shared pointer each time.
    std::vector<WindowGraphData*> m_graphData;
    std::vector<QCPBars*> m_bars;
    QCPBarsGroup* m_group = nullptr;
};
