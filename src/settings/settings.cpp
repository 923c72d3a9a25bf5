#include "settings.h"

#include "common_functions.h"

#include <QFile>
#include <QLocale>
#include <QSettings>
#include <QStringList>

#include <algorithm>
#include <limits>
#include <memory>

#include <sys/stat.h>

namespace {

const QString kGroup = QStringLiteral("Settings");

const QString kSNMPVersion = QStringLiteral("SNMP Version");
const QString kPollInterval = QStringLiteral("Poll Interval");
const QString kSNMPTimeout = QStringLiteral("SNMP Timeout");
const QString kSNMPRetries = QStringLiteral("SNMP Retries");
const QString kAssumeCounterRollover = QStringLiteral("Assume Counter Rollover");
const QString kTableColumns = QStringLiteral("Table Columns");

constexpr qint16 kDefaultSNMPVersion = 2;
constexpr qint32 kDefaultPollInterval = 10;
constexpr qint32 kDefaultSNMPTimeout = 2500;
constexpr qint16 kDefaultSNMPRetries = 2;
const QString kDefaultColumns = QStringLiteral("13,14,15,12,22,5,7,10,8,9");

std::unique_ptr<QSettings> openStore()
{
    auto store =
        std::make_unique<QSettings>(QSettings::IniFormat, QSettings::UserScope,
                                    QStringLiteral("Brightfen.Net"), QStringLiteral("Real-Time Trendwick"));
    store->setFallbacksEnabled(false);
    store->beginGroup(kGroup);
    return store;
}

QString toStoredText(const QVariant& value)
{
    switch (value.typeId()) {
    case QMetaType::Bool:
        return value.toBool() ? QStringLiteral("True") : QStringLiteral("False");
    case QMetaType::QStringList:
        return value.toStringList().join(QLatin1Char(','));
    default:
        return value.toString();
    }
}

[[noreturn]] void throwMismatch(const QString& name, const QString& text, const QString& expected)
{
    throw TypeMismatchError(QStringLiteral("Type mismatch: the setting \"%1\" holds \"%2\", which is not %3")
                                .arg(name, text, expected)
                                .toStdString());
}

template <typename Int>
Int toInteger(const QString& name, const QString& text)
{
    const QString trimmed = text.trimmed();
    bool ok = false;
    // Plain digits read the same in every locale, and the store is read every poll.
    const qlonglong plain = trimmed.toLongLong(&ok);
    if (ok && plain >= std::numeric_limits<Int>::min() && plain <= std::numeric_limits<Int>::max())
        return static_cast<Int>(plain);
    double number = QLocale().toDouble(trimmed, &ok);
    if (!ok)
        number = QLocale::c().toDouble(trimmed, &ok);
    if (!ok)
        throwMismatch(name, text, QStringLiteral("a number"));
    const double low = std::numeric_limits<Int>::min();
    const double high = std::numeric_limits<Int>::max();
    if (!(number >= low - 0.5 && number <= high + 0.5))
        throwMismatch(name, text, QStringLiteral("a whole number from %1 to %2").arg(low).arg(high));
    const long long rounded = RoundHalfEven(number);
    if (rounded < std::numeric_limits<Int>::min() || rounded > std::numeric_limits<Int>::max())
        throwMismatch(name, text, QStringLiteral("a whole number from %1 to %2").arg(low).arg(high));
    return static_cast<Int>(rounded);
}

bool toBoolean(const QString& name, const QString& text)
{
    const QString trimmed = text.trimmed();
    if (trimmed.compare(QLatin1String("True"), Qt::CaseInsensitive) == 0)
        return true;
    if (trimmed.compare(QLatin1String("False"), Qt::CaseInsensitive) == 0)
        return false;
    bool ok = false;
    double number = QLocale().toDouble(trimmed, &ok);
    if (!ok)
        number = QLocale::c().toDouble(trimmed, &ok);
    if (!ok)
        throwMismatch(name, text, QStringLiteral("True, False or a number"));
    return number != 0.0;
}

} // namespace

Settings& Settings::instance()
{
    static Settings settings;
    return settings;
}

Settings::Settings(QObject* parent) : QObject(parent)
{
    // A broken hand-edited version must not stop the program from starting; the getter still
    // reports it to whoever reads it.
    try {
        Refresh();
    } catch (const TypeMismatchError&) {
        m_snmpVersion = kDefaultSNMPVersion;
    }
}

qint16 Settings::SNMPVersion() const
{
    return toInteger<qint16>(kSNMPVersion, RetrieveOption(kSNMPVersion, kDefaultSNMPVersion).toString());
}

void Settings::setSNMPVersion(qint16 version)
{
    if (version == m_snmpVersion)
        return;
    m_snmpVersion = version;
    SaveOption(kSNMPVersion, version);
}

