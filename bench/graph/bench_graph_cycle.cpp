// CPU cost of one full, unpaused poll cycle of a graph (requests out, answers in, values computed,
// chart column appended, axes refreshed, table rewritten) for 100 and 1,000 targets, beside the
// CPU that bare net-snmp needs to fetch the same OIDs (50 to a PDU) in the same run, both against
// one private snmpd on loopback. The bare rounds run in blocks of ten between the graph's cycles,
// so that a stretch in which the machine runs slow weighs on both figures alike. The cycle runs as the timer
// runs it, drawing included; the CPU spent drawing (the chart's redraw into its buffers and the widgets'
// painting) is counted apart and shown on its own, as the redraw of a chart has its own figure. Then the time
// to redraw a chart of 100 series with 500 points each. The last line carries the two figures with targets:
//   cycle_ratio=<graph CPU without drawing / raw CPU per cycle, 1,000 targets> replot_ms=<ms>
#include "../support/netsnmp_wait.h"
#include "netsnmp_library.h"
#include "test_agent.h"

#include <agent_restarts.h>
#include <chart_binding.h>
#include <chart_style.h>
#include <clock.h>
#include <oid_details.h>
#include <rt_trendwick.h>
#include <scripted_prompter.h>
#include <settings.h>
#include <snmp_session.h>
#include <target_oids.h>
#include <value_table_model.h>
#include <y_axises.h>

#include <qcustomplot.h>

#include <QApplication>
#include <QElapsedTimer>
#include <QEventLoop>
#include <QHash>
#include <QTemporaryDir>
#include <QTimer>
#include <algorithm>
#include <cmath>
#include <cstdio>
#include <cstdlib>
#include <ctime>
#include <limits>
#include <memory>
#include <vector>

#include <net-snmp/library/large_fd_set.h>
#include <net-snmp/net-snmp-config.h>
#include <net-snmp/net-snmp-includes.h>
#include <poll.h>

namespace {

constexpr int kPollSeconds = 10;
constexpr int kPerPdu = 50;
constexpr int kWindow = 8;

double CpuMs()
{
    timespec now{};
    clock_gettime(CLOCK_PROCESS_CPUTIME_ID, &now);
    return now.tv_sec * 1e3 + now.tv_nsec / 1e6;
}

double Median(std::vector<double> values)
{
    std::sort(values.begin(), values.end());
    return values.empty() ? 0 : values[values.size() / 2];
}

/// Objects snmpd answers itself (the loopback interface and the uptime), so the agent is quick and
/// every target is a real counter or gauge.
struct BenchObject {
    const char* name;
    const char* oid;
    const char* index;
    const char* syntax;
    const char* units;
};
constexpr BenchObject kObjects[] = {
    {"ifInOctets", "1.3.6.1.2.1.2.2.1.10", "1", "Counter32", "Octets,bps=*8"},
    {"ifOutOctets", "1.3.6.1.2.1.2.2.1.16", "1", "Counter32", "Octets,bps=*8"},
    {"ifInUcastPkts", "1.3.6.1.2.1.2.2.1.11", "1", "Counter32", "Packets"},
    {"ifOutUcastPkts", "1.3.6.1.2.1.2.2.1.17", "1", "Counter32", "Packets"},
    {"sysUpTime", "1.3.6.1.2.1.1.3", "0", "Gauge32", "Ticks"},
};
constexpr int kObjectCount = int(sizeof(kObjects) / sizeof(kObjects[0]));

OIDResolver BenchResolver()
{
    return [](const QString& name) {
        for (const BenchObject& object : kObjects) {
            if (name.section(QLatin1Char(':'), -1) == QLatin1String(object.name)) {
                OIDInfo info;
                info.dottedOID = QLatin1String(object.oid);
                info.objectName = QLatin1String(object.name);
                info.fullName = QStringLiteral("BENCH-MIB::") + info.objectName;
                info.syntaxName = QLatin1String(object.syntax);
                info.unitChoices = QLatin1String(object.units);
                info.typeTag = 2;
                return OIDDetails(info);
            }
        }
        return OIDDetails(OIDInfo{});
    };
}

/// The full OID target `i` polls, the same sequence for the graph and for bare net-snmp.
QString TargetOid(int i)
{
    const BenchObject& object = kObjects[i % kObjectCount];
    return QLatin1String(object.oid) + QLatin1Char('.') + QLatin1String(object.index);
}

// ---- bare net-snmp -------------------------------------------------------------------------

struct RawRun {
    long answered = 0;
    int outstanding = 0;
    double sum = 0; // the values are read, as any consumer would
};

int OnRawEvent(int operation, netsnmp_session*, int, netsnmp_pdu* pdu, void* magic)
{
    auto* run = static_cast<RawRun*>(magic);
    if (operation == NETSNMP_CALLBACK_OP_RESEND)
        return 1;
    --run->outstanding;
    if (operation != NETSNMP_CALLBACK_OP_RECEIVED_MESSAGE || !pdu)
        return 1;
    for (netsnmp_variable_list* v = pdu->variables; v; v = v->next_variable) {
        ++run->answered;
        if (v->type == ASN_COUNTER || v->type == ASN_GAUGE || v->type == ASN_TIMETICKS ||
            v->type == ASN_INTEGER)
            run->sum += double(*v->val.integer);
    }
    return 1;
}

class RawPoller {
public:
    RawPoller(const TestAgent& agent, int targets)
    {
        netsnmp_session settings;
        snmp_sess_init(&settings);
        m_peer = QStringLiteral("udp:%1").arg(agent.address()).toLatin1();
        m_community = agent.community().toLatin1();
        settings.peername = m_peer.data();
        settings.version = SNMP_VERSION_2c;
        settings.community = reinterpret_cast<u_char*>(m_community.data());
        settings.community_len = size_t(m_community.size());
        settings.timeout = 2000000;
        settings.retries = 1;
        m_session = snmp_sess_open(&settings);
        for (int i = 0; i < targets; ++i) {
            oid name[MAX_OID_LEN];
            size_t length = MAX_OID_LEN;
            read_objid(TargetOid(i).toLatin1().constData(), name, &length);
            m_names.emplace_back(name, name + length);
        }
        netsnmp_large_fd_set_init(&m_fds, FD_SETSIZE);
    }
    ~RawPoller()
    {
        netsnmp_large_fd_set_cleanup(&m_fds);
        if (m_session)
            snmp_sess_close(m_session);
    }
    RawPoller(const RawPoller&) = delete;
    RawPoller& operator=(const RawPoller&) = delete;

