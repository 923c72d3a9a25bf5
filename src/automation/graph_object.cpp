#include "graph_object.h"

#include "automation_service.h"

#include <application.h>
#include <graph.h>
#include <graphs.h>

GraphObject::GraphObject(AutomationService& service, Application& application, qint64 handle)
    : AutomationObject(service.Lifetime()), m_application(application), m_handle(handle)
{
}

QString GraphObject::path() const
{
    return AutomationService::GraphPath(m_handle);
}

Graph GraphObject::Current() const
{
    GraphWindow* window = Graph::WindowOf(m_handle);
    if (!window)
        throw WindowClosedError();
    return Graph(&m_application.Graphs(), window);
}

// clang-format off
QString GraphObject::Key() { return Forward([](Graph g) { return g.Key(); }); }
qint32 GraphObject::hWnd() { return Forward([](Graph g) { return qint32(g.hWnd()); }); }
QString GraphObject::Title() { return Forward([](Graph g) { return g.Title(); }); }
void GraphObject::setTitle(const QString& v) { Forward([&](Graph g) { g.setTitle(v); }); }
QString GraphObject::SubTitle() { return Forward([](Graph g) { return g.SubTitle(); }); }
void GraphObject::setSubTitle(const QString& v) { Forward([&](Graph g) { g.setSubTitle(v); }); }
// The objects below a graph, served by the GraphTree that owns this object.
QDBusObjectPath GraphObject::TargetOIDs() { return Forward([&](Graph) { return QDBusObjectPath(path() + "/TargetOIDs"); }); }
QDBusObjectPath GraphObject::ChartStyle() { return Forward([&](Graph) { return QDBusObjectPath(path() + "/ChartStyle"); }); }
QDBusObjectPath GraphObject::YAxises() { return Forward([&](Graph) { return QDBusObjectPath(path() + "/YAxises"); }); }
bool GraphObject::AutoPublishEnabled() { return Forward([](Graph g) { return g.AutoPublishEnabled(); }); }
void GraphObject::setAutoPublishEnabled(bool v) { Forward([&](Graph g) { g.setAutoPublishEnabled(v); }); }
qint16 GraphObject::AutoPublishInterval() { return Forward([](Graph g) { return g.AutoPublishInterval(); }); }
void GraphObject::setAutoPublishInterval(qint16 v) { Forward([&](Graph g) { g.setAutoPublishInterval(v); }); }
QString GraphObject::AutoPublishFilename() { return Forward([](Graph g) { return g.AutoPublishFilename(); }); }
void GraphObject::setAutoPublishFilename(const QString& v) { Forward([&](Graph g) { g.setAutoPublishFilename(v); }); }
bool GraphObject::LoggingEnabled() { return Forward([](Graph g) { return g.LoggingEnabled(); }); }
void GraphObject::setLoggingEnabled(bool v) { Forward([&](Graph g) { g.setLoggingEnabled(v); }); }
QString GraphObject::LogFilename() { return Forward([](Graph g) { return g.LogFilename(); }); }
void GraphObject::setLogFilename(const QString& v) { Forward([&](Graph g) { g.setLogFilename(v); }); }
bool GraphObject::MIBListVisible() { return Forward([](Graph g) { return g.MIBListVisible(); }); }
void GraphObject::setMIBListVisible(bool v) { Forward([&](Graph g) { g.setMIBListVisible(v); }); }
bool GraphObject::Paused() { return Forward([](Graph g) { return g.Paused(); }); }
void GraphObject::setPaused(bool v) { Forward([&](Graph g) { g.setPaused(v); }); }
qint16 GraphObject::PollInterval() { return Forward([](Graph g) { return g.PollInterval(); }); }
void GraphObject::setPollInterval(qint16 v) { Forward([&](Graph g) { g.setPollInterval(v); }); }
QString GraphObject::Filename() { return Forward([](Graph g) { return g.Filename(); }); }
void GraphObject::setFilename(const QString& v) { Forward([&](Graph g) { g.setFilename(v); }); }
bool GraphObject::Zoomed() { return Forward([](Graph g) { return g.Zoomed(); }); }
void GraphObject::setZoomed(bool v) { Forward([&](Graph g) { g.setZoomed(v); }); }
qint32 GraphObject::top() { return Forward([](Graph g) { return g.top(); }); }
void GraphObject::settop(qint32 v) { Forward([&](Graph g) { g.settop(v); }); }
qint32 GraphObject::left() { return Forward([](Graph g) { return g.left(); }); }
void GraphObject::setleft(qint32 v) { Forward([&](Graph g) { g.setleft(v); }); }
qint32 GraphObject::Width() { return Forward([](Graph g) { return g.Width(); }); }
void GraphObject::setWidth(qint32 v) { Forward([&](Graph g) { g.setWidth(v); }); }
qint32 GraphObject::Height() { return Forward([](Graph g) { return g.Height(); }); }
void GraphObject::setHeight(qint32 v) { Forward([&](Graph g) { g.setHeight(v); }); }
bool GraphObject::ToolbarVisible() { return Forward([](Graph g) { return g.ToolbarVisible(); }); }
void GraphObject::setToolbarVisible(bool v) { Forward([&](Graph g) { g.setToolbarVisible(v); }); }
bool GraphObject::MenusVisible() { return Forward([](Graph g) { return g.MenusVisible(); }); }
void GraphObject::setMenusVisible(bool v) { Forward([&](Graph g) { g.setMenusVisible(v); }); }

