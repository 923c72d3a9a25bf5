#include "settings.h"

#include <QFile>
#include <QSet>
#include <QSettings>
#include <QSignalSpy>
#include <QTemporaryDir>

#include <functional>
#include <gtest/gtest.h>
#include <memory>

namespace {

// Every test gets its own empty store; `store()` shows it as another program or an editor sees it.
class SettingsStore : public ::testing::Test {
protected:
    void SetUp() override
    {
        ASSERT_TRUE(m_dir.isValid());
        QSettings::setPath(QSettings::IniFormat, QSettings::UserScope, m_dir.path());
        m_store = std::make_unique<QSettings>(QSettings::IniFormat, QSettings::UserScope,
                                              QStringLiteral("Brightfen.Net"),
                                              QStringLiteral("Real-Time Trendwick"));
    }
    QSettings& store()
    {
        m_store->sync();
        return *m_store;
    }
    void handEdit(const char* name, const QString& text)
    {
        store().setValue(QStringLiteral("Settings/") + QLatin1String(name), text);
        store().sync();
    }
    QString stored(const char* name) { return store().value(QStringLiteral("Settings/") + name).toString(); }

    QTemporaryDir m_dir;
    std::unique_ptr<QSettings> m_store;
};

} // namespace

TEST_F(SettingsStore, DefaultsWriteNothingAndWritesAreClampedStoredAsTextAndAnnounced)
{
    Settings s;
    EXPECT_EQ(QList<int>({s.SNMPVersion(), s.PollInterval(), s.SNMPTimeout(), s.SNMPRetries()}),
              QList<int>({2, 10, 2500, 2}));
    EXPECT_EQ(s.RetrieveOption("Nothing", "d"), "d");
    EXPECT_FALSE(QFile::exists(store().fileName()));

    QSignalSpy spy(&s, &Settings::Changed);
    s.setPollInterval(0);
    s.setPollInterval(601);
    s.setSNMPTimeout(50);
    s.setSNMPTimeout(20000);
    s.setSNMPRetries(0);
    s.setSNMPRetries(9);
    QStringList announced;
    for (const QList<QVariant>& arguments : spy)
        announced << arguments.at(0).toString() + "=" + arguments.at(1).toString();
    EXPECT_EQ(announced, QStringList({"Poll Interval=1", "Poll Interval=600", "SNMP Timeout=100",
                                      "SNMP Timeout=10000", "SNMP Retries=1", "SNMP Retries=5"}));
    EXPECT_EQ(QStringList({stored("Poll Interval"), stored("SNMP Timeout"), stored("SNMP Retries")}),
              QStringList({"600", "10000", "5"}));
    spy.clear();
    s.setAssumeCounterRollover(true);
    EXPECT_EQ(spy.takeFirst(), (QList<QVariant>{QStringLiteral("Assume Counter Rollover"), true}));
    EXPECT_EQ(stored("Assume Counter Rollover"), "True");
    // Unchanged values are announced too, except the version.
    s.setColumns(s.Columns());
    s.SaveOption("Custom", 42);
    s.SaveOption("Custom", 42);
    s.setSNMPVersion(2);
    EXPECT_EQ(spy.count(), 3);
    EXPECT_EQ(s.RetrieveOption("Custom"), QVariant("42"));
}

TEST_F(SettingsStore, TheVersionComparesWithACacheOnlyRefreshMoves)
{
    Settings settings;
    QSignalSpy spy(&settings, &Settings::Changed);
    settings.setSNMPVersion(1);
    EXPECT_EQ(spy.takeFirst(),
              (QList<QVariant>{QStringLiteral("SNMP Version"), QVariant::fromValue(qint16(1))}));
    handEdit("SNMP Version", QStringLiteral("2"));
    EXPECT_EQ(settings.SNMPVersion(), 2) << "reads go to the store";
    settings.setSNMPVersion(1); // the stale cache says 1 already
    EXPECT_EQ(spy.count(), 0);
    EXPECT_EQ(stored("SNMP Version"), "2");
    settings.Refresh();
    settings.setSNMPVersion(1);
    EXPECT_EQ(spy.count(), 1);
    EXPECT_EQ(stored("SNMP Version"), "1");
}

TEST(SettingsColumns, EveryColumnHasItsOwnName)
{
    QSet<QString> names;
    for (int id = 0; id <= 23; ++id)
        names.insert(Settings::ColumnName(id));
    EXPECT_EQ(names.size(), 24);
    EXPECT_FALSE(names.contains(QString()));
    EXPECT_EQ(Settings::ColumnName(24) + Settings::ColumnName(-1), QString());
}

TEST_F(SettingsStore, HandEditedTextsConvertOrThrowNamingOptionAndText)
{
    Settings settings;
    const auto expectMismatch = [&](const char* option, const char* text, const std::function<void()>& read) {
        handEdit(option, QString::fromLatin1(text));
        try {
            read();
            ADD_FAILURE() << option << " accepted " << text;
        } catch (const TypeMismatchError& error) {
            const std::string what = error.what();
            EXPECT_TRUE(what.find(option) != what.npos && what.find(text) != what.npos) << what;
        }
    };
    expectMismatch("Poll Interval", "ten", [&] { settings.PollInterval(); });
    expectMismatch("SNMP Retries", "70000", [&] { settings.SNMPRetries(); });
    expectMismatch("Assume Counter Rollover", "maybe", [&] { settings.AssumeCounterRollover(); });
    // A broken version does not stop the object from being made; reading or refreshing reports it.
    expectMismatch("SNMP Version", "v2c", [] { Settings().SNMPVersion(); });
    expectMismatch("SNMP Version", "v2c", [&] { settings.Refresh(); });

    // Blanks are ignored, halves go to even, nothing is clamped on reading; another program's
    // unquoted list is still one text.
    QFile file(store().fileName());
    ASSERT_TRUE(file.open(QIODevice::WriteOnly | QIODevice::Truncate));
    file.write("[Settings]\nPoll%20Interval=2.5\nTable%20Columns=3, 4,5\n"
               "Assume%20Counter%20Rollover=-1\n");
    file.close();
    handEdit("SNMP Timeout", " 50000 ");
    EXPECT_EQ(QStringLiteral("%1 %2 %3 %4")
                  .arg(settings.PollInterval())
                  .arg(settings.SNMPTimeout())
                  .arg(settings.Columns())
                  .arg(settings.AssumeCounterRollover()),
              "2 50000 3,4,5 1");
}
