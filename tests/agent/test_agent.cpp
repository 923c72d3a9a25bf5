#include "test_agent.h"

#include <QDeadlineTimer>
#include <QDir>
#include <QFile>
#include <QProcess>
#include <QRandomGenerator>
#include <QSaveFile>
#include <QStandardPaths>
#include <QThread>

#include <arpa/inet.h>
#include <cerrno>
#include <csignal>
#include <netinet/in.h>
#include <poll.h>
#include <sys/prctl.h>
#include <sys/socket.h>
#include <unistd.h>

namespace {

constexpr int StartDeadlineMs = 10000;
constexpr int StopDeadlineMs = 5000;

/// A UDP socket on 127.0.0.1, closed when it goes out of scope.
class LoopbackUdpSocket final {
public:
    LoopbackUdpSocket() : m_fd(::socket(AF_INET, SOCK_DGRAM | SOCK_CLOEXEC, 0)) {}
    ~LoopbackUdpSocket()
    {
        if (m_fd >= 0)
            ::close(m_fd);
    }
    LoopbackUdpSocket(const LoopbackUdpSocket&) = delete;
    LoopbackUdpSocket& operator=(const LoopbackUdpSocket&) = delete;

    int fd() const { return m_fd; }
    bool valid() const { return m_fd >= 0; }

    static sockaddr_in loopback(quint16 port)
    {
        sockaddr_in address{};
        address.sin_family = AF_INET;
        address.sin_port = htons(port);
        address.sin_addr.s_addr = htonl(INADDR_LOOPBACK);
        return address;
    }

private:
    int m_fd;
};

QByteArray berLength(int length)
{
    QByteArray out;
    if (length < 0x80) {
        out.append(char(length));
    } else {
        QByteArray digits;
        for (int rest = length; rest > 0; rest >>= 8)
            digits.prepend(char(rest & 0xff));
        out.append(char(0x80 | digits.size()));
        out.append(digits);
    }
    return out;
}

QByteArray tlv(quint8 tag, const QByteArray& content)
{
    return char(tag) + berLength(content.size()) + content;
}

/// An SNMPv2c GET of sysUpTime.0, hand-encoded so that the agent helper needs no SNMP library.
QByteArray sysUpTimeRequest(const QByteArray& community, quint32 requestId)
{
    QByteArray id;
    for (int shift = 24; shift >= 0; shift -= 8)
        id.append(char((requestId >> shift) & 0xff));
    const QByteArray name = QByteArray::fromHex("2b06010201010300"); // 1.3.6.1.2.1.1.3.0
    const QByteArray varbind = tlv(0x30, tlv(0x06, name) + tlv(0x05, QByteArray()));
    const QByteArray pdu =
        tlv(0x02, id) + tlv(0x02, QByteArray(1, 0)) + tlv(0x02, QByteArray(1, 0)) + tlv(0x30, varbind);
    return tlv(0x30, tlv(0x02, QByteArray(1, 1)) + tlv(0x04, community) + tlv(0xa0, pdu));
}

QString findSnmpd()
{
    QString path = QStandardPaths::findExecutable(QStringLiteral("snmpd"));
    if (path.isEmpty()) {
        path = QStandardPaths::findExecutable(
            QStringLiteral("snmpd"), {QStringLiteral("/usr/sbin"), QStringLiteral("/usr/local/sbin")});
    }
    return path;
}

void setError(QString* error, const QString& text)
{
    if (error)
        *error = text;
}

} // namespace

TestAgent::TestAgent() = default;

TestAgent::~TestAgent()
{
    stop();
}

QString TestAgent::folder() const
{
    return m_dir.path();
}

QString TestAgent::valuesFile() const
{
    return m_dir.filePath(QStringLiteral("values.txt"));
}

QString TestAgent::address() const
{
    return QStringLiteral("127.0.0.1:%1").arg(m_port);
}

QString TestAgent::log() const
{
    QFile file(m_dir.filePath(QStringLiteral("snmpd.log")));
    if (!file.open(QIODevice::ReadOnly))
        return QString();
    return QString::fromUtf8(file.readAll());
}

bool TestAgent::isRunning() const
{
    return m_process && m_process->state() != QProcess::NotRunning;
}

bool TestAgent::start(QString* error)
{
    if (isRunning())
        return true;
    if (!m_dir.isValid()) {
        setError(error, QStringLiteral("cannot create a temporary folder"));
        return false;
    }
    const QString snmpd = findSnmpd();
    if (snmpd.isEmpty()) {
        setError(error, QStringLiteral("snmpd not found (install the snmpd package)"));
        return false;
    }
    if (!QFile::exists(valuesFile()))
        writeValues();
    // A port found free can be taken by someone else before snmpd binds it (tests run in
    // parallel); a first start then tries another port. A restart keeps its port.
    const bool firstStart = m_port == 0;
    for (int attempt = 0;; ++attempt) {
        if (!choosePort(error) || !writeConfig(error))
            return false;
        if (launch(snmpd, error) && waitUntilAnswering(error))
            return true;
        if (!firstStart || attempt == 2)
            return false;
        m_port = 0;
    }
}

