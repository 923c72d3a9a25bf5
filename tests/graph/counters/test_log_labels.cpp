// A label that a spreadsheet would run as a formula reaches the log's header as text.
#include <clock.h>
#include <settings.h>
#include <target_oids.h>
#include <value_log.h>

#include <QJsonArray>
#include <QJsonDocument>
#include <QProcess>
#include <QStandardPaths>
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
        "=HYPERLINK(\"http://x\",\"a\")", "+1", "-2", "@SUM(A1)", "\tx", "\rx", "plain", "a=b", " =c", ""};
    for (const QString& label : labels) {
        targets
            .Add(QStringLiteral("host"), QStringLiteral("127.0.0.1"), QStringLiteral("public"),
                 QStringLiteral("x"), QStringLiteral("1"))
            ->setLabel(label);
    }
    QTemporaryDir folder;
    const QString file = folder.filePath(QStringLiteral("log.csv"));
    ASSERT_TRUE(ValueLog(clock).WriteLogHeader(file, targets));

    // Python's csv module reads the header line back, one field per line of its output.
    const QString python = QStandardPaths::findExecutable(QStringLiteral("python3"));
    ASSERT_FALSE(python.isEmpty()) << "python3 is needed to read the log";
    QProcess reader;
    reader.start(python,
                 {QStringLiteral("-c"),
                  QStringLiteral("import csv,json,sys\n"
                                 "rows = list(csv.reader(open(sys.argv[1], newline='', encoding='utf-8')))\n"
                                 "print(json.dumps(rows[3]))"),
                  file});
    ASSERT_TRUE(reader.waitForFinished(30000));
    ASSERT_EQ(reader.exitCode(), 0) << reader.readAllStandardError().toStdString();
    const QJsonArray fields = QJsonDocument::fromJson(reader.readAllStandardOutput()).array();
    QStringList read;
    for (const QJsonValue& field : fields)
        read.append(field.toString());
    EXPECT_EQ(read, QStringList({"Time Stamp", "'=HYPERLINK(\"http://x\",\"a\")", "'+1", "'-2", "'@SUM(A1)",
                                 "'\tx", "'\rx", "plain", "a=b", " =c", ""}));
}