    /// One round over every OID; the number answered.
    long Round()
    {
        RawRun run;
        const int fd = snmp_sess_transport(m_session)->sock;
        size_t next = 0;
        while (next < m_names.size() || run.outstanding > 0) {
            while (next < m_names.size() && run.outstanding < kWindow) {
                netsnmp_pdu* pdu = snmp_pdu_create(SNMP_MSG_GET);
                for (int i = 0; i < kPerPdu && next < m_names.size(); ++i, ++next)
                    snmp_add_null_var(pdu, m_names[next].data(), m_names[next].size());
                if (!snmp_sess_async_send(m_session, pdu, OnRawEvent, &run)) {
                    snmp_free_pdu(pdu);
                    continue;
                }
                ++run.outstanding;
            }
            Wait(fd);
        }
        return run.answered;
    }

    bool ok() const { return m_session != nullptr; }

private:
    void Wait(int fd) { WaitForNetSnmp(m_session, fd, m_fds); }

    QByteArray m_peer;
    QByteArray m_community;
    void* m_session = nullptr;
    std::vector<std::vector<oid>> m_names;
    netsnmp_large_fd_set m_fds;
};

/// CPU milliseconds of bare rounds over `targets` OIDs, taken in blocks between the graph's
/// cycles: a machine that slows down for a while then slows both alike. Each block's rounds run
/// back to back, so most of them find the library's memory in the cache.
class RawRounds {
public:
    RawRounds(const TestAgent& agent, int targets) : m_poller(agent, targets), m_targets(targets)
    {
        if (m_poller.ok())
            m_poller.Round(); // warm-up
    }
    bool ok() const { return m_poller.ok(); }
    void RunBlock(int rounds)
    {
        for (int round = 0; round < rounds && ok(); ++round) {
            const double start = CpuMs();
            const long answered = m_poller.Round();
            m_samples.push_back(CpuMs() - start);
            if (answered != m_targets)
                std::fprintf(stderr, "raw: %ld of %d answered\n", answered, m_targets);
        }
    }
    double MedianMs() const { return m_samples.empty() ? -1 : Median(m_samples); }

private:
    RawPoller m_poller;
    int m_targets;
    std::vector<double> m_samples;
};

// ---- the graph -----------------------------------------------------------------------------

/// CPU spent drawing: the chart's redraws and the painting of widgets, however they nest.
struct DrawingMeter {
    double cpuMs = 0;
    int depth = 0;
    double start = 0;

