#include "common_functions.h"

#include <QFile>
#include <QSettings>
#include <QTemporaryDir>

#include <gtest/gtest.h>

namespace {

const QString kProduct = QStringLiteral("Real-Time Trendwick");
const QString kKey = QStringLiteral("Software/Brightfen.Net/Real-Time Trendwick/Paths");

// Both roots point into a private folder per test, so the machine-wide root never touches /etc.
class Registry : public ::testing::Test {
protected:
    void SetUp() override
    {
        ASSERT_TRUE(m_dir.isValid());
        QSettings::setPath(QSettings::IniFormat, QSettings::UserScope,
                           m_dir.filePath(QStringLiteral("user")));
        QSettings::setPath(QSettings::IniFormat, QSettings::SystemScope,
                           m_dir.filePath(QStringLiteral("system")));
    }
    static bool write(const char* name, const QVariant& value)
    {
        return SetRegistryValue(RegistryRoot::CurrentUser, kKey, QString::fromLatin1(name), value);
    }
    static QString read(const char* name)
    {
        return GetRegistryValue(RegistryRoot::CurrentUser, kKey, QString::fromLatin1(name),
                                QStringLiteral("dflt"));
    }
    static QString product(const char* name)
    {
        return GetProductSetting(kProduct, QStringLiteral("Paths"), QString::fromLatin1(name),
                                 QStringLiteral("dflt"));
    }

    QTemporaryDir m_dir;
};

} // namespace

TEST_F(Registry, OnlyTextRoundTripsPerRootWithEitherSeparatorAndCase)
{
    EXPECT_TRUE(write("Logs", QStringLiteral("/tmp/a")));
    EXPECT_TRUE(
        SetRegistryValue(RegistryRoot::LocalMachine, kKey, QStringLiteral("Logs"), QStringLiteral("/srv/b")));
    EXPECT_EQ(GetRegistryValue(RegistryRoot::CurrentUser,
                               QStringLiteral("software\\BRIGHTFEN.NET\\real-time trendwick\\paths"),
                               QStringLiteral("LOGS"), {}),
              QStringLiteral("/tmp/a"));
    EXPECT_EQ(GetRegistryValue(RegistryRoot::LocalMachine, kKey, QStringLiteral("Logs"), {}),
              QStringLiteral("/srv/b"));
    EXPECT_EQ(read("Other"), QStringLiteral("dflt"));

    // Numbers and bytes are stored but not read as text; kinds with no counterpart write nothing.
    EXPECT_TRUE(write("Int", qint32(42)));
    EXPECT_TRUE(write("Bytes", QByteArray("raw")));
    EXPECT_EQ(read("Int") + read("Bytes"), QStringLiteral("dfltdflt"));
    for (const QVariant& value : {QVariant(1.5), QVariant(true), QVariant()})
        EXPECT_FALSE(write("Other", value)) << value.typeName();
    EXPECT_TRUE(write("Nul", QString::fromUtf16(u"abc\0def", 7)));
    EXPECT_EQ(read("Nul"), QStringLiteral("abc"));
}

TEST_F(Registry, ProductSettingFallsBackToMachineOnlyWithoutUserKey)
{
    EXPECT_EQ(product("Logs"), QStringLiteral("dflt"));
    SaveProductSetting(kProduct, QStringLiteral("Paths"), QStringLiteral("Logs"), QStringLiteral("machine"),
                       false);
    EXPECT_EQ(product("Logs"), QStringLiteral("machine"));

    // Once the user has the key, the machine key is not consulted even for values the user lacks.
    SaveProductSetting(kProduct, QStringLiteral("Paths"), QStringLiteral("Export"), QStringLiteral("mine"),
                       true);
    EXPECT_EQ(read("Export"), QStringLiteral("mine")) << "both families address the same area";
    EXPECT_EQ(product("Logs"), QStringLiteral("dflt"));
    // A user value of the wrong type is missing, and still hides the machine value.
    write("Logs", qint32(1));
    EXPECT_EQ(product("Logs"), QStringLiteral("dflt"));
}

TEST_F(Registry, UnwritableRootFailsQuietly)
{
    // A regular file where the folder should be: no one, not even root, can create it.
    QFile blocker(m_dir.filePath(QStringLiteral("blocker")));
    ASSERT_TRUE(blocker.open(QIODevice::WriteOnly));
    blocker.close();
    QSettings::setPath(QSettings::IniFormat, QSettings::SystemScope,
                       blocker.fileName() + QStringLiteral("/etc"));
    EXPECT_FALSE(
        SetRegistryValue(RegistryRoot::LocalMachine, kKey, QStringLiteral("Logs"), QStringLiteral("x")));
    SaveProductSetting(kProduct, QStringLiteral("Paths"), QStringLiteral("Logs"), QStringLiteral("x"), false);
    EXPECT_EQ(product("Logs"), QStringLiteral("dflt"));
}
