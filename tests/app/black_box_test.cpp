// The program as a user starts it: a separate process, offscreen, against the test agent.
#include "app_fixture.h"

#include <QDeadlineTimer>
#include <QProcess>
#include <QSettings>
#include <QThread>

namespace {

class BlackBoxTest : public AppTest {
protected:
    void TearDown() override
    {
        if (program.state() != QProcess::NotRunning) {
            program.kill();
            program.waitForFinished(5000);
        }
        AppTest::TearDown();
    }

    void start(const QStringList& arguments)
    {
        QProcessEnvironment environment = QProcessEnvironment::systemEnvironment();
        environment.insert("QT_QPA_PLATFORM", "offscreen");
        environment.insert("XDG_CONFIG_HOME", path("config"));
        environment.insert("XDG_DATA_HOME", path("data"));
        program.setProcessEnvironment(environment);
        program.setProcessChannelMode(QProcess::ForwardedErrorChannel);
        program.start(QStringLiteral(TRENDWICK_EXECUTABLE), arguments);
        ASSERT_TRUE(program.waitForStarted(5000)) << program.errorString().toStdString();
    }

    // The log's data rows (after its four header lines), once `rows` of them carry a value in
    // their last field; whatever is there when the time runs out otherwise.
    QStringList waitForValues(const QString& log, int rows, int timeoutMs = 20000)
    {
        QDeadlineTimer deadline(timeoutMs);
        QStringList data;
        while (!deadline.hasExpired() && program.state() == QProcess::Running) {
            QFile file(log);
            if (file.open(QIODevice::ReadOnly)) {
                data = QString::fromUtf8(file.readAll()).split('\n', Qt::SkipEmptyParts).mid(4);
                const auto valued = std::count_if(data.begin(), data.end(), [](const QString& row) {
                    return !row.section(',', -1).trimmed().isEmpty();
                });
                if (valued >= rows)
                    return data;
            }
            QThread::msleep(200);
        }
        return data;
    }

    QProcess program;
};

TEST_F(BlackBoxTest, TheCommandLineGraphLogsTheRateOfACounter)
{
    // A -Poll after the -MIB comes too late for the command-line window (it reaches later
    // windows only), so the interval in force is the one the user stored.
    QSettings stored(path("config/Brightfen.Net/Real-Time Trendwick.ini"), QSettings::IniFormat);
    stored.setValue("Settings/Poll Interval", "1");
    stored.sync();
    // The agent's counter grows by 5 per second of its clock, which ticks with the program's.
    s_agent->setValue(".1.3.6.1.4.1.8072.2.255.5.0", TestAgent::ValueType::Counter32, "5/s");

    const QString log = path("counter.csv");
    start({"-Node", s_agent->address(), "-Community", "public", "-Instance", "0", "-MIB",
           "netSnmpPassCounter", "-Poll", "1", "-Log", log});
    const QStringList rows = waitForValues(log, 3);
    ASSERT_GE(rows.size(), 4) << "log rows: " << rows.join(" | ").toStdString();
    // The first row goes out before the rate has two samples.
    EXPECT_TRUE(rows.first().section(',', -1).trimmed().isEmpty()) << rows.first().toStdString();
    // A second may turn between the agent's reading and the program's; not twice in three rows.
    QStringList rates;
    for (const QString& row : rows)
        rates << row.section(',', -1).trimmed();
    EXPECT_GE(rates.count("5"), 2) << rates.join(" | ").toStdString();
}

} // namespace
