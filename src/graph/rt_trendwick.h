#pragma once

#include <graph_definition_host.h>
#include <target_oid.h>

#include <QDateTime>
#include <QVariant>
#include <QWidget>
#include <limits>
#include <memory>

class AgentRestarts;
class ChartBinding;
class ChartStyle;
class Clock;
class GraphDefinition;
class HtmlPublisher;
class MessagePanel;
class Prompter;
class QSplitter;
class QTimer;
class SNMPSession;
struct SnmpAnswer;
class Settings;
class TargetOIDs;
class ValueLog;
class ValueTableModel;
class ValueTableView;
class YAxis;
class YAxises;

/// The control that owns one live graph: its targets, axes and style, the chart above the value
/// table, the SNMP session that polls every target, and the 500 ms timer that drives polling,
/// the chart, the table, the log and publishing. Hosts (the graph window, the automation layer)
/// call the published members below and react to the signals; the control never opens a window of
/// its own except through the prompter (colour choice) and the chart's export dialog.
///
/// The answers of one poll cycle reach the chart, the table and the log one cycle later: those are
/// fed right after the next cycle's requests went out, before its replies can arrive.
class RTTrendwick : public QWidget, public GraphDefinitionHost {
    Q_OBJECT
public:
    /// Replacements for what the control would otherwise make itself (tests, benchmarks).
    struct Seams {
        /// The session to poll through; null gives the control a session of its own.
        std::unique_ptr<SNMPSession> session;
        /// How targets find their MIB objects; empty means the process-wide MIB database.
        OIDResolver resolver;
    };

    RTTrendwick(Settings& settings, Clock& clock, Prompter& prompter, QWidget* parent = nullptr);
    RTTrendwick(Settings& settings, Clock& clock, Prompter& prompter, Seams seams, QWidget* parent = nullptr);
    ~RTTrendwick() override;

    // Published members.
    /// The chart component itself.
    ChartBinding* ChartObject() const { return m_chart; }
    bool LoggingEnabled() const override { return m_loggingEnabled; }
    /// true first starts a fresh log header, then stores the flag.
    void setLoggingEnabled(bool enabled);
    /// The name as set, or the default derived from the titles when none is set.
    QString LogFilename() const;
    void setLogFilename(const QString& filename) { m_logFilename = filename; }
    bool AutoPublishEnabled() const override { return m_autoPublishEnabled; }
    /// Any auto-publish let makes the next due poll publish.
    void setAutoPublishEnabled(bool enabled);
    QString AutoPublishFilename() const;
    void setAutoPublishFilename(const QString& filename);
    qint16 AutoPublishInterval() const override { return m_autoPublishInterval; }
    /// Clamped to 10..600 seconds.
    void setAutoPublishInterval(qint16 seconds) override;
    bool Paused() const { return m_paused; }
    void setPaused(bool paused);
    /// Text of the last failed load or save of a graph definition.
    QString LastError() const;
    QString MainTitle() const override;
    void setMainTitle(const QString& title) override;
    QString SubTitle() const override;
    void setSubTitle(const QString& title) override;
    QString Footer() const override;
    void setFooter(const QString& footer) override;
    qint32 DeskColor() const;
    void setDeskColor(qint32 color);
    ::ChartStyle& ChartStyle() { return *m_style; }
    ::YAxises& YAxises() { return *m_axes; }
    ::TargetOIDs& TargetOIDs() { return *m_targets; }
    void ShowCustomizeDialog();
    qint32 PollInterval() const override { return m_pollInterval; }
    /// Clamped to 1..600 seconds; the next tick polls at once.
    void setPollInterval(qint32 seconds) override;
    /// Sends one GET per target, back to back; answers arrive later, one Response each.
    void PollNow();
    /// Rebuilds chart and table from the targets and (re)starts polling; stops it without targets.
    void Reset() override;
    void RefreshChart(bool changedOnly);
    /// Rebuilds the series from the targets; the table follows.
    void ResetChart();
    void UpdateStyle();
    void LoadHistory(TargetOID& target, YAxis& axis);
    bool Zoomed() const;
    void setZoomed(bool zoomed);
    void ShowExportDialog();
    void CopyBitmap(int width = 0, int height = 0);
    void CopyMetaFile(int width = 0, int height = 0);
    bool SaveBitmap(const QString& filename, int width = 0, int height = 0);
    bool SaveMetaFile(const QString& filename, int width = 0, int height = 0);
    bool SaveJPEG(const QString& filename, int width = 0, int height = 0);
    void LoadColumnsMenu();
    /// Whether the table pane is shown (at least 50 pixels of it).
    bool MIBListVisible() const override;
    void setMIBListVisible(bool visible) override;
    QString Filename() const;
    /// Stores the path without loading anything.
    void setFilename(const QString& filename);
    bool SetXML(const QString& xml);
    bool LoadXML(const QString& filename);
    QString GetXML() const;
    /// "x" (the default) means the current Filename.
    bool SaveXML(const QString& filename = QStringLiteral("x"));
    /// The chart as a JPEG beside an HTML page holding it and the value table; 0 sizes mean 800x600.
    void SaveHTML(const QString& filename, int width = 0, int height = 0);
    /// Raises ShuttingDown and nothing else.
    void Shutdown();