bool TestAgent::launch(const QString& snmpd, QString* error)
{
    QDir(m_dir.path()).mkpath(QStringLiteral("persist"));
    QProcessEnvironment environment = QProcessEnvironment::systemEnvironment();
    environment.insert(QStringLiteral("MIBS"), QString());
    environment.insert(QStringLiteral("SNMP_PERSISTENT_DIR"), m_dir.filePath(QStringLiteral("persist")));
    environment.insert(QStringLiteral("SNMPCONFPATH"), m_dir.path());

    m_process = std::make_unique<QProcess>();
    m_process->setProcessEnvironment(environment);
    m_process->setProcessChannelMode(QProcess::MergedChannels);
    m_process->setStandardOutputFile(m_dir.filePath(QStringLiteral("snmpd.log")), QIODevice::Append);
    m_process->setStandardInputFile(QProcess::nullDevice());
    // If the test process dies without running destructors, the agent must not outlive it.
    m_process->setChildProcessModifier([] { ::prctl(PR_SET_PDEATHSIG, SIGTERM); });
    m_process->start(snmpd, {QStringLiteral("-f"), QStringLiteral("-Lo"), QStringLiteral("-C"),
                             QStringLiteral("-c"), m_dir.filePath(QStringLiteral("snmpd.conf")),
                             QStringLiteral("-p"), m_dir.filePath(QStringLiteral("snmpd.pid")),
                             QStringLiteral("udp:127.0.0.1:%1").arg(m_port)});
    if (!m_process->waitForStarted(StartDeadlineMs)) {
        setError(error, QStringLiteral("cannot start %1: %2").arg(snmpd, m_process->errorString()));
        m_process.reset();
        return false;
    }
    return true;
}

bool TestAgent::waitUntilAnswering(QString* error)
{
    QDeadlineTimer deadline(StartDeadlineMs);
    while (!deadline.hasExpired()) {
        if (m_process->state() == QProcess::NotRunning) {
            setError(error, QStringLiteral("snmpd exited during start-up:\n%1").arg(log()));
            m_process.reset();
            return false;
        }
        if (answers(200))
            return true;
    }
    setError(error, QStringLiteral("snmpd did not answer within %1 ms:\n%2").arg(StartDeadlineMs).arg(log()));
    stop();
    return false;
}

void TestAgent::stop()
{
    if (!m_process)
        return;
    if (m_process->state() != QProcess::NotRunning) {
        ::kill(pid_t(m_process->processId()), SIGTERM);
        if (!m_process->waitForFinished(StopDeadlineMs)) {
            ::kill(pid_t(m_process->processId()), SIGKILL);
            m_process->waitForFinished(StopDeadlineMs);
        }
    }
    m_process.reset();
}

bool TestAgent::choosePort(QString* error)
{
    if (m_port != 0)
        return true;
    // The program accepts "address:port" only up to port 32000, and the kernel hands out
    // ephemeral ports above 32767; so pick at random below both, where a user would put an agent.
    constexpr int LowestPort = 20000;
    constexpr int HighestPort = 31999;
    for (int attempt = 0; attempt < 200; ++attempt) {
        const auto port = quint16(QRandomGenerator::global()->bounded(LowestPort, HighestPort + 1));
        LoopbackUdpSocket socket;
        sockaddr_in address = LoopbackUdpSocket::loopback(port);
        if (socket.valid() &&
            ::bind(socket.fd(), reinterpret_cast<sockaddr*>(&address), sizeof(address)) == 0) {
            m_port = port;
            return true;
        }
    }
    setError(error, QStringLiteral("cannot find a free UDP port on 127.0.0.1 between %1 and %2")
                        .arg(LowestPort)
                        .arg(HighestPort));
    return false;
}

bool TestAgent::writeConfig(QString* error)
{
    const QString perl = QStandardPaths::findExecutable(QStringLiteral("perl"));
    if (perl.isEmpty()) {
        setError(error, QStringLiteral("perl not found"));
        return false;
    }
    QSaveFile file(m_dir.filePath(QStringLiteral("snmpd.conf")));
    if (!file.open(QIODevice::WriteOnly)) {
        setError(error, file.errorString());
        return false;
    }
    // One community for SNMPv1 and v2c, restricted to loopback; the controlled subtree is
    // answered by the pass script from the values file.
    const QString access = m_sysUpTimeHidden ? QStringLiteral("view tw included .1\n"
                                                              "view tw excluded .%1\n"
                                                              "rocommunity public 127.0.0.1 -V tw\n")
                                                   .arg(QLatin1String(SysUpTimeOid))
                                             : QStringLiteral("rocommunity public 127.0.0.1\n");
    const QString text =
        access + QStringLiteral("sysName trendwick-test-agent\n"
                                "sysLocation loopback\n"
                                "sysContact nobody\n"
                                "dontLogTCPWrappersConnects yes\n"
                                "pass_persist .%1 %2 %3 %4\n")
                     .arg(QLatin1String(BaseOid), perl, QStringLiteral(TW_TESTAGENT_SCRIPT), valuesFile());
    file.write(text.toUtf8());
    if (!file.commit()) {
        setError(error, file.errorString());
        return false;
    }
    return true;
}

