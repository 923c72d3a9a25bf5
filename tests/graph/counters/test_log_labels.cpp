// A label that a spreadsheet would run as a formula reaches the log's header as text.
#include <clock.h>
#include <settings.h>
#include <target_oids.h>
#include <value_log.h>

#include <QJsonDocument>
#include <QProcess>
#include <QTemporaryDir>
#include <gtest/gtest.h>
#include <qt_print.h>

TEST(LogLabelsTest, FormulaLikeLabelsGetAnApostropheThatACsvReaderKeeps)
{
    ManualClock clock;
    Settings settings;
    TargetOIDs targets(clock, settings, [](const QString&) { return OIDDetails(OIDInfo{}); });
    // What a device could put into an interface description, and labels that only look close.
    const QStringList labels{
        "=HYPERLINK(\"http://x\",\"a\")", "+1", "-2", "@SUM(A1)", "\tx", "\rx", "a=b", " =c", ""};
    for (const QString& label : labels)
        targets.Add("host", "127.0.0.1", "public", "x", "1")->setLabel(label);
    QTemporaryDir folder;
    const QString file = folder.filePath("log.csv");
    ASSERT_TRUE(ValueLog(clock).WriteLogHeader(file, targets));

    // Python's csv module reads the header row back.
    QProcess reader;
    reader.start("python3", {"-c",
                             "import csv,json,sys\n"
                             "print(json.dumps(list(csv.reader(open(sys.argv[1], newline='')))[3]))",
                             file});
    ASSERT_TRUE(reader.waitForFinished(30000) && reader.exitCode() == 0)
        << "python3 is needed to read the log";
    EXPECT_EQ(QJsonDocument::fromJson(reader.readAllStandardOutput()).toVariant().toStringList(),
              QStringList({"Time Stamp", "'=HYPERLINK(\"http://x\",\"a\")", "'+1", "'-2", "'@SUM(A1)", "'\tx",
                           "'\rx", "a=b", " =c", ""}));
}
