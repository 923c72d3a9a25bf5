#include "common_functions.h"

#include <QFile>
#include <QSettings>
#include <QTemporaryDir>

#include <gtest/gtest.h>

namespace {

const QString kProduct = QStringLiteral("Real-Time Trendwick");
const QString kKey = QStringLiteral("Software/Brightfen.Net/Real-Time Trendwick/Paths");

bool Write(const char* name, const QVariant& value, RegistryRoot root = RegistryRoot::CurrentUser)
{
    return SetRegistryValue(root, kKey, QString::fromLatin1(name), value);
}
QString Read(const char* name)
{
    return GetRegistryValue(RegistryRoot::CurrentUser, kKey, QString::fromLatin1(name), "dflt");
}
QString Product(const char* name)
{
    return GetProductSetting(kProduct, "Paths", QString::fromLatin1(name), "dflt");
}

} // namespace

// Both roots point into a private folder, so the machine-wide root never touches /etc.
TEST(Registry, TextRoundTripsPerRootAndTheUserKeyHidesTheMachineKey)
{
    QTemporaryDir dir;
    QSettings::setPath(QSettings::IniFormat, QSettings::UserScope, dir.filePath("user"));
    QSettings::setPath(QSettings::IniFormat, QSettings::SystemScope, dir.filePath("system"));
    EXPECT_TRUE(Write("Logs", QStringLiteral("/srv/b"), RegistryRoot::LocalMachine));
    EXPECT_EQ(Product("Logs"), "/srv/b") << "no user key: the machine's value";
    EXPECT_TRUE(Write("Logs", QStringLiteral("/tmp/a")));
    EXPECT_EQ(GetRegistryValue(RegistryRoot::CurrentUser,
                               "software\\BRIGHTFEN.NET\\real-time trendwick\\paths", "LOGS", {}),
              "/tmp/a");
    EXPECT_EQ(GetRegistryValue(RegistryRoot::LocalMachine, kKey, "Logs", {}), "/srv/b");

    // Numbers and bytes are stored but not read as text; kinds with no counterpart write nothing.
    EXPECT_TRUE(Write("Int", qint32(42)) && Write("Bytes", QByteArray("raw")));
    EXPECT_EQ(Read("Int") + Read("Bytes") + Read("Other"), "dfltdfltdflt");
    for (const QVariant& value : {QVariant(1.5), QVariant(true), QVariant()})
        EXPECT_FALSE(Write("Other", value)) << value.typeName();

    // Once the user has the key, the machine key is not consulted even for values the user lacks,
    // and a user value of the wrong type is missing yet still hides the machine value.
    SaveProductSetting(kProduct, "Paths", "Export", "mine", true);
    EXPECT_EQ(Read("Export"), "mine") << "both families address the same area";
    Write("Logs", qint32(1));
    EXPECT_EQ(Product("Logs"), "dflt");

    // A regular file where the folder should be: no one, not even root, can create it.
    QFile blocker(dir.filePath("blocker"));
    ASSERT_TRUE(blocker.open(QIODevice::WriteOnly));
    blocker.close();
    QSettings::setPath(QSettings::IniFormat, QSettings::SystemScope, blocker.fileName() + "/etc");
    EXPECT_FALSE(Write("Logs", QStringLiteral("x"), RegistryRoot::LocalMachine));
}
