#include "chart_binding.h"

#include "chart_binding_impl.h"
#include "chart_texts.h"
#include "series_pen.h"

#include <chart_style.h>
#include <clock.h>
#include <rgb_color.h>
#include <target_oids.h>
#include <y_axises.h>

#include <QHeaderView>
#include <QVBoxLayout>
#include <algorithm>
#include <cmath>
#include <limits>

namespace {

constexpr double NaN = std::numeric_limits<double>::quiet_NaN();

double Plotted(double value, double magnitude)
{
    if (value == double(ChartBinding::NoValue))
        return NaN;
    return value / (magnitude == 0 ? 1.0 : magnitude);
}

} // namespace

ChartBinding::Impl::Impl(ChartBinding& binding)
    : owner(binding), splitter(new QSplitter(Qt::Vertical, &binding)), plot(new QCustomPlot),
      table(new QTableView), tableModel(new PointTableModel(window, &binding)),
      scene(new ChartScene(plot, [this](qint64 key) { return window.Label(key); }))
{
    // The plot's own size hint follows its layout (a long legend would widen the window); the
    // chart takes the size its host gives it instead.
    plot->setMinimumSize(120, 90);
    splitter->addWidget(plot);
    splitter->addWidget(table);
    splitter->setChildrenCollapsible(false);
    table->setModel(tableModel);
    table->verticalHeader()->hide();
    table->hide();
    plot->setSelectionRectMode(QCP::srmZoom);
    plot->selectionRect()->setPen(QPen(Qt::black, 1, Qt::DashLine));
    plot->selectionRect()->setBrush(QColor(80, 80, 200, 40));
    ResetWindow(1);
    axes.assign(1, AxisState());
    axes.front().subsets = {0};
    series.assign(1, SeriesState());
}

ChartBinding::Impl::~Impl()
{
    DropSeries();
}

ChartBinding::ChartBinding(TargetOIDs& targets, YAxises& axes, ChartStyle& style, Clock& clock,
                           Prompter* prompter, QWidget* parent)
    : QWidget(parent), m_impl(std::make_unique<Impl>(*this)), m_targets(targets), m_axes(axes),
      m_style(style), m_clock(clock), m_prompter(prompter)
{
    auto* layout = new QVBoxLayout(this);
    layout->setContentsMargins(0, 0, 0, 0);
    layout->addWidget(m_impl->splitter);
    ConnectPlot();
    ConnectMouse();
    m_impl->Rebuild();
    setFooter(m_footer);
}

ChartBinding::~ChartBinding() = default;

void ChartBinding::ConnectPlot()
{
    QCustomPlot* plot = m_impl->plot;
    connect(plot, &QCustomPlot::beforeReplot, this, [this] {
        m_impl->ReloadPending();
        m_impl->FitTicks(m_impl->plot->size());
    });
    connect(m_impl->scene, &ChartScene::ColumnRangeChanged, this, [this](const QCPRange& range) {
        for (auto& axisPlot : m_impl->axisPlots)
            axisPlot->VisibleRangeChanged(m_impl->window, range);
    });
    connect(plot->selectionRect(), &QCPSelectionRect::accepted, this, [this] {
        m_zoomed = true;
        Q_EMIT ZoomChanged();
    });
}

void ChartBinding::ConnectMouse()
{
    QCustomPlot* plot = m_impl->plot;
    // The plot forwards no clicks to its parts while a drag may zoom, so clicks are placed here.
    connect(plot, &QCustomPlot::mouseRelease, this, [this](QMouseEvent* event) {
        if ((event->position() - m_impl->pressPosition).manhattanLength() > 3)
            return;
        const int page = m_impl->scene->CustomizePageAt(event->position());
        if (page > 0)
            Q_EMIT CustomizeRequested(page);
    });
    connect(plot, &QCustomPlot::plottableDoubleClick, this, [this](QCPAbstractPlottable* plottable) {
        const int subset = m_impl->SubsetOf(plottable);
        if (subset >= 0)
            Q_EMIT SeriesActivated(subset);
    });
    connect(plot, &QCustomPlot::legendDoubleClick, this, [this](QCPLegend*, QCPAbstractLegendItem* item) {
        auto* entry = qobject_cast<QCPPlottableLegendItem*>(item);
        const int subset = entry ? m_impl->SubsetOf(entry->plottable()) : -1;
        if (subset >= 0)
            Q_EMIT SeriesActivated(subset);
    });
    connect(plot, &QCustomPlot::mousePress, this, [this](QMouseEvent* event) {
        m_impl->pressPosition = event->position();
        const Qt::KeyboardModifiers keys = event->modifiers();
        const qint16 shift = qint16((keys & Qt::ShiftModifier ? 1 : 0) |
                                    (keys & Qt::ControlModifier ? 2 : 0) | (keys & Qt::AltModifier ? 4 : 0));
        Q_EMIT MouseDown(qint16(event->button()), shift, float(event->position().x()),
                         float(event->position().y()));
    });
}

