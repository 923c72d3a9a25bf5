#pragma once

#include "command_line.h"

#include <QPointer>
#include <QStringList>
#include <memory>
#include <vector>

class Application;
class GraphWindow;
class Prompter;

/// How the process was started: by a user, or by the system for an automation client.
enum class StartMode { Interactive, Automation };

/// The automation switch anywhere among the arguments (without the program path) makes an
/// automation start; the D-Bus activation file passes it.
StartMode StartModeOf(const QStringList& arguments);
/// The arguments without the automation switch.
QStringList UserArguments(const QStringList& arguments);

/// Opens the command line's windows through an Application.
class ApplicationCommandLineHost final : public CommandLineHost {
public:
    explicit ApplicationCommandLineHost(Application& application);
    ~ApplicationCommandLineHost() override;

    CommandLineWindow* NewGraphWindow() override;
    void OpenGraphFile(const QString& fileName) override;

private:
    class Window;

    Application& m_application;
    std::vector<std::unique_ptr<Window>> m_windows;
};

/// What the interactive start left to do.
struct StartResult {
    bool runEventLoop = false; ///< some window is open
    int exitCode = 0;          ///< when there is nothing to run
};

/// The interactive start: one empty window for an empty command line, else the command line's
/// windows. Help texts go to a message box (and to standard output when that is a terminal);
/// after one the process is to end at once.
StartResult StartInteractive(Application& application, Prompter& prompter, const QString& commandLine);

/// Shows a help text in an information box; with toTerminal also prints it to standard output.
void ShowHelpText(Prompter& prompter, const QStringList& lines, bool toTerminal);
