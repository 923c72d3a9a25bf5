// The program as a user starts it: a separate process, offscreen, against the test agent.
#include "app_fixture.h"

#include <QDeadlineTimer>
#include <QProcess>
#include <QSettings>
#include <QThread>

namespace {

class BlackBoxTest : public AppTest {
protected:
    // The log's last fields (after its four header lines), once `rows` of them carry a value;
    // whatever is there when the time runs out otherwise.
    QStringList waitForValues(const QString& log, int rows)
    {
        QDeadlineTimer deadline(20000);
        QStringList values;
        while (!deadline.hasExpired() && program.state() == QProcess::Running &&
               values.size() - values.count(QString()) < rows) {
            QThread::msleep(200);
            QFile file(log);
            values.clear();
            if (file.open(QIODevice::ReadOnly)) {
                for (const QString& row :
                     QString::fromUtf8(file.readAll()).split('\n', Qt::SkipEmptyParts).mid(4))
                    values << row.section(',', -1).trimmed();
            }
        }
        return values;
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
    QProcessEnvironment environment = QProcessEnvironment::systemEnvironment();
    environment.insert("QT_QPA_PLATFORM", "offscreen");
    environment.insert("XDG_CONFIG_HOME", path("config"));
    environment.insert("XDG_DATA_HOME", path("data"));
    program.setProcessEnvironment(environment);
    program.setProcessChannelMode(QProcess::ForwardedErrorChannel);
    program.start(TRENDWICK_EXECUTABLE, {"-Node", s_agent->address(), "-Community", "public", "-Instance",
                                         "0", "-MIB", "netSnmpPassCounter", "-Poll", "1", "-Log", log});
    ASSERT_TRUE(program.waitForStarted(5000)) << program.errorString().toStdString();
    const QStringList rates = waitForValues(log, 3);
    ASSERT_GE(rates.size(), 4) << rates.join(" | ").toStdString();
    // The first row goes out before the rate has two samples. A second may turn between the
    // agent's reading and the program's; not twice in three rows.
    EXPECT_TRUE(rates.first().isEmpty()) << rates.join(" | ").toStdString();
    EXPECT_GE(rates.count("5"), 2) << rates.join(" | ").toStdString();
    program.kill(); // a process still running when destroyed is killed too, but with a warning
    program.waitForFinished(5000);
}

} // namespace
