#pragma once

// Private state of ChartBinding, shared by its source files.

#include "axis_plot.h"
#include "chart_binding.h"
#include "chart_scene.h"
#include "column_window.h"
#include "point_table_model.h"

#include <QColor>
#include <QSplitter>
#include <QTableView>
#include <limits>
#include <memory>
#include <vector>

/// What the chart was told about one Y axis.
struct AxisState {
    int methodCode = 0;
    QString title;
    qint32 color = 0;
    double minimum = 0;
    double maximum = 1000;
    QString format;
    std::vector<int> subsets;
};

/// What the chart was told about one series.
struct SeriesState {
    QString label;
    qint32 color = 0;
    int lineTypeCode = 0;
};

struct ChartBinding::Impl {
    explicit Impl(ChartBinding& owner);
    ~Impl();
    Impl(const Impl&) = delete;
    Impl& operator=(const Impl&) = delete;

    // Structure and data.
    /// Empties the window for the given number of series; nothing counts as loaded any more.
    void ResetWindow(int seriesCount);
    void Rebuild();
    /// Drops every series; the legend goes first, as it re-flows itself for every entry taken
    /// out of it one by one.
    void DropSeries();
    /// Hands the plot what changed in the window: whole axes marked for reload, else the changed
    /// tail of each series.
    void ReloadPending();

    // Loading history again costs only what changed since the last load of a series.
    static constexpr qint64 Unchanged = std::numeric_limits<qint64>::max();
    /// How many history entries, newest first, a load must write: all, or only those written
    /// since the last load when the history and the window have moved on in step since then
    /// (same scale, as many writes as columns appended), so the older points are in place.
    int EntriesToLoad(int subset, quint64 historyWrites, double magnitude) const;
    void Loaded(int subset, quint64 historyWrites, double magnitude);
    void ForgetLoads();
    void MarkChanged(int subset, int axis, qint64 oldestKey);
    void ScrollToNewest();
    QCPRange NewestRange() const;
    void RestoreScales();
    void Replot();
    /// Refreshes the table of plotted points when the table style shows it. A hidden table is
    /// refreshed when the style shows it again.
    void RefreshPointTable();

    // Looks, applied to what is built.
    void ApplyAxisLook(int axis);
    void ApplySeriesLook(int subset);
    void ApplyGrid();
    void ApplyColors();
    void ApplyFonts();
    void ApplyTableStyle();
    void ApplyAntialiasing();
    /// So many series that lines are drawn thin and hard for speed.
    bool ManySeries() const;
    /// Tick spacing and legend columns for the chart drawn at the given size.
    void FitTicks(const QSize& size);
    int AxisLength(const QCPAxis* axis, const QSize& size) const;
    int SubsetOf(const QCPAbstractPlottable* plottable) const;
    AxisState& AxisAt(int axis);
    SeriesState& SeriesAt(int subset);

    ChartBinding& owner;
    QSplitter* splitter;
    QCustomPlot* plot;
    QTableView* table;
    ColumnWindow window{ChartBinding::Points};
    PointTableModel* tableModel;
    ChartScene* scene;
    std::vector<std::unique_ptr<AxisPlot>> axisPlots;
    std::vector<AxisState> axes;
    std::vector<SeriesState> series;
    /// Per axis: reload every series from the window.
    std::vector<bool> reload;
    /// Per series: the oldest key whose value changed since the plot last took it, or Unchanged.
    std::vector<qint64> changedFrom;
    /// Per axis: some series of it has a changed tail.
    std::vector<bool> changedAxis;
    struct LoadState {
        quint64 historyWrites = 0;
        qint64 newestKey = 0;
        double magnitude = 0;
        bool valid = false;
    };
    std::vector<LoadState> loads;
    QString loadedFormat;
    // During one RefreshChart, the points that already got their time label: the targets of a
    // graph are polled together, so the first target's times stand for all, and reading a
    // history time (a local-time conversion) is the dearest part of a reload.
    std::vector<bool> labelled;
    bool labelPass = false;
    QPointF pressPosition;
    bool overlapping = true;
    // While ResetChart pushes the axes in, a new plotting method waits for the rebuild.
    bool deferRebuild = false;

    // Chart style as last set.
    QColor colors[7];
    QString fonts[4];
    bool markPoints = false;
    int decimals = 2;
    int gridCode = 1;
    bool gridInFront = false;
    int tableStyle = 0;
    int orientationCode = 0;
};