    // Child components, as hosts and tests reach them by name.
    SNMPSession& SNMP() { return *m_snmp; }
    ValueTableView* Table() const { return m_table; }
    ValueTableModel& TableModel() const { return *m_tableModel; }
    QSplitter* Splitter() const { return m_splitter; }
    QTimer* PollTimer() const { return m_pollTimer; }
    MessagePanel* BaseLineMessage() const { return m_baseLineMessage; }
    MessagePanel* PauseMessage() const { return m_pauseMessage; }

    // GraphDefinitionHost: the fields a definition reads without side effects.
    void StoreLoggingEnabled(bool enabled) override { m_loggingEnabled = enabled; }
    QString StoredLogFilename() const override { return m_logFilename; }
    void StoreLogFilename(const QString& filename) override { m_logFilename = filename; }
    void StoreAutoPublishEnabled(bool enabled) override { m_autoPublishEnabled = enabled; }
    QString StoredAutoPublishFilename() const override { return m_autoPublishFilename; }
    void StoreAutoPublishFilename(const QString& filename) override { m_autoPublishFilename = filename; }
    void InitChart() override;
    void LayoutTableColumns() override;
    ::ChartStyle& GraphChartStyle() override { return *m_style; }
    ::YAxises& GraphYAxises() override { return *m_axes; }
    ::TargetOIDs& GraphTargetOIDs() override { return *m_targets; }
    Settings& GraphSettings() override { return m_settings; }

public Q_SLOTS:
    /// The poll timer's handler: polls when the poll interval has run out, then feeds chart,
    /// table and log (unless paused) and publishes when due.
    void PollTimerTick();
    /// Reaction to Settings::Changed.
    void mSettings_Changed(const QString& name, const QVariant& value);

Q_SIGNALS:
    /// Paused changed, a Reset ran, or the chart's zoom changed: hosts re-evaluate menus.
    void StateChanged();
    /// A title of the chart was set (the automation server announces it to its clients).
    void TitlesChanged();
    /// The Shutdown event: raw data windows watching this graph close on it.
    void ShuttingDown();
    /// A mouse press on the chart: button, shift state (1 shift, 2 ctrl, 4 alt), position.
    void MouseDown(qint16 button, qint16 shift, float x, float y);
    /// The user asked to customise one series (double-click, or the table's edit button).
    void SeriesDialogRequested(TargetOID* target);
    /// The user asked for the customise-graph dialog at a page (1 first, 3 third).
    void CustomizeDialogRequested(int page);

protected:
    void resizeEvent(QResizeEvent* event) override;

private:
    /// A deadline not yet set: the next tick is due at once.
    static constexpr qint64 NoDeadline = std::numeric_limits<qint64>::min();

    void BuildChildren();
    void ConnectChildren();
    void ApplySessionSettings();
    void OnResponse(const SnmpAnswer& answer, qint64 wallClockMsecs);
    void OnUptime(const SnmpAnswer& answer);
    void RefreshTable();
    void SetTableColors();
    void SizeTablePane();
    void PlacePanels();
    /// now: seconds since 1970 UTC.
    void PublishIfDue(qint64 now);
    void WriteLogHeader();
    void ChooseColor(TargetOID* target);
    void RemoveTarget(const QString& key);
    void SeriesActivated(int subset);
    int TwipsToPixels(int twips) const;

    Settings& m_settings;
    Clock& m_clock;
    Prompter& m_prompter;
    OIDResolver m_resolver;

    std::unique_ptr<::TargetOIDs> m_targets;
    std::unique_ptr<::YAxises> m_axes;
    std::unique_ptr<::ChartStyle> m_style;
    std::unique_ptr<SNMPSession> m_snmp;
    std::unique_ptr<GraphDefinition> m_definition;
    std::unique_ptr<ValueLog> m_log;
    std::unique_ptr<HtmlPublisher> m_publisher;
    std::unique_ptr<AgentRestarts> m_restarts;

    QSplitter* m_splitter = nullptr;
    ChartBinding* m_chart = nullptr;
    ValueTableModel* m_tableModel = nullptr;
    ValueTableView* m_table = nullptr;
    MessagePanel* m_baseLineMessage = nullptr;
    MessagePanel* m_pauseMessage = nullptr;
    QTimer* m_pollTimer = nullptr;

    bool m_loggingEnabled = false;
    QString m_logFilename;
    bool m_autoPublishEnabled = false;
    QString m_autoPublishFilename;
    qint16 m_autoPublishInterval = 60;
    qint64 m_nextPublishSecs = NoDeadline;
    bool m_paused = false;
    qint32 m_pollInterval = 10;
    qint64 m_nextPollSecs = NoDeadline;
    // A target left the collection since the series were last built: the axes still point at
    // it, so nothing may walk them until the next ResetChart.
    bool m_seriesStale = false;
};
