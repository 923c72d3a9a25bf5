// Time to redraw the live chart offscreen with 100 series of 500 points, all 500 columns shown,
// beside the redraw of the same chart with one series as a baseline; and the cost of one poll's
// append (one column for every series) followed by a redraw. Times are this thread's CPU time,
// median of 31 runs.
// With --snapshot <folder> it also writes PNG images of a three-axis chart, overlapping and
// stacked, drawn with several plotting methods, for looking at.
#include <chart_binding.h>
#include <chart_style.h>
#include <clock.h>
#include <settings.h>
#include <target_oids.h>
#include <y_axises.h>

#include <QApplication>
#include <QDir>
#include <QPainter>
#include <QTemporaryDir>
#include <algorithm>
#include <cmath>
#include <cstdio>
#include <ctime>
#include <memory>
#include <vector>

namespace {

OIDDetails Details(const QString& name)
{
    OIDInfo info;
    info.objectName = name;
    info.fullName = QStringLiteral("BENCH-MIB::") + name;
    info.dottedOID = QStringLiteral("1.3.6.1.4.1.99999.1");
    info.syntaxName = QStringLiteral("Gauge32");
    return OIDDetails(info);
}

// One graph: its targets, axes, style and chart.
struct Graph {
    explicit Graph(Settings& settings)
        : targets(clock, settings, [](const QString& name) { return Details(name); }),
          chart(targets, axes, style, clock)
    {
        chart.resize(1200, 800);
        chart.InitChart();
    }

    TargetOID* Add(int n, const QString& units, const QString& object)
    {
        TargetOID* target =
            targets.Add(QStringLiteral("router%1").arg(n % 3), QStringLiteral("10.0.0.%1").arg(n % 3),
                        QStringLiteral("public"), object, QString::number(n));
        target->setInstance(QStringLiteral("port %1").arg(n));
        target->setUnits(units);
        target->setCalculation(QStringLiteral("No Calculations"));
        return target;
    }

    // Every target answers `samples` times, one second apart, with a wave of its own.
    void Fill(int samples, double scale)
    {
        for (int s = 0; s < samples; ++s) {
            clock.advanceSeconds(1);
            int n = 0;
            for (TargetOID* target : targets) {
                const double wave = std::sin(s / 9.0 + n) * 0.4 + 0.5 + 0.1 * std::sin(s / 2.3 * (n + 1));
                const double top = target->Units() == QLatin1String("%") ? 90.0 : scale * (n + 1);
                target->RecordResponse(top * wave);
                ++n;
            }
        }
    }

