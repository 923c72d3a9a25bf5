#include "chart_binding.h"

#include <chart_style.h>
#include <clock.h>
#include <target_oids.h>
#include <y_axises.h>

#include <qcustomplot.h>

#include <cmath>

struct ChartBinding::Impl {
    QCustomPlot* plot = nullptr;
};

ChartBinding::ChartBinding(TargetOIDs& targets, YAxises& axes, ChartStyle& style, Clock& clock,
                           Prompter* prompter, QWidget* parent)
    : QWidget(parent), m_impl(std::make_unique<Impl>()), m_targets(targets), m_axes(axes), m_style(style),
      m_clock(clock), m_prompter(prompter)
{
    m_impl->plot = new QCustomPlot(this);
}

ChartBinding::~ChartBinding() = default;

// TODO: stub bodies until the binding lands.
void ChartBinding::InitChart() {}
void ChartBinding::ResetChart() {}
void ChartBinding::RefreshChart(bool) {}
void ChartBinding::LoadHistory(TargetOID&, YAxis&) {}
void ChartBinding::AppendPoint() {}
void ChartBinding::UpdateStyle() {}
QString ChartBinding::MainTitle() const
{
    return QString();
}
void ChartBinding::setMainTitle(const QString&)
{
    m_automaticTitles = false;
}
QString ChartBinding::SubTitle() const
{
    return QString();
}
void ChartBinding::setSubTitle(const QString&)
{
    m_automaticTitles = false;
}
void ChartBinding::setFooter(const QString& footer)
{
    m_footer = footer;
}
void ChartBinding::setDeskColor(qint32 color)
{
    m_deskColor = color;
}
void ChartBinding::setZoomed(bool) {}
QString ChartBinding::TimeLabelFormat() const
{
    return QStringLiteral("h:nn:ss");
}
QString ChartBinding::CommonTargetValue(const QString&) const
{
    return QString();
}
void ChartBinding::CopyBitmap(int, int) {}
void ChartBinding::CopyMetaFile(int, int) {}
bool ChartBinding::SaveBitmap(const QString&, int, int)
{
    return false;
}
bool ChartBinding::SaveMetaFile(const QString&, int, int)
{
    return false;
}
bool ChartBinding::SaveJPEG(const QString&, int, int)
{
    return false;
}
QImage ChartBinding::Image(int, int)
{
    return QImage();
}
void ChartBinding::ShowCustomizeDialog()
{
    Q_EMIT CustomizeRequested(1);
}
void ChartBinding::ShowExportDialog() {}
int ChartBinding::SeriesCount() const
{
    return 0;
}
double ChartBinding::PointValue(int, int) const
{
    return std::nan("");
}
QString ChartBinding::PointLabel(int) const
{
    return QString();
}
int ChartBinding::PlotAreaCount() const
{
    return 1;
}
QCustomPlot* ChartBinding::Plot() const
{
    return m_impl->plot;
}
void ChartBinding::SetSeriesLabel(int, const QString&) {}
void ChartBinding::SetSeriesColor(int, qint32) {}
void ChartBinding::SetSeriesLineType(int, int) {}
void ChartBinding::SetAxisPlottingMethod(int, int) {}
void ChartBinding::SetAxisTitle(int, const QString&) {}
void ChartBinding::SetAxisColor(int, qint32) {}
void ChartBinding::SetAxisScale(int, double, double) {}
void ChartBinding::SetAxisLabelFormat(int, const QString&) {}
void ChartBinding::SetColor(ColorRole, qint32) {}
void ChartBinding::SetFont(FontRole, const QString&) {}
void ChartBinding::SetMarkDataPoints(bool) {}
void ChartBinding::SetDecimalPoints(int) {}
void ChartBinding::SetFontSizeCode(int code)
{
    m_fontSizeCode = code;
}
void ChartBinding::SetGridStyleCode(int) {}
void ChartBinding::SetGridInFront(bool) {}
void ChartBinding::SetTableStyleCode(int) {}
void ChartBinding::SetPointLabelOrientationCode(int) {}
void ChartBinding::SetPointsShown(int points)
{
    m_pointsShown = points;
}
