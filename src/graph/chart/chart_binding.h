#pragma once

#include <chart_sink.h>

#include <QImage>
#include <QString>
#include <QWidget>
#include <memory>
#include <utility>
#include <vector>

class ChartStyle;
class Clock;
class Prompter;
class QCustomPlot;
class TargetOID;
struct TargetNames;
class TargetOIDs;
class YAxis;
class YAxises;

/// The live chart of one graph: every target is a series of 500 columns (the newest last) on the
/// Y axis of its YAxis; one poll appends one column. Holds references to the graph's targets, axes
/// and style, which must outlive it. Opens no dialog except the small export one; everything else
/// the user asks for leaves as a signal.
class ChartBinding : public QWidget, public ChartSink {
    Q_OBJECT
public:
    /// Columns of every series, the history size of a target.
    static constexpr int Points = 500;
    /// The value that means "no data": never drawn, shown as a gap.
    static constexpr float NoValue = -20000.0f;

    /// clock gives the time label of an appended column; prompter (optional) asks for the file
    /// name in the export dialog.
    ChartBinding(TargetOIDs& targets, YAxises& axes, ChartStyle& style, Clock& clock,
                 Prompter* prompter = nullptr, QWidget* parent = nullptr);
    ~ChartBinding() override;

    /// Chart set-up: automatic titles on, style reset and applied, one empty series, scale 0..1000.
    void InitChart();
    /// Rebuilds axes, series, colours and labels from the targets, then reloads from history.
    void ResetChart();
    /// Re-scales the axes (only those whose scale changed when changedOnly) and reloads their series.
    void RefreshChart(bool changedOnly);
    /// Copies one target's history into its series.
    void LoadHistory(TargetOID& target, YAxis& axis);
    /// Appends one column: the current time and every target's value.
    void AppendPoint();
    /// Re-applies axis and chart style.
    void UpdateStyle();
    /// Draws at once; otherwise changes are drawn together at the next turn of the event loop.
    void RedrawNow();

    QString MainTitle() const;
    /// Also turns automatic titles off.
    void setMainTitle(const QString& title);
    QString SubTitle() const;
    /// Also turns automatic titles off.
    void setSubTitle(const QString& title);
    bool AutomaticTitles() const { return m_automaticTitles; }
    void setAutomaticTitles(bool automatic) { m_automaticTitles = automatic; }
    /// Three parts separated by "|": left, centre and right of the line under the chart.
    QString Footer() const { return m_footer; }
    /// A text with fewer than three parts gets "||" appended.
    void setFooter(const QString& footer);
    /// Background colour (32-bit RGB) of the chart itself; the style is not changed.
    qint32 DeskColor() const { return m_deskColor; }
    void setDeskColor(qint32 color);
    bool Zoomed() const { return m_zoomed; }
    /// false undoes the zoom; true does nothing.
    void setZoomed(bool zoomed);
    /// The poll interval decides whether time labels carry seconds.
    void setPollInterval(int seconds) { m_pollInterval = seconds; }
    /// "h:nn:ss" under 61 seconds, else "h:nn"; " AM/PM" appended with ChartStyle::IncludeAMPM.
    QString TimeLabelFormat() const;
    /// The value of "IP" (the host name), "OID" (object name) or "INSTANCE" shared by all targets,
    /// or the empty text when they differ.
    QString CommonTargetValue(const QString& field) const;
    /// The font size code the style last set.
    int FontSizeCode() const { return m_fontSizeCode; }

    // Image export. A width or height of 0 means the chart's on-screen size in pixels.
    void CopyBitmap(int width = 0, int height = 0);
    /// SVG on the clipboard (image/svg+xml) together with a bitmap.
    void CopyMetaFile(int width = 0, int height = 0);
    /// BMP file.
    bool SaveBitmap(const QString& fileName, int width = 0, int height = 0);
    /// SVG file.
    bool SaveMetaFile(const QString& fileName, int width = 0, int height = 0);
    bool SaveJPEG(const QString& fileName, int width = 0, int height = 0);
    /// The chart drawn at the given size (0 = on-screen size).
    QImage Image(int width = 0, int height = 0);
    /// Asks for the customise dialog (CustomizeRequested(1)); the dialog belongs to the host.
    void ShowCustomizeDialog();
    /// Format, size and file, then saves.
    void ShowExportDialog();

    // What the chart holds, for tests, exports and the point table.
    int SeriesCount() const;
    /// Columns held per series (always Points).
    int ColumnCount() const { return Points; }
    /// Plotted value of a column (0 oldest .. Points-1 newest); NaN for no data.
    double PointValue(int subset, int column) const;
    QString PointLabel(int column) const;
    /// Minimum and maximum of a Y axis's manual scale, in plotted units.
    std::pair<double, double> AxisScale(int axis) const;
    /// Plot areas: 1 with overlapping axes, else one per Y axis.
    int PlotAreaCount() const;
    /// Points shown when not zoomed.
    int PointsShown() const override { return m_pointsShown; }
    QCustomPlot* Plot() const;

    // ChartSink: what the targets, axes and style push into the chart.
    void SetSeriesLabel(int subset, const QString& label) override;
    void SetSeriesColor(int subset, qint32 color) override;
    void SetSeriesLineType(int subset, int lineTypeCode) override;
    void SetAxisPlottingMethod(int axis, int plottingMethodCode) override;
    void SetAxisTitle(int axis, const QString& title) override;
    void SetAxisColor(int axis, qint32 color) override;
    void SetAxisScale(int axis, double minimum, double maximum) override;
    void SetAxisLabelFormat(int axis, const QString& format) override;
    void SetColor(ColorRole role, qint32 color) override;
    void SetFont(FontRole role, const QString& face) override;
    void SetMarkDataPoints(bool mark) override;
    void SetDecimalPoints(int decimals) override;
    void SetFontSizeCode(int code) override;
    void SetGridStyleCode(int code) override;
    void SetGridInFront(bool inFront) override;
    void SetTableStyleCode(int code) override;
    void SetPointLabelOrientationCode(int code) override;
    void SetPointsShown(int points) override;

Q_SIGNALS:
    /// Double-click on a series or its legend entry.
    void SeriesActivated(int subset);
    /// The user zoomed in, or the zoom was undone.
    void ZoomChanged();
    /// Main title or subtitle was set, by a host or by the automatic titles.
    void TitlesChanged();
    /// Click on a title or axis: page 1, or page 3 for the axes.
    void CustomizeRequested(int page);
    /// Any mouse press on the chart: Qt button, keyboard modifiers (1 shift, 2 ctrl, 4 alt), position.
    void MouseDown(qint16 button, qint16 shift, float x, float y);

private:
    struct Impl;
    void ConnectPlot();
    void ConnectMouse();
    std::vector<TargetNames> Names() const;
    void SetTitleTexts(const QString& main, const QString& sub);
    void AssignAxes();
    QStringList SeriesNames() const;
    bool SaveImage(const QString& fileName, const char* format, int width, int height);
    QByteArray Svg(int width, int height);
    QSize ExportSize(int width, int height) const;

    std::unique_ptr<Impl> m_impl;

    TargetOIDs& m_targets;
    YAxises& m_axes;
    ChartStyle& m_style;
    Clock& m_clock;
    Prompter* m_prompter;

    bool m_automaticTitles = true;
    QString m_footer = QStringLiteral("||");
    qint32 m_deskColor = 0;
    bool m_zoomed = false;
    int m_pollInterval = 5;
    int m_fontSizeCode = 1;
    int m_pointsShown = 100;
};
