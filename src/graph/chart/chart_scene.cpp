#include "chart_scene.h"

#include "chart_legend.h"

namespace {

QCPTextElement* NewText(QCustomPlot* plot, int flags)
{
    auto* text = new QCPTextElement(plot);
    text->setTextFlags(flags);
    return text;
}

} // namespace

ChartScene::ChartScene(QCustomPlot* plot, ColumnTicker::LabelLookup labels)
    : QObject(plot), m_plot(plot), m_columnTicker(new ColumnTicker(std::move(labels)))
{
    QCPLayoutGrid* layout = plot->plotLayout();
    layout->clear(); // the default area and legend
    m_mainTitle = NewText(plot, Qt::AlignCenter);
    m_subTitle = NewText(plot, Qt::AlignCenter);
    m_rects = new QCPLayoutGrid;
    m_rects->setRowSpacing(6);
    m_legend = new ChartLegend;
    m_legend->setFillOrder(QCPLegend::foColumnsFirst);
    auto* footer = new QCPLayoutGrid;
    const int flags[3] = {Qt::AlignLeft | Qt::AlignVCenter, Qt::AlignCenter,
                          Qt::AlignRight | Qt::AlignVCenter};
    for (int i = 0; i < 3; ++i) {
        m_footer[i] = NewText(plot, flags[i]);
        footer->addElement(0, i, m_footer[i]);
    }
    layout->addElement(0, 0, m_mainTitle);
    layout->addElement(1, 0, m_subTitle);
    layout->addElement(2, 0, m_rects);
    layout->addElement(3, 0, m_legend);
    layout->addElement(4, 0, footer);
    layout->setRowStretchFactors({0.001, 0.001, 1, 0.001, 0.001});
    layout->setRowSpacing(0);
    m_legend->setLayer(QStringLiteral("legend"));
    plot->legend = m_legend;
    plot->setAutoAddPlottableToLegend(false);
}

void ChartScene::SetTitles(const QString& main, const QString& sub)
{
    m_mainTitle->setText(main);
    m_subTitle->setText(sub);
    ShowInRow(0, m_mainTitle, !main.isEmpty());
    ShowInRow(1, m_subTitle, !sub.isEmpty());
}

void ChartScene::ShowInRow(int row, QCPLayoutElement* element, bool show)
{
    // Hidden elements still count in a layout grid (an empty legend would even cap the width of
    // the whole column at its own), so an unused element leaves the layout.
    QCPLayoutGrid* layout = m_plot->plotLayout();
    const bool shown = layout->hasElement(row, 0) && layout->element(row, 0) == element;
    if (show && !shown)
        layout->addElement(row, 0, element);
    else if (!show && shown)
        layout->take(element);
    element->setVisible(show); // out of the layout it would still be drawn where it was
}

void ChartScene::Build(const std::vector<bool>& horizontal, bool overlapping)
{
    m_plot->clearPlottables();
    m_rects->clear();
    delete m_marginGroup;
    m_marginGroup = new QCPMarginGroup(m_plot);
    m_axes.assign(horizontal.size(), AxisView());
    m_columnAxes.clear();
    m_gridAxes.clear();
    m_overlapping = overlapping;
    std::vector<std::vector<int>> groups;
    for (int i = 0; i < int(horizontal.size()); ++i) {
        if (overlapping && !groups.empty())
            groups.front().push_back(i);
        else
            groups.push_back({i});
    }
    if (groups.empty())
        groups.push_back({});
    for (size_t g = 0; g < groups.size(); ++g)
        BuildRect(groups[g], horizontal, g + 1 == groups.size());
    m_rectCount = int(groups.size());
}

QCPAxis* ChartScene::NextAxis(QCPAxisRect* rect, const std::vector<QCPAxis::AxisType>& sides, int& used)
{
    // Alternate sides; the rect's own first axis on each side is used before new ones are added.
    const QCPAxis::AxisType side = sides[size_t(used) % sides.size()];
    const int onSide = used / int(sides.size());
    ++used;
    QCPAxis* axis = onSide < rect->axisCount(side) ? rect->axis(side, onSide) : rect->addAxis(side);
    axis->setVisible(true);
    return axis;
}

