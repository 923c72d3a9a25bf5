#include <axis_plot.h>
#include <column_window.h>
#include <plot_math.h>
#include <point_table_model.h>
#include <scale_formatter.h>
#include <series_pen.h>
#include <target_oid.h>
#include <y_axis.h>

#include <QAbstractItemModelTester>
#include <QSet>
#include <cmath>
#include <gtest/gtest.h>
#include <limits>
#include <qt_print.h>

namespace {
constexpr double NaN = std::numeric_limits<double>::quiet_NaN();
}

TEST(PlotMath, FitsSkipMissingValuesAndNeedEnoughPoints)
{
    const LineFit fit = FitLine({0, 1, 2, 3, 4}, {1, 3, NaN, 7, 9});
    const LineFit scattered = FitLine({0, 1, 2, 3}, {0, 2, 0, 2});
    ASSERT_TRUE(fit.valid && scattered.valid);
    for (const auto& [got, expected] : {std::pair{fit.slope, 2.0},
                                        {fit.intercept, 1.0},
                                        {scattered.slope, 0.4},
                                        {scattered.intercept, 0.4}})
        EXPECT_NEAR(got, expected, 1e-9);
    EXPECT_FALSE(FitLine({0, 1}, {5, NaN}).valid || FitLine({3, 3}, {1, 2}).valid);
    std::vector<double> x(40), y(40);
    for (int i = 0; i < 40; ++i)
        y[i] = 2 - 0.5 * (x[i] = i) + 0.25 * i * i - 0.01 * i * i * i;
    const std::vector<double> c = FitPolynomial(x, y, 3);
    ASSERT_EQ(c.size(), 4u);
    for (size_t i = 0; i < 4; ++i)
        EXPECT_NEAR(c[i], (std::vector<double>{2, -0.5, 0.25, -0.01}[i]), 1e-6) << i;
    EXPECT_NEAR(EvaluatePolynomial(c, 10), 2 - 5 + 25 - 10, 1e-6);
    // Two points give a line, whatever degree was asked for.
    const std::vector<double> line = FitPolynomial({1, 3}, {4, 8}, 3);
    EXPECT_TRUE(line.size() == 2u && std::abs(EvaluatePolynomial(line, 2) - 6) < 1e-9);
    EXPECT_TRUE(FitPolynomial({1, 2}, {NaN, NaN}, 3).empty() && std::isnan(EvaluatePolynomial({}, 1)));
}

TEST(PlotMath, SplinePassesThroughThePointsBreaksAtGapsAndStacksAdd)
{
    const std::vector<double> values{0, 10, 0, 10, 20};
    const std::vector<double> curve = SplineThrough(values, 4);
    ASSERT_EQ(curve.size(), 17u);
    for (size_t i = 0; i < values.size(); ++i)
        EXPECT_DOUBLE_EQ(curve[i * 4], values[i]);
    // Smooth, not straight: from 0 to 10 between two tens the curve leaves 0 level, so its
    // middle lies below the chord's 5.
    EXPECT_DOUBLE_EQ(curve[10], 3.75);
    // Equally spaced points on a line stay on it.
    const std::vector<double> line = SplineThrough({1, 2, 3, 4}, 2);
    for (size_t i = 0; i < line.size(); ++i)
        EXPECT_NEAR(line[i], 1 + 0.5 * double(i), 1e-12);
    const std::vector<double> gap = SplineThrough({1, NaN, 3, 4}, 2);
    EXPECT_TRUE(std::isnan(gap[1]) && std::isnan(gap[2]) && std::isnan(gap[3]));
    EXPECT_EQ(QList<double>({gap[4], gap[6]}), QList<double>({3, 4}));
    // A missing neighbour continues the segment straight: 0 to 10 after a missing one, then 30,
    // bends only towards the 30.
    const std::vector<double> end = CatmullRomSegment(NaN, 0, 10, 30, 2);
    EXPECT_EQ(QList<double>({end[0], end[1]}), QList<double>({4.375, 10}));
    std::vector<double> stacked{1, 2, NaN, 4};
    StackValues(stacked);
    EXPECT_EQ(QList<double>({stacked[0], stacked[1], stacked[3]}), QList<double>({1, 3, 7}));
    EXPECT_TRUE(std::isnan(stacked[2]));
}

TEST(ScaleFormat, SeparatorsDecimalsAndSuffix)
{
    const struct {
        const char* format;
        int decimals;
        double value;
        const char* text;
    } cases[] = {{"|,.| Mbps", 2, 1234.5, "1,234.50 Mbps"}, {"|,.| Mbps", 0, 1234.5, "1,235 Mbps"},
                 {"|,| ", 2, 12345.6, "12,346 "},           {"|.|%", 1, 1234.56, "1234.6%"},
                 {"|,.| K", 2, -0.001, "0.00 K"},           {"|,.| K", 2, -1.5, "-1.50 K"},
                 {"pkts", 1, 2000, "2,000.0pkts"},          {"", 2, 3, "3.00"}};
    for (const auto& c : cases)
        EXPECT_EQ(ScaleFormatter(c.format, c.decimals, QLocale::c()).Format(c.value), c.text) << c.format;
    const ScaleFormatter german("|,.| G", 2, QLocale(QLocale::German));
    EXPECT_EQ(german.Format(1234.5) + '|' + german.Suffix(), "1.234,50 G| G");
}