    void Enter()
    {
        if (depth++ == 0)
            start = CpuMs();
    }
    void Leave()
    {
        if (--depth == 0)
            cpuMs += CpuMs() - start;
    }
};
DrawingMeter g_drawing;

/// Sees every event on its way, so painting can be counted wherever it happens.
class BenchApplication : public QApplication {
public:
    using QApplication::QApplication;

    bool notify(QObject* receiver, QEvent* event) override
    {
        const QEvent::Type type = event->type();
        if (type != QEvent::UpdateRequest && type != QEvent::Paint)
            return QApplication::notify(receiver, event);
        g_drawing.Enter();
        const bool handled = QApplication::notify(receiver, event);
        g_drawing.Leave();
        return handled;
    }
};

void MeterRedraws(ChartBinding& chart)
{
    QObject::connect(chart.Plot(), &QCustomPlot::beforeReplot, [] { g_drawing.Enter(); });
    QObject::connect(chart.Plot(), &QCustomPlot::afterReplot, [] { g_drawing.Leave(); });
}

struct GraphFigures {
    double cycleMs = 0;   ///< the whole cycle without its drawing
    double drawingMs = 0; ///< the cycle's drawing
    double tickMs = 0;    ///< of the whole cycle, the tick: requests out, append, refresh, table
};

/// Counts the graph's answers and ends a waiting event loop once enough have come in, so that
/// waiting costs no CPU of its own. The loop and its watchdog are made once: a new loop and
/// time-out timer for every cycle would be set-up work of the benchmark's, charged to the graph.
class AnswerCounter {
public:
    AnswerCounter()
    {
        m_watchdog.setInterval(1000);
        QObject::connect(&m_watchdog, &QTimer::timeout, [this] {
            // Twenty seconds without a single answer: give up waiting.
            if (answers == m_seenByWatchdog && ++m_quietSeconds >= 20)
                m_loop.quit();
            else if (answers != m_seenByWatchdog)
                m_quietSeconds = 0;
            m_seenByWatchdog = answers;
        });
        m_watchdog.start();
    }

    long answers = 0;
    long failures = 0;

    void Count(bool answered)
    {
        ++answers;
        if (!answered)
            ++failures;
        if (m_waiting && answers >= m_awaited)
            m_loop.quit();
    }
    bool WaitFor(long total)
    {
        if (answers >= total)
            return true;
        m_awaited = total;
        m_quietSeconds = 0;
        m_waiting = true;
        m_loop.exec();
        m_waiting = false;
        return answers >= total;
    }

private:
    QEventLoop m_loop;
    QTimer m_watchdog;
    long m_awaited = 0;
    bool m_waiting = false;
    long m_seenByWatchdog = 0;
    int m_quietSeconds = 0;
};

/// The system clock moved on by whole poll intervals when the benchmark says so, every cycle due.
/// Like the system clock it reads the seconds on every call and turns them into wall-clock
/// milliseconds only when they changed, so the graph pays for the time what it pays in use.
class SteppedClock final : public Clock {
public:
    QDateTime Now() const override { return QDateTime::fromSecsSinceEpoch(NowSecsSinceEpoch()); }
    qint64 NowWallClockMsecs() const override
    {
        const qint64 secs = NowSecsSinceEpoch();
        if (secs != m_second) {
            m_second = secs;
            m_wallClockMsecs = m_converter.WallClockMsecs(secs);
        }
        return m_wallClockMsecs;
    }
    qint64 NowSecsSinceEpoch() const override { return QDateTime::currentSecsSinceEpoch() + m_offset; }
    void advanceSeconds(qint64 seconds) { m_offset += seconds; }

private:
    qint64 m_offset = 0;
    // Converted once per second shown, as the system clock does.
    mutable qint64 m_second = std::numeric_limits<qint64>::min();
    mutable qint64 m_wallClockMsecs = 0;
    mutable WallClockConverter m_converter;
};

/// A shown graph of `targets` targets on the agent, reset, its first answers in, its timer left
/// to the caller.
class BenchGraph {
public:
    BenchGraph(const TestAgent& agent, Settings& settings, int targets)
    {
        RTTrendwick::Seams seams;
        seams.resolver = BenchResolver();
        graph = std::make_unique<RTTrendwick>(settings, clock, prompter, std::move(seams));
        graph->resize(1200, 800);
        graph->show();
        for (int i = 0; i < targets; ++i) {
            const BenchObject& object = kObjects[i % kObjectCount];
            graph->TargetOIDs().Add(QStringLiteral("agent"), agent.address(), agent.community(),
                                    QLatin1String(object.name), QLatin1String(object.index));
        }
        // Counted in batches as the graph takes them: a Response receiver would make the session
        // write every value out as text, which the graph itself does not need. The agent's uptime,
        // asked along with the targets, is no target's answer.
        QObject::connect(&graph->SNMP(), &SNMPSession::Answered, graph.get(),
                         [this](const std::vector<SnmpAnswer>& answers) {
                             for (const SnmpAnswer& answer : answers) {
                                 if (!AgentRestarts::IsUptimeTag(answer.tag))
                                     counter.Count(answer.status == SNMPSession::RESPONSE_OK);
                             }
                         });
        MeterRedraws(*graph->ChartObject());
        graph->Reset();
        graph->PollTimer()->stop(); // the benchmark decides when a cycle runs
        counter.WaitFor(targets);
    }
    ~BenchGraph()
    {
        if (counter.failures > 0)
            std::fprintf(stderr, "graph: %ld answers without a value\n", counter.failures);
    }

