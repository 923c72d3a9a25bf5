#pragma once

#include <QString>
#include <QtGlobal>

class ChartStyle;
class Settings;
class TargetOIDs;
class YAxises;

/// What a graph definition reads from and writes into: the graph control. The getters and lets
/// that share a name with the control's published members mean the same (so the control's own
/// members override them); the Store* members set a field without the side effects of the
/// published let (reading a definition never starts a log header).
class GraphDefinitionHost {
public:
    virtual ~GraphDefinitionHost() = default;

    virtual bool LoggingEnabled() const = 0;
    /// Stores the flag only: no log header is written.
    virtual void StoreLoggingEnabled(bool enabled) = 0;
    /// The log file name as set, empty when the default is derived.
    virtual QString StoredLogFilename() const = 0;
    virtual void StoreLogFilename(const QString& filename) = 0;

    virtual bool AutoPublishEnabled() const = 0;
    virtual void StoreAutoPublishEnabled(bool enabled) = 0;
    /// The publish file name as set, empty when the default is derived.
    virtual QString StoredAutoPublishFilename() const = 0;
    virtual void StoreAutoPublishFilename(const QString& filename) = 0;
    virtual qint16 AutoPublishInterval() const = 0;
    /// The published let: clamps to 10..600.
    virtual void setAutoPublishInterval(qint16 seconds) = 0;

    virtual qint32 PollInterval() const = 0;
    /// The published let: clamps to 1..600.
    virtual void setPollInterval(qint32 seconds) = 0;

    /// The chart's titles as shown; either let turns automatic titles off.
    virtual QString MainTitle() const = 0;
    virtual void setMainTitle(const QString& title) = 0;
    virtual QString SubTitle() const = 0;
    virtual void setSubTitle(const QString& title) = 0;
    /// Footer parts separated by vertical bars.
    virtual QString Footer() const = 0;
    virtual void setFooter(const QString& footer) = 0;
    /// Whether the table pane is shown.
    virtual bool MIBListVisible() const = 0;
    virtual void setMIBListVisible(bool visible) = 0;

    /// Runs the chart initialisation and shows the splitter.
    virtual void InitChart() = 0;
    /// Rebuilds the table columns from Settings.Columns.
    virtual void LayoutTableColumns() = 0;
    /// Rebuilds chart, axes, series and table from the targets and starts polling.
    virtual void Reset() = 0;

    virtual ChartStyle& GraphChartStyle() = 0;
    virtual YAxises& GraphYAxises() = 0;
    virtual TargetOIDs& GraphTargetOIDs() = 0;
    /// The program-wide settings; a definition carries SNMP time-out, retries and table columns.
    virtual Settings& GraphSettings() = 0;
};
