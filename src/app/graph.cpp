#include "graph.h"

#include "graph_window.h"
#include "graphs.h"

#include <rt_trendwick.h>

#include <QScreen>

Graph::Graph(Graphs* parent, GraphWindow* window, qint64 handle)
    : m_parent(parent), m_window(window), m_handle(handle < 0 && window ? qint64(window->winId()) : handle)
{
}

GraphWindow* Graph::window() const
{
    return m_window;
}

bool Graph::operator==(const Graph& other) const
{
    return m_window == other.m_window && m_handle == other.m_handle;
}

QString Graph::KeyOf(GraphWindow* window)
{
    return QStringLiteral("G:") + QString::number(qint64(window->winId()));
}

GraphWindow* Graph::WindowOf(qint64 handle)
{
    for (GraphWindow* window : GraphWindow::Windows()) {
        if (qint64(window->winId()) == handle)
            return window;
    }
    return nullptr;
}

GraphWindow& Graph::Window() const
{
    if (!m_window)
        throw WindowClosedError();
    return *m_window;
}

RTTrendwick& Graph::Control() const
{
    return Window().Control();
}

QString Graph::Key() const
{
    return KeyOf(&Window());
}

qint64 Graph::hWnd() const
{
    return qint64(Window().winId());
}

// clang-format off
QString Graph::Title() const { return Control().MainTitle(); }
void Graph::setTitle(const QString& title) { Control().setMainTitle(title); }
QString Graph::SubTitle() const { return Control().SubTitle(); }
void Graph::setSubTitle(const QString& title) { Control().setSubTitle(title); }
::TargetOIDs& Graph::TargetOIDs() const { return Control().TargetOIDs(); }
::ChartStyle& Graph::ChartStyle() const { return Control().ChartStyle(); }
::YAxises& Graph::YAxises() const { return Control().YAxises(); }
void Graph::UpdateStyle() { Control().UpdateStyle(); }
bool Graph::AutoPublishEnabled() const { return Control().AutoPublishEnabled(); }
void Graph::setAutoPublishEnabled(bool enabled) { Control().setAutoPublishEnabled(enabled); }
qint16 Graph::AutoPublishInterval() const { return Control().AutoPublishInterval(); }
void Graph::setAutoPublishInterval(qint16 seconds) { Control().setAutoPublishInterval(seconds); }
QString Graph::AutoPublishFilename() const { return Control().AutoPublishFilename(); }
void Graph::setAutoPublishFilename(const QString& fileName) { Control().setAutoPublishFilename(fileName); }
bool Graph::LoggingEnabled() const { return Control().LoggingEnabled(); }
void Graph::setLoggingEnabled(bool enabled) { Control().setLoggingEnabled(enabled); }
QString Graph::LogFilename() const { return Control().LogFilename(); }
void Graph::setLogFilename(const QString& fileName) { Control().setLogFilename(fileName); }
bool Graph::MIBListVisible() const { return Control().MIBListVisible(); }
void Graph::setMIBListVisible(bool visible) { Control().setMIBListVisible(visible); }
void Graph::Reset() { Control().Reset(); }
void Graph::RedrawGraph() { Control().ResetChart(); }
void Graph::SaveBitmap(const QString& fileName, qint16 width, qint16 height) { Control().SaveBitmap(fileName, width, height); }
void Graph::SaveJPEG(const QString& fileName, qint16 width, qint16 height) { Control().SaveJPEG(fileName, width, height); }
void Graph::SaveMetaFile(const QString& fileName, qint16 width, qint16 height) { Control().SaveMetaFile(fileName, width, height); }
void Graph::SaveHTML(const QString& fileName, qint16 width, qint16 height) { Control().SaveHTML(fileName, width, height); }
bool Graph::Paused() const { return Control().Paused(); }
void Graph::setPaused(bool paused) { Control().setPaused(paused); }
qint16 Graph::PollInterval() const { return qint16(Control().PollInterval()); }
void Graph::setPollInterval(qint16 seconds) { Control().setPollInterval(seconds); }
void Graph::Save(const QString& fileName) { Control().SaveXML(fileName); }
void Graph::Load(const QString& fileName) { Control().LoadXML(fileName); }
QString Graph::GetXML() const { return Control().GetXML(); }
bool Graph::SetXML(const QString& xml) { return Control().SetXML(xml); }
QString Graph::Filename() const { return Control().Filename(); }
void Graph::setFilename(const QString& fileName) { Control().setFilename(fileName); }
void Graph::Refresh() { Control().RefreshChart(false); }
bool Graph::Zoomed() const { return Control().Zoomed(); }
void Graph::setZoomed(bool zoomed) { Control().setZoomed(zoomed); }
bool Graph::ToolbarVisible() const { return Window().ToolbarVisible(); }
void Graph::setToolbarVisible(bool visible) { Window().setToolbarVisible(visible); }
bool Graph::MenusVisible() const { return Window().MenusVisible(); }
void Graph::setMenusVisible(bool visible) { Window().setMenusVisible(visible); }
// clang-format on

void Graph::SetFocus()
{
    Control().setFocus();
}

void Graph::RestoreWindow()
{
    Window().setWindowState(Qt::WindowNoState);
    Window().show();
}

void Graph::MinimizeWindow()
{
    Window().setWindowState(Qt::WindowMinimized);
    Window().show();
}

void Graph::MaximizeWindow()
{
    Window().setWindowState(Qt::WindowMaximized);
    Window().show();
}

void Graph::CloseWindow()
{
    GraphWindow& window = Window();
    if (m_parent)
        m_parent->RemoveGraph(Key());
    window.Unload();
}

void Graph::HideWindow()
{
    Window().hide();
}

void Graph::ShowWindow()
{
    Window().show();
}

double Graph::TwipsPerPixelX() const
{
    return 1440.0 / Window().logicalDpiX();
}

double Graph::TwipsPerPixelY() const
{
    return 1440.0 / Window().logicalDpiY();
}

qint32 Graph::top() const
{
    return qRound(Window().frameGeometry().top() * TwipsPerPixelY());
}

qint32 Graph::left() const
{
    return qRound(Window().frameGeometry().left() * TwipsPerPixelX());
}

qint32 Graph::Width() const
{
    return qRound(Window().frameGeometry().width() * TwipsPerPixelX());
}

qint32 Graph::Height() const
{
    return qRound(Window().frameGeometry().height() * TwipsPerPixelY());
}

void Graph::settop(qint32 twips)
{
    Move(-1, twips, -1, -1);
}

void Graph::setleft(qint32 twips)
{
    Move(twips, -1, -1, -1);
}

void Graph::setWidth(qint32 twips)
{
    Move(-1, -1, twips, -1);
}

void Graph::setHeight(qint32 twips)
{
    Move(-1, -1, -1, twips);
}

void Graph::Move(qint32 left, qint32 top, qint32 width, qint32 height)
{
    GraphWindow& window = Window();
    const QRect frame = window.frameGeometry();
    const QRect inner = window.geometry();
    const int x = left < 0 ? frame.left() : qRound(left / TwipsPerPixelX());
    const int y = top < 0 ? frame.top() : qRound(top / TwipsPerPixelY());
    const int w = width < 0 ? frame.width() : qRound(width / TwipsPerPixelX());
    const int h = height < 0 ? frame.height() : qRound(height / TwipsPerPixelY());
    // Positions and sizes count the frame; Qt places the frame but sizes the client area.
    window.move(x, y);
    window.resize(qMax(1, w - (frame.width() - inner.width())),
                  qMax(1, h - (frame.height() - inner.height())));
}
