#pragma once

#include "automation_object.h"

#include <QDBusObjectPath>
#include <QString>

class Application;
class AutomationService;
class Graph;

/// What the Graph adaptor of one window forwards to, at /Graphs/G<handle>. It keeps the window
/// handle only and finds the window again on every call, so nothing of it can outlive the window.
class GraphObject : public AutomationObject {
    Q_OBJECT
    Q_PROPERTY(QString Key READ Key)
    Q_PROPERTY(qint32 hWnd READ hWnd)
    Q_PROPERTY(QString Title READ Title WRITE setTitle)
    Q_PROPERTY(QString SubTitle READ SubTitle WRITE setSubTitle)
    Q_PROPERTY(QDBusObjectPath TargetOIDs READ TargetOIDs)
    Q_PROPERTY(QDBusObjectPath ChartStyle READ ChartStyle)
    Q_PROPERTY(bool AutoPublishEnabled READ AutoPublishEnabled WRITE setAutoPublishEnabled)
    Q_PROPERTY(qint16 AutoPublishInterval READ AutoPublishInterval WRITE setAutoPublishInterval)
    Q_PROPERTY(QString AutoPublishFilename READ AutoPublishFilename WRITE setAutoPublishFilename)
    Q_PROPERTY(bool LoggingEnabled READ LoggingEnabled WRITE setLoggingEnabled)
    Q_PROPERTY(QString LogFilename READ LogFilename WRITE setLogFilename)
    Q_PROPERTY(bool MIBListVisible READ MIBListVisible WRITE setMIBListVisible)
    Q_PROPERTY(bool Paused READ Paused WRITE setPaused)
    Q_PROPERTY(qint16 PollInterval READ PollInterval WRITE setPollInterval)
    Q_PROPERTY(QString Filename READ Filename WRITE setFilename)
    Q_PROPERTY(QDBusObjectPath YAxises READ YAxises)
    Q_PROPERTY(bool Zoomed READ Zoomed WRITE setZoomed)
    Q_PROPERTY(qint32 top READ top WRITE settop)
    Q_PROPERTY(qint32 left READ left WRITE setleft)
    Q_PROPERTY(qint32 Width READ Width WRITE setWidth)
    Q_PROPERTY(qint32 Height READ Height WRITE setHeight)
    Q_PROPERTY(bool ToolbarVisible READ ToolbarVisible WRITE setToolbarVisible)
    Q_PROPERTY(bool MenusVisible READ MenusVisible WRITE setMenusVisible)
public:
    GraphObject(AutomationService& service, Application& application, qint64 handle);

    QString path() const;

    QString Key();
    qint32 hWnd();
    QString Title();
    void setTitle(const QString& value);
    QString SubTitle();
    void setSubTitle(const QString& value);
    QDBusObjectPath TargetOIDs();
    QDBusObjectPath ChartStyle();
    QDBusObjectPath YAxises();
    bool AutoPublishEnabled();
    void setAutoPublishEnabled(bool value);
    qint16 AutoPublishInterval();
    void setAutoPublishInterval(qint16 value);
    QString AutoPublishFilename();
    void setAutoPublishFilename(const QString& value);
    bool LoggingEnabled();
    void setLoggingEnabled(bool value);
    QString LogFilename();
    void setLogFilename(const QString& value);
    bool MIBListVisible();
    void setMIBListVisible(bool value);
    bool Paused();
    void setPaused(bool value);
    qint16 PollInterval();
    void setPollInterval(qint16 value);
    QString Filename();
    void setFilename(const QString& value);
    bool Zoomed();
    void setZoomed(bool value);
    qint32 top();
    void settop(qint32 value);
    qint32 left();
    void setleft(qint32 value);
    qint32 Width();
    void setWidth(qint32 value);
    qint32 Height();
    void setHeight(qint32 value);
    bool ToolbarVisible();
    void setToolbarVisible(bool value);
    bool MenusVisible();
    void setMenusVisible(bool value);

    void UpdateStyle();
    void Reset();
    void RedrawGraph();
    void SaveBitmap(const QString& Filename, qint16 Width, qint16 Height);
    void SaveJPEG(const QString& Filename, qint16 Width, qint16 Height);
    void SaveMetaFile(const QString& Filename, qint16 Width, qint16 Height);
    void SaveHTML(const QString& Filename, qint16 Width, qint16 Height);
    void Save(const QString& Filename);
    void Load(const QString& Filename);
    QString GetXML();
    bool SetXML(const QString& XML);
    void SetFocus();
    void RestoreWindow();
    void MinimizeWindow();
    void MaximizeWindow();
    void CloseWindow();
    void HideWindow();
    void ShowWindow();
    void Refresh();
    void Move(qint32 left, qint32 top, qint32 Width, qint32 Height);

Q_SIGNALS:
    // The graph control's events, relayed by the GraphTree that owns this object.
    void StateChanged();
    void Shutdown();
    void MouseDown(qint16 Button, qint16 Shift, double X, double Y);

private:
    /// The Graph of the window with this object's handle; throws WindowClosedError when it is gone.
    Graph Current() const;
    template <class F>
    auto Forward(F&& member)
    {
        return Call([&] { return member(Current()); });
    }

    Application& m_application;
    qint64 m_handle;
};
