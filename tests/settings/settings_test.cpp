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
    QString stored(const QString& name)
    {
        return store().value(QStringLiteral("Settings/") + name).toString();
    }

    QTemporaryDir m_dir;
    std::unique_ptr<QSettings> m_store;
};

} // namespace

TEST_F(SettingsStore, MissingKeysGiveDefaultsWithoutWriting)
{
    Settings s;
    EXPECT_EQ(QList<int>({s.SNMPVersion(), s.PollInterval(), s.SNMPTimeout(), s.SNMPRetries()}),
              QList<int>({2, 10, 2500, 2}));
    EXPECT_FALSE(s.AssumeCounterRollover());
    EXPECT_EQ(s.Columns(), "13,14,15,12,22,5,7,10,8,9");
    EXPECT_FALSE(s.RetrieveOption("Nothing").isValid());
    EXPECT_EQ(s.RetrieveOption("Nothing", "d"), "d");
    EXPECT_FALSE(QFile::exists(store().fileName()));
}

TEST_F(SettingsStore, WritesAreClampedStoredAsTextAndAnnounced)
{
    Settings s;
    QSignalSpy spy(&s, &Settings::Changed);
    // clang-format off
    const std::vector<std::tuple<std::function<void()>, const char*, int>> cases = {
        {[&] { s.setPollInterval(0); }, "Poll Interval", 1},     {[&] { s.setPollInterval(601); }, "Poll Interval", 600},
        {[&] { s.setPollInterval(30); }, "Poll Interval", 30},   {[&] { s.setSNMPTimeout(50); }, "SNMP Timeout", 100},
        {[&] { s.setSNMPTimeout(20000); }, "SNMP Timeout", 10000}, {[&] { s.setSNMPTimeout(750); }, "SNMP Timeout", 750},
        {[&] { s.setSNMPRetries(0); }, "SNMP Retries", 1},       {[&] { s.setSNMPRetries(9); }, "SNMP Retries", 5},
        {[&] { s.setSNMPRetries(3); }, "SNMP Retries", 3},
    };
    // clang-format on
    for (const auto& [write, name, expected] : cases) {
        write();
        ASSERT_EQ(spy.count(), 1) << name;
        EXPECT_EQ(spy.takeFirst(), (QList<QVariant>{QLatin1String(name), expected}));
        EXPECT_EQ(stored(QLatin1String(name)), QString::number(expected));
    }

    s.setAssumeCounterRollover(true);
    EXPECT_EQ(spy.takeFirst(), (QList<QVariant>{QStringLiteral("Assume Counter Rollover"), true}));
    EXPECT_EQ(stored("Assume Counter Rollover"), "True");
}

TEST_F(SettingsStore, UnchangedValuesAreAnnouncedExceptTheVersion)
{
    Settings settings;
    QSignalSpy spy(&settings, &Settings::Changed);
    settings.setSNMPVersion(2); // equals the cached default
    EXPECT_EQ(spy.count(), 0);
    EXPECT_FALSE(store().contains("Settings/SNMP Version"));
    settings.setSNMPVersion(1);
    EXPECT_EQ(spy.takeFirst(),
              (QList<QVariant>{QStringLiteral("SNMP Version"), QVariant::fromValue(qint16(1))}));
    settings.setSNMPVersion(1);
    EXPECT_EQ(spy.count(), 0);

    settings.setColumns(settings.Columns());
    EXPECT_EQ(spy.count(), 1);
    settings.SaveOption("Custom", 42);
    settings.SaveOption("Custom", 42);
    EXPECT_EQ(spy.count(), 3);
    EXPECT_EQ(spy.last(), (QList<QVariant>{"Custom", 42}));
    EXPECT_EQ(settings.RetrieveOption("Custom"), QVariant("42"));

    // The version compares against a cache that only Refresh moves, while reads go to the store.
    handEdit("SNMP Version", QStringLiteral("2"));
    EXPECT_EQ(settings.SNMPVersion(), 2);
    settings.setSNMPVersion(1); // the stale cache says 1 already
    EXPECT_EQ(spy.count(), 3);
    EXPECT_EQ(stored("SNMP Version"), "2");
    settings.Refresh();
    settings.setSNMPVersion(1);
    EXPECT_EQ(spy.count(), 4);
    EXPECT_EQ(stored("SNMP Version"), "1");
    Settings fresh; // caches the stored 1 when made
    QSignalSpy freshSpy(&fresh, &Settings::Changed);
    fresh.setSNMPVersion(1);
    EXPECT_EQ(freshSpy.count(), 0);
}

TEST(SettingsColumns, TwentyFourDistinctNames)
{
    QSet<QString> names;
    for (int id = 0; id <= 23; ++id)
        names.insert(Settings::ColumnName(id));
    EXPECT_EQ(names.size(), 24);
    EXPECT_FALSE(names.contains(QString()));
    EXPECT_EQ(Settings::ColumnName(24) + Settings::ColumnName(-1), QString());
    EXPECT_EQ(Settings::ColumnName(0), "Hostname");
    EXPECT_EQ(Settings::ColumnName(23), "Communications Status LED");
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
    expectMismatch("SNMP Timeout", "", [&] { settings.SNMPTimeout(); });
    expectMismatch("Assume Counter Rollover", "maybe", [&] { settings.AssumeCounterRollover(); });
    // A broken version does not stop the object from being made; reading or refreshing reports it.
    expectMismatch("SNMP Version", "v2c", [] { Settings().SNMPVersion(); });
    expectMismatch("SNMP Version", "v2c", [&] { settings.Refresh(); });

    // Blanks are ignored, halves go to even, nothing is clamped on reading.
    for (const auto& [text, expected] : {std::pair{" 45 ", 45}, {"2.5", 2}, {"5000", 5000}}) {
        handEdit("Poll Interval", QString::fromLatin1(text));
        EXPECT_EQ(settings.PollInterval(), expected) << text;
    }
    for (const auto& [text, expected] :
         {std::pair{"TRUE", true}, {"-1", true}, {"False", false}, {"0", false}}) {
        handEdit("Assume Counter Rollover", QString::fromLatin1(text));
        EXPECT_EQ(settings.AssumeCounterRollover(), expected) << text;
    }
}

TEST_F(SettingsStore, OtherWritersAreSeenAtOnce)
{
    Settings first;
    Settings second;
    QSignalSpy firstSpy(&first, &Settings::Changed);
    EXPECT_EQ(first.PollInterval(), 10);
    second.setPollInterval(42);
    EXPECT_EQ(first.PollInterval(), 42);
    EXPECT_EQ(firstSpy.count(), 0); // only the writer announces

    // Another program rewrites the file; an unquoted list typed by hand is still one text.
    QFile file(store().fileName());
    ASSERT_TRUE(file.open(QIODevice::WriteOnly | QIODevice::Truncate));
    file.write("[Settings]\nPoll%20Interval=7\nTable%20Columns=3, 4,5\nSNMP%20Timeout=300\n");
    file.close();
    EXPECT_EQ(
        QStringLiteral("%1 %2 %3").arg(first.PollInterval()).arg(first.SNMPTimeout()).arg(first.Columns()),
        "7 300 3,4,5");
}
