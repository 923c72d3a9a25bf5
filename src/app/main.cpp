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
    QApplication app(argc, argv);
    QApplication::setApplicationName(QStringLiteral("Real-Time Trendwick"));
    QApplication::setApplicationVersion(TrendwickVersionString());
    QApplication::setDesktopFileName(QStringLiteral("trendwick"));

    const QStringList arguments = app.arguments().mid(1);
    if (StartModeOf(arguments) == StartMode::Automation) {
        // TODO: register the D-Bus service here once the automation layer exists; until then no
        // client can hold an object, so an automation start has nothing to wait for.
        std::fputs("trendwick: the automation server is not available in this build\n", stderr);
        return 0;
    }

    Application application(Settings::instance(), SystemClock::instance());
    const auto showHelp = [](const QString& title, const QStringList& lines) {
        HelpTextDialog(title, lines).exec();
    };
    const StartResult start =
        StartInteractive(application, showHelp, CommandLineText(UserArguments(arguments)));
    if (!start.runEventLoop)
        return start.exitCode;
    return app.exec();
}