    SteppedClock clock;
    ScriptedPrompter prompter;
    AnswerCounter counter;
    std::unique_ptr<RTTrendwick> graph;
};

/// The graph's cycles; `raw`, when given, gets a block of bare rounds after every kBlock cycles.
GraphFigures GraphCycleMs(const TestAgent& agent, Settings& settings, int targets, int rounds,
                          RawRounds* raw = nullptr)
{
    constexpr int kBlock = 10;
    BenchGraph bench(agent, settings, targets);
    RTTrendwick& graph = *bench.graph;
    GraphFigures figures;
    std::vector<double> cycles;
    std::vector<double> drawings;
    std::vector<double> ticks;
    const int warmUp = 3;
    for (int round = 0; round < warmUp + rounds; ++round) {
        bench.clock.advanceSeconds(kPollSeconds);
        const long expected = bench.counter.answers + targets;
        const double drawnBefore = g_drawing.cpuMs;
        const double start = CpuMs();
        graph.PollTimerTick();
        const double ticked = CpuMs();
        if (!bench.counter.WaitFor(expected))
            std::fprintf(stderr, "graph: answers missing, none for 20 s\n");
        // Whatever the cycle left queued (the chart's redraw, repaints) belongs to it.
        QCoreApplication::sendPostedEvents();
        QCoreApplication::processEvents();
        const double end = CpuMs();
        if (round >= warmUp) {
            const double drawing = g_drawing.cpuMs - drawnBefore;
            cycles.push_back(end - start - drawing);
            drawings.push_back(drawing);
            ticks.push_back(ticked - start);
            if (raw && cycles.size() % kBlock == 0)
                raw->RunBlock(kBlock);
        }
    }
    figures.cycleMs = Median(cycles);
    figures.drawingMs = Median(drawings);
    figures.tickMs = Median(ticks);
    return figures;
}

/// The cycle's parts one by one (median CPU ms each), to show where its time goes.
void PrintBreakdown(const TestAgent& agent, Settings& settings, int targets, int rounds)
{
    BenchGraph bench(agent, settings, targets);
    RTTrendwick& graph = *bench.graph;
    ChartBinding& chart = *graph.ChartObject();
    std::vector<double> send, answers, append, refresh, table, draw;
    const auto timed = [](std::vector<double>& samples, const auto& work) {
        const double start = CpuMs();
        work();
        samples.push_back(CpuMs() - start);
    };
    for (int round = 0; round < rounds; ++round) {
        bench.clock.advanceSeconds(kPollSeconds);
        const long expected = bench.counter.answers + targets;
        timed(send, [&] { graph.PollNow(); });
        timed(answers, [&] { bench.counter.WaitFor(expected); });
        timed(append, [&] { chart.AppendPoint(); });
        timed(refresh, [&] { graph.RefreshChart(true); });
        timed(table, [&] { graph.TableModel().RefreshTableRows(); });
        timed(draw, [&] {
            chart.RedrawNow();
            QCoreApplication::processEvents();
        });
    }
    std::printf(
        "targets=%d parts_cpu_ms: send=%.2f answers=%.2f append=%.2f refresh=%.2f table=%.2f draw=%.2f\n",
        targets, Median(send), Median(answers), Median(append), Median(refresh), Median(table), Median(draw));
}

// ---- redraw --------------------------------------------------------------------------------

/// Median wall milliseconds of redrawing 100 series with 500 points each.
double ReplotMs(Settings& settings)
{
    constexpr int kSeries = 100;
    ManualClock clock;
    TargetOIDs targets(clock, settings, BenchResolver());
    YAxises axes;
    ChartStyle style;
    for (int i = 0; i < kSeries; ++i)
        targets.Add(QStringLiteral("agent"), QStringLiteral("127.0.0.1"), QStringLiteral("public"),
                    QStringLiteral("sysUpTime"), QString::number(i));
    // A full history: 500 answers per target, one per poll.
    for (int point = 0; point < ChartBinding::Points; ++point) {
        clock.advanceSeconds(kPollSeconds);
        int i = 0;
        for (TargetOID* target : targets)
            target->RecordResponse(500 + 400 * std::sin(point / 25.0 + i++ * 0.3));
    }
    ChartBinding chart(targets, axes, style, clock);
    chart.resize(1200, 800);
    chart.show();
    chart.InitChart();
    style.setPointsToGraph(ChartBinding::Points);
    chart.ResetChart();
    chart.UpdateStyle();
    chart.RedrawNow();
    QCoreApplication::processEvents();
    std::vector<double> samples;
    for (int round = 0; round < 15; ++round) {
        QElapsedTimer timer;
        timer.start();
        chart.RedrawNow();
        samples.push_back(timer.nsecsElapsed() / 1e6);
    }
    return Median(samples);
}

} // namespace

