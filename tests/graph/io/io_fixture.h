#pragma once

#include <graph_definition_host.h>

#include <chart_style.h>
#include <oid_details.h>
#include <target_oids.h>
#include <y_axises.h>

#include <QFile>
#include <QStringList>
#include <algorithm>
#include <ostream>
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

/// Answers MIB lookups from fixed details: a counter and a gauge, by object or full name.
inline OIDResolver FakeResolver()
{
    return [](const QString& name) {
        OIDInfo info;
        if (name.endsWith(QLatin1String("ifInOctets"))) {
            info.dottedOID = QStringLiteral("1.3.6.1.2.1.2.2.1.10");
            info.fullName = QStringLiteral("IF-MIB::ifInOctets");
            info.syntaxName = QStringLiteral("Counter32");
            info.unitChoices = QStringLiteral("Octets,bps=*8");
            info.typeTag = 2;
        } else if (name.endsWith(QLatin1String("hrProcessorLoad"))) {
            info.dottedOID = QStringLiteral("1.3.6.1.2.1.25.3.3.1.2");
            info.fullName = QStringLiteral("HOST-RESOURCES-MIB::hrProcessorLoad");
            info.syntaxName = QStringLiteral("Integer32");
            info.unitChoices = QStringLiteral("%");
            info.typeTag = 2;
        }
        info.objectName = info.fullName.section(QLatin1Char(':'), -1);
        return OIDDetails(info);
    };
}

/// A graph control reduced to the fields a definition touches; records the calls that act.
class FakeGraphHost final : public GraphDefinitionHost {
public:
    FakeGraphHost(Clock& clock, Settings& settings)
        : settings(settings), targets(clock, settings, FakeResolver())
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
    void setMainTitle(const QString& title) override
    {
        mainTitle = title;
        automaticTitles = false;
    }
    QString SubTitle() const override { return subTitle; }
    void setSubTitle(const QString& title) override
    {
        subTitle = title;
        automaticTitles = false;
    }
    QString Footer() const override { return footer; }
    void setFooter(const QString& text) override { footer = text; }
    bool MIBListVisible() const override { return mibListVisible; }
    void setMIBListVisible(bool visible) override { mibListVisible = visible; }
    void InitChart() override
    {
        calls << QStringLiteral("InitChart");
        automaticTitles = true;
    }
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
    bool automaticTitles = true;
    bool mibListVisible = true;
    QStringList calls;

    Settings& settings;
    ChartStyle style;
    YAxises axes;
    TargetOIDs targets;
};
