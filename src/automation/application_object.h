#pragma once

#include "automation_object.h"

#include <QDBusVariant>
#include <QString>

class Application;
class AutomationService;

/// What the Application adaptor forwards to, at /Application.
class ApplicationObject : public AutomationObject {
    Q_OBJECT
    Q_PROPERTY(QString Name READ Name)
    Q_PROPERTY(QString Version READ Version)
    Q_PROPERTY(QString Release READ Release)
    Q_PROPERTY(QDBusObjectPath Graphs READ Graphs)
    Q_PROPERTY(QDBusObjectPath Settings READ Settings)
    Q_PROPERTY(qint32 ScreenWidth READ ScreenWidth)
    Q_PROPERTY(qint32 ScreenHeight READ ScreenHeight)
public:
    ApplicationObject(AutomationService& service, Application& application);

    QString Name();
    QString Version();
    QString Release();
    QDBusObjectPath Graphs();
    QDBusObjectPath Settings();
    qint32 ScreenWidth();
    qint32 ScreenHeight();

    void Shutdown();
    void ShowSplashScreen();
    /// Every argument is taken as text; clients without optional arguments pass "".
    void GraphMIB(const QDBusVariant& vTarget, const QDBusVariant& vCommunity, const QDBusVariant& vMIB,
                  const QDBusVariant& vIndex, const QDBusVariant& vInstance, const QDBusVariant& vCalculation,
                  const QDBusVariant& vHostname);

private:
    AutomationService& m_service;
    Application& m_application;
};
