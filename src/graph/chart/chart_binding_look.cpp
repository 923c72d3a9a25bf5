// How the chart applies what it was told: structure rebuilds, axis and series looks, colours,
// fonts, grid, and the tick spacing for the size it is drawn at.

#include "chart_binding.h"

#include "chart_binding_impl.h"
#include "chart_texts.h"
#include "series_pen.h"

#include <rgb_color.h>

namespace {

// Point sizes of the label font for the font size codes 0 (large), 1 (medium), 2 (small).
int BaseFontSize(int code)
{
    return code == 0 ? 11 : code == 2 ? 8 : 9;
}

void PaintAxis(QCPAxis* axis, const QColor& color)
{
    axis->setBasePen(QPen(color));
    axis->setTickPen(QPen(color));
    axis->setSubTickPen(QPen(color));
    axis->setTickLabelColor(color);
    axis->setLabelColor(color);
}

} // namespace

AxisState& ChartBinding::Impl::AxisAt(int axis)
{
    if (axis < 0)
        axis = 0;
    if (size_t(axis) >= axes.size())
        axes.resize(size_t(axis) + 1);
    return axes[size_t(axis)];
}

SeriesState& ChartBinding::Impl::SeriesAt(int subset)
{
    if (subset < 0)
        subset = 0;
    if (size_t(subset) >= series.size())
        series.resize(size_t(subset) + 1);
    return series[size_t(subset)];
}

void ChartBinding::Impl::DropSeries()
{
    scene->Legend()->clearItems();
    axisPlots.clear();
}

void ChartBinding::Impl::Rebuild()
{
    DropSeries();
    std::vector<bool> horizontal;
    for (const AxisState& axis : axes)
        horizontal.push_back(IsHorizontalMethod(axis.methodCode));
    scene->Build(horizontal, overlapping);
    axisPlots.resize(axes.size());
    // Filled methods first: what is drawn later lies on top, and lines must not vanish under areas.
    for (bool filled : {true, false}) {
        for (size_t i = 0; i < axes.size(); ++i) {
            if (AxisPlot::IsFilled(axes[i].methodCode) == filled)
                axisPlots[i] = std::make_unique<AxisPlot>(plot, scene->Axis(int(i)), axes[i].methodCode,
                                                          axes[i].subsets);
        }
    }
    reload.assign(axes.size(), true);
    owner.m_zoomed = false;
    for (size_t i = 0; i < axes.size(); ++i)
        ApplyAxisLook(int(i));
    for (size_t i = 0; i < series.size(); ++i)
        ApplySeriesLook(int(i));
    ApplyColors();
    ApplyFonts();
    ApplyGrid();
    ApplyAntialiasing();
    ScrollToNewest();
    Replot();
}

void ChartBinding::Impl::ResetWindow(int seriesCount)
{
    window.Reset(seriesCount);
    ForgetLoads();
    changedFrom.assign(size_t(window.SeriesCount()), Unchanged);
}

void ChartBinding::Impl::ForgetLoads()
{
    loads.assign(size_t(window.SeriesCount()), LoadState());
}

int ChartBinding::Impl::EntriesToLoad(int subset, quint64 historyWrites, double magnitude) const
{
    if (subset < 0 || size_t(subset) >= loads.size() || !loads[size_t(subset)].valid)
        return ChartBinding::Points;
    const LoadState& last = loads[size_t(subset)];
    const qint64 appended = window.NewestKey() - last.newestKey;
    if (last.magnitude != magnitude || appended < 0 || appended >= ChartBinding::Points ||
        historyWrites - last.historyWrites != quint64(appended))
        return ChartBinding::Points;
    return int(appended);
}

void ChartBinding::Impl::Loaded(int subset, quint64 historyWrites, double magnitude)
{
    if (subset >= 0 && size_t(subset) < loads.size())
        loads[size_t(subset)] = {historyWrites, window.NewestKey(), magnitude, true};
}

void ChartBinding::Impl::MarkChanged(int subset, int axis, qint64 oldestKey)
{
    if (subset >= 0 && size_t(subset) < changedFrom.size())
        changedFrom[size_t(subset)] = std::min(changedFrom[size_t(subset)], oldestKey);
    if (axis >= 0 && size_t(axis) >= changedAxis.size())
        changedAxis.resize(size_t(axis) + 1, false);
    if (axis >= 0)
        changedAxis[size_t(axis)] = true;
}

