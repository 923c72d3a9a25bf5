// Shared entry point of every test executable: a QApplication (offscreen unless the caller
// chose a platform) and private XDG folders, so tests never read or write the user's settings
// or data folder. Only D-Bus tests, which CTest runs on a private bus and marks with
// TRENDWICK_DBUS_TEST, keep a session bus address: no other test may reach a developer's bus.
#include <QApplication>
#include <QTemporaryDir>
#include <gtest/gtest.h>

int main(int argc, char** argv)
{
    if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM"))
        qputenv("QT_QPA_PLATFORM", "offscreen");
    // An address that cannot connect rather than none: with none, libdbus may look for a bus
    // through the X display.
    if (qEnvironmentVariableIsEmpty("TRENDWICK_DBUS_TEST"))
        qputenv("DBUS_SESSION_BUS_ADDRESS", "unix:path=/nonexistent/trendwick-tests-use-no-bus");
    QTemporaryDir home;
    if (!home.isValid())
        return 2;
    qputenv("XDG_CONFIG_HOME", (home.path() + "/config").toUtf8());
    qputenv("XDG_DATA_HOME", (home.path() + "/data").toUtf8());
    qputenv("XDG_CACHE_HOME", (home.path() + "/cache").toUtf8());

    QApplication app(argc, argv);
    ::testing::InitGoogleTest(&argc, argv);
    return RUN_ALL_TESTS();
}
