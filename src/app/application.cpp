#include "application.h"

#include "graph_window.h"
#include "graphs.h"

#include <rt_trendwick.h>

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
    // Each close unloads (deletes) the window, which takes it off the list.
    while (!GraphWindow::Windows().isEmpty()) {
        GraphWindow* first = GraphWindow::Windows().first();
        first->close();
        delete first;
    }
}
