#pragma once

#include <graph_definition_host.h>

#include <chart_style.h>
#include <fake_mib.h>
#include <target_oids.h>
#include <y_axises.h>

#include <QFile>
#include <QJsonDocument>
#include <QProcess>
#include <QStringList>
#include <algorithm>
#include <gtest/gtest.h>
#include <qt_print.h>

inline QString FixturePath(const char* name)
{
    return QStringLiteral(TW_IO_TEST_DATA "/") + QLatin1String(name);
}

/// Whole file as bytes; empty when it cannot be read.
inline QByteArray FileBytes(const QString& path)
{
    QFile file(path);
    return file.open(QIODevice::ReadOnly) ? file.readAll() : QByteArray();
}

/// What a Python script prints as JSON about a file: our files checked by readers that are not ours.
inline QJsonDocument PythonReads(const QString& file, const char* script)
{
    QProcess python;
    python.start(QStringLiteral("python3"), {QStringLiteral("-c"), QString::fromLatin1(script), file});
    EXPECT_TRUE(python.waitForFinished(30000) && python.exitCode() == 0)
        << python.errorString().toStdString() << python.readAllStandardError().toStdString();
    return QJsonDocument::fromJson(python.readAllStandardOutput());
}

/// A graph control reduced to the fields a definition touches; records the calls that act.
class FakeGraphHost final : public GraphDefinitionHost {
public:
    FakeGraphHost(Clock& clock, Settings& settings)
        : settings(settings), targets(clock, settings, mib.WithStandardObjects().Resolver())
    {
    }

    bool LoggingEnabled() const override { return logging; }
    void StoreLoggingEnabled(bool enabled) override { logging = enabled; }
    QString StoredLogFilename() const override { return logFile; }
    void StoreLogFilename(const QString& filename) override { logFile = filename; }
    bool AutoPublishEnabled() const override { return publishing; }
    void StoreAutoPublishEnabled(bool enabled) override { publishing = enabled; }
    QString StoredAutoPublishFilename() const override { return publishFile; }
    void StoreAutoPublishFilename(const QString& filename) override { publishFile = filename; }
    qint16 AutoPublishInterval() const override { return publishInterval; }
    void setAutoPublishInterval(qint16 seconds) override
    {
        publishInterval = std::clamp<qint16>(seconds, 10, 600);
    }
    qint32 PollInterval() const override { return pollInterval; }
    void setPollInterval(qint32 seconds) override { pollInterval = std::clamp<qint32>(seconds, 1, 600); }
    QString MainTitle() const override { return mainTitle; }
    void setMainTitle(const QString& title) override { mainTitle = title; }
    QString SubTitle() const override { return subTitle; }
    void setSubTitle(const QString& title) override { subTitle = title; }
    QString Footer() const override { return footer; }
    void setFooter(const QString& text) override { footer = text; }
    bool MIBListVisible() const override { return mibListVisible; }
    void setMIBListVisible(bool visible) override { mibListVisible = visible; }
    void InitChart() override { calls << QStringLiteral("InitChart"); }
    void LayoutTableColumns() override { calls << QStringLiteral("LayoutTableColumns"); }
    void Reset() override { calls << QStringLiteral("Reset"); }
    ChartStyle& GraphChartStyle() override { return style; }
    YAxises& GraphYAxises() override { return axes; }
    TargetOIDs& GraphTargetOIDs() override { return targets; }
    Settings& GraphSettings() override { return settings; }

    bool logging = false;
    QString logFile;
    bool publishing = false;
    QString publishFile;
    qint16 publishInterval = 60;
    qint32 pollInterval = 5;
    QString mainTitle = QStringLiteral("Real-Time Trendwick");
    QString subTitle;
    QString footer;
    bool mibListVisible = true;
    QStringList calls;

    Settings& settings;
    FakeMib mib;
    ChartStyle style;
    YAxises axes;
    TargetOIDs targets;
};
