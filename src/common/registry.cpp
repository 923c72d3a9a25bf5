// The program's registry area. Each root is one QSettings file in the user's or the system's
// configuration folder (Brightfen.Net/Registry.dat); a key path such as
// "Software/Brightfen.Net/<product>/<subkey>" is a QSettings group, either separator accepted.
//
// The file is a typed binary map rather than INI text, because INI reads every number back as
// text and readers here must tell a string value from a number or bytes, as a registry does.
// Keys and value names are matched without regard to case, again as in a registry (QSettings
// only does that on Windows, so they are stored lower-cased). A key "exists" when it holds at
// least one value or subkey (the file keeps no empty keys).

#include "common_functions.h"

#include <QDataStream>
#include <QIODevice>
#include <QSettings>

#include <memory>

namespace {

const QString kOrganisation = QStringLiteral("Brightfen.Net");
const QString kRegistryName = QStringLiteral("Registry");

bool readRegistryFile(QIODevice& device, QSettings::SettingsMap& map)
{
    if (device.atEnd())
        return true;
    QDataStream in(&device);
    in.setVersion(QDataStream::Qt_6_0);
    in >> map;
    return in.status() == QDataStream::Ok;
}

bool writeRegistryFile(QIODevice& device, const QSettings::SettingsMap& map)
{
    QDataStream out(&device);
    out.setVersion(QDataStream::Qt_6_0);
    out << map;
    return out.status() == QDataStream::Ok;
}

QSettings::Format registryFormat()
{
    static const QSettings::Format format = QSettings::registerFormat(QStringLiteral("dat"), readRegistryFile,
                                                                      writeRegistryFile, Qt::CaseInsensitive);
    return format;
}

std::unique_ptr<QSettings> openRoot(RegistryRoot root)
{
    const QSettings::Scope scope =
        root == RegistryRoot::CurrentUser ? QSettings::UserScope : QSettings::SystemScope;
    auto settings = std::make_unique<QSettings>(registryFormat(), scope, kOrganisation, kRegistryName);
    // The user root must not silently show machine values; GetProductSetting decides that itself.
    settings->setFallbacksEnabled(false);
    return settings;
}

QString normalizedKeyPath(const QString& keyPath)
{
    QString path = keyPath.toLower();
    path.replace(QLatin1Char('\\'), QLatin1Char('/'));
    return path;
}

QString valueKey(const QString& keyPath, const QString& valueName)
{
    // The unnamed value of a key, as a registry editor calls it.
    const QString name = valueName.isEmpty() ? QStringLiteral("(Default)") : valueName;
    return normalizedKeyPath(keyPath) + QLatin1Char('/') + name.toLower();
}

bool keyExists(RegistryRoot root, const QString& keyPath)
{
    auto settings = openRoot(root);
    settings->beginGroup(normalizedKeyPath(keyPath));
    return !settings->childKeys().isEmpty() || !settings->childGroups().isEmpty();
}

QString productKey(const QString& product, const QString& subkey)
{
    return QStringLiteral("Software/Brightfen.Net/") + product + QLatin1Char('/') + subkey;
}

} // namespace

void SaveProductSetting(const QString& product, const QString& subkey, const QString& valueName,
                        const QString& value, bool perUser)
{
    SetRegistryValue(perUser ? RegistryRoot::CurrentUser : RegistryRoot::LocalMachine,
                     productKey(product, subkey), valueName, value);
}

QString GetProductSetting(const QString& product, const QString& subkey, const QString& valueName,
                          const QString& defaultValue)
{
    const QString keyPath = productKey(product, subkey);
    // A user key shadows the machine key entirely, even when it lacks this value.
    for (RegistryRoot root : {RegistryRoot::CurrentUser, RegistryRoot::LocalMachine}) {
        if (keyExists(root, keyPath))
            return GetRegistryValue(root, keyPath, valueName, defaultValue);
    }
    return defaultValue;
}

QString GetRegistryValue(RegistryRoot root, const QString& keyPath, const QString& valueName,
                         const QString& defaultValue)
{
    auto settings = openRoot(root);
    const QVariant value = settings->value(valueKey(keyPath, valueName));
    if (value.typeId() != QMetaType::QString)
        return defaultValue;
    QString text = value.toString();
    const int nul = text.indexOf(QChar(QChar::Null));
    if (nul >= 0)
        text.truncate(nul);
    return text;
}

bool SetRegistryValue(RegistryRoot root, const QString& keyPath, const QString& valueName,
                      const QVariant& value)
{
    QVariant stored;
    switch (value.typeId()) {
    case QMetaType::QString:
    case QMetaType::QByteArray:
        stored = value;
        break;
    case QMetaType::Short:
    case QMetaType::UShort:
    case QMetaType::Int:
    case QMetaType::UInt:
        // A 32-bit registry number; an unsigned value keeps its bit pattern.
        stored = QVariant::fromValue(static_cast<qint32>(value.toLongLong()));
        break;
    default:
        return false;
    }
    auto settings = openRoot(root);
    if (!settings->isWritable())
        return false;
    settings->setValue(valueKey(keyPath, valueName), stored);
    settings->sync();
    return settings->status() == QSettings::NoError;
}
