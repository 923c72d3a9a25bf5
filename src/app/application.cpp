#include "application.h"

#include "graph_window.h"
#include "graphs.h"

#include <file_ver_info.h>
#include <prompter.h>
#include <rt_trendwick.h>
#include <trendwick_version.h>

#include <QCoreApplication>
#include <QDateTime>
#include <QFileInfo>
#include <QGuiApplication>
#include <QLocale>
#include <QScreen>
#include <QTimer>

namespace {

Application* g_current = nullptr;

} // namespace

Application::Application(::Settings& settings, Clock& clock, Prompter* prompter, QObject* parent)
    : QObject(parent), m_settings(settings), m_clock(clock), m_prompter(prompter)
{
    if (!g_current)
        g_current = this;
}

Application::~Application()
{
    if (g_current == this)
        g_current = nullptr;
}

Application* Application::current()
{
    return g_current;
}

::Graphs& Application::Graphs()
{
    if (!m_graphs) {
        m_graphs = std::make_unique<::Graphs>(*this);
        m_graphs->Refresh();
    }
    return *m_graphs;
}

GraphWindow* Application::CreateGraphWindow()
{
    auto* window = new GraphWindow(m_settings, m_clock, m_prompter);
    connect(window, &GraphWindow::NewWindowRequested, this, &Application::NewGraphWindow);
    Q_EMIT GraphWindowCreated(window);
    return window;
}

GraphWindow* Application::NewGraphWindow()
{
    GraphWindow* window = CreateGraphWindow();
    window->StartGraph();
    return window;
}

GraphWindow* Application::OpenGraphFile(const QString& fileName)
{
    GraphWindow* window = NewGraphWindow();
    window->Control().LoadXML(fileName);
    window->UpdateCommandState();
    return window;
}

void Application::GraphMIB(const QString& target, const QString& community, const QString& mib,
                           const QString& index, const QString& instance, const QString& calculation,
                           const QString& hostname)
{
    GraphWindow* window = CreateGraphWindow();
    window->GraphMIB(target, community, mib, index, instance, calculation, hostname);
    window->StartGraph();
}

void Application::Shutdown()
{
    // Unloading takes the window off the list at once.
    while (!GraphWindow::Windows().isEmpty())
        GraphWindow::Windows().first()->Unload();
}

void Application::ShowSplashScreen()
{
    QTimer::singleShot(0, this, [this] {
        QtPrompter ownPrompter;
        Prompter& prompter = m_prompter ? *m_prompter : ownPrompter;
        prompter.Message(Name() + QStringLiteral("\nVersion ") + Version() +
                             QStringLiteral("\n\nA real-time SNMP grapher."),
                         Prompter::Icon::Information, Prompter::Ok, QStringLiteral("About Trendwick"));
    });
}

QString Application::Name() const
{
    return TrendwickFileDescription();
}

QString Application::Version() const
{
    FileVerInfo info;
    info.GetExecutableInfo();
    return QStringLiteral("%1.%2.%3")
        .arg(info.FileVersionMajor)
        .arg(info.FileVersionMinor)
        .arg(info.FileVersionPrivate);
}

QString Application::Release() const
{
    if (m_release.isEmpty()) {
        // Month names in English whatever the user's language, as the text has always read.
        const QDateTime built = QFileInfo(QCoreApplication::applicationFilePath()).lastModified();
        m_release = QStringLiteral("Version %1.%2 %3")
                        .arg(TrendwickVersionMajor)
                        .arg(TrendwickVersionMinor)
                        .arg(QLocale::c().toString(built.date(), QStringLiteral("MMMM yyyy")));
    }
    return m_release;
}

qint32 Application::ScreenWidth() const
{
    const QScreen* screen = QGuiApplication::primaryScreen();
    return screen ? qRound(screen->geometry().width() * 1440.0 / screen->logicalDotsPerInchX()) : 0;
}

qint32 Application::ScreenHeight() const
{
    const QScreen* screen = QGuiApplication::primaryScreen();
    return screen ? qRound(screen->geometry().height() * 1440.0 / screen->logicalDotsPerInchY()) : 0;
}
