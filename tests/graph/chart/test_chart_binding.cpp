#include "chart_fixture.h"

#include <rgb_color.h>

#include <QMouseEvent>
#include <QSignalSpy>
#include <QTableView>
#include <QTest>
#include <cmath>

namespace {

// Shows the chart, drawn, and returns its plot.
QCustomPlot* Shown(ChartBinding& chart)
{
    chart.show();
    EXPECT_TRUE(QTest::qWaitForWindowExposed(&chart));
    chart.RedrawNow();
    return chart.Plot();
}

} // namespace

using ChartBindingTest = ChartTest;

TEST_F(ChartBindingTest, SeriesAreNumberedAxisByAxisAndGetPaletteColours)
{
    TargetOID* a = Add("bps");
    TargetOID* b = Add("pkts");
    TargetOID* c = Add("bps");
    b->setColor(RGBColor(1, 2, 3));
    chart.ResetChart();
    EXPECT_EQ(QList<int>({a->Subset(), c->Subset(), b->Subset(), chart.SeriesCount()}),
              QList<int>({0, 1, 2, 3}));
    // Targets without a colour (-1, as the collection adds them) take the next palette colours.
    EXPECT_EQ(QList<qint32>({a->Color(), b->Color(), c->Color()}),
              QList<qint32>({style.SubsetColor(0), RGBColor(1, 2, 3), style.SubsetColor(1)}));
    // InitChart starts over: automatic titles, the style's defaults, one empty series.
    style.setPointsToGraph(250);
    chart.setMainTitle("x");
    chart.InitChart();
    EXPECT_TRUE(chart.AutomaticTitles() && chart.SeriesCount() == 1);
    EXPECT_EQ(QList<int>({chart.PointsShown(), style.PointsToGraph()}),
              QList<int>(2, ChartStyle().PointsToGraph()));
    EXPECT_TRUE(std::isnan(chart.PointValue(0, ChartBinding::Points - 1)));
}

TEST_F(ChartBindingTest, ScalesComeFromTheAxesInPlottedUnitsAndStackedAxesGetAnAreaEach)
{
    TargetOID* fast = Add("bps");
    fast->RecordResponse(3e6); // data max over 1,600,000: scale to 10,000,000 in millions
    TargetOID* fixed = Add("pkts");
    chart.ResetChart();
    EXPECT_EQ(chart.AxisScale(0), std::make_pair(-1e-6, 10.0));
    EXPECT_DOUBLE_EQ(chart.PointValue(fast->Subset(), 499), 3.0);
    // A fixed minimum of -20000 is "no minimum": the chart starts at 0.
    YAxis* axis = axes.Item("A:1");
    axis->setFixedScales(true);
    axis->setFixedMin(-20000);
    axis->setFixedMax(80);
    chart.RefreshChart(true);
    EXPECT_EQ(chart.AxisScale(1), std::make_pair(0.0, 80.0));
    EXPECT_TRUE(std::isnan(chart.PointValue(fixed->Subset(), 499)));
    const auto areas = [&](bool overlapping) {
        style.setOverLappingAxes(overlapping);
        chart.UpdateStyle();
        return chart.PlotAreaCount();
    };
    EXPECT_EQ(QList<int>({chart.PlotAreaCount(), areas(false), areas(true)}), QList<int>({1, 2, 1}));
}

TEST_F(ChartBindingTest, HistoryFillsTheNewestColumnsAndAppendShiftsByOne)
{
    TargetOID* a = Add("bps");
    TargetOID* b = Add("bps");
    for (double value : {10.0, 30.0}) {
        clock.advanceSeconds(10);
        a->RecordResponse(value);
    }
    chart.ResetChart();
    EXPECT_EQ(QList<double>({chart.PointValue(0, 499), chart.PointValue(0, 498)}), QList<double>({30, 10}));
    EXPECT_TRUE(std::isnan(chart.PointValue(0, 497)));
    EXPECT_EQ(QStringList({chart.PointLabel(499), chart.PointLabel(498), chart.PointLabel(497)}),
              QStringList({"21:05:27", "21:05:17", ""}));
    for (int i = 1; i <= 600; ++i) {
        clock.advanceSeconds(1);
        a->RecordResponse(i);
        chart.AppendPoint();
    }
    // b never answered: its value is the no-data marker, which must not be drawn as a number.
    EXPECT_EQ(b->Value(), ChartBinding::NoValue);
    EXPECT_EQ(QList<double>({chart.PointValue(0, 499), chart.PointValue(0, 0)}), QList<double>({600, 101}));
    EXPECT_TRUE(std::isnan(chart.PointValue(1, 499)) && std::isnan(chart.PointValue(1, 0)) &&
                std::isnan(chart.PointValue(0, 500)));
    EXPECT_EQ(chart.PointLabel(499) + ' ' + chart.PointLabel(0), "21:15:27 21:07:08");
}

