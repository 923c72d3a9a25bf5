// Start-up cost of the MIB set: the base modules, the system's net-snmp modules and the hints.
//
// net-snmp keeps one MIB tree per process, so every measurement runs in a fresh child
// process. The baseline is net-snmp's parser reading the same folders on its own, without
// our set-up, hints or first lookup. Prints one line per run and ends with load_ms=<median>.
#include "mib_database.h"

#include <QCoreApplication>
#include <QElapsedTimer>
#include <QProcess>
#include <QTextStream>

#include <algorithm>
#include <cstdio>

#include <net-snmp/net-snmp-config.h>
#include <net-snmp/net-snmp-includes.h>

static double databaseOnce()
{
    QElapsedTimer timer;
    timer.start();
    const MibDatabase& database = MibDatabase::instance();
    const OIDInfo info = database.lookup(QStringLiteral("RFC1213-MIB:ifInOctets"));
    const double ms = static_cast<double>(timer.nsecsElapsed()) / 1e6;
    return info.dottedOID.isEmpty() ? -1 : ms;
}

static double parserOnce()
{
    QStringList folders = MibDatabase::defaultFolders();
    std::reverse(folders.begin(), folders.end());
    QElapsedTimer timer;
    timer.start();
    netsnmp_ds_set_boolean(NETSNMP_DS_LIBRARY_ID, NETSNMP_DS_LIB_SAVE_MIB_DESCRS, 1);
    netsnmp_ds_set_int(NETSNMP_DS_LIBRARY_ID, NETSNMP_DS_LIB_MIB_WARNINGS, 0);
    qputenv("MIBS", "");
    netsnmp_set_mib_directory(folders.join(QLatin1Char(':')).toLocal8Bit().constData());
    netsnmp_init_mib();
    read_all_mibs();
    return static_cast<double>(timer.nsecsElapsed()) / 1e6;
}

static double median(QList<double> values)
{
    std::sort(values.begin(), values.end());
    return values.isEmpty() ? 0 : values.at(values.size() / 2);
}

static QList<double> runChildren(const QString& mode, int runs)
{
    QList<double> results;
    for (int i = 0; i < runs; ++i) {
        QProcess child;
        child.start(QCoreApplication::applicationFilePath(), {mode});
        if (!child.waitForFinished(30000) || child.exitCode() != 0)
            continue;
        bool ok = false;
        const double ms = QString::fromLatin1(child.readAllStandardOutput()).trimmed().toDouble(&ok);
        if (ok && ms >= 0)
            results << ms;
    }
    return results;
}

int main(int argc, char** argv)
{
    QCoreApplication app(argc, argv);
    const QStringList args = app.arguments();
    if (args.contains(QStringLiteral("--database-once"))) {
        std::printf("%.3f\n", databaseOnce());
        return 0;
    }
    if (args.contains(QStringLiteral("--parser-once"))) {
        std::printf("%.3f\n", parserOnce());
        return 0;
    }

    const int runs = 7;
    const QList<double> parser = runChildren(QStringLiteral("--parser-once"), runs);
    const QList<double> database = runChildren(QStringLiteral("--database-once"), runs);
    if (database.isEmpty()) {
        std::fprintf(stderr, "bench_mib_load: the MIB set did not load\n");
        return 1;
    }
    QTextStream out(stdout);
    out << "folders: " << MibDatabase::defaultFolders().join(QStringLiteral(", ")) << '\n';
    for (double ms : database)
        out << "run: " << QString::number(ms, 'f', 2) << " ms\n";
    const double baseline = median(parser);
    const double load = median(database);
    out << "parser_only_ms=" << QString::number(baseline, 'f', 2) << '\n';
    if (baseline > 0)
        out << "ratio_to_parser=" << QString::number(load / baseline, 'f', 2) << '\n';
    out << "target_ms=300\n";
    out << "load_ms=" << QString::number(load, 'f', 2) << '\n';
    return 0;
}
