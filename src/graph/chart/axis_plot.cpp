#include "axis_plot.h"

#include "chart_legend.h"
#include "plot_math.h"
#include "series_pen.h"

#include <algorithm>
#include <cmath>
#include <limits>

namespace {

constexpr double NaN = std::numeric_limits<double>::quiet_NaN();
// Samples per column of the spline; enough for a smooth curve at 100 shown columns.
constexpr int SplineSteps = 4;
constexpr int FitDegree = 3;

QColor WithAlpha(QColor color, int alpha)
{
    color.setAlpha(alpha);
    return color;
}

} // namespace

void WindowGraphData::DropFront(double key)
{
    int dropped = 0;
    for (auto it = constBegin(), end = constEnd(); it != end && it->key < key; ++it)
        ++dropped;
    if (dropped == 0)
        return;
    // The base class drops the same way: the points become room for prepending until a squeeze.
    // It squeezes only once three fifths of a storage over 1,000 points lie dropped; squeezing
    // earlier keeps a series to the storage its reload reserved and touched.
    mPreallocSize += dropped;
    if (mPreallocSize >= Slack)
        squeeze(true, false);
}

void WindowGraphData::PrefetchAppend() const
{
    const QCPGraphData* points = mData.constData();
    if (!points)
        return;
    __builtin_prefetch(points); // beside the storage's header, which every append reads
    __builtin_prefetch(points + mPreallocSize);
    __builtin_prefetch(points + mData.size());
}

AxisPlot::AxisPlot(QCustomPlot* plot, const AxisView& view, int methodCode, std::vector<int> subsets)
    : m_plot(plot), m_view(view), m_method(methodCode), m_kind(KindOf(methodCode)),
      m_subsets(std::move(subsets))
{
    CreatePlottables();
}

AxisPlot::~AxisPlot()
{
    for (QCPGraph* graph : m_graphs)
        m_plot->removePlottable(graph);
    for (QCPBars* bars : m_bars)
        m_plot->removePlottable(bars);
    delete m_group;
}

AxisPlot::Kind AxisPlot::KindOf(int code)
{
    switch (code) {
    case 3:
        return Kind::Area;
    case 1:
        return Kind::Bar;
    case 10:
        return Kind::FitCurve;
    case 8:
        return Kind::FitLine;
    case 17:
        return Kind::HBar;
    case 18:
        return Kind::HStackedBar;
    case 2:
        return Kind::Point;
    case 16:
        return Kind::PointLine;
    case 13:
        return Kind::Spline;
    case 21:
        return Kind::Ribbon;
    case 20:
        return Kind::Step;
    case 6:
        return Kind::Stacked;
    default:
        return Kind::Line;
    }
}

bool AxisPlot::IsFilled(int methodCode)
{
    const Kind kind = KindOf(methodCode);
    return kind == Kind::Area || kind == Kind::Stacked || kind == Kind::Bar || kind == Kind::HBar ||
           kind == Kind::HStackedBar || kind == Kind::Ribbon;
}

bool AxisPlot::IsBars() const
{
    return m_kind == Kind::Bar || m_kind == Kind::HBar || m_kind == Kind::HStackedBar;
}

void AxisPlot::CreatePlottables()
{
    if (!IsBars()) {
        for (size_t i = 0; i < m_subsets.size(); ++i) {
            QCPGraph* graph = m_plot->addGraph(m_view.keyAxis, m_view.valueAxis);
            auto* data = new WindowGraphData;
            graph->setData(QSharedPointer<QCPGraphDataContainer>(data));
            if (m_kind == Kind::Stacked && i > 0)
                graph->setChannelFillGraph(m_graphs.back());
            m_graphs.push_back(graph);
            m_graphData.push_back(data);
        }
        return;
    }
    const bool grouped = m_kind != Kind::HStackedBar && m_subsets.size() > 1;
    if (grouped) {
        m_group = new QCPBarsGroup(m_plot);
        m_group->setSpacingType(QCPBarsGroup::stAbsolute);
        m_group->setSpacing(0);
    }
    for (size_t i = 0; i < m_subsets.size(); ++i) {
        auto* bars = new QCPBars(m_view.keyAxis, m_view.valueAxis);
        bars->setWidth(grouped ? 0.8 / double(m_subsets.size()) : 0.8);
        if (m_group)
            bars->setBarsGroup(m_group);
        if (m_kind == Kind::HStackedBar && !m_bars.empty())
            bars->moveAbove(m_bars.back());
        m_bars.push_back(bars);
    }
}

int AxisPlot::SubsetOf(const QCPAbstractPlottable* plottable) const
{
    for (size_t i = 0; i < m_subsets.size(); ++i) {
        if ((i < m_graphs.size() && m_graphs[i] == plottable) ||
            (i < m_bars.size() && m_bars[i] == plottable))
            return m_subsets[i];
    }
    return -1;
}

