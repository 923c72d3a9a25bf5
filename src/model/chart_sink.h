#pragma once

#include <QString>
#include <QtGlobal>

/// The live chart as the data model sees it. The graph layer implements it on its plotting library;
/// the model only pushes settings into it (TargetOID, YAxis and ChartStyle ApplyToChart).
///
/// Series are addressed by series number (TargetOID::Subset), axes by axis index (YAxis::Index).
/// Colours are 32-bit in the Windows layout (rgb_color.h). Style settings arrive as chart codes:
/// - series line type: 0 solid width 1, 9 width 2, 5 width 3, 10 width 4, 6 width 5, 11 width 6,
///   1 dash, 2 dot, 3 dash-dot, 4 dash-dot-dot (TargetOID::LineTypeCode);
/// - plotting method: 0 line, 3 area, 1 bar, 10 best-fit curve, 8 best-fit line, 17 horizontal bar,
///   18 horizontal stacked bar, 2 point, 16 point+line, 13 spline, 21 ribbon, 20 step, 6 stacked
///   (YAxis::PlottingMethodCode);
/// - grid: 0 both, 1 horizontal lines (Y axis), 2 vertical lines (X axis), 3 none;
/// - font size: 0 large, 1 medium, 2 small;
/// - table style: 0 chart only, 1 table only, 2 both;
/// - point label orientation: 0 automatic, 1 vertical, 2 horizontal, 3 slanted.
class ChartSink {
public:
    enum class ColorRole { Desk, Shadow, Text, GraphFore, GraphBack, TableFore, TableBack };
    enum class FontRole { MainTitle, SubTitle, Table, Label };

    virtual ~ChartSink() = default;

    // One series.
    virtual void SetSeriesLabel(int subset, const QString& label) = 0;
    virtual void SetSeriesColor(int subset, qint32 color) = 0;
    virtual void SetSeriesLineType(int subset, int lineTypeCode) = 0;

    // One Y axis. Scale and label format are not set by the model; the chart binding sets them
    // from YAxis::Max/Min/Magnitude/ScaleFormat after UpdateScale.
    virtual void SetAxisPlottingMethod(int axis, int plottingMethodCode) = 0;
    virtual void SetAxisTitle(int axis, const QString& title) = 0;
    virtual void SetAxisColor(int axis, qint32 color) = 0;
    virtual void SetAxisScale(int axis, double minimum, double maximum) = 0;
    virtual void SetAxisLabelFormat(int axis, const QString& format) = 0;

    // The whole chart.
    virtual void SetColor(ColorRole role, qint32 color) = 0;
    virtual void SetFont(FontRole role, const QString& face) = 0;
    virtual void SetMarkDataPoints(bool mark) = 0;
    virtual void SetDecimalPoints(int decimals) = 0;
    virtual void SetFontSizeCode(int code) = 0;
    virtual void SetGridStyleCode(int code) = 0;
    virtual void SetGridInFront(bool inFront) = 0;
    virtual void SetTableStyleCode(int code) = 0;
    virtual void SetPointLabelOrientationCode(int code) = 0;
    /// Number of newest points shown when not zoomed.
    virtual int PointsShown() const = 0;
    /// Shows the newest `points` points: also ends any zoom and scrolls to the newest point.
    virtual void SetPointsShown(int points) = 0;
};
