#include "automation_object.h"

#include "automation_lifetime.h"

#include <graph.h>
#include <settings.h>

#include <QDBusConnection>
#include <QDBusMessage>

AutomationObject::AutomationObject(AutomationLifetime& lifetime, QObject* parent)
    : QObject(parent), m_lifetime(lifetime)
{
}

void AutomationObject::NoteCaller()
{
    m_lifetime.NoteCall(calledFromDBus() ? message().service() : QString());
}

void AutomationObject::Fail(std::exception_ptr failure)
{
    QString name;
    QString text;
    try {
        std::rethrow_exception(failure);
    } catch (const WindowClosedError& error) {
        name = QStringLiteral("org.freedesktop.DBus.Error.UnknownObject");
        text = QString::fromUtf8(error.what());
    } catch (const ObjectGoneError& error) {
        name = QStringLiteral("org.freedesktop.DBus.Error.UnknownObject");
        text = QString::fromUtf8(error.what());
    } catch (const std::out_of_range& error) {
        name = QStringLiteral("org.freedesktop.DBus.Error.InvalidArgs");
        text = QString::fromUtf8(error.what());
    } catch (const TypeMismatchError& error) {
        name = QStringLiteral("net.brightfen.Trendwick.Error.TypeMismatch");
        text = QString::fromUtf8(error.what());
    } catch (const std::exception& error) {
        name = QStringLiteral("net.brightfen.Trendwick.Error.Failed");
        text = QString::fromUtf8(error.what());
    } catch (...) {
        name = QStringLiteral("net.brightfen.Trendwick.Error.Failed");
        text = QStringLiteral("unexpected failure");
    }
    if (calledFromDBus())
        sendErrorReply(name, text);
}
