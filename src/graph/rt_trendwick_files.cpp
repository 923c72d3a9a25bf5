// The graph control's definition file, value log and published page members.
#include "rt_trendwick.h"

#include <chart_binding.h>
#include <clock.h>
#include <graph_definition.h>
#include <html_publisher.h>
#include <value_log.h>
#include <value_table_model.h>

#include <algorithm>

void RTTrendwick::setLoggingEnabled(bool enabled)
{
    if (enabled)
        WriteLogHeader();
    m_loggingEnabled = enabled;
}

QString RTTrendwick::LogFilename() const
{
    return EffectiveLogFilename(m_logFilename, MainTitle(), Filename());
}

void RTTrendwick::WriteLogHeader()
{
    m_log->WriteLogHeader(LogFilename(), *m_targets);
}

void RTTrendwick::setAutoPublishEnabled(bool enabled)
{
    m_autoPublishEnabled = enabled;
    m_nextPublishSecs = m_clock.NowSecsSinceEpoch();
}

QString RTTrendwick::AutoPublishFilename() const
{
    return EffectiveAutoPublishFilename(m_autoPublishFilename, MainTitle(), Filename());
}

void RTTrendwick::setAutoPublishFilename(const QString& filename)
{
    m_autoPublishFilename = filename;
    m_nextPublishSecs = m_clock.NowSecsSinceEpoch();
}

void RTTrendwick::setAutoPublishInterval(qint16 seconds)
{
    m_autoPublishInterval = std::clamp<qint16>(seconds, 10, 600);
    m_nextPublishSecs = m_clock.NowSecsSinceEpoch();
}

void RTTrendwick::PublishIfDue(qint64 now)
{
    if (!m_autoPublishEnabled)
        return;
    if (m_nextPublishSecs != NoDeadline && now <= m_nextPublishSecs)
        return;
    SaveHTML(AutoPublishFilename());
    m_nextPublishSecs = now + m_autoPublishInterval;
}

void RTTrendwick::SaveHTML(const QString& filename, int width, int height)
{
    HtmlPageContext page;
    page.saveJPEG = [this](const QString& file, int w, int h) { return m_chart->SaveJPEG(file, w, h); };
    page.mainTitle = MainTitle();
    page.subTitle = SubTitle();
    page.deskColor = DeskColor();
    page.fontSizeCode = m_chart->FontSizeCode();
    page.autoPublishInterval = m_autoPublishInterval;
    page.table = m_tableModel;
    m_publisher->SaveHTML(filename, width, height, page);
}

QString RTTrendwick::LastError() const
{
    return m_definition->LastError();
}

QString RTTrendwick::Filename() const
{
    return m_definition->Filename();
}

void RTTrendwick::setFilename(const QString& filename)
{
    m_definition->setFilename(filename);
}

bool RTTrendwick::SetXML(const QString& xml)
{
    return m_definition->SetXML(xml);
}

bool RTTrendwick::LoadXML(const QString& filename)
{
    return m_definition->LoadXML(filename);
}

QString RTTrendwick::GetXML() const
{
    return m_definition->GetXML();
}

bool RTTrendwick::SaveXML(const QString& filename)
{
    return m_definition->SaveXML(filename);
}
