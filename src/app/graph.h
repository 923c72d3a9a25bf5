#pragma once

#include <QObject>
#include <QPointer>
#include <QString>
#include <stdexcept>

class ChartStyle;
class GraphWindow;
class Graphs;
class RTTrendwick;
class TargetOIDs;
class YAxises;

/// A member call on a Graph whose window has been closed.
class WindowClosedError : public std::runtime_error {
public:
    WindowClosedError() : std::runtime_error("the graph window is no longer available") {}
};

/// One graph window as an object: holds no state of its own beyond its collection and its
/// window; every member forwards to the window or to the graph control it hosts. Sizes and
/// positions are in twips (1440 per logical inch of the window's screen).
///
/// A Graph is a copyable handle: it never owns the window and never dangles. Once the window is
/// gone every member throws WindowClosedError.
class Graph {
public:
    /// handle is the window's, kept for a window that may already be gone (-1: ask the window).
    Graph(Graphs* parent, GraphWindow* window, qint64 handle = -1);

    /// "G:" and the decimal window handle.
    static QString KeyOf(GraphWindow* window);
    /// The loaded graph window with that handle, or null.
    static GraphWindow* WindowOf(qint64 handle);

    QString Key() const;
    qint64 hWnd() const;
    QString Title() const;
    void setTitle(const QString& title);
    QString SubTitle() const;
    void setSubTitle(const QString& title);
    ::TargetOIDs& TargetOIDs() const;
    ::ChartStyle& ChartStyle() const;
    ::YAxises& YAxises() const;
    void UpdateStyle();
    bool AutoPublishEnabled() const;
    void setAutoPublishEnabled(bool enabled);
    qint16 AutoPublishInterval() const;
    void setAutoPublishInterval(qint16 seconds);
    QString AutoPublishFilename() const;
    void setAutoPublishFilename(const QString& fileName);
    bool LoggingEnabled() const;
    void setLoggingEnabled(bool enabled);
    QString LogFilename() const;
    void setLogFilename(const QString& fileName);
    bool MIBListVisible() const;
    void setMIBListVisible(bool visible);
    void Reset();
    void RedrawGraph();
    void SaveBitmap(const QString& fileName, qint16 width = 0, qint16 height = 0);
    void SaveJPEG(const QString& fileName, qint16 width = 0, qint16 height = 0);
    void SaveMetaFile(const QString& fileName, qint16 width = 0, qint16 height = 0);
    void SaveHTML(const QString& fileName, qint16 width = 0, qint16 height = 0);
    bool Paused() const;
    void setPaused(bool paused);
    qint16 PollInterval() const;
    void setPollInterval(qint16 seconds);
    void Save(const QString& fileName);
    void Load(const QString& fileName);
    QString GetXML() const;
    bool SetXML(const QString& xml);
    QString Filename() const;
    void setFilename(const QString& fileName);
    void Refresh();
    bool Zoomed() const;
    void setZoomed(bool zoomed);

    void SetFocus();
    void RestoreWindow();
    void MinimizeWindow();
    void MaximizeWindow();
    /// Removes this Graph from its collection and unloads the window.
    void CloseWindow();
    void HideWindow();
    void ShowWindow();
    qint32 top() const;
    void settop(qint32 twips);
    qint32 left() const;
    void setleft(qint32 twips);
    qint32 Width() const;
    void setWidth(qint32 twips);
    qint32 Height() const;
    void setHeight(qint32 twips);
    /// Each negative argument keeps the window's current edge or size.
    void Move(qint32 left = -1, qint32 top = -1, qint32 width = -1, qint32 height = -1);
    bool ToolbarVisible() const;
    void setToolbarVisible(bool visible);
    bool MenusVisible() const;
    void setMenusVisible(bool visible);

    GraphWindow* window() const;
    /// The window handle this Graph was made for, also after the window has gone.
    qint64 handle() const { return m_handle; }
    bool operator==(const Graph& other) const;

private:
    GraphWindow& Window() const;
    RTTrendwick& Control() const;
    double TwipsPerPixelX() const;
    double TwipsPerPixelY() const;

    QPointer<Graphs> m_parent;
    QPointer<GraphWindow> m_window;
    qint64 m_handle;
};