QString Settings::Columns() const
{
    return RetrieveOption(kTableColumns, kDefaultColumns).toString();
}

void Settings::setColumns(const QString& columns)
{
    SaveOption(kTableColumns, columns);
}

qint32 Settings::PollInterval() const
{
    return toInteger<qint32>(kPollInterval, RetrieveOption(kPollInterval, kDefaultPollInterval).toString());
}

void Settings::setPollInterval(qint32 seconds)
{
    SaveOption(kPollInterval, std::clamp<qint32>(seconds, 1, 600));
}

qint32 Settings::SNMPTimeout() const
{
    return toInteger<qint32>(kSNMPTimeout, RetrieveOption(kSNMPTimeout, kDefaultSNMPTimeout).toString());
}

void Settings::setSNMPTimeout(qint32 milliseconds)
{
    SaveOption(kSNMPTimeout, std::clamp<qint32>(milliseconds, 100, 10000));
}

qint16 Settings::SNMPRetries() const
{
    return toInteger<qint16>(kSNMPRetries, RetrieveOption(kSNMPRetries, kDefaultSNMPRetries).toString());
}

void Settings::setSNMPRetries(qint16 retries)
{
    SaveOption(kSNMPRetries, std::clamp<qint16>(retries, 1, 5));
}

bool Settings::AssumeCounterRollover() const
{
    const QVariant stored = RetrieveOption(kAssumeCounterRollover);
    if (!stored.isValid())
        return false;
    return toBoolean(kAssumeCounterRollover, stored.toString());
}

void Settings::setAssumeCounterRollover(bool assume)
{
    SaveOption(kAssumeCounterRollover, assume);
}

QString Settings::ColumnName(int column)
{
    static const char* const names[] = {
        "Hostname",
        "IP Address",
        "SNMP Community String",
        "MIB Name",
        "OID",
        "OID Name",
        "OID Name with MIB",
        "Current Value",
        "Lowest Value",
        "Highest Value",
        "Average Value",
        "OID Index",
        "Color",
        "Edit Button",
        "Remove Button",
        "OID Instance Name",
        "Subset Label",
        "Units",
        "OID Description",
        "Fully Qualified OID Name",
        "OID Status",
        "OID Type",
        "Last Communications Error",
        "Communications Status LED",
    };
    constexpr int count = int(sizeof(names) / sizeof(names[0]));
    if (column < 0 || column >= count)
        return QString();
    return QString::fromLatin1(names[column]);
}

Settings::~Settings() = default;

QSettings& Settings::Store() const
{
    // One store object for the process's life: making one works out the file's path every time
    // (a tenth of a millisecond). Another program may change the file: it is re-read when its
    // time or size moved. QSettings' own sync finds that out with a dozen system calls, looking
    // at system-wide files we never read; one look at our file is enough.
    if (!m_store) {
        m_store = openStore();
        m_storePath = QFile::encodeName(m_store->fileName());
    }
    const FileStamp stamp = StampOf(m_storePath);
    if (stamp != m_storeStamp) {
        m_store->sync();
        m_storeStamp = StampOf(m_storePath);
        m_retrieved.clear();
    }
    return *m_store;
}

Settings::FileStamp Settings::StampOf(const QByteArray& path)
{
    struct stat info {};
    if (::stat(path.constData(), &info) != 0)
        return FileStamp{};
    return FileStamp{true, qint64(info.st_mtim.tv_sec), qint64(info.st_mtim.tv_nsec), qint64(info.st_size),
                     quint64(info.st_ino)};
}

QVariant Settings::RetrieveOption(const QString& name, const QVariant& defaultValue) const
{
    QSettings& store = Store();
    // Until the file changes, a name reads as it did: a poll asks for the SNMP version every
    // cycle, and QSettings' lookup costs more than the look at the file.
    auto known = m_retrieved.constFind(name);
    if (known == m_retrieved.constEnd()) {
        std::optional<QString> text;
        // A hand-edited list without quotes comes back from the INI reader as a string list.
        if (store.contains(name))
            text = toStoredText(store.value(name));
        known = m_retrieved.insert(name, text);
    }
    return known->has_value() ? QVariant(**known) : defaultValue;
}

void Settings::SaveOption(const QString& name, const QVariant& value)
{
    QSettings& store = Store();
    store.setValue(name, toStoredText(value));
    store.sync();
    m_storeStamp = StampOf(m_storePath);
    m_retrieved.clear();
    Q_EMIT Changed(name, value);
}

void Settings::Refresh()
{
    m_snmpVersion = SNMPVersion();
}

QString Settings::FileName() const
{
    return Store().fileName();
}

QString Settings::MismatchMessage(const TypeMismatchError& error) const
{
    return QString::fromStdString(error.what()) +
           QStringLiteral(
               ".\n\nCorrect the value in the settings file\n%1\nor remove its line to use the default.")
               .arg(FileName());
}
