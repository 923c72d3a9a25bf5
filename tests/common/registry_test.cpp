#include "common_functions.h"

#include <QByteArray>
#include <QFile>
#include <QSettings>
#include <QTemporaryDir>

#include <gtest/gtest.h>

namespace {

const QString kProduct = QStringLiteral("Real-Time Trendwick");
const QString kKey = QStringLiteral("Software/Brightfen.Net/Real-Time Trendwick/Paths");

// Both roots point into a private folder per test, so no test sees another's values and the
// machine-wide root never touches /etc.
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

    QTemporaryDir m_dir;
};

} // namespace

TEST_F(Registry, TextRoundTripsInEitherRootWithEitherSeparatorAndCase)
{
    EXPECT_TRUE(
        SetRegistryValue(RegistryRoot::CurrentUser, kKey, QStringLiteral("Logs"), QStringLiteral("/tmp/a")));
    EXPECT_TRUE(
        SetRegistryValue(RegistryRoot::LocalMachine, kKey, QStringLiteral("Logs"), QStringLiteral("/srv/b")));

    EXPECT_EQ(GetRegistryValue(RegistryRoot::CurrentUser, kKey, QStringLiteral("Logs"), QString()),
              QStringLiteral("/tmp/a"));
    EXPECT_EQ(GetRegistryValue(RegistryRoot::LocalMachine, kKey, QStringLiteral("Logs"), QString()),
              QStringLiteral("/srv/b"));
    EXPECT_EQ(GetRegistryValue(RegistryRoot::CurrentUser,
                               QStringLiteral("software\\BRIGHTFEN.NET\\real-time trendwick\\paths"),
                               QStringLiteral("LOGS"), QString()),
              QStringLiteral("/tmp/a"));
    EXPECT_EQ(
        GetRegistryValue(RegistryRoot::CurrentUser, kKey, QStringLiteral("Other"), QStringLiteral("dflt")),
        QStringLiteral("dflt"));

    // Written by one function, read by the other: both address the same area.
    SaveProductSetting(kProduct, QStringLiteral("Paths"), QStringLiteral("Export"), QStringLiteral("x"),
                       true);
    EXPECT_EQ(GetRegistryValue(RegistryRoot::CurrentUser, kKey, QStringLiteral("Export"), QString()),
              QStringLiteral("x"));
}

TEST_F(Registry, OnlyStringValuesAreRead)
{
    const auto write = [](const char* name, const QVariant& value) {
        return SetRegistryValue(RegistryRoot::CurrentUser, kKey, QString::fromLatin1(name), value);
    };
    const auto read = [](const char* name) {
        return GetRegistryValue(RegistryRoot::CurrentUser, kKey, QString::fromLatin1(name),
                                QStringLiteral("dflt"));
    };

    EXPECT_TRUE(write("Int", QVariant(qint32(42))));
    EXPECT_TRUE(write("Short", QVariant::fromValue(qint16(7))));
    EXPECT_TRUE(write("Bytes", QByteArray("raw")));
    EXPECT_EQ(read("Int"), QStringLiteral("dflt"));
    EXPECT_EQ(read("Short"), QStringLiteral("dflt"));
    EXPECT_EQ(read("Bytes"), QStringLiteral("dflt"));

    // Kinds with no registry counterpart write nothing.
    EXPECT_FALSE(write("Double", QVariant(1.5)));
    EXPECT_FALSE(write("Bool", QVariant(true)));
    EXPECT_FALSE(write("Null", QVariant()));

    // A number replaced by text becomes readable; text is cut at the first NUL.
    EXPECT_TRUE(write("Int", QStringLiteral("forty-two")));
    EXPECT_EQ(read("Int"), QStringLiteral("forty-two"));
    EXPECT_TRUE(write("Nul", QString::fromUtf16(u"abc\0def", 7)));
    EXPECT_EQ(read("Nul"), QStringLiteral("abc"));
}

TEST_F(Registry, ProductSettingFallsBackToMachineOnlyWithoutUserKey)
{
    const QString sub = QStringLiteral("Paths");
    const auto get = [&](const char* name) {
        return GetProductSetting(kProduct, sub, QString::fromLatin1(name), QStringLiteral("dflt"));
    };

    EXPECT_EQ(get("Logs"), QStringLiteral("dflt"));

    SaveProductSetting(kProduct, sub, QStringLiteral("Logs"), QStringLiteral("machine"), false);
    EXPECT_EQ(get("Logs"), QStringLiteral("machine"));

    // Once the user has the key, the machine key is not consulted even for values the user lacks.
    SaveProductSetting(kProduct, sub, QStringLiteral("Export"), QStringLiteral("user export"), true);
    EXPECT_EQ(get("Export"), QStringLiteral("user export"));
    EXPECT_EQ(get("Logs"), QStringLiteral("dflt"));

    SaveProductSetting(kProduct, sub, QStringLiteral("Logs"), QStringLiteral("user"), true);
    EXPECT_EQ(get("Logs"), QStringLiteral("user"));

    // A user value of the wrong type is missing, and still hides the machine value.
    SetRegistryValue(RegistryRoot::CurrentUser, kKey, QStringLiteral("Logs"), QVariant(qint32(1)));
    EXPECT_EQ(get("Logs"), QStringLiteral("dflt"));

    // A subkey of the user key also makes the key exist.
    const QString other = QStringLiteral("Window");
    SaveProductSetting(kProduct, other, QStringLiteral("Size"), QStringLiteral("machine"), false);
    SaveProductSetting(kProduct, other + QStringLiteral("/Inner"), QStringLiteral("Size"),
                       QStringLiteral("u"), true);
    EXPECT_EQ(GetProductSetting(kProduct, other, QStringLiteral("Size"), QStringLiteral("dflt")),
              QStringLiteral("dflt"));
}

TEST_F(Registry, UnwritableRootFailsQuietly)
{
    // A regular file where the folder should be: no user, not even root, can create it.
    QFile blocker(m_dir.filePath(QStringLiteral("blocker")));
    ASSERT_TRUE(blocker.open(QIODevice::WriteOnly));
    blocker.close();
    QSettings::setPath(QSettings::IniFormat, QSettings::SystemScope,
                       blocker.fileName() + QStringLiteral("/etc"));

    EXPECT_FALSE(
        SetRegistryValue(RegistryRoot::LocalMachine, kKey, QStringLiteral("Logs"), QStringLiteral("x")));
    SaveProductSetting(kProduct, QStringLiteral("Paths"), QStringLiteral("Logs"), QStringLiteral("x"), false);
    EXPECT_EQ(
        GetProductSetting(kProduct, QStringLiteral("Paths"), QStringLiteral("Logs"), QStringLiteral("dflt")),
        QStringLiteral("dflt"));
    EXPECT_TRUE(
        SetRegistryValue(RegistryRoot::CurrentUser, kKey, QStringLiteral("Logs"), QStringLiteral("x")));
}
