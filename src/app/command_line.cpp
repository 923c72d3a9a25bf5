#include "command_line.h"

#include <common_functions.h>
#include <settings.h>

#include <algorithm>
#include <limits>
#include <stdexcept>

namespace {

const QChar kTab(QLatin1Char('\t'));

// Raised inside the parse for anything that ends in the usage box.
class UsageError : public std::runtime_error {
public:
    using std::runtime_error::runtime_error;
};

bool IsHelpWord(const QString& upper)
{
    return upper == QLatin1String("HELP") || upper == QLatin1String("-?") ||
           upper == QLatin1String("-HELP") || upper == QLatin1String("?");
}

QString ValueAfter(const QStringList& tokens, int i)
{
    if (i + 1 >= tokens.size())
        throw UsageError(QStringLiteral("%1 needs a value").arg(tokens.at(i)).toStdString());
    return tokens.at(i + 1);
}

qint32 PollSeconds(const QString& text)
{
    // Clamp before narrowing so "1e30" lands at the setting's upper limit, not anywhere.
    const double seconds = std::clamp(LeadingNumber(text), double(std::numeric_limits<qint32>::min()),
                                      double(std::numeric_limits<qint32>::max()));
    return qint32(RoundHalfEven(seconds));
}

} // namespace

struct CommandLineParser::State {
    QString node;
    QString community;
    QString instance;
    QString logFile;
    CommandLineWindow* window = nullptr;
};

QString CommandLineText(const QStringList& arguments)
{
    return arguments.join(QLatin1Char(' '));
}

QStringList CommandLineTokens(const QString& text)
{
    return text.split(QLatin1Char(' '), Qt::KeepEmptyParts);
}

CommandLineParser::CommandLineParser(CommandLineHost& host, Settings& settings)
    : m_host(host), m_settings(settings)
{
}

CommandLineParser::Outcome CommandLineParser::Parse(const QString& commandLine)
{
    m_error.clear();
    State state;
    try {
        const Outcome outcome = ParseTokens(CommandLineTokens(commandLine), state);
        if (outcome != Outcome::Done)
            return outcome;
        if (!state.logFile.isEmpty()) {
            if (!state.window)
                throw UsageError("-Log needs a -MIB on the same command line");
            state.window->setLogFilename(state.logFile);
            state.window->setLoggingEnabled(true);
        }
        return Outcome::Done;
    } catch (const std::exception& error) {
        m_error = QString::fromLocal8Bit(error.what());
    } catch (...) {
        m_error = QStringLiteral("unexpected error");
    }
    if (m_error.isEmpty())
        m_error = QStringLiteral("unexpected error");
    return Outcome::Usage;
}

CommandLineParser::Outcome CommandLineParser::ParseTokens(const QStringList& tokens, State& state)
{
    int i = 0;
    const int last = int(tokens.size()) - 1;
    while (i <= last) {
        const QString option = tokens.at(i).toUpper();
        if (option == QLatin1String("-F")) {
            i = OpenFiles(tokens, i);
        } else if (option == QLatin1String("-MIB")) {
            GraphMIB(state, ValueAfter(tokens, i));
            i += 2;
        } else if (option == QLatin1String("-COMMUNITY")) {
            state.community = ValueAfter(tokens, i);
            i += 2;
        } else if (option == QLatin1String("-INSTANCE")) {
            state.instance = ValueAfter(tokens, i);
            i += 2;
        } else if (option == QLatin1String("-NODE")) {
            state.node = ValueAfter(tokens, i);
            i += 2;
        } else if (option == QLatin1String("-EXAMPLES")) {
            return Outcome::Examples;
        } else if (option == QLatin1String("-POLL")) {
            m_settings.setPollInterval(PollSeconds(ValueAfter(tokens, i)));
            i += 2;
        } else if (option == QLatin1String("-LOG")) {
            state.logFile = ValueAfter(tokens, i);
            i += 2;
        } else if (IsHelpWord(option)) {
            return Outcome::Usage;
        } else {
            ++i;
        }
    }
    return Outcome::Done;
}