    ManualClock clock;
    TargetOIDs targets;
    YAxises axes;
    ChartStyle style;
    ChartBinding chart;
};

// CPU time of this thread: on a machine shared with other work, wall time mostly measures the others.
double ThreadMs()
{
    timespec now{};
    clock_gettime(CLOCK_THREAD_CPUTIME_ID, &now);
    return double(now.tv_sec) * 1e3 + double(now.tv_nsec) / 1e6;
}

double MedianReplotMs(ChartBinding& chart, int runs, bool append)
{
    std::vector<double> times;
    for (int i = 0; i < runs; ++i) {
        const double start = ThreadMs();
        if (append)
            chart.AppendPoint();
        chart.RedrawNow();
        times.push_back(ThreadMs() - start);
    }
    std::sort(times.begin(), times.end());
    return times[times.size() / 2];
}

void Snapshot(Settings& settings, const QString& folder)
{
    for (bool overlapping : {true, false}) {
        Graph graph(settings);
        for (int n = 0; n < 6; ++n)
            graph.Add(n,
                      n < 2   ? QStringLiteral("bps")
                      : n < 4 ? QStringLiteral("%")
                              : QStringLiteral("pkts"),
                      n % 2 ? QStringLiteral("ifOutOctets") : QStringLiteral("ifInOctets"));
        graph.Fill(140, 1e6);
        graph.style.setOverLappingAxes(overlapping);
        graph.chart.ResetChart();
        graph.axes.At(1)->setPlottingMethod(PLOT_AREA);
        graph.axes.At(2)->setPlottingMethod(PLOT_BAR);
        graph.style.setPointsToGraph(60);
        if (!overlapping) {
            // The stacked picture also shows slanted 12-hour labels and the full grid.
            graph.style.setPointLabelOrientation(POINT_LABEL_SLANTED);
            graph.style.setIncludeAMPM(true);
            graph.style.setGridStyle(GRID_BOTH);
            graph.chart.ResetChart();
        }
        graph.chart.setFooter(QStringLiteral("left|centre|right"));
        graph.chart.UpdateStyle();
        const QString name = overlapping ? QStringLiteral("overlapping.png") : QStringLiteral("stacked.png");
        graph.chart.Image(1000, 700).save(QDir(folder).filePath(name));
        std::printf("wrote %s\n", qPrintable(QDir(folder).filePath(name)));
    }
}

// All plotting methods side by side: three series on one axis, one of them with a gap.
void MethodGallery(Settings& settings, const QString& folder)
{
    const QSize cell(420, 260);
    QImage sheet(cell.width() * 4, cell.height() * 4, QImage::Format_RGB32);
    sheet.fill(Qt::white);
    QPainter painter(&sheet);
    for (int method = PLOT_LINE; method <= PLOT_STACKED; ++method) {
        Graph graph(settings);
        for (int n = 0; n < 3; ++n)
            graph.Add(n, QStringLiteral("bps"), QStringLiteral("ifInOctets"));
        graph.Fill(40, 1000);
        graph.targets.At(1)->RecordResponse(ChartBinding::NoValue); // one missing sample
        graph.Fill(20, 1000);
        graph.style.setPointsToGraph(60);
        graph.chart.ResetChart();
        graph.axes.At(0)->setPlottingMethod(PlottingMethods(method));
        graph.chart.setMainTitle(YAxis::PlottingMethodNameOf(method));
        graph.chart.UpdateStyle();
        painter.drawImage(QPoint((method % 4) * cell.width(), (method / 4) * cell.height()),
                          graph.chart.Image(cell.width(), cell.height()));
    }
    painter.end();
    sheet.save(QDir(folder).filePath(QStringLiteral("methods.png")));
    std::printf("wrote %s\n", qPrintable(QDir(folder).filePath(QStringLiteral("methods.png"))));
}

} // namespace

int main(int argc, char** argv)
{
    if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM"))
        qputenv("QT_QPA_PLATFORM", "offscreen");
    QTemporaryDir home;
    qputenv("XDG_CONFIG_HOME", (home.path() + "/config").toUtf8());
    qputenv("XDG_DATA_HOME", (home.path() + "/data").toUtf8());
    QApplication app(argc, argv);
    Settings settings;
    const QStringList args = app.arguments();
    const int snapshot = int(args.indexOf(QStringLiteral("--snapshot")));
    if (snapshot > 0 && snapshot + 1 < args.size()) {
        Snapshot(settings, args.at(snapshot + 1));
        MethodGallery(settings, args.at(snapshot + 1));
        return 0;
    }

    // Baseline: the same chart with one series, for what every redraw costs (axes, texts, buffers).
    Graph single(settings);
    single.Add(0, QStringLiteral("bps"), QStringLiteral("ifInOctets"));
    single.Fill(500, 1000);
    single.style.setPointsToGraph(500);
    single.chart.ResetChart();
    single.chart.show();
    const double baseline = MedianReplotMs(single.chart, 31, false);

    Graph graph(settings);
    for (int n = 0; n < 100; ++n)
        graph.Add(n, n < 50 ? QStringLiteral("bps") : QStringLiteral("pkts"), QStringLiteral("ifInOctets"));
    graph.Fill(500, 1000);
    graph.style.setPointsToGraph(500);
    graph.chart.ResetChart();
    graph.chart.show();
    const double replot = MedianReplotMs(graph.chart, 31, false);
    const double cycle = MedianReplotMs(graph.chart, 31, true);
    std::printf("series=%d columns=%d shown=%d size=1200x800\n", graph.chart.SeriesCount(),
                graph.chart.ColumnCount(), graph.chart.PointsShown());
    std::printf("one_series_replot_ms=%.3f replot_ratio=%.2f append_and_replot_ms=%.3f\n", baseline,
                replot / std::max(baseline, 1e-6), cycle);
    std::printf("replot_ms=%.3f\n", replot);
    return 0;
}
