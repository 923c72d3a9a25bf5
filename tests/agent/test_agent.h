#pragma once

#include <QList>
#include <QMap>
#include <QString>
#include <QTemporaryDir>
#include <memory>
#include <type_traits>

class QProcess;

/// A private snmpd on 127.0.0.1 with its files in a temporary folder; its port, chosen at the first
/// start, survives restarts. Values under controlledOid("") are served by controlled_values.pl.
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

    /// One row of the controlled table 1.3.6.1.4.1.8072.9999.9999.2.1.<column>.<index>.
    struct TableRow {
        int index = 0;
        QString description;
        quint32 counter = 0;
    };
    enum TableColumn { TABLE_INDEX = 1, TABLE_DESCRIPTION = 2, TABLE_COUNTER = 3 };

    TestAgent();
    ~TestAgent();
    TestAgent(const TestAgent&) = delete;
    TestAgent& operator=(const TestAgent&) = delete;

    /// Starts snmpd and waits (at most 10 s) until it serves; error says why it does not.
    bool start(QString* error = nullptr);
    void stop();

    quint16 port() const { return m_port; }
    QString address() const { return QStringLiteral("127.0.0.1:%1").arg(m_port); }
    QString community() const { return QStringLiteral("public"); }

    /// Hides sysUpTime.0 from the community (noSuchObject), as some agents do; from the next start.
    void setSysUpTimeHidden(bool hidden) { m_sysUpTimeHidden = hidden; }

    /// Sets one value; suffix is relative to the controlled base ("1.1.0"), or with a leading "." a
    /// full OID under the base or under NET-SNMP-PASS-MIB's 1.3.6.1.4.1.8072.2.255 (named objects).
    void setValue(const QString& suffix, ValueType type, const QString& value)
    {
        m_values.insert(suffix, Entry{type, value});
        writeValues();
    }
    template <typename Number, typename = std::enable_if_t<std::is_integral_v<Number>>>
    void setValue(const QString& suffix, ValueType type, Number value)
    {
        setValue(suffix, type, QString::number(value));
    }
    void removeValue(const QString& suffix)
    {
        m_values.remove(suffix);
        writeValues();
    }
    /// Replaces every value under "2." by the rows given.
    void setTable(const QList<TableRow>& rows);
    /// Every value is answered this many ms late, one variable at a time (n variables wait n times).
    void setDelay(int milliseconds)
    {
        m_delayMs = milliseconds;
        writeValues();
    }

    static QString controlledOid(const QString& suffix);
    static QString tableColumnOid(TableColumn column)
    {
        return controlledOid(QStringLiteral("2.1.%1").arg(int(column)));
    }

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
