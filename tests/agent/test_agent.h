#pragma once

#include <QList>
#include <QMap>
#include <QString>
#include <QTemporaryDir>
#include <memory>
#include <type_traits>

class QProcess;

/// A private net-snmp snmpd on 127.0.0.1 for integration tests. Its configuration, state, log
/// and the controlled values file live in one temporary folder that disappears with the object.
/// The port is chosen on the first start and kept on restarts, so tests can take the agent away
/// and bring it back at the same address.
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

    TestAgent();
    ~TestAgent();
    TestAgent(const TestAgent&) = delete;
    TestAgent& operator=(const TestAgent&) = delete;

    /// Starts snmpd and waits (at most 10 s) until it is ready; error says why it is not.
    bool start(QString* error = nullptr);
    /// Stops the agent and waits until it is gone; a no-op when it is not running.
    void stop();

    quint16 port() const { return m_port; }
    /// "127.0.0.1:<port>", the address form the SNMP session takes.
    QString address() const;
    /// The read-only community, good for SNMPv1 and SNMPv2c.
    QString community() const { return QStringLiteral("public"); }

    /// Hides sysUpTime.0 from the community (it answers noSuchObject), as some agents do; takes
    /// effect at the next start.
    void setSysUpTimeHidden(bool hidden) { m_sysUpTimeHidden = hidden; }

    /// Sets one controlled value; suffix is relative to the controlled base ("1.1.0"). A suffix
    /// starting with "." is a full OID, served when it lies under the controlled base or under
    /// NET-SNMP-PASS-MIB's 1.3.6.1.4.1.8072.2.255, whose objects have names in the MIB.
    void setValue(const QString& suffix, ValueType type, const QString& value);
    /// Any integral number, written in decimal.
    template <typename Number, typename = std::enable_if_t<std::is_integral_v<Number>>>
    void setValue(const QString& suffix, ValueType type, Number value)
    {
        setValue(suffix, type, QString::number(value));
    }
    void removeValue(const QString& suffix);
    /// Replaces the controlled table (every suffix under "2.") with the rows given.
    void setTable(const QList<TableRow>& rows);
    /// Every controlled value is answered this many milliseconds late (0: at once). The agent
    /// answers one variable at a time, so a request of n variables waits n times as long.
    void setDelay(int milliseconds);

    /// Full dotted OID of a suffix under the controlled base (no leading dot).
    static QString controlledOid(const QString& suffix);
    /// Full dotted OID of a table column, without index.
    static QString tableColumnOid(TableColumn column);

private:
    bool launch(QString* error);
    QString log() const;
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
    int m_delayMs = 0;
};
