// Self-test of the private agent, checked with net-snmp's command-line tools so that it does
// not depend on the session component it serves.
#include "test_agent.h"

#include <QProcess>
#include <QStandardPaths>
#include <gtest/gtest.h>
#include <qt_print.h>

namespace {

struct ToolResult {
    bool ok = false;
    QStringList lines;
};

/// Runs snmpget/snmpgetnext/snmpwalk with numeric output, one "OID VALUE" line per variable.
ToolResult runTool(const QString& tool, const TestAgent& agent, const QStringList& oids)
{
    ToolResult result;
    const QString program = QStandardPaths::findExecutable(tool);
    if (program.isEmpty()) {
        ADD_FAILURE() << tool.toStdString() << " not found (install the snmp package)";
        return result;
    }
    QProcess process;
    QProcessEnvironment environment = QProcessEnvironment::systemEnvironment();
    environment.insert(QStringLiteral("MIBS"), QString());
    // The tools would otherwise create folders in the system's /var/lib/snmp.
    environment.insert(QStringLiteral("SNMPCONFPATH"), agent.folder() + QStringLiteral("/tools"));
    environment.insert(QStringLiteral("SNMP_PERSISTENT_DIR"), agent.folder() + QStringLiteral("/tools"));
    process.setProcessEnvironment(environment);
    QStringList arguments{QStringLiteral("-v2c"), QStringLiteral("-c"),  agent.community(),
                          QStringLiteral("-On"),  QStringLiteral("-Oq"), QStringLiteral("-Ot"),
                          QStringLiteral("-t"),   QStringLiteral("1"),   QStringLiteral("-r"),
                          QStringLiteral("0"),    agent.address()};
    process.start(program, arguments + oids);
    if (!process.waitForFinished(10000))
        return result;
    result.ok = process.exitStatus() == QProcess::NormalExit && process.exitCode() == 0;
    const QString out = QString::fromUtf8(process.readAllStandardOutput()).trimmed();
    if (!out.isEmpty())
        result.lines = out.split(QLatin1Char('\n'));
    return result;
}

QString valueOf(const TestAgent& agent, const QString& oid)
{
    const ToolResult result = runTool(QStringLiteral("snmpget"), agent, {oid});
    if (!result.ok || result.lines.size() != 1)
        return QStringLiteral("<no answer>");
    const QString value = result.lines.first().section(QLatin1Char(' '), 1);
    return value.startsWith(QLatin1String("No Such")) ? QStringLiteral("<no such>") : value;
}

class TestAgentTest : public ::testing::Test {
protected:
    void SetUp() override
    {
        QString error;
        ASSERT_TRUE(m_agent.start(&error)) << error.toStdString();
    }
    TestAgent m_agent;
};

} // namespace

TEST_F(TestAgentTest, AnswersSysUpTimeOnItsOwnLoopbackPort)
{
    EXPECT_TRUE(m_agent.isRunning());
    EXPECT_NE(m_agent.port(), 0);
    EXPECT_EQ(m_agent.address(), QStringLiteral("127.0.0.1:%1").arg(m_agent.port()));
    EXPECT_TRUE(m_agent.answers());
    const QString upTime = valueOf(m_agent, QLatin1String(TestAgent::SysUpTimeOid));
    bool isNumber = false;
    upTime.toULongLong(&isNumber);
    EXPECT_TRUE(isNumber) << upTime.toStdString();
}

TEST_F(TestAgentTest, ControlledValueFollowsTheValuesFile)
{
    const QString oid = QLatin1Char('.') + TestAgent::controlledOid(QStringLiteral("1.1.0"));
    EXPECT_EQ(valueOf(m_agent, oid), QStringLiteral("<no such>")) << "nothing is served before it is set";

    m_agent.setValue(QStringLiteral("1.1.0"), TestAgent::ValueType::Counter32, 41u);
    EXPECT_EQ(valueOf(m_agent, oid), QStringLiteral("41"));
    m_agent.setValue(QStringLiteral("1.1.0"), TestAgent::ValueType::Counter32, 4294967295u);
    EXPECT_EQ(valueOf(m_agent, oid), QStringLiteral("4294967295"));

    m_agent.setValue(QStringLiteral("1.2.0"), TestAgent::ValueType::Counter64, 18446744073709551615u);
    EXPECT_EQ(valueOf(m_agent, QLatin1Char('.') + TestAgent::controlledOid(QStringLiteral("1.2.0"))),
              QStringLiteral("18446744073709551615"));
    m_agent.setValue(QStringLiteral("1.3.0"), TestAgent::ValueType::String, QStringLiteral("two words"));
    EXPECT_EQ(valueOf(m_agent, QLatin1Char('.') + TestAgent::controlledOid(QStringLiteral("1.3.0"))),
              QStringLiteral("\"two words\""));

    m_agent.removeValue(QStringLiteral("1.1.0"));
    EXPECT_EQ(valueOf(m_agent, oid), QStringLiteral("<no such>"));
}

TEST_F(TestAgentTest, GetNextWalksTheControlledTableInOrder)
{
    // Given rows inserted out of order, with an index above 9 to catch text ordering.
    m_agent.setTable({{10, QStringLiteral("ten"), 1000}, {2, QStringLiteral("two"), 200}});
    m_agent.setValue(QStringLiteral("3.0"), TestAgent::ValueType::Gauge32, 7u);

    // When the table is walked,
    const ToolResult walk = runTool(QStringLiteral("snmpwalk"), m_agent, {TestAgent::controlledOid("2")});
    ASSERT_TRUE(walk.ok);

    // then it comes back column by column, rows in numeric order, and stops at the table's end.
    const QString column = QLatin1Char('.') + TestAgent::controlledOid("2.1.");
    const QStringList expected{column + "1.2 2",        column + "1.10 10", column + "2.2 \"two\"",
                               column + "2.10 \"ten\"", column + "3.2 200", column + "3.10 1000"};
    EXPECT_EQ(walk.lines, expected);

    // Replacing the table drops rows that are gone.
    m_agent.setTable({{2, QStringLiteral("two"), 201}});
    const ToolResult after = runTool(QStringLiteral("snmpwalk"), m_agent, {TestAgent::controlledOid("2")});
    EXPECT_EQ(after.lines, (QStringList{column + "1.2 2", column + "2.2 \"two\"", column + "3.2 201"}));
}

TEST_F(TestAgentTest, StoppedAgentIsSilentAndRestartsOnTheSamePort)
{
    m_agent.setValue(QStringLiteral("1.1.0"), TestAgent::ValueType::Integer, -5);
    const quint16 port = m_agent.port();

    m_agent.stop();
    EXPECT_FALSE(m_agent.isRunning());
    EXPECT_FALSE(m_agent.answers(300));

    QString error;
    ASSERT_TRUE(m_agent.start(&error)) << error.toStdString();
    EXPECT_EQ(m_agent.port(), port);
    EXPECT_TRUE(m_agent.answers());
    EXPECT_EQ(valueOf(m_agent, QLatin1Char('.') + TestAgent::controlledOid(QStringLiteral("1.1.0"))),
              QStringLiteral("-5"));
}
