#pragma once

#include <QHash>
#include <QObject>
#include <QString>
#include <QVariant>
#include <memory>
#include <optional>
#include <stdexcept>

class QSettings;

/// A stored option text that does not convert to its property's type (a hand-edited store).
class TypeMismatchError : public std::runtime_error {
public:
    using std::runtime_error::runtime_error;
};

/// Program-wide options, shared by every graph. Each option is read from the per-user store on
/// every query so that all graphs (and other running copies) see one set of values; only the SNMP
/// version is cached. Every write is stored at once and announced through Changed.
///
/// The store is QSettings(IniFormat, UserScope, "Brightfen.Net", "Real-Time Trendwick"), group
/// "Settings", one text value per option. Reading converts the text:
/// - numbers in the user's locale or the C locale, blanks around them ignored, rounded half to even;
///   a text that is no number, or one outside the property's integer type, throws TypeMismatchError;
/// - booleans from "True" or "False" in any case, or from a number (0 is false, any other true);
///   anything else throws TypeMismatchError. Booleans are written as "True" and "False".
/// The cached SNMP version only decides whether setSNMPVersion stores and announces; the getter
/// reads the store like every other option.
class Settings : public QObject {
    Q_OBJECT
public:
    /// The one instance of the process, created on first use.
    static Settings& instance();

    explicit Settings(QObject* parent = nullptr);
    ~Settings() override;

    qint16 SNMPVersion() const;
    void setSNMPVersion(qint16 version);
    QString Columns() const;
    void setColumns(const QString& columns);
    qint32 PollInterval() const;
    void setPollInterval(qint32 seconds);
    qint32 SNMPTimeout() const;
    void setSNMPTimeout(qint32 milliseconds);
    qint16 SNMPRetries() const;
    void setSNMPRetries(qint16 retries);
    bool AssumeCounterRollover() const;
    void setAssumeCounterRollover(bool assume);

    /// Name of a value-table column identifier 0..23, "" for any other number.
    static QString ColumnName(int column);

    QVariant RetrieveOption(const QString& name, const QVariant& defaultValue = QVariant()) const;
    void SaveOption(const QString& name, const QVariant& value);
    /// Reloads the cached SNMP version from the store.
    void Refresh();

    /// The file the options are kept in.
    QString FileName() const;
    /// What to tell the user when a stored option does not convert: the option, its text and the
    /// file to correct.
    QString MismatchMessage(const TypeMismatchError& error) const;

Q_SIGNALS:
    void Changed(const QString& name, const QVariant& value);

private:
    /// The store, brought up to date with the file (another copy may have written it).
    QSettings& Store() const;

    qint16 m_snmpVersion = 2;
    /// What a look at the store's file tells about a change: whether it is there, when it was
    /// written, how long it is, and which file it is (a save replaces the file).
    struct FileStamp {
        bool exists = false;
        qint64 seconds = 0;
        qint64 nanoseconds = 0;
        qint64 size = 0;
        quint64 inode = 0;
        bool operator!=(const FileStamp& other) const
        {
            return exists != other.exists || seconds != other.seconds || nanoseconds != other.nanoseconds ||
                   size != other.size || inode != other.inode;
        }
    };
    static FileStamp StampOf(const QByteArray& path);

    mutable std::unique_ptr<QSettings> m_store;
    mutable QByteArray m_storePath;
    /// Never equal to a real look, so the first use reads the file.
    mutable FileStamp m_storeStamp{false, -1, -1, -1, 0};
    /// What each name read since the file last changed; no value for a name not in the file.
    mutable QHash<QString, std::optional<QString>> m_retrieved;
};
