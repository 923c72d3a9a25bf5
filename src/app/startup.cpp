#include "startup.h"

#include "application.h"
#include "graph_window.h"

#include <rt_trendwick.h>

#include <cstdio>
#include <unistd.h>

namespace {

const QString kAutomationSwitch = QStringLiteral("--automation");

} // namespace

StartMode StartModeOf(const QStringList& arguments)
{
    return arguments.contains(kAutomationSwitch) ? StartMode::Automation : StartMode::Interactive;
}

QStringList UserArguments(const QStringList& arguments)
{
    QStringList rest = arguments;
    rest.removeAll(kAutomationSwitch);
    return rest;
}

// The parser's view of one graph window; the window may be closed meanwhile.
class ApplicationCommandLineHost::Window final : public CommandLineWindow {
public:
    explicit Window(GraphWindow* window) : m_window(window) {}

    void GraphMIB(const QString& target, const QString& community, const QString& mib, const QString& index,
                  const QString& instance, const QString& calculation, const QString& hostname) override
    {
        if (m_window)
            m_window->GraphMIB(target, community, mib, index, instance, calculation, hostname);
    }
    void setLogFilename(const QString& fileName) override
    {
        if (m_window)
            m_window->Control().setLogFilename(fileName);
    }
    void setLoggingEnabled(bool enabled) override
    {
        if (m_window)
            m_window->Control().setLoggingEnabled(enabled);
    }

private:
    QPointer<GraphWindow> m_window;
};

ApplicationCommandLineHost::ApplicationCommandLineHost(Application& application) : m_application(application)
{
}

ApplicationCommandLineHost::~ApplicationCommandLineHost() = default;

CommandLineWindow* ApplicationCommandLineHost::NewGraphWindow()
{
    m_windows.push_back(std::make_unique<Window>(m_application.NewGraphWindow()));
    return m_windows.back().get();
}

void ApplicationCommandLineHost::OpenGraphFile(const QString& fileName)
{
    m_application.OpenGraphFile(fileName);
}

void PrintHelpText(const QStringList& lines)
{
    std::fputs(qPrintable(lines.join(QLatin1Char('\n')) + QLatin1Char('\n')), stdout);
    std::fflush(stdout);
}

void ShowHelpText(const HelpPresenter& present, const QStringList& lines)
{
    if (isatty(STDOUT_FILENO) == 1)
        PrintHelpText(lines);
    if (present)
        present(CommandLineParser::Title(), lines);
}

StartResult StartInteractive(Application& application, const HelpPresenter& present,
                             const QString& commandLine)
{
    if (commandLine.isEmpty()) {
        application.NewGraphWindow();
        return {true, 0};
    }
    ApplicationCommandLineHost host(application);
    CommandLineParser parser(host, application.Settings());
    switch (parser.Parse(commandLine)) {
    case CommandLineParser::Outcome::Usage:
        if (!parser.Error().isEmpty())
            std::fprintf(stderr, "trendwick: %s\n", qPrintable(parser.Error()));
        ShowHelpText(present, CommandLineParser::UsageLines());
        return {false, parser.Error().isEmpty() ? 0 : 2};
    case CommandLineParser::Outcome::Examples:
        ShowHelpText(present, CommandLineParser::ExamplesLines());
        return {false, 0};
    case CommandLineParser::Outcome::Done:
        break;
    }
    return {!GraphWindow::Windows().isEmpty(), 0};
}