void ChartBinding::Impl::ReloadPending()
{
    bool any = false;
    for (size_t i = 0; i < axisPlots.size(); ++i) {
        const bool whole = i < reload.size() && reload[i];
        const bool tails = i < changedAxis.size() && changedAxis[i];
        if (!whole && !tails)
            continue;
        if (whole)
            axisPlots[i]->Reload(window, scene->ColumnRange());
        else
            axisPlots[i]->ReloadChanged(window, scene->ColumnRange(), changedFrom);
        for (int subset : axisPlots[i]->Subsets()) {
            if (subset >= 0 && size_t(subset) < changedFrom.size())
                changedFrom[size_t(subset)] = Unchanged;
        }
        if (i < reload.size())
            reload[i] = false;
        if (i < changedAxis.size())
            changedAxis[i] = false;
        any = true;
    }
    if (any)
        RefreshPointTable();
}

void ChartBinding::Impl::RefreshPointTable()
{
    if (!table->isHidden())
        tableModel->Refresh();
}

QCPRange ChartBinding::Impl::NewestRange() const
{
    const double newest = double(window.NewestKey());
    return QCPRange(newest - owner.m_pointsShown + 0.5, newest + 0.5);
}

void ChartBinding::Impl::ScrollToNewest()
{
    scene->SetColumnRange(NewestRange());
}

void ChartBinding::Impl::RestoreScales()
{
    for (size_t i = 0; i < axes.size() && int(i) < scene->AxisCount(); ++i)
        scene->Axis(int(i)).valueAxis->setRange(axes[i].minimum, axes[i].maximum);
}

void ChartBinding::Impl::Replot()
{
    plot->replot(QCustomPlot::rpQueuedReplot);
}

int ChartBinding::Impl::SubsetOf(const QCPAbstractPlottable* plottable) const
{
    for (const auto& axisPlot : axisPlots) {
        const int subset = axisPlot->SubsetOf(plottable);
        if (subset >= 0)
            return subset;
    }
    return -1;
}

void ChartBinding::Impl::ApplyAxisLook(int index)
{
    if (index < 0 || index >= scene->AxisCount() || size_t(index) >= axes.size())
        return;
    const AxisState& state = axes[size_t(index)];
    const AxisView& view = scene->Axis(index);
    view.valueAxis->setLabel(state.title);
    PaintAxis(view.valueAxis, ToQColor(state.color));
    view.ticker->setFormatter(ScaleFormatter(state.format, decimals));
    if (!owner.m_zoomed)
        view.valueAxis->setRange(state.minimum, state.maximum);
    Replot();
}

void ChartBinding::Impl::ApplySeriesLook(int subset)
{
    if (subset < 0 || size_t(subset) >= series.size())
        return;
    const SeriesState& state = series[size_t(subset)];
    SeriesLook look;
    look.label = state.label;
    look.color = ToQColor(state.color);
    look.lineTypeCode = state.lineTypeCode;
    look.markPoints = markPoints;
    look.thin = ManySeries();
    for (auto& axisPlot : axisPlots)
        axisPlot->SetLook(subset, look, scene->Legend());
    bool labelled = false;
    for (const SeriesState& other : series)
        labelled = labelled || !other.label.isEmpty();
    scene->ShowLegend(labelled);
    Replot();
}

void ChartBinding::Impl::ApplyGrid()
{
    QColor color = colors[int(ColorRole::GraphFore)];
    color.setAlpha(90);
    for (QCPAxis* axis : scene->GridAxes()) {
        const bool across = axis->orientation() == Qt::Horizontal;
        axis->grid()->setVisible(gridCode == 0 || gridCode == (across ? 2 : 1));
        axis->grid()->setPen(QPen(color, 1, Qt::DotLine));
        axis->grid()->setZeroLinePen(QPen(color, 1, Qt::SolidLine));
    }
    plot->moveLayer(plot->layer(QStringLiteral("grid")), plot->layer(QStringLiteral("main")),
                    gridInFront ? QCustomPlot::limAbove : QCustomPlot::limBelow);
    Replot();
}

void ChartBinding::Impl::ApplyColors()
{
    const QColor text = colors[int(ColorRole::Text)];
    plot->setBackground(colors[int(ColorRole::Desk)]);
    for (QCPTextElement* element : {scene->MainTitle(), scene->SubTitle(), scene->FooterPart(0),
                                    scene->FooterPart(1), scene->FooterPart(2)})
        element->setTextColor(text);
    scene->Legend()->setTextColor(text);
    scene->Legend()->setBrush(colors[int(ColorRole::GraphBack)]);
    scene->Legend()->setBorderPen(QPen(colors[int(ColorRole::Shadow)]));
    for (QCPAxisRect* rect : plot->axisRects())
        rect->setBackground(colors[int(ColorRole::GraphBack)]);
    for (QCPAxis* axis : scene->ColumnAxes())
        PaintAxis(axis, colors[int(ColorRole::GraphFore)]);
    tableModel->SetColors(colors[int(ColorRole::TableFore)], colors[int(ColorRole::TableBack)]);
    ApplyGrid();
}