void ChartBinding::InitChart()
{
    m_automaticTitles = true;
    m_style.Reset();
    m_style.ApplyToChart(*this);
    setFooter(QStringLiteral("||"));
    m_impl->ResetWindow(1);
    m_impl->axes.assign(1, AxisState());
    m_impl->axes.front().subsets = {0};
    m_impl->series.assign(1, SeriesState());
    m_impl->overlapping = m_style.OverLappingAxes();
    m_impl->Rebuild();
    SetPointsShown(m_style.PointsToGraph());
}

std::vector<TargetNames> ChartBinding::Names() const
{
    std::vector<TargetNames> names;
    for (const TargetOID* target : m_targets)
        names.push_back({target->Hostname(), target->IP(), target->OID().ObjectName(), target->Instance()});
    return names;
}

void ChartBinding::ResetChart()
{
    const int count = m_targets.Count();
    m_impl->ResetWindow(count);
    const std::vector<TargetNames> names = Names();
    if (m_automaticTitles) {
        const ChartTitles titles = ::AutomaticTitles(names);
        SetTitleTexts(titles.main, titles.sub);
    }
    const QStringList labels = AutomaticSeriesLabels(names);
    for (int i = 0; i < count; ++i)
        m_targets.At(i)->SetAutoLabelText(labels.at(i));
    AssignAxes();
    m_impl->series.assign(size_t(count), SeriesState());
    m_impl->axes.assign(size_t(std::max(1, m_axes.Count())), AxisState());
    qint16 subset = 0;
    for (const YAxis* axis : m_axes) {
        for (TargetOID* target : axis->TargetOIDs()) {
            target->SetSubset(subset);
            m_impl->axes[size_t(axis->Index())].subsets.push_back(subset++);
        }
    }
    m_impl->deferRebuild = true;
    for (const YAxis* axis : m_axes)
        axis->ApplyToChart(*this);
    m_impl->deferRebuild = false;
    m_impl->overlapping = m_style.OverLappingAxes();
    m_impl->Rebuild();
    RefreshChart(false);
    m_style.ApplyToChart(*this);
    m_impl->tableModel->SetSeriesNames(SeriesNames());
}

void ChartBinding::AssignAxes()
{
    m_axes.ClearAxes(true);
    for (TargetOID* target : m_targets) {
        if (target->Color() == -1)
            target->setColor(m_style.GetNextColor());
        m_axes.AssignAxis(target);
    }
    m_axes.RestoreAxisSettings();
}

QStringList ChartBinding::SeriesNames() const
{
    QStringList names;
    for (const SeriesState& state : m_impl->series)
        names.append(state.label);
    return names;
}

void ChartBinding::RefreshChart(bool changedOnly)
{
    m_impl->labelled.assign(Points, false);
    m_impl->labelPass = true;
    for (YAxis* axis : m_axes) {
        const bool changed = axis->UpdateScale();
        if (changedOnly && !changed)
            continue;
        const double magnitude = axis->Magnitude() == 0 ? 1.0 : double(axis->Magnitude());
        const double minimum = axis->Min() == NoValue ? 0.0 : double(axis->Min()) / magnitude;
        SetAxisScale(axis->Index(), minimum, double(axis->Max()) / magnitude);
        SetAxisLabelFormat(axis->Index(), axis->ScaleFormat());
        for (TargetOID* target : axis->TargetOIDs())
            LoadHistory(*target, *axis);
    }
    m_impl->labelPass = false;
    m_impl->ReloadPending();
    m_impl->RefreshPointTable();
    m_impl->Replot();
}

void ChartBinding::LoadHistory(TargetOID& target, YAxis& axis)
{
    Impl& impl = *m_impl;
    ColumnWindow& window = impl.window;
    const int subset = target.Subset();
    const double magnitude = double(axis.Magnitude());
    const QString format = TimeLabelFormat();
    if (format != impl.loadedFormat) {
        impl.ForgetLoads();
        impl.loadedFormat = format;
    }
    const int count = impl.EntriesToLoad(subset, target.HistoryWrites(), magnitude);
    qint64 oldestChanged = Impl::Unchanged;
    for (int i = 0; i < count; ++i) {
        const qint64 key = window.NewestKey() - i;
        if (window.SetValue(subset, key, Plotted(double(target.History(i)), magnitude)))
            oldestChanged = key;
        if (impl.labelPass && impl.labelled[size_t(i)])
            continue;
        // Read as wall-clock milliseconds: a local QDateTime would consult the time-zone rules.
        const qint64 time = target.HistoryWallClockMsecs(i);
        if (time == Responses::NoTime)
            continue;
        window.SetLabel(key, FormatTimeLabel(WallClockTimeOfDay(time), format));
        if (impl.labelPass)
            impl.labelled[size_t(i)] = true;
    }
    // The older points kept their values and labels from the last load.
    if (impl.labelPass)
        std::fill(impl.labelled.begin() + count, impl.labelled.end(), true);
    impl.Loaded(subset, target.HistoryWrites(), magnitude);
    if (oldestChanged != Impl::Unchanged)
        impl.MarkChanged(subset, axis.Index(), oldestChanged);
    impl.Replot();
}