TEST_F(ChartBindingTest, StyleAxisAndSeriesSettingsReachThePlot)
{
    TargetOID* target = Add("bps");
    target->setLabel("uplink");
    target->setColor(RGBColor(10, 200, 30));
    target->setLineStyle(LINESTYLE_SOLID_4);
    chart.ResetChart();
    axes.At(0)->setLabel("traffic");
    axes.At(0)->setColor(RGBColor(0, 0, 150));
    style.setGraphBackColor(RGBColor(250, 250, 200));
    style.setPointLabelOrientation(POINT_LABEL_VERTICAL);
    style.setFontSize(FONT_LARGE);
    chart.UpdateStyle();
    QCPAxisRect* rect = chart.Plot()->axisRect();
    EXPECT_EQ(rect->backgroundBrush().color(), QColor(250, 250, 200));
    QCPAxis *valueAxis = nullptr, *timeAxis = nullptr;
    for (QCPAxis* axis : rect->axes()) {
        valueAxis = axis->label() == QLatin1String("traffic") ? axis : valueAxis;
        timeAxis = axis->visible() && axis->orientation() == Qt::Horizontal ? axis : timeAxis;
    }
    ASSERT_TRUE(valueAxis && timeAxis);
    EXPECT_EQ(valueAxis->basePen().color(), QColor(0, 0, 150));
    EXPECT_EQ(timeAxis->tickLabelRotation(), -90);
    const int large = timeAxis->tickLabelFont().pointSize();
    const auto grids = [&](GridStyles grid) {
        style.setGridStyle(grid);
        style.setFontSize(FONT_SMALL);
        chart.UpdateStyle();
        return QString(QLatin1Char(timeAxis->grid()->visible() ? 'x' : '-')) +
               QLatin1Char(valueAxis->grid()->visible() ? 'y' : '-');
    };
    EXPECT_EQ(grids(GRID_XAXIS) + grids(GRID_YAXIS) + grids(GRID_BOTH) + grids(GRID_NONE), "x--yxy--");
    EXPECT_LT(timeAxis->tickLabelFont().pointSize(), large);
    QCPGraph* graph = Graph("uplink");
    ASSERT_NE(graph, nullptr);
    EXPECT_EQ(graph->pen(), QPen(QColor(10, 200, 30), 4));
    // The desk colour set on the chart is its own until the style is applied again.
    const qint32 styleColor = style.DeskColor();
    chart.setDeskColor(RGBColor(10, 20, 30));
    EXPECT_EQ(chart.Image(40, 30).pixelColor(1, 1), QColor(10, 20, 30));
    chart.UpdateStyle();
    EXPECT_TRUE(style.DeskColor() == styleColor && chart.DeskColor() == styleColor);
}

TEST_F(ChartBindingTest, MouseDragZoomsTitleClickCustomisesDoubleClickActivates)
{
    Add("bps");
    TargetOID* target = Add("bps");
    target->setColor(RGBColor(255, 0, 0));
    target->setLineStyle(LINESTYLE_SOLID_3);
    chart.ResetChart();
    for (int i = 0; i < 120; ++i) {
        target->RecordResponse(400);
        chart.AppendPoint();
    }
    chart.RefreshChart(true);
    QCustomPlot* plot = Shown(chart);
    QSignalSpy zoom(&chart, &ChartBinding::ZoomChanged);
    QSignalSpy customize(&chart, &ChartBinding::CustomizeRequested);
    QSignalSpy activated(&chart, &ChartBinding::SeriesActivated);
    const QPoint from(plot->width() / 3, plot->height() / 3), to(plot->width() / 2, plot->height() / 2);
    QTest::mouseClick(plot, Qt::LeftButton, Qt::NoModifier, QPoint(plot->width() / 2, 10));
    ASSERT_EQ(customize, QList<QVariantList>({{1}}));
    // Double-click the flat red line in the middle of the picture.
    const QImage picture = plot->grab().toImage();
    const int x = picture.width() / 2;
    int y = 0;
    while (y < picture.height() && picture.pixelColor(x, y) != QColor(255, 0, 0))
        ++y;
    ASSERT_LT(y, picture.height());
    QTest::mouseDClick(plot, Qt::LeftButton, Qt::NoModifier, QPoint(x, y + 1));
    ASSERT_EQ(activated, QList<QVariantList>({{target->Subset()}}));
    QSignalSpy mouse(&chart, &ChartBinding::MouseDown);
    const auto drag = [&] {
        QTest::mousePress(plot, Qt::LeftButton, Qt::ShiftModifier, from);
        QMouseEvent move(QEvent::MouseMove, QPointF(to), plot->mapToGlobal(QPointF(to)), Qt::NoButton,
                         Qt::LeftButton, Qt::ShiftModifier);
        QApplication::sendEvent(plot, &move);
        QTest::mouseRelease(plot, Qt::LeftButton, Qt::ShiftModifier, to);
    };
    drag();
    ASSERT_EQ(mouse.count(), 1);
    EXPECT_EQ(QList<float>({float(mouse.at(0).at(0).value<qint16>()),
                            float(mouse.at(0).at(1).value<qint16>()), mouse.at(0).at(2).toFloat()}),
              QList<float>({1, 1, float(from.x())}))
        << "left button, shift, where it was pressed";
    EXPECT_TRUE(chart.Zoomed());
    chart.setZoomed(false);
    EXPECT_TRUE(!chart.Zoomed() && zoom.count() == 2);
    drag();
    ASSERT_TRUE(chart.Zoomed());
    style.setPointsToGraph(300); // a new number of points ends a zoom as well
    chart.UpdateStyle();
    EXPECT_FALSE(chart.Zoomed());
    EXPECT_EQ(customize.count(), 1) << "a drag is no click";
}