std::vector<double> AxisPlot::ColumnValues(const ColumnWindow& window, qint64 key) const
{
    std::vector<double> values(m_subsets.size());
    for (size_t i = 0; i < m_subsets.size(); ++i)
        values[i] = window.Value(m_subsets[i], key);
    if (m_kind == Kind::Stacked)
        StackValues(values);
    return values;
}

double AxisPlot::Value(const ColumnWindow& window, size_t position, qint64 key) const
{
    if (m_kind == Kind::Stacked)
        return ColumnValues(window, key)[position];
    return window.Value(m_subsets[position], key);
}

void AxisPlot::Append(const ColumnWindow& window, const QCPRange& visible)
{
    const qint64 key = window.NewestKey();
    const std::vector<double> values = ColumnValues(window, key);
    // A thousand series' points do not stay in the cache from one poll to the next: the
    // containers are asked for a few series ahead, and the points they hold a little later.
    const size_t count = m_graphData.size();
    for (size_t i = 0; i < m_subsets.size(); ++i) {
        if (i + 8 < count)
            __builtin_prefetch(m_graphData[i + 8]);
        if (i + 4 < count)
            m_graphData[i + 4]->PrefetchAppend();
        if (IsFit()) {
            ReloadFit(window, i, visible);
        } else if (m_kind == Kind::Spline) {
            AppendSpline(window, i);
        } else if (IsBars()) {
            if (!std::isnan(values[i]))
                m_bars[i]->data()->add(QCPBarsData(double(key), values[i]));
            m_bars[i]->data()->removeBefore(double(window.OldestKey()) - 0.5);
        } else {
            m_graphData[i]->add(QCPGraphData(double(key), values[i]));
            m_graphData[i]->DropFront(double(window.OldestKey()) - 0.5);
        }
    }
}

void AxisPlot::AppendSpline(const ColumnWindow& window, size_t position)
{
    // Only the last two segments depend on the new column; everything before stays as drawn.
    const qint64 n = window.NewestKey();
    const int subset = m_subsets[position];
    const auto v = [&](qint64 key) { return window.Value(subset, key); };
    QCPGraphDataContainer& data = *m_graphs[position]->data();
    data.removeAfter(double(n - 2) + 1e-9);
    const std::vector<double> tail[2] = {CatmullRomSegment(v(n - 3), v(n - 2), v(n - 1), v(n), SplineSteps),
                                         CatmullRomSegment(v(n - 2), v(n - 1), v(n), NaN, SplineSteps)};
    QVector<QCPGraphData> points;
    for (int segment = 0; segment < 2; ++segment) {
        const qint64 start = n - 2 + segment;
        for (int step = 0; step < SplineSteps; ++step)
            points.append(
                QCPGraphData(double(start) + double(step + 1) / SplineSteps, tail[segment][size_t(step)]));
        points.back().value = v(start + 1);
    }
    data.add(points, true);
    data.removeBefore(double(window.OldestKey()) - 1e-9);
}

void AxisPlot::Reload(const ColumnWindow& window, const QCPRange& visible)
{
    for (size_t i = 0; i < m_subsets.size(); ++i) {
        if (IsFit())
            ReloadFit(window, i, visible);
        else
            ReloadSeries(window, i);
    }
}

void AxisPlot::ReloadChanged(const ColumnWindow& window, const QCPRange& visible,
                             const std::vector<qint64>& changedFrom)
{
    const auto changedKey = [&](size_t position) {
        const int subset = m_subsets[position];
        return subset >= 0 && size_t(subset) < changedFrom.size() ? changedFrom[size_t(subset)]
                                                                  : std::numeric_limits<qint64>::max();
    };
    // A stack's upper series and a fit depend on more than their own changed points.
    if (m_kind == Kind::Stacked || IsFit()) {
        for (size_t i = 0; i < m_subsets.size(); ++i) {
            if (changedKey(i) != std::numeric_limits<qint64>::max()) {
                Reload(window, visible);
                return;
            }
        }
        return;
    }
    for (size_t i = 0; i < m_subsets.size(); ++i) {
        const qint64 from = changedKey(i);
        if (from == std::numeric_limits<qint64>::max())
            continue;
        // Bars leave out missing values and a spline's samples depend on the neighbours, so their
        // points do not map one to one onto columns.
        if (IsBars() || m_kind == Kind::Spline)
            ReloadSeries(window, i);
        else
            UpdateValues(window, i, from);
    }
}

void AxisPlot::UpdateValues(const ColumnWindow& window, size_t position, qint64 fromKey)
{
    QCPGraphDataContainer& data = *m_graphData[position];
    auto it = std::lower_bound(data.begin(), data.end(), double(fromKey),
                               [](const QCPGraphData& point, double key) { return point.key < key; });
    for (; it != data.end(); ++it)
        it->value = window.Value(m_subsets[position], qint64(it->key));
}

void AxisPlot::VisibleRangeChanged(const ColumnWindow& window, const QCPRange& visible)
{
    if (IsFit())
        Reload(window, visible);
}

