#pragma once

#include "command_line.h"

#include <QPointer>
#include <QStringList>
#include <functional>
#include <memory>
#include <vector>

class Application;
class GraphWindow;

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

/// Shows a help text (title, lines) to the user and returns when it was dismissed.
using HelpPresenter = std::function<void(const QString& title, const QStringList& lines)>;

/// What the interactive start left to do.
struct StartResult {
    bool runEventLoop = false; ///< some window is open
    int exitCode = 0;          ///< when there is nothing to run
};

/// The interactive start: one empty window for an empty command line, else the command line's
/// windows. A help text is presented (and also printed when standard output is a terminal);
/// after one the process is to end at once.
StartResult StartInteractive(Application& application, const HelpPresenter& present,
                             const QString& commandLine);

/// Writes a help text to standard output, tabs and all.
void PrintHelpText(const QStringList& lines);