TEST_F(ChartBindingTest, TableStyleShowsThePlottedPointsInsteadOfOrBesideThePlot)
{
    Add("bps")->RecordResponse(7);
    chart.ResetChart();
    QCustomPlot* plot = Shown(chart);
    auto* table = chart.findChild<QTableView*>();
    ASSERT_NE(table, nullptr);
    const auto shown = [&](TableStyles tableStyle) {
        style.setTableStyle(tableStyle);
        chart.UpdateStyle();
        return QString(plot->isVisible() ? "plot" : "") + (table->isVisible() ? "table" : "");
    };
    EXPECT_EQ(shown(TABLESTYLE_GRAPH) + ' ' + shown(TABLESTYLE_BOTH) + ' ' + shown(TABLESTYLE_TABLE),
              "plot plottable table");
    EXPECT_EQ(table->model()->rowCount(), chart.PointsShown());
    EXPECT_EQ(table->model()->index(0, 1).data().toString(), QLocale().toString(7.0, 'f', 2));
}

TEST_F(ChartBindingTest, ReloadsAfterSkippedWorkMatchTheHistoryPointForPoint)
{
    // Loads write only what changed since the last one; whatever path the cycles took, a full
    // refresh must leave every point, in the window and on the plot, as the history has it.
    const QString host = "h", ip = "10.0.0.1", object = "ifInOctets";
    TargetOID* steady = Add(host, ip, object, "steady");
    TargetOID* growing = Add(host, ip, object, "growing");
    TargetOID* gappy = Add(host, ip, object, "gappy", "pkts");
    chart.ResetChart();
    const auto same = [](double a, double b) { return a == b || (std::isnan(a) && std::isnan(b)); };
    const auto check = [&](int cycle) {
        chart.RefreshChart(false);
        chart.RedrawNow();
        for (const TargetOID* target : {steady, growing, gappy}) {
            const double magnitude = axes.At(target == gappy ? 1 : 0)->Magnitude();
            QCPGraph* graph = Graph(target->Label());
            ASSERT_NE(graph, nullptr);
            for (int i = 0; i < ChartBinding::Points; ++i) {
                const double history = target->History(i);
                const double expected = history == ChartBinding::NoValue ? NAN : history / magnitude;
                const int column = ChartBinding::Points - 1 - i;
                ASSERT_TRUE(same(chart.PointValue(target->Subset(), column), expected))
                    << "cycle " << cycle << " entry " << i << " of " << target->Label().toStdString();
                auto point = graph->data()->findBegin(graph->data()->at(column)->key, false);
                ASSERT_TRUE(same(point->value, expected)) << "cycle " << cycle << " entry " << i;
            }
        }
    };
    for (int cycle = 1; cycle <= 40; ++cycle) {
        clock.advanceSeconds(10);
        steady->RecordResponse(1000.5);
        growing->RecordResponse(std::pow(3.0, cycle) + 0.25); // crosses the scale bands
        if (cycle % 3 != 0)
            gappy->RecordResponse(cycle); // no answer every third cycle
        if (cycle == 20)
            gappy->setConversion("*2"); // starts its history over
        chart.AppendPoint();
        chart.RefreshChart(true);
        if (cycle % 7 == 0 || cycle == 20 || cycle == 40)
            check(cycle);
    }
}

TEST_F(ChartBindingTest, LegendPictureFollowsLabelsAndColours)
{
    // The legend is drawn once and reused; a changed label or colour must still show.
    Add("h1", "10.0.0.1", "ifInOctets", "a");
    Add("h2", "10.0.0.2", "ifInOctets", "b");
    chart.ResetChart();
    chart.show();
    const auto legend = [&] {
        chart.RedrawNow();
        return chart.Plot()->grab(chart.Plot()->legend->outerRect()).toImage();
    };
    const QImage before = legend();
    EXPECT_EQ(legend(), before);
    chart.SetSeriesLabel(0, "another label");
    const QImage relabelled = legend();
    chart.SetSeriesColor(1, RGBColor(250, 0, 0));
    EXPECT_TRUE(relabelled != before && legend() != relabelled);
}