void ChartBinding::AppendPoint()
{
    m_impl->ReloadPending();
    std::vector<double> values(size_t(m_impl->window.SeriesCount()), 0.0);
    for (const YAxis* axis : m_axes) {
        const auto& targets = axis->TargetOIDs();
        const int count = targets.Count();
        for (int i = 0; i < count; ++i) {
            // A thousand targets do not stay in the cache from one poll to the next.
            if (i + 4 < count)
                targets.At(i + 4)->PrefetchColumn();
            const TargetOID* target = targets.At(i);
            if (target->Subset() >= 0 && size_t(target->Subset()) < values.size())
                values[size_t(target->Subset())] = Plotted(target->Value(), double(axis->Magnitude()));
        }
    }
    m_impl->window.Append(FormatTimeLabel(WallClockTimeOfDay(m_clock.NowWallClockMsecs()), TimeLabelFormat()),
                          values);
    const QCPRange visible = m_zoomed ? m_impl->scene->ColumnRange() : m_impl->NewestRange();
    for (auto& axisPlot : m_impl->axisPlots)
        axisPlot->Append(m_impl->window, visible);
    if (!m_zoomed)
        m_impl->ScrollToNewest();
    m_impl->RefreshPointTable();
    m_impl->Replot();
}

void ChartBinding::UpdateStyle()
{
    for (const YAxis* axis : m_axes)
        axis->ApplyToChart(*this);
    m_style.ApplyToChart(*this);
    if (m_impl->overlapping != m_style.OverLappingAxes()) {
        m_impl->overlapping = m_style.OverLappingAxes();
        m_impl->Rebuild();
    }
    m_impl->tableModel->SetSeriesNames(SeriesNames());
    m_impl->Replot();
}

void ChartBinding::RedrawNow()
{
    m_impl->ReloadPending();
    m_impl->plot->replot(QCustomPlot::rpImmediateRefresh);
}

QString ChartBinding::MainTitle() const
{
    return m_impl->scene->MainTitle()->text();
}

void ChartBinding::setMainTitle(const QString& title)
{
    m_automaticTitles = false;
    SetTitleTexts(title, SubTitle());
}

QString ChartBinding::SubTitle() const
{
    return m_impl->scene->SubTitle()->text();
}

void ChartBinding::setSubTitle(const QString& title)
{
    m_automaticTitles = false;
    SetTitleTexts(MainTitle(), title);
}

void ChartBinding::SetTitleTexts(const QString& main, const QString& sub)
{
    m_impl->scene->SetTitles(main, sub);
    m_impl->Replot();
    Q_EMIT TitlesChanged();
}

void ChartBinding::setFooter(const QString& footer)
{
    m_footer = NormalizedFooter(footer);
    const QStringList parts = FooterParts(m_footer);
    for (int i = 0; i < 3; ++i)
        m_impl->scene->FooterPart(i)->setText(parts.at(i));
    m_impl->Replot();
}

void ChartBinding::setDeskColor(qint32 color)
{
    m_deskColor = color;
    m_impl->plot->setBackground(ToQColor(color));
    m_impl->Replot();
}

void ChartBinding::setZoomed(bool zoomed)
{
    if (zoomed)
        return;
    const bool wasZoomed = m_zoomed;
    SetPointsShown(m_style.PointsToGraph());
    if (wasZoomed)
        Q_EMIT ZoomChanged();
}

QString ChartBinding::TimeLabelFormat() const
{
    return TimeLabelFormatFor(m_pollInterval, m_style.IncludeAMPM());
}

QString ChartBinding::CommonTargetValue(const QString& field) const
{
    return ::CommonTargetValue(Names(), field);
}

void ChartBinding::ShowCustomizeDialog()
{
    Q_EMIT CustomizeRequested(1);
}

int ChartBinding::SeriesCount() const
{
    return m_impl->window.SeriesCount();
}

double ChartBinding::PointValue(int subset, int column) const
{
    return m_impl->window.Value(subset, m_impl->window.KeyOf(column));
}

QString ChartBinding::PointLabel(int column) const
{
    return m_impl->window.Label(m_impl->window.KeyOf(column));
}

std::pair<double, double> ChartBinding::AxisScale(int axis) const
{
    if (axis < 0 || size_t(axis) >= m_impl->axes.size())
        return {0.0, 0.0};
    return {m_impl->axes[size_t(axis)].minimum, m_impl->axes[size_t(axis)].maximum};
}

int ChartBinding::PlotAreaCount() const
{
    return m_impl->scene->RectCount();
}

QCustomPlot* ChartBinding::Plot() const
{
    return m_impl->plot;
}