TEST(SeriesPens, EveryLineStyleHasItsOwnPenAndOnlyHorizontalBarsLieDown)
{
    QSet<std::pair<int, int>> pens;
    for (int style = LINESTYLE_SOLID_1; style <= LINESTYLE_DASHDOTDOT; ++style) {
        const SeriesPen pen = SeriesPenOf(TargetOID::LineTypeCode(style));
        pens.insert({pen.width, int(pen.style)});
        EXPECT_TRUE(pen.width == 1 || pen.style == Qt::SolidLine) << "dashes are thin: " << style;
    }
    EXPECT_EQ(pens.size(), LINESTYLE_DASHDOTDOT - LINESTYLE_SOLID_1 + 1);
    for (int method = PLOT_LINE; method <= PLOT_STACKED; ++method)
        EXPECT_EQ(IsHorizontalMethod(YAxis::PlottingMethodCode(method)),
                  method == PLOT_HORIZONTALBAR || method == PLOT_HORIZONTALSTACKEDBAR)
            << method;
}

TEST(ColumnWindow, AppendMovesTheWindowWithoutTouchingOlderColumns)
{
    ColumnWindow window(4);
    window.Reset(2);
    EXPECT_TRUE(std::isnan(window.Value(0, window.NewestKey())));
    const qint64 first = window.NewestKey();
    for (int i = 1; i <= 6; ++i)
        window.Append(QString::number(i), {double(i), i % 2 ? NaN : -double(i)});
    EXPECT_EQ(QList<qint64>({window.OldestKey(), window.NewestKey()}), QList<qint64>({first + 3, first + 6}));
    EXPECT_EQ(window.Label(window.KeyOf(0)), "3");
    EXPECT_EQ(QList<double>({window.Value(0, window.KeyOf(3)), window.Value(1, window.KeyOf(3))}),
              QList<double>({6, -6}));
    EXPECT_TRUE(std::isnan(window.Value(1, window.KeyOf(2))));
    // Keys that left the window, series that do not exist: no data.
    window.SetValue(0, first + 1, 99);
    EXPECT_TRUE(std::isnan(window.Value(0, first + 2)) && std::isnan(window.Value(2, window.NewestKey())) &&
                std::isnan(window.Value(0, first + 1)) && window.Label(first + 2).isEmpty());
    window.Append("short", {1});
    EXPECT_TRUE(std::isnan(window.Value(1, window.NewestKey())));
    window.Reset(1);
    EXPECT_TRUE(window.SeriesCount() == 1 && window.NewestKey() == first + 7 &&
                window.Label(window.NewestKey()).isEmpty());
}

TEST(WindowGraphData, AppendsAndDropsKeepTheWindowInTheStorageOfTheReload)
{
    constexpr int columns = 500;
    QVector<QCPGraphData> points;
    points.reserve(WindowGraphData::Capacity(columns));
    for (int key = 0; key < columns; ++key)
        points.append(QCPGraphData(key, -key));
    WindowGraphData data;
    data.set(points, true);
    points.clear();
    const QCPGraphData* storage = &*data.constBegin();
    // Several squeezes' worth of columns, ending between two of them.
    const int last = columns + 3 * WindowGraphData::Slack + 7;
    for (int key = columns; key <= last; ++key) {
        data.add(QCPGraphData(key, -key));
        data.DropFront(key - columns + 1);
        ASSERT_EQ(data.size(), columns) << key;
        ASSERT_GE(&*data.constBegin(), storage) << key;
        ASSERT_LT(&*(data.constEnd() - 1), storage + WindowGraphData::Capacity(columns)) << key;
    }
    int key = last - columns + 1;
    for (auto it = data.constBegin(); it != data.constEnd(); ++it, ++key)
        ASSERT_TRUE(it->key == key && it->value == -key) << key;
    data.DropFront(0); // below the oldest key: changes nothing
    EXPECT_EQ(data.size(), columns);
}

TEST(PointTable, NewestColumnFirstWithEmptyCellsForGaps)
{
    ColumnWindow window(10);
    window.Reset(2);
    window.Append("9:00:00", {1.5, NaN});
    window.Append("9:00:05", {2.25, 4});
    PointTableModel model(window);
    QAbstractItemModelTester tester(&model, QAbstractItemModelTester::FailureReportingMode::Fatal);
    model.SetSeriesNames({"in", QString()});
    model.SetShownColumns(3);
    model.SetDecimals(1);
    EXPECT_EQ(QList<int>({model.rowCount(), model.columnCount()}), QList<int>({3, 3}));
    EXPECT_EQ(model.headerData(1, Qt::Horizontal).toString() + ' ' +
                  model.headerData(2, Qt::Horizontal).toString(),
              "in Series 2");
    const auto cell = [&](int row, int column) { return model.index(row, column).data().toString(); };
    EXPECT_EQ(QStringList({cell(0, 0), cell(0, 1), cell(1, 2), cell(2, 0)}),
              QStringList({"9:00:05", QLocale().toString(2.25, 'f', 1), "", ""}));
}