void ChartBinding::Impl::ApplyFonts()
{
    const int size = BaseFontSize(owner.m_fontSizeCode);
    const auto font = [this](FontRole role, int points) { return QFont(fonts[int(role)], points); };
    QFont title = font(FontRole::MainTitle, size + 5);
    title.setBold(true);
    scene->MainTitle()->setFont(title);
    scene->SubTitle()->setFont(font(FontRole::SubTitle, size + 2));
    const QFont label = font(FontRole::Label, size);
    for (int i = 0; i < 3; ++i)
        scene->FooterPart(i)->setFont(label);
    scene->Legend()->setFont(label);
    for (QCPAxisRect* rect : plot->axisRects()) {
        for (QCPAxis* axis : rect->axes()) {
            axis->setTickLabelFont(label);
            axis->setLabelFont(label);
        }
    }
    const int rotation[] = {0, -90, 0, -45};
    for (QCPAxis* axis : scene->ColumnAxes())
        axis->setTickLabelRotation(orientationCode >= 0 && orientationCode < 4 ? rotation[orientationCode]
                                                                               : 0);
    table->setFont(font(FontRole::Table, size));
    Replot();
}

void ChartBinding::Impl::ApplyTableStyle()
{
    plot->setVisible(tableStyle != 1);
    table->setVisible(tableStyle == 1 || tableStyle == 2);
    tableModel->Refresh();
    Replot();
}

bool ChartBinding::Impl::ManySeries() const
{
    return series.size() > 20;
}

void ChartBinding::Impl::ApplyAntialiasing()
{
    // Smooth or wide lines cost several times more to draw than thin hard ones: with many series
    // nobody sees the difference, but the redraw would take longer than a frame. Wide lines draw
    // faster segment by segment, thin ones as one polyline.
    const QCP::AntialiasedElements heavy = QCP::aePlottables | QCP::aeFills | QCP::aeScatters;
    plot->setAntialiasedElements(QCP::aeNone);
    plot->setNotAntialiasedElements(ManySeries() ? heavy : QCP::aeNone);
    plot->setPlottingHints(ManySeries() ? QCP::PlottingHints(QCP::phCacheLabels)
                                        : QCP::phFastPolylines | QCP::phCacheLabels);
}

int ChartBinding::Impl::AxisLength(const QCPAxis* axis, const QSize& size) const
{
    // Axes and legend beside a plot area keep their width when the chart is drawn wider; stacked
    // areas share the height.
    const QRect area = axis->axisRect()->rect();
    const bool across = axis->orientation() == Qt::Horizontal;
    int length = across ? size.width() - (plot->width() - area.width())
                        : area.height() * size.height() / std::max(1, plot->height());
    if (area.isEmpty() || length <= 0)
        length = (across ? size.width() : size.height()) / 2;
    return length;
}

void ChartBinding::Impl::FitTicks(const QSize& size)
{
    scene->ArrangeLegend(size.width());
    if (!scene->ColumnAxes().isEmpty()) {
        const QCPAxis* axis = scene->ColumnAxes().front();
        const QFontMetrics metrics(axis->tickLabelFont());
        const double rotation = std::abs(axis->tickLabelRotation());
        int extent =
            metrics.horizontalAdvance(FormatTimeLabel(QTime(12, 59, 59), owner.TimeLabelFormat())) + 16;
        if (axis->orientation() == Qt::Vertical || rotation >= 80)
            extent = metrics.height() + 8;
        else if (rotation >= 30)
            extent = metrics.height() * 3 / 2 + 8;
        scene->ColumnTickerShared()->setTickCount(std::max(2, AxisLength(axis, size) / extent));
    }
    // Scale labels side by side need their own width; stacked one above the other, two lines each.
    for (int i = 0; i < scene->AxisCount(); ++i) {
        const AxisView& view = scene->Axis(i);
        const QFontMetrics metrics(view.valueAxis->tickLabelFont());
        const int extent =
            view.horizontal
                ? metrics.horizontalAdvance(view.ticker->formatter().Format(view.valueAxis->range().upper)) +
                      20
                : metrics.height() * 2;
        view.ticker->setTickCount(qBound(2, AxisLength(view.valueAxis, size) / extent, 6));
    }
}