// Returns the index of the token that ended the file name, which is read as the next option.
int CommandLineParser::OpenFiles(const QStringList& tokens, int i)
{
    QStringList parts;
    ++i;
    while (i < tokens.size() && !tokens.at(i).startsWith(QLatin1Char('-'))) {
        parts << tokens.at(i);
        ++i;
    }
    QString fileName = parts.join(QLatin1Char(' '));
    if (fileName.startsWith(QLatin1Char('"')))
        fileName.remove(0, 1);
    if (fileName.endsWith(QLatin1Char('"')))
        fileName.chop(1);
    m_host.OpenGraphFile(fileName);
    return i;
}

void CommandLineParser::GraphMIB(State& state, const QString& mib)
{
    if (!state.window)
        state.window = m_host.NewGraphWindow();
    if (!state.window)
        throw UsageError("no window could be created");
    state.window->GraphMIB(state.node, state.community, mib, state.instance, QString(), QString(), QString());
}

QString CommandLineParser::Title()
{
    return QStringLiteral("Real-Time Trendwick");
}

QStringList CommandLineParser::UsageLines()
{
    return {
        QStringLiteral("Trendwick parameters"),
        QStringLiteral("    parameters can be one or more of the following :"),
        QString(),
        QStringLiteral("    [-F filename]") + kTab + kTab + kTab +
            QStringLiteral(": Trendwick filename to open and display"),
        QString(),
        QStringLiteral("    [-Node address]") + kTab + kTab + kTab +
            QStringLiteral(": IP or Hostname of the device to poll"),
        QStringLiteral("    [-Community communitystring]") + kTab + QStringLiteral(": SNMP Community String"),
        QStringLiteral("    [-Instance mibinstance]") + kTab + kTab +
            QStringLiteral(": Instance or Index within the MIB table"),
        QStringLiteral("    [-MIB mibname]") + kTab + kTab + kTab + QStringLiteral(": MIB or OID to poll"),
        QString(),
        QStringLiteral("    [-Poll seconds]") + kTab + kTab + kTab +
            QStringLiteral(": Set the polling interval to x seconds"),
        QStringLiteral("    [-Log filename]") + kTab + kTab + kTab +
            QStringLiteral(": Log SNMP data to a comma-delimted file"),
        QString(),
        QStringLiteral("When specifing MIBs to poll, the -MIB parameter must be last."),
        QStringLiteral("Enter Trendwick -Examples for example command lines.")};
}

QStringList CommandLineParser::ExamplesLines()
{
    const QString indent = QStringLiteral("                  ");
    const QString server3 = QStringLiteral(
        "    Trendwick.exe -Node server3.example.com -Community mossel -MIB RFC1213-MIB:ifInOctets");
    return {
        QStringLiteral("Example command lines for Trendwick.exe"),
        QString(),
        QStringLiteral("    Trendwick.exe -F graph1.Trendwick -F graph2.Trendwick"),
        indent + QStringLiteral("Load and display two Trendwicks (graph1.Trendwick and graph2.Trendwick)"),
        QString(),
        QStringLiteral("    Trendwick.exe -Poll 2 -Node 10.10.20.1 -Community mossel -MIB hrSystemProcesses"),
        indent + QStringLiteral("Poll the NT Server at 10.10.20.1 every 2 seconds for 'hrSystemProcesses'"),
        QString(),
        QStringLiteral("    Trendwick.exe -Node 10.10.1.1 -Community mossel -Instance 2 -MIB ifInOctets -MIB "
                       "ifOutOctets"),
        indent + QStringLiteral("Poll the device at 10.10.1.1 (interface 2) for ifInOctets and ifOutOctets"),
        QString(),
        QStringLiteral(
            "    Trendwick.exe -Node 10.10.1.1 -Community mossel -Instance 2 -MIB RFC1213-MIB:ifInOctets "
            "-Node 10.10.1.2 -Instance 5 -MIB RFC1213-MIB:ifInOctets"),
        indent +
            QStringLiteral(
                "Poll the devices at 10.10.1.1 (interface 2) and 10.10.1.2 (interface 5) for ifInOctets"),
        QString(),
        server3,
        indent + QStringLiteral(
                     "Poll Server3 for ifInOctets. A list of interfaces on Server3 will be displayed to "
                     "select from"),
        QString(),
        server3 + QStringLiteral(" -MIB RFC1213-MIB:ifOutOctets"),
        indent + QStringLiteral(
                     "Poll Server3 for ifInOctets and ifOutOctets. A list of interfaces on Server3 will "
                     "be displayed to select from")};
}
