#pragma once

#include "automation_object.h"

#include <QDBusVariant>
#include <QString>

class AutomationService;
class Settings;

/// What the Settings adaptor forwards to, at /Settings; relays Changed with its value as a variant.
class SettingsObject : public AutomationObject {
    Q_OBJECT
    Q_PROPERTY(qint16 SNMPVersion READ SNMPVersion WRITE setSNMPVersion)
    Q_PROPERTY(QString Columns READ Columns WRITE setColumns)
    Q_PROPERTY(qint32 PollInterval READ PollInterval WRITE setPollInterval)
    Q_PROPERTY(qint32 SNMPTimeout READ SNMPTimeout WRITE setSNMPTimeout)
    Q_PROPERTY(qint16 SNMPRetries READ SNMPRetries WRITE setSNMPRetries)
    Q_PROPERTY(bool AssumeCounterRollover READ AssumeCounterRollover WRITE setAssumeCounterRollover)
public:
    SettingsObject(AutomationService& service, ::Settings& settings);

    qint16 SNMPVersion();
    void setSNMPVersion(qint16 value);
    QString Columns();
    void setColumns(const QString& value);
    qint32 PollInterval();
    void setPollInterval(qint32 value);
    qint32 SNMPTimeout();
    void setSNMPTimeout(qint32 value);
    qint16 SNMPRetries();
    void setSNMPRetries(qint16 value);
    bool AssumeCounterRollover();
    void setAssumeCounterRollover(bool value);

    QString ColumnName(qint16 Col);
    /// A missing key with no default answers the empty text: a D-Bus variant cannot be empty.
    QDBusVariant RetrieveOption(const QString& Name, const QDBusVariant& Default);
    void SaveOption(const QString& Name, const QDBusVariant& Value);
    void Refresh();

Q_SIGNALS:
    void Changed(const QString& Name, const QDBusVariant& Value);

private:
    ::Settings& m_settings;
};