void ChartScene::BuildRect(const std::vector<int>& axes, const std::vector<bool>& horizontal, bool last)
{
    auto* rect = new QCPAxisRect(m_plot, true);
    m_rects->addElement(m_rects->rowCount(), 0, rect);
    rect->setMarginGroup(QCP::msLeft | QCP::msRight, m_marginGroup);
    // Room for half of the top tick label when no title sits above.
    rect->setMinimumMargins(QMargins(10, 12, 10, 10));
    for (QCPAxis* axis : rect->axes())
        axis->setVisible(false);
    bool allHorizontal = !axes.empty();
    for (int index : axes)
        allHorizontal = allHorizontal && horizontal[size_t(index)];
    // The column axis runs along the bottom, or up the left side when every series lies flat.
    QCPAxis* columns = rect->axis(allHorizontal ? QCPAxis::atLeft : QCPAxis::atBottom);
    columns->setVisible(true);
    AddColumnAxis(columns, last || allHorizontal);
    m_gridAxes.append(columns);
    QCPAxis* hiddenColumns = nullptr;
    int verticalUsed = 0;
    int horizontalUsed = 0;
    for (int index : axes) {
        AxisView& view = m_axes[size_t(index)];
        view.rect = rect;
        view.horizontal = horizontal[size_t(index)];
        if (!view.horizontal) {
            view.valueAxis = NextAxis(rect, {QCPAxis::atLeft, QCPAxis::atRight}, verticalUsed);
            view.keyAxis = columns;
        } else if (allHorizontal) {
            view.valueAxis = NextAxis(rect, {QCPAxis::atBottom, QCPAxis::atTop}, horizontalUsed);
            view.keyAxis = columns;
        } else {
            // Flat bars among upright series: values along the top, columns on an unseen axis.
            view.valueAxis = NextAxis(rect, {QCPAxis::atTop}, horizontalUsed);
            if (!hiddenColumns) {
                hiddenColumns = rect->addAxis(QCPAxis::atRight);
                hiddenColumns->setVisible(false);
                AddColumnAxis(hiddenColumns, false);
            }
            view.keyAxis = hiddenColumns;
        }
        view.ticker.reset(new ScaleTicker);
        view.valueAxis->setTicker(view.ticker);
        view.valueAxis->setSubTicks(false);
        if (index == axes.front())
            m_gridAxes.append(view.valueAxis);
    }
    if (axes.empty())
        m_gridAxes.append(rect->axis(QCPAxis::atLeft));
    for (QCPAxis* axis : rect->axes())
        axis->grid()->setVisible(false);
    rect->setRangeZoomAxes(rect->axes());
}

void ChartScene::AddColumnAxis(QCPAxis* axis, bool labelled)
{
    axis->setTicker(m_columnTicker);
    axis->setTickLabels(labelled);
    axis->setSubTicks(false);
    if (!m_columnAxes.isEmpty())
        axis->setRange(m_columnAxes.front()->range());
    m_columnAxes.append(axis);
    connect(axis, qOverload<const QCPRange&>(&QCPAxis::rangeChanged), this,
            [this](const QCPRange& range) { SetColumnRange(range); });
}

void ChartScene::SetColumnRange(const QCPRange& range)
{
    if (m_syncing)
        return;
    m_syncing = true;
    for (QCPAxis* axis : m_columnAxes)
        axis->setRange(range);
    m_syncing = false;
    Q_EMIT ColumnRangeChanged(range);
}

QCPRange ChartScene::ColumnRange() const
{
    return m_columnAxes.isEmpty() ? QCPRange() : m_columnAxes.front()->range();
}

void ChartScene::ArrangeLegend(int plotWidth)
{
    int widest = 1;
    for (int i = 0; i < m_legend->itemCount(); ++i) {
        // Cells of a wrapped legend that hold no entry count as items too.
        if (const QCPAbstractLegendItem* item = m_legend->item(i))
            widest = std::max(widest, item->minimumOuterSizeHint().width());
    }
    const int columns = std::max(1, (plotWidth - 20) / (widest + m_legend->columnSpacing()));
    if (m_legend->wrap() == columns && m_legend->columnCount() <= columns)
        return;
    // A new wrap applies to entries added later; setting the fill order again re-flows the others.
    m_legend->setWrap(columns);
    m_legend->setFillOrder(QCPLegend::foColumnsFirst, true);
}

int ChartScene::CustomizePageAt(const QPointF& position) const
{
    for (QCPTextElement* text : {m_mainTitle, m_subTitle, m_footer[0], m_footer[1], m_footer[2]}) {
        if (text->realVisibility() && text->selectTest(position, false) >= 0)
            return 1;
    }
    for (QCPAxisRect* rect : m_plot->axisRects()) {
        for (QCPAxis* axis : rect->axes()) {
            if (axis->realVisibility() && axis->selectTest(position, false) >= 0)
                return 3;
        }
    }
    return 0;
}