void AxisPlot::ReloadSeries(const ColumnWindow& window, size_t position)
{
    if (m_kind == Kind::Spline) {
        std::vector<double> values;
        for (int column = 0; column < window.Columns(); ++column)
            values.push_back(window.Value(m_subsets[position], window.KeyOf(column)));
        const std::vector<double> curve = SplineThrough(values, SplineSteps);
        QVector<QCPGraphData> points(int(curve.size()));
        for (int i = 0; i < points.size(); ++i)
            points[i] = QCPGraphData(double(window.OldestKey()) + double(i) / SplineSteps, curve[size_t(i)]);
        m_graphs[position]->data()->set(points, true);
        return;
    }
    QVector<QCPGraphData> graphPoints;
    QVector<QCPBarsData> barPoints;
    // The container keeps this storage, and the appends to come fit in it. Writing it once here
    // spares the appends the page faults of memory touched for the first time.
    if (!IsBars()) {
        graphPoints.resize(WindowGraphData::Capacity(window.Columns()));
        graphPoints.resize(0);
    }
    for (int column = 0; column < window.Columns(); ++column) {
        const qint64 key = window.KeyOf(column);
        const double value = Value(window, position, key);
        if (!IsBars())
            graphPoints.append(QCPGraphData(double(key), value));
        else if (!std::isnan(value))
            barPoints.append(QCPBarsData(double(key), value));
    }
    if (IsBars())
        m_bars[position]->data()->set(barPoints, true);
    else
        m_graphs[position]->data()->set(graphPoints, true);
}

void AxisPlot::ReloadFit(const ColumnWindow& window, size_t position, const QCPRange& visible)
{
    const qint64 first = std::max(window.OldestKey(), qint64(std::ceil(visible.lower)));
    const qint64 last = std::min(window.NewestKey(), qint64(std::floor(visible.upper)));
    std::vector<double> x;
    std::vector<double> y;
    for (qint64 key = first; key <= last; ++key) {
        x.push_back(double(key - first));
        y.push_back(window.Value(m_subsets[position], key));
    }
    const std::vector<double> c = FitPolynomial(x, y, m_kind == Kind::FitLine ? 1 : FitDegree);
    QVector<QCPGraphData> points;
    if (!c.empty()) {
        for (size_t i = 0; i < x.size(); ++i) {
            // A line needs its two ends only.
            if (m_kind == Kind::FitLine && i != 0 && i + 1 != x.size())
                continue;
            points.append(QCPGraphData(double(first) + x[i], EvaluatePolynomial(c, x[i])));
        }
    }
    m_graphs[position]->data()->set(points, true);
}

void AxisPlot::SetLook(int subset, const SeriesLook& look, QCPLegend* legend)
{
    size_t position = 0;
    while (position < m_subsets.size() && m_subsets[position] != subset)
        ++position;
    if (position == m_subsets.size())
        return;
    SeriesPen shape = SeriesPenOf(look.lineTypeCode);
    if (look.thin)
        shape.width = 1;
    QPen pen(look.color, shape.width, shape.style);
    QCPAbstractPlottable* plottable = nullptr;
    if (IsBars()) {
        QCPBars* bars = m_bars[position];
        bars->setPen(QPen(look.color.darker(130)));
        bars->setBrush(WithAlpha(look.color, 200));
        plottable = bars;
    } else {
        QCPGraph* graph = m_graphs[position];
        QCPScatterStyle scatter;
        QCPGraph::LineStyle line = QCPGraph::lsLine;
        const bool canMark = m_kind != Kind::Spline && !IsFit() && m_kind != Kind::Ribbon;
        if (look.markPoints && canMark)
            scatter = QCPScatterStyle(QCPScatterStyle::ssCircle, 4);
        switch (m_kind) {
        case Kind::Area:
            graph->setBrush(WithAlpha(look.color, 70));
            break;
        case Kind::Stacked:
            graph->setBrush(WithAlpha(look.color, 110));
            break;
        case Kind::Point:
            line = QCPGraph::lsNone;
            scatter = QCPScatterStyle(QCPScatterStyle::ssDisc, look.color, 5);
            break;
        case Kind::PointLine:
            scatter = QCPScatterStyle(QCPScatterStyle::ssCircle, look.color, 5);
            break;
        case Kind::Step:
            line = QCPGraph::lsStepLeft;
            break;
        case Kind::Ribbon:
            pen = QPen(WithAlpha(look.color, 150), std::max(8, shape.width * 3), Qt::SolidLine, Qt::FlatCap,
                       Qt::RoundJoin);
            break;
        default:
            break;
        }
        graph->setLineStyle(line);
        graph->setScatterStyle(scatter);
        graph->setPen(pen);
        plottable = graph;
    }
    plottable->setName(look.label);
    if (look.label.isEmpty())
        plottable->removeFromLegend(legend);
    else if (!legend->hasItemWithPlottable(plottable))
        legend->addItem(new LegendEntry(legend, plottable));
}