bool TestAgent::answers(int timeoutMs) const
{
    if (m_port == 0)
        return false;
    LoopbackUdpSocket socket;
    const sockaddr_in agent = LoopbackUdpSocket::loopback(m_port);
    if (!socket.valid() ||
        ::connect(socket.fd(), reinterpret_cast<const sockaddr*>(&agent), sizeof(agent)) != 0)
        return false;
    static quint32 nextRequestId = 0x5a000000;
    const quint32 requestId = ++nextRequestId;
    const QByteArray request = sysUpTimeRequest(community().toLatin1(), requestId);
    if (::send(socket.fd(), request.constData(), size_t(request.size()), 0) != request.size())
        return false;

    QByteArray idBytes("\x02\x04", 2);
    for (int shift = 24; shift >= 0; shift -= 8)
        idBytes.append(char((requestId >> shift) & 0xff));

    QDeadlineTimer deadline(timeoutMs);
    while (!deadline.hasExpired()) {
        pollfd watch{socket.fd(), POLLIN, 0};
        if (::poll(&watch, 1, int(qMax<qint64>(1, deadline.remainingTime()))) <= 0)
            continue;
        char buffer[1500];
        const ssize_t got = ::recv(socket.fd(), buffer, sizeof(buffer), 0);
        if (got < 0) {
            // A refused datagram means nothing listens yet; do not spin on the error.
            QThread::msleep(20);
            continue;
        }
        const QByteArray reply(buffer, int(got));
        if (reply.startsWith(char(0x30)) && reply.contains(char(0xa2)) && reply.contains(idBytes))
            return true;
    }
    return false;
}

QString TestAgent::controlledOid(const QString& suffix)
{
    if (suffix.isEmpty())
        return QLatin1String(BaseOid);
    return QLatin1String(BaseOid) + QLatin1Char('.') + suffix;
}

QString TestAgent::tableColumnOid(TableColumn column)
{
    return controlledOid(QStringLiteral("2.1.%1").arg(int(column)));
}

QString TestAgent::typeName(ValueType type)
{
    switch (type) {
    case ValueType::Counter32:
        return QStringLiteral("Counter32");
    case ValueType::Counter64:
        return QStringLiteral("Counter64");
    case ValueType::Gauge32:
        return QStringLiteral("Gauge32");
    case ValueType::Integer:
        return QStringLiteral("INTEGER");
    case ValueType::TimeTicks:
        return QStringLiteral("TimeTicks");
    case ValueType::String:
        return QStringLiteral("STRING");
    case ValueType::HexString:
        return QStringLiteral("HEXSTRING");
    case ValueType::OID:
        return QStringLiteral("OID");
    case ValueType::IpAddress:
        return QStringLiteral("IpAddress");
    }
    return QString();
}

void TestAgent::setValue(const QString& suffix, ValueType type, const QString& value)
{
    m_values.insert(suffix, Entry{type, value});
    writeValues();
}

void TestAgent::removeValue(const QString& suffix)
{
    m_values.remove(suffix);
    writeValues();
}

void TestAgent::clearValues()
{
    m_values.clear();
    writeValues();
}

void TestAgent::setTable(const QList<TableRow>& rows)
{
    for (auto it = m_values.begin(); it != m_values.end();) {
        if (it.key().startsWith(QLatin1String("2.")))
            it = m_values.erase(it);
        else
            ++it;
    }
    for (const TableRow& row : rows) {
        const QString index = QString::number(row.index);
        m_values.insert(QStringLiteral("2.1.1.") + index, Entry{ValueType::Integer, index});
        m_values.insert(QStringLiteral("2.1.2.") + index, Entry{ValueType::String, row.description});
        m_values.insert(QStringLiteral("2.1.3.") + index,
                        Entry{ValueType::Counter32, QString::number(row.counter)});
    }
    writeValues();
}

void TestAgent::writeValues()
{
    if (!m_dir.isValid())
        return;
    // QSaveFile writes beside the target and renames, so the script never reads half a file.
    QSaveFile file(valuesFile());
    if (!file.open(QIODevice::WriteOnly))
        qFatal("TestAgent: cannot write %s", qPrintable(valuesFile()));
    QByteArray text = "# written by TestAgent: SUFFIX TYPE VALUE\n";
    for (auto it = m_values.cbegin(); it != m_values.cend(); ++it) {
        QString value = it->value;
        value.replace(QLatin1Char('\n'), QLatin1Char(' '));
        text += (it.key() + QLatin1Char(' ') + typeName(it->type) + QLatin1Char(' ') + value).toUtf8() + '\n';
    }
    file.write(text);
    if (!file.commit())
        qFatal("TestAgent: cannot write %s", qPrintable(valuesFile()));
}
