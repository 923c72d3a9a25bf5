#pragma once

#include <QList>
#include <QMap>
#include <QString>
#include <QTemporaryDir>
#include <memory>
#include <type_traits>

class QProcess;

/// A private net-snmp snmpd on 127.0.0.1 for integration tests. Everything it writes (its
/// configuration, pid file, persistent state, log and the controlled values file) lives in one
/// temporary folder that disappears with the object. The port is chosen on the first start and
/// kept on restarts, so tests can take the agent away and bring it back at the same address.
///
/// Controlled values live under controlledOid(""), served by an snmpd pass_persist script
/// (controlled_values.pl beside this header) that reads the values file on every request; each
/// change here rewrites that file atomically, so the next request already sees it.
class TestAgent final {
public:
    enum class ValueType {
        Counter32,
        Counter64,
        Gauge32,
        Integer,
        TimeTicks,
        String,
        HexString,
        OID,
        IpAddress
    };

    /// One row of the controlled table (see setTable).
    struct TableRow {
        int index = 0;
        QString description;
        quint32 counter = 0;
    };

    /// Columns of the controlled table 1.3.6.1.4.1.8072.9999.9999.2.1.<column>.<index>.
    enum TableColumn { TABLE_INDEX = 1, TABLE_DESCRIPTION = 2, TABLE_COUNTER = 3 };

    static constexpr const char* BaseOid = "1.3.6.1.4.1.8072.9999.9999";
    static constexpr const char* SysUpTimeOid = "1.3.6.1.2.1.1.3.0";

    TestAgent();
    ~TestAgent();
    TestAgent(const TestAgent&) = delete;
    TestAgent& operator=(const TestAgent&) = delete;

    /// Starts snmpd and waits (at most 10 s) until it answers a GET of sysUpTime.0.
    bool start(QString* error = nullptr);
    /// Stops the agent by its pid and waits until it is gone; a no-op when it is not running.
    void stop();
    bool isRunning() const;

    quint16 port() const { return m_port; }
    /// "127.0.0.1:<port>", the address form the SNMP session takes.
    QString address() const;
    /// The read-only community, good for SNMPv1 and SNMPv2c.
    QString community() const { return QStringLiteral("public"); }
    /// The folder holding configuration, log and values file.
    QString folder() const;
    /// Path of the values file the pass script reads.
    QString valuesFile() const;
    /// What snmpd wrote to its log so far (for failure messages).
    QString log() const;

    /// Hides sysUpTime.0 from the community (it answers noSuchObject), as some agents do; takes
    /// effect at the next start.
    void setSysUpTimeHidden(bool hidden) { m_sysUpTimeHidden = hidden; }

    /// True when a GET of sysUpTime.0 sent to the agent is answered within the time given.
    bool answers(int timeoutMs = 1000) const;

    /// Sets one controlled value; suffix is relative to BaseOid ("1.1.0").
    void setValue(const QString& suffix, ValueType type, const QString& value);
    /// Any integral number, written in decimal.
    template <typename Number, typename = std::enable_if_t<std::is_integral_v<Number>>>
    void setValue(const QString& suffix, ValueType type, Number value)
    {
        setValue(suffix, type, QString::number(value));
    }
    void removeValue(const QString& suffix);
    void clearValues();
    /// Replaces the controlled table (every suffix under "2.") with the rows given.
    void setTable(const QList<TableRow>& rows);

    /// Full dotted OID of a suffix under the controlled base (no leading dot).
    static QString controlledOid(const QString& suffix);
    /// Full dotted OID of a table column, without index.
    static QString tableColumnOid(TableColumn column);
    /// The values-file spelling of a type.
    static QString typeName(ValueType type);

private:
    bool choosePort(QString* error);
    bool writeConfig(QString* error);
    bool launch(const QString& snmpd, QString* error);
    bool waitUntilAnswering(QString* error);
    void writeValues();

    struct Entry {
        ValueType type;
        QString value;
    };

    QTemporaryDir m_dir;
    std::unique_ptr<QProcess> m_process;
    quint16 m_port = 0;
    bool m_sysUpTimeHidden = false;
    QMap<QString, Entry> m_values;
};
