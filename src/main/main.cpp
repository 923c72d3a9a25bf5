// Entry point, the one place that composes the shell with the automation server. An automation
// start (the D-Bus activation file passes --automation) opens no window and lives while clients
// or windows need it; an interactive start acts on the command line and also offers its windows
// on the bus when the name is free.
#include <application.h>
#include <automation_service.h>
#include <clock.h>
#include <command_line.h>
#include <help_text_dialog.h>
#include <settings.h>
#include <startup.h>
#include <trendwick_version.h>

#include <QApplication>
#include <QDBusConnection>
#include <cstdio>

namespace {

int RunAutomation(QApplication& app, Application& application)
{
    AutomationService service(application, Settings::instance(), QDBusConnection::sessionBus());
    QString error;
    if (!service.Register(&error)) {
        std::fprintf(stderr, "trendwick: %s\n", qPrintable(error));
        return 1;
    }
    // Hidden windows a client made keep the process; the lifetime watcher decides when to end.
    QApplication::setQuitOnLastWindowClosed(false);
    QObject::connect(&service.Lifetime(), &AutomationLifetime::Idle, &app, &QCoreApplication::quit);
    service.Lifetime().Start();
    return app.exec();
}

} // namespace

int main(int argc, char** argv)
{
    QApplication app(argc, argv);
    QApplication::setApplicationName(QStringLiteral("Real-Time Trendwick"));
    QApplication::setApplicationVersion(TrendwickVersionString());
    QApplication::setDesktopFileName(QStringLiteral("trendwick"));

    Application application(Settings::instance(), SystemClock::instance());
    // Qt's own options (-platform, -style ...) are left out of the command line.
    const QStringList arguments = app.arguments().mid(1);
    if (StartModeOf(arguments) == StartMode::Automation)
        return RunAutomation(app, application);

    // Without a session bus (a server) or with the name held by another copy, the windows are
    // simply not reachable by clients.
    AutomationService service(application, Settings::instance(), QDBusConnection::sessionBus());
    service.Register();

    const auto showHelp = [](const QString& title, const QStringList& lines) {
        HelpTextDialog(title, lines).exec();
    };
    const StartResult start =
        StartInteractive(application, showHelp, CommandLineText(UserArguments(arguments)));
    if (!start.runEventLoop)
        return start.exitCode;
    return app.exec();
}
