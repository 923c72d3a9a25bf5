// The ChartSink side of the chart: what targets, axes and style push in is kept as state and
// applied to what is built.

#include "chart_binding.h"

#include "chart_binding_impl.h"

#include <rgb_color.h>

void ChartBinding::SetSeriesLabel(int subset, const QString& label)
{
    m_impl->SeriesAt(subset).label = label;
    m_impl->ApplySeriesLook(subset);
}

void ChartBinding::SetSeriesColor(int subset, qint32 color)
{
    m_impl->SeriesAt(subset).color = color;
    m_impl->ApplySeriesLook(subset);
}

void ChartBinding::SetSeriesLineType(int subset, int lineTypeCode)
{
    m_impl->SeriesAt(subset).lineTypeCode = lineTypeCode;
    m_impl->ApplySeriesLook(subset);
}

void ChartBinding::SetAxisPlottingMethod(int axis, int plottingMethodCode)
{
    AxisState& state = m_impl->AxisAt(axis);
    if (state.methodCode == plottingMethodCode)
        return;
    state.methodCode = plottingMethodCode;
    if (!m_impl->deferRebuild)
        m_impl->Rebuild();
}

void ChartBinding::SetAxisTitle(int axis, const QString& title)
{
    m_impl->AxisAt(axis).title = title;
    m_impl->ApplyAxisLook(axis);
}

void ChartBinding::SetAxisColor(int axis, qint32 color)
{
    m_impl->AxisAt(axis).color = color;
    m_impl->ApplyAxisLook(axis);
}

void ChartBinding::SetAxisScale(int axis, double minimum, double maximum)
{
    AxisState& state = m_impl->AxisAt(axis);
    state.minimum = minimum;
    state.maximum = maximum;
    m_impl->ApplyAxisLook(axis);
}

void ChartBinding::SetAxisLabelFormat(int axis, const QString& format)
{
    m_impl->AxisAt(axis).format = format;
    m_impl->ApplyAxisLook(axis);
}

void ChartBinding::SetColor(ColorRole role, qint32 color)
{
    m_impl->colors[int(role)] = ToQColor(color);
    if (role == ColorRole::Desk)
        m_deskColor = color;
    m_impl->ApplyColors();
}

void ChartBinding::SetFont(FontRole role, const QString& face)
{
    m_impl->fonts[int(role)] = face;
    m_impl->ApplyFonts();
}

void ChartBinding::SetMarkDataPoints(bool mark)
{
    m_impl->markPoints = mark;
    for (size_t i = 0; i < m_impl->series.size(); ++i)
        m_impl->ApplySeriesLook(int(i));
}

void ChartBinding::SetDecimalPoints(int decimals)
{
    m_impl->decimals = decimals;
    for (size_t i = 0; i < m_impl->axes.size(); ++i)
        m_impl->ApplyAxisLook(int(i));
    m_impl->tableModel->SetDecimals(decimals);
}

void ChartBinding::SetFontSizeCode(int code)
{
    m_fontSizeCode = code;
    m_impl->ApplyFonts();
}

void ChartBinding::SetGridStyleCode(int code)
{
    m_impl->gridCode = code;
    m_impl->ApplyGrid();
}

void ChartBinding::SetGridInFront(bool inFront)
{
    m_impl->gridInFront = inFront;
    m_impl->ApplyGrid();
}

void ChartBinding::SetTableStyleCode(int code)
{
    m_impl->tableStyle = code;
    m_impl->ApplyTableStyle();
}

void ChartBinding::SetPointLabelOrientationCode(int code)
{
    m_impl->orientationCode = code;
    m_impl->ApplyFonts();
}

void ChartBinding::SetPointsShown(int points)
{
    m_pointsShown = qBound(10, points, Points);
    m_zoomed = false;
    m_impl->RestoreScales();
    m_impl->ScrollToNewest();
    m_impl->tableModel->SetShownColumns(m_pointsShown);
    m_impl->Replot();
}