void GraphObject::UpdateStyle() { Forward([](Graph g) { g.UpdateStyle(); }); }
void GraphObject::Reset() { Forward([](Graph g) { g.Reset(); }); }
void GraphObject::RedrawGraph() { Forward([](Graph g) { g.RedrawGraph(); }); }
void GraphObject::SaveBitmap(const QString& f, qint16 w, qint16 h) { Forward([&](Graph g) { g.SaveBitmap(f, w, h); }); }
void GraphObject::SaveJPEG(const QString& f, qint16 w, qint16 h) { Forward([&](Graph g) { g.SaveJPEG(f, w, h); }); }
void GraphObject::SaveMetaFile(const QString& f, qint16 w, qint16 h) { Forward([&](Graph g) { g.SaveMetaFile(f, w, h); }); }
void GraphObject::SaveHTML(const QString& f, qint16 w, qint16 h) { Forward([&](Graph g) { g.SaveHTML(f, w, h); }); }
void GraphObject::Save(const QString& f) { Forward([&](Graph g) { g.Save(f); }); }
void GraphObject::Load(const QString& f) { Forward([&](Graph g) { g.Load(f); }); }
QString GraphObject::GetXML() { return Forward([](Graph g) { return g.GetXML(); }); }
bool GraphObject::SetXML(const QString& xml) { return Forward([&](Graph g) { return g.SetXML(xml); }); }
void GraphObject::SetFocus() { Forward([](Graph g) { g.SetFocus(); }); }
void GraphObject::RestoreWindow() { Forward([](Graph g) { g.RestoreWindow(); }); }
void GraphObject::MinimizeWindow() { Forward([](Graph g) { g.MinimizeWindow(); }); }
void GraphObject::MaximizeWindow() { Forward([](Graph g) { g.MaximizeWindow(); }); }
void GraphObject::CloseWindow() { Forward([](Graph g) { g.CloseWindow(); }); }
void GraphObject::HideWindow() { Forward([](Graph g) { g.HideWindow(); }); }
void GraphObject::ShowWindow() { Forward([](Graph g) { g.ShowWindow(); }); }
void GraphObject::Refresh() { Forward([](Graph g) { g.Refresh(); }); }
void GraphObject::Move(qint32 l, qint32 t, qint32 w, qint32 h) { Forward([&](Graph g) { g.Move(l, t, w, h); }); }
// clang-format on