int main(int argc, char** argv)
{
    if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM"))
        qputenv("QT_QPA_PLATFORM", "offscreen");
    // Settings and data files of the run stay out of the user's folders.
    QTemporaryDir home;
    qputenv("XDG_CONFIG_HOME", (home.path() + QStringLiteral("/config")).toUtf8());
    qputenv("XDG_DATA_HOME", (home.path() + QStringLiteral("/data")).toUtf8());
    qputenv("XDG_CACHE_HOME", (home.path() + QStringLiteral("/cache")).toUtf8());
    BenchApplication app(argc, argv);
    InitNetSnmpLibrary();

    TestAgent agent;
    QString error;
    if (!agent.start(&error)) {
        std::fprintf(stderr, "cannot start snmpd: %s\n", qPrintable(error));
        return 1;
    }
    Settings settings;
    settings.setSNMPTimeout(2000);
    settings.setSNMPRetries(1);
    settings.setSNMPVersion(2);
    settings.setPollInterval(kPollSeconds);

    // "--graph-only TARGETS ROUNDS": only the graph's cycles, many of them, for a profiler.
    if (argc == 4 && qstrcmp(argv[1], "--graph-only") == 0) {
        const GraphFigures graph = GraphCycleMs(agent, settings, atoi(argv[2]), atoi(argv[3]));
        std::printf("graph_cycle_cpu_ms=%.2f drawing_cpu_ms=%.2f (tick with its drawing %.2f)\n",
                    graph.cycleMs, graph.drawingMs, graph.tickMs);
        PrintBreakdown(agent, settings, atoi(argv[2]), atoi(argv[3]));
        return 0;
    }

    double ratio = 0;
    for (const int targets : {100, 1000}) {
        // Enough cycles that the median stands still from run to run on a shared machine.
        const int rounds = 61;
        RawRounds raw(agent, targets);
        const GraphFigures graph = GraphCycleMs(agent, settings, targets, rounds, &raw);
        const double rawMs = raw.MedianMs();
        ratio = rawMs > 0 ? graph.cycleMs / rawMs : 0;
        std::printf("targets=%d graph_cycle_cpu_ms=%.2f raw_cpu_ms=%.2f ratio=%.2f\n", targets, graph.cycleMs,
                    rawMs, ratio);
        std::printf("targets=%d drawing_cpu_ms=%.2f ratio_with_drawing=%.2f\n", targets, graph.drawingMs,
                    rawMs > 0 ? (graph.cycleMs + graph.drawingMs) / rawMs : 0);
        PrintBreakdown(agent, settings, targets, rounds);
        std::fflush(stdout);
    }
    const double replot = ReplotMs(settings);
    std::printf("replot_100x500_ms=%.2f\n", replot);
    std::printf("cycle_ratio=%.2f replot_ms=%.2f\n", ratio, replot);
    return 0;
}
