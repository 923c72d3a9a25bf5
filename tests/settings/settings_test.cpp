#include "settings.h"

#include <QFile>
#include <QSet>
#include <QSettings>
#include <QSignalSpy>
#include <QTemporaryDir>

#include <functional>
#include <gtest/gtest.h>

namespace {

// Every test gets its own empty store; `store` shows it as another program or an editor sees it.
class SettingsStore : public ::testing::Test {
protected:
    void handEdit(const char* name, const QString& text)
    {
        store.setValue(QStringLiteral("Settings/") + name, text);
        store.sync();
    }
    QString stored(const char* name)
    {
        store.sync();
        return store.value(QStringLiteral("Settings/") + name).toString();
    }

    QTemporaryDir m_dir;
    // The store must be pointed at the folder before `store` opens it.
    const bool m_redirected = [this] {
        QSettings::setPath(QSettings::IniFormat, QSettings::UserScope, m_dir.path());
        return m_dir.isValid();
    }();
    QSettings store{QSettings::IniFormat, QSettings::UserScope, "Brightfen.Net", "Real-Time Trendwick"};
};

QStringList Announced(const QSignalSpy& spy)
{
    QStringList announced;
    for (const QList<QVariant>& arguments : spy)
        announced << arguments.at(0).toString() + "=" + arguments.at(1).toString();
    return announced;
}

} // namespace

TEST_F(SettingsStore, DefaultsWriteNothingAndWritesAreClampedStoredAsTextAndAnnounced)
{
    Settings s;
    EXPECT_EQ(s.RetrieveOption("Nothing", "d"), "d");
    EXPECT_EQ(s.PollInterval(), 10);
    EXPECT_FALSE(QFile::exists(store.fileName()));

    QSignalSpy spy(&s, &Settings::Changed);
    for (int i : {0, 601})
        s.setPollInterval(i);
    for (int i : {50, 20000})
        s.setSNMPTimeout(i);
    for (int i : {0, 9})
        s.setSNMPRetries(i);
    s.setAssumeCounterRollover(true);
    EXPECT_EQ(Announced(spy),
              QStringList({"Poll Interval=1", "Poll Interval=600", "SNMP Timeout=100", "SNMP Timeout=10000",
                           "SNMP Retries=1", "SNMP Retries=5", "Assume Counter Rollover=true"}));
    EXPECT_EQ(QStringList({stored("Poll Interval"), stored("SNMP Timeout"), stored("SNMP Retries"),
                           stored("Assume Counter Rollover")}),
              QStringList({"600", "10000", "5", "True"}));
    // Unchanged values are announced too, except the version.
    spy.clear();
    s.setColumns(s.Columns());
    s.SaveOption("Custom", 42);
    s.SaveOption("Custom", 42);
    s.setSNMPVersion(2);
    EXPECT_EQ(spy.count(), 3);
    EXPECT_EQ(s.RetrieveOption("Custom"), QVariant("42"));

    QSet<QString> names; // every table column has its own name
    for (int id = -1; id <= 24; ++id)
        names.insert(Settings::ColumnName(id));
    EXPECT_EQ(names.size(), 25) << "24 names and the empty one outside the range";
}

TEST_F(SettingsStore, HandEditsAreReadButTheVersionComparesWithACacheOnlyRefreshMoves)
{
    Settings settings;
    QSignalSpy spy(&settings, &Settings::Changed);
    settings.setSNMPVersion(1);
    EXPECT_EQ(Announced(spy), QStringList{"SNMP Version=1"});
    handEdit("SNMP Version", "2");
    EXPECT_EQ(settings.SNMPVersion(), 2) << "reads go to the store";
    settings.setSNMPVersion(1); // the stale cache says 1 already
    EXPECT_EQ(stored("SNMP Version"), "2");
    settings.Refresh();
    settings.setSNMPVersion(1);
    EXPECT_EQ(stored("SNMP Version"), "1");
    EXPECT_EQ(spy.count(), 2);
}

TEST_F(SettingsStore, HandEditedTextsConvertOrThrowNamingOptionAndText)
{
    Settings settings;
    const auto expectMismatch = [&](const char* option, const char* text, const std::function<void()>& read) {
        handEdit(option, text);
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
    QFile file(store.fileName());
    ASSERT_TRUE(file.open(QIODevice::WriteOnly | QIODevice::Truncate));
    file.write("[Settings]\nPoll%20Interval=2.5\nTable%20Columns=3, 4,5\nAssume%20Counter%20Rollover=-1\n");
    file.close();
    handEdit("SNMP Timeout", " 50000 ");
    EXPECT_EQ(QStringLiteral("%1 %2 %3 %4")
                  .arg(settings.PollInterval())
                  .arg(settings.SNMPTimeout())
                  .arg(settings.Columns())
                  .arg(settings.AssumeCounterRollover()),
              "2 50000 3,4,5 1");
}
