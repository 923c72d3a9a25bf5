#include "application_object.h"

#include "automation_service.h"

#include <application.h>

ApplicationObject::ApplicationObject(AutomationService& service, Application& application)
    : AutomationObject(service.Lifetime()), m_service(service), m_application(application)
{
}

// clang-format off
QString ApplicationObject::Name() { return Call([&] { return m_application.Name(); }); }
QString ApplicationObject::Version() { return Call([&] { return m_application.Version(); }); }
QString ApplicationObject::Release() { return Call([&] { return m_application.Release(); }); }
qint32 ApplicationObject::ScreenWidth() { return Call([&] { return m_application.ScreenWidth(); }); }
qint32 ApplicationObject::ScreenHeight() { return Call([&] { return m_application.ScreenHeight(); }); }
void ApplicationObject::Shutdown() { Call([&] { m_application.Shutdown(); }); }
void ApplicationObject::ShowSplashScreen() { Call([&] { m_application.ShowSplashScreen(); }); }
// clang-format on

QDBusObjectPath ApplicationObject::Graphs()
{
    return Call([&] {
        // The collection is made and filled on first use, as for an in-process caller.
        m_application.Graphs();
        return QDBusObjectPath(AutomationService::kGraphsPath);
    });
}

QDBusObjectPath ApplicationObject::Settings()
{
    return Call([&] { return QDBusObjectPath(AutomationService::kSettingsPath); });
}

void ApplicationObject::GraphMIB(const QDBusVariant& vTarget, const QDBusVariant& vCommunity,
                                 const QDBusVariant& vMIB, const QDBusVariant& vIndex,
                                 const QDBusVariant& vInstance, const QDBusVariant& vCalculation,
                                 const QDBusVariant& vHostname)
{
    Call([&] {
        const auto text = [](const QDBusVariant& value) { return value.variant().toString(); };
        m_application.GraphMIB(text(vTarget), text(vCommunity), text(vMIB), text(vIndex), text(vInstance),
                               text(vCalculation), text(vHostname));
    });
}
