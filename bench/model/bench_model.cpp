// Cost per call of the two model operations that run for every target on every poll:
// RecordResponse (counter rate path) and YAxis::UpdateScale. Each figure is the best of several
// runs, printed in ns/call and as a ratio to a baseline loop (stepping a prepared clock) measured
// in the same run. The clock hands out UTC readings because moving a local QDateTime costs
// microseconds by itself (a time-zone conversion) and would drown what is measured.
#include <clock.h>
#include <settings.h>
#include <target_oid.h>
#include <y_axis.h>

#include <QCoreApplication>
#include <QTemporaryDir>
#include <chrono>
#include <cstdio>
#include <functional>
#include <memory>
#include <vector>

static volatile int g_sink = 0;

static double NanosecondsPerCall(const std::function<void()>& call, int calls)
{
    double best = 1e300;
    for (int run = 0; run < 5; ++run) {
        const auto start = std::chrono::steady_clock::now();
        for (int i = 0; i < calls; ++i)
            call();
        const std::chrono::duration<double, std::nano> elapsed = std::chrono::steady_clock::now() - start;
        best = std::min(best, elapsed.count() / calls);
    }
    return best;
}

// One second further on every step.
class SteppingClock final : public Clock {
public:
    QDateTime Now() const override { return m_now; }
    void Step() { m_now = m_now.addSecs(1); }

private:
    QDateTime m_now{QDate(2026, 1, 1), QTime(0, 0, 0), Qt::UTC};
};

static OIDResolver CounterResolver()
{
    return [](const QString&) {
        OIDInfo info;
        info.syntaxName = QStringLiteral("Counter32");
        info.typeTag = 2;
        return OIDDetails(info);
    };
}

static void Report(const char* name, double nanoseconds, double baseline)
{
    std::printf("%-44s %9.1f ns/call  %6.1fx baseline\n", name, nanoseconds, nanoseconds / baseline);
}

int main(int argc, char** argv)
{
    QTemporaryDir home;
    qputenv("XDG_CONFIG_HOME", home.path().toUtf8());
    QCoreApplication app(argc, argv);
    constexpr int kCalls = 200000;
    SteppingClock clock;
    Settings settings;

    double raw = 0;
    const double baseline = NanosecondsPerCall(
        [&] {
            clock.Step();
            raw += 1000;
            g_sink = g_sink + clock.Now().time().second();
        },
        kCalls);
    Report("baseline: step clock, read it", baseline, baseline);

    TargetOID counter(clock, settings, CounterResolver());
    counter.setTargetMIB(QStringLiteral("counter"));
    counter.setAssumeCounterRollover(true);
    Report("RecordResponse, counter rate",
           NanosecondsPerCall(
               [&] {
                   clock.Step();
                   raw += 1000;
                   counter.RecordResponse(raw);
               },
               kCalls),
           baseline);

    TargetOID converted(clock, settings, CounterResolver());
    converted.setTargetMIB(QStringLiteral("counter"));
    converted.setConversion(QStringLiteral("*8/1000"));
    Report("RecordResponse, counter rate with *8/1000",
           NanosecondsPerCall(
               [&] {
                   clock.Step();
                   raw += 1000;
                   converted.RecordResponse(raw);
               },
               kCalls),
           baseline);

    for (int count : {1, 4, 16}) {
        std::vector<std::unique_ptr<TargetOID>> targets;
        YAxis axis;
        for (int t = 0; t < count; ++t) {
            targets.push_back(std::make_unique<TargetOID>(clock, settings, CounterResolver()));
            targets.back()->SetKeyNumber(t + 1);
            for (int i = 0; i < 500; ++i) { // a full history: every slot is scanned for the extremes
                clock.Step();
                targets.back()->RecordResponse(i * 37000.0 + t);
            }
            axis.AddTarget(targets.back().get());
        }
        axis.UpdateScale();
        const double cost = NanosecondsPerCall([&] { axis.UpdateScale(); }, kCalls / 20);
        char name[64];
        std::snprintf(name, sizeof name, "UpdateScale, %d target(s) x 500 values", count);
        Report(name, cost, baseline);
    }
    return 0;
}
