// Entry point: an automation start waits for clients, an interactive start acts on the command line.
#include <application.h>
#include <clock.h>
#include <command_line.h>
#include <help_text_dialog.h>
#include <settings.h>
#include <startup.h>
#include <trendwick_version.h>

#include <QApplication>
#include <cstdio>

int main(int argc, char** argv)
{
    QStringList arguments;
    for (int i = 1; i < argc; ++i)
        arguments << QString::fromLocal8Bit(argv[i]);
    if (StartModeOf(arguments) == StartMode::Automation) {
        // TODO: register the D-Bus service here once the automation layer exists; until then no
        // client can hold an object, so an automation start has nothing to wait for.
        std::fputs("trendwick: the automation server is not available in this build\n", stderr);
        return 0;
    }

    QApplication app(argc, argv);
    QApplication::setApplicationName(QStringLiteral("Real-Time Trendwick"));
    QApplication::setApplicationVersion(TrendwickVersionString());
    QApplication::setDesktopFileName(QStringLiteral("trendwick"));

    Application application(Settings::instance(), SystemClock::instance());
    const auto showHelp = [](const QString& title, const QStringList& lines) {
        HelpTextDialog(title, lines).exec();
    };
    // Qt's own options (-platform, -style ...) are left out of the command line.
    const StartResult start =
        StartInteractive(application, showHelp, CommandLineText(UserArguments(app.arguments().mid(1))));
    if (!start.runEventLoop)
        return start.exitCode;
    return app.exec();
}
