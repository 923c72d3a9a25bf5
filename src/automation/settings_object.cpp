#include "settings_object.h"

#include "automation_service.h"

#include <settings.h>

SettingsObject::SettingsObject(AutomationService& service, ::Settings& settings)
    : AutomationObject(service.Lifetime()), m_settings(settings)
{
    connect(&m_settings, &::Settings::Changed, this, [this](const QString& name, const QVariant& value) {
        Q_EMIT Changed(name, QDBusVariant(value));
    });
}

// clang-format off
qint16 SettingsObject::SNMPVersion() { return Call([&] { return m_settings.SNMPVersion(); }); }
void SettingsObject::setSNMPVersion(qint16 v) { Call([&] { m_settings.setSNMPVersion(v); }); }
QString SettingsObject::Columns() { return Call([&] { return m_settings.Columns(); }); }
void SettingsObject::setColumns(const QString& v) { Call([&] { m_settings.setColumns(v); }); }
qint32 SettingsObject::PollInterval() { return Call([&] { return m_settings.PollInterval(); }); }
void SettingsObject::setPollInterval(qint32 v) { Call([&] { m_settings.setPollInterval(v); }); }
qint32 SettingsObject::SNMPTimeout() { return Call([&] { return m_settings.SNMPTimeout(); }); }
void SettingsObject::setSNMPTimeout(qint32 v) { Call([&] { m_settings.setSNMPTimeout(v); }); }
qint16 SettingsObject::SNMPRetries() { return Call([&] { return m_settings.SNMPRetries(); }); }
void SettingsObject::setSNMPRetries(qint16 v) { Call([&] { m_settings.setSNMPRetries(v); }); }
bool SettingsObject::AssumeCounterRollover() { return Call([&] { return m_settings.AssumeCounterRollover(); }); }
void SettingsObject::setAssumeCounterRollover(bool v) { Call([&] { m_settings.setAssumeCounterRollover(v); }); }
QString SettingsObject::ColumnName(qint16 column) { return Call([&] { return ::Settings::ColumnName(column); }); }
void SettingsObject::SaveOption(const QString& name, const QDBusVariant& value) { Call([&] { m_settings.SaveOption(name, value.variant()); }); }
void SettingsObject::Refresh() { Call([&] { m_settings.Refresh(); }); }
// clang-format on

QDBusVariant SettingsObject::RetrieveOption(const QString& name, const QDBusVariant& defaultValue)
{
    return Call([&] {
        const QVariant value = m_settings.RetrieveOption(name, defaultValue.variant());
        return QDBusVariant(value.isValid() ? value : QVariant(QString()));
    });
}
