#include "test_agent.h"

#include <QDeadlineTimer>
#include <QDir>
#include <QFile>
#include <QProcess>
#include <QRandomGenerator>
#include <QSaveFile>
#include <QStandardPaths>

#include <csignal>
#include <sys/prctl.h>

namespace {

constexpr int StartDeadlineMs = 10000;
constexpr const char* BaseOid = "1.3.6.1.4.1.8072.9999.9999";
constexpr const char* PassExamplesOid = "1.3.6.1.4.1.8072.2.255"; // NET-SNMP-PASS-MIB, named objects
constexpr const char* TypeNames[] =                               // in the order of TestAgent::ValueType
    {"Counter32", "Counter64", "Gauge32", "INTEGER", "TimeTicks", "STRING", "HEXSTRING", "OID", "IpAddress"};

QString findProgram(const QString& name)
{
    const QString path = QStandardPaths::findExecutable(name);
    return path.isEmpty() ? QStandardPaths::findExecutable(name, {"/usr/sbin", "/usr/local/sbin"}) : path;
}

/// QSaveFile writes beside the target and renames, so snmpd and the script never read half a file.
void writeFile(const QString& path, const QByteArray& text)
{
    QSaveFile file(path);
    if (!file.open(QIODevice::WriteOnly) || file.write(text) != text.size() || !file.commit())
        qFatal("TestAgent: cannot write %s", qPrintable(path));
}

} // namespace

TestAgent::TestAgent() = default;
TestAgent::~TestAgent()
{
    stop();
}

QString TestAgent::log() const
{
    QFile file(m_dir.filePath(QStringLiteral("snmpd.log")));
    return file.open(QIODevice::ReadOnly) ? QString::fromUtf8(file.readAll()) : QString();
}

bool TestAgent::start(QString* error)
{
    if (m_process && m_process->state() != QProcess::NotRunning)
        return true;
    if (!m_dir.isValid())
        return false;
    if (!QFile::exists(m_dir.filePath(QStringLiteral("values.txt"))))
        writeValues();
    // Below the program's limit of 32000 and the kernel's ephemeral ports; a port someone else holds
    // makes snmpd exit at once, so a first start tries another one, while a restart keeps its port.
    const bool firstStart = m_port == 0;
    for (int attempt = 0; attempt < (firstStart ? 5 : 1); ++attempt) {
        if (firstStart)
            m_port = quint16(QRandomGenerator::global()->bounded(20000, 32000));
        if (launch(error))
            return true;
    }
    return false;
}

bool TestAgent::launch(QString* error)
{
    const QString snmpd = findProgram(QStringLiteral("snmpd"));
    const QString perl = findProgram(QStringLiteral("perl"));
    if (snmpd.isEmpty() || perl.isEmpty()) {
        if (error)
            *error = QStringLiteral("snmpd or perl not found (install the snmpd package)");
        return false;
    }
    const QString pass =
        QStringLiteral(" %1 %2 %3\n")
            .arg(perl, QStringLiteral(TW_TESTAGENT_SCRIPT), m_dir.filePath(QStringLiteral("values.txt")));
    const QString access = m_sysUpTimeHidden
                               ? QStringLiteral("view tw included .1\nview tw excluded .1.3.6.1.2.1.1.3.0\n"
                                                "rocommunity public 127.0.0.1 -V tw\n")
                               : QStringLiteral("rocommunity public 127.0.0.1\n");
    writeFile(m_dir.filePath(QStringLiteral("snmpd.conf")),
              (access + "sysName trendwick-test-agent\ndontLogTCPWrappersConnects yes\npass_persist ." +
               QLatin1String(BaseOid) + pass + "pass_persist ." + QLatin1String(PassExamplesOid) + pass)
                  .toUtf8());
    QDir(m_dir.path()).mkpath(QStringLiteral("persist"));
    QProcessEnvironment environment = QProcessEnvironment::systemEnvironment();
    environment.insert(QStringLiteral("MIBS"), QString());
    environment.insert(QStringLiteral("SNMP_PERSISTENT_DIR"), m_dir.filePath(QStringLiteral("persist")));
    environment.insert(QStringLiteral("SNMPCONFPATH"), m_dir.path());
    m_process = std::make_unique<QProcess>();
    m_process->setProcessEnvironment(environment);
    m_process->setProcessChannelMode(QProcess::MergedChannels);
    m_process->setStandardOutputFile(m_dir.filePath(QStringLiteral("snmpd.log")), QIODevice::Truncate);
    m_process->setStandardInputFile(QProcess::nullDevice());
    // If the test process dies without running destructors, the agent must not outlive it.
    m_process->setChildProcessModifier([] { ::prctl(PR_SET_PDEATHSIG, SIGTERM); });
    m_process->start(
        snmpd, {"-f", "-Lo", "-C", "-c", m_dir.filePath(QStringLiteral("snmpd.conf")), "udp:" + address()});

    // snmpd logs its version once its ports are open and it is about to serve.
    QDeadlineTimer deadline(StartDeadlineMs);
    while (!deadline.hasExpired() && m_process->state() != QProcess::NotRunning) {
        if (log().contains(QLatin1String("NET-SNMP version")))
            return true;
        m_process->waitForFinished(20);
    }
    if (error)
        *error = QStringLiteral("snmpd on %1 did not come up:\n%2")
                     .arg(address(), log() + m_process->errorString());
    stop();
    return false;
}

void TestAgent::stop()
{
    if (m_process && m_process->state() != QProcess::NotRunning) {
        m_process->terminate();
        if (!m_process->waitForFinished(5000)) {
            m_process->kill();
            m_process->waitForFinished(5000);
        }
    }
    m_process.reset();
}

QString TestAgent::controlledOid(const QString& suffix)
{
    return suffix.isEmpty() ? QLatin1String(BaseOid) : QLatin1String(BaseOid) + QLatin1Char('.') + suffix;
}

void TestAgent::setTable(const QList<TableRow>& rows)
{
    m_values.removeIf([](const auto& entry) { return entry.key().startsWith(QLatin1String("2.")); });
    for (const TableRow& row : rows) {
        const QString index = QString::number(row.index);
        m_values.insert("2.1.1." + index, Entry{ValueType::Integer, index});
        m_values.insert("2.1.2." + index, Entry{ValueType::String, row.description});
        m_values.insert("2.1.3." + index, Entry{ValueType::Counter32, QString::number(row.counter)});
    }
    writeValues();
}

void TestAgent::writeValues()
{
    QByteArray text = "delay " + QByteArray::number(m_delayMs) + '\n';
    for (auto it = m_values.cbegin(); it != m_values.cend(); ++it) {
        const QString value = QString(it->value).replace(QLatin1Char('\n'), QLatin1Char(' '));
        text += (it.key() + ' ' + TypeNames[int(it->type)] + ' ' + value).toUtf8() + '\n';
    }
    writeFile(m_dir.filePath(QStringLiteral("values.txt")), text);
}
