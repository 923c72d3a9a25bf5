#include "rt_trendwick.h"

#include "agent_restarts.h"
#include "message_panel.h"

#include <chart_binding.h>
#include <chart_style.h>
#include <clock.h>
#include <graph_definition.h>
#include <html_publisher.h>
#include <prompter.h>
#include <rgb_color.h>
#include <settings.h>
#include <snmp_session.h>
#include <target_oids.h>
#include <trendwick_version.h>
#include <value_log.h>
#include <value_table_model.h>
#include <value_table_view.h>
#include <y_axises.h>

#include <QSplitter>
#include <QTimer>
#include <QVBoxLayout>
#include <algorithm>

namespace {

constexpr int kPollTimerMs = 500;
// What a broken settings store leaves a new graph with (the store's own defaults).
constexpr qint32 kFallbackPollInterval = 10;

} // namespace

RTTrendwick::RTTrendwick(Settings& settings, Clock& clock, Prompter& prompter, QWidget* parent)
    : RTTrendwick(settings, clock, prompter, Seams(), parent)
{
}

RTTrendwick::RTTrendwick(Settings& settings, Clock& clock, Prompter& prompter, Seams seams, QWidget* parent)
    : QWidget(parent), m_settings(settings), m_clock(clock), m_prompter(prompter),
      m_resolver(std::move(seams.resolver)),
      m_targets(std::make_unique<::TargetOIDs>(clock, settings, m_resolver)),
      m_axes(std::make_unique<::YAxises>()), m_style(std::make_unique<::ChartStyle>()),
      m_snmp(seams.session ? std::move(seams.session) : std::make_unique<SNMPSession>()),
      m_definition(std::make_unique<GraphDefinition>(*this)), m_log(std::make_unique<ValueLog>(clock)),
      m_publisher(std::make_unique<HtmlPublisher>(clock)), m_restarts(std::make_unique<AgentRestarts>())
{
    BuildChildren();
    ConnectChildren();

    connect(&m_settings, &Settings::Changed, this, &RTTrendwick::mSettings_Changed);
    m_autoPublishInterval = 60;
    try {
        m_pollInterval = m_settings.PollInterval();
    } catch (const TypeMismatchError&) {
        m_pollInterval = kFallbackPollInterval;
    }
    m_chart->setPollInterval(m_pollInterval);
    ApplySessionSettings();
    m_chart->setMainTitle(TrendwickFileDescription());
}

RTTrendwick::~RTTrendwick()
{
    m_pollTimer->stop();
    m_snmp->CloseSession();
    disconnect(&m_settings, nullptr, this, nullptr);
    // The chart and the table refer to the targets, axes and style, which die before the
    // children of this widget would.
    delete m_splitter;
    delete m_tableModel;
}

void RTTrendwick::BuildChildren()
{
    m_splitter = new QSplitter(Qt::Vertical, this);
    m_splitter->setObjectName(QStringLiteral("Splitter"));
    m_splitter->setChildrenCollapsible(false);
    m_chart = new ChartBinding(*m_targets, *m_axes, *m_style, m_clock, &m_prompter, m_splitter);
    m_chart->setObjectName(QStringLiteral("Chart"));
    m_tableModel = new ValueTableModel(*m_targets, m_settings, this);
    m_table = new ValueTableView(*m_tableModel, m_settings, m_splitter);
    m_table->setObjectName(QStringLiteral("Table"));
    m_splitter->addWidget(m_chart);
    m_splitter->addWidget(m_table);
    // A resized window gives and takes space from the chart; the table keeps its height.
    m_splitter->setStretchFactor(0, 1);
    m_splitter->setStretchFactor(1, 0);

    auto* layout = new QVBoxLayout(this);
    layout->setContentsMargins(0, 0, 0, 0);
    layout->addWidget(m_splitter);
    m_splitter->hide();

    m_baseLineMessage =
        new MessagePanel(QStringLiteral("BaseLineMessage"),
                         QStringLiteral("Establishing SNMP Baseline\n\nPlease Wait ..."), this);
    m_pauseMessage =
        new MessagePanel(QStringLiteral("PauseMessage"), QStringLiteral("Graph Update Paused ..."), this);
    m_pauseMessage->setCursor(Qt::PointingHandCursor);
    m_pauseMessage->setToolTip(QStringLiteral("Click to resume"));

    m_pollTimer = new QTimer(this);
    m_pollTimer->setObjectName(QStringLiteral("PollTimer"));
    m_pollTimer->setInterval(kPollTimerMs);
}

void RTTrendwick::ConnectChildren()
{
    connect(m_pollTimer, &QTimer::timeout, this, &RTTrendwick::PollTimerTick);
    connect(m_snmp.get(), &SNMPSession::Answered, this, [this](const std::vector<SnmpAnswer>& answers) {
        // The answers of one reply arrived together.
        const qint64 now = m_clock.NowWallClockMsecs();
        for (const SnmpAnswer& answer : answers)
            OnResponse(answer, now);
    });
    connect(m_pauseMessage, &MessagePanel::Clicked, this, [this] { setPaused(false); });

    connect(m_chart, &ChartBinding::SeriesActivated, this, &RTTrendwick::SeriesActivated);
    connect(m_chart, &ChartBinding::ZoomChanged, this, &RTTrendwick::StateChanged);
    connect(m_chart, &ChartBinding::TitlesChanged, this, &RTTrendwick::TitlesChanged);
    connect(m_chart, &ChartBinding::CustomizeRequested, this, &RTTrendwick::CustomizeDialogRequested);
    connect(m_chart, &ChartBinding::MouseDown, this, &RTTrendwick::MouseDown);

    connect(m_table, &ValueTableView::EditRequested, this, &RTTrendwick::SeriesDialogRequested);
    connect(m_table, &ValueTableView::RemoveRequested, this, &RTTrendwick::RemoveTarget);
    connect(m_table, &ValueTableView::ColorRequested, this, &RTTrendwick::ChooseColor);
    connect(m_table, &ValueTableView::DetailsRequested, this,
            [this](TargetOID* target) { target->OID().ShowDetails(this); });

    // The axes point at the targets; once one is gone they must not be walked until rebuilt.
    connect(m_targets.get(), &::TargetOIDs::OIDRemoved, this, [this] { m_seriesStale = true; });
    connect(m_targets.get(), &::TargetOIDs::Refresh, this, [this] { m_seriesStale = true; });
    // A target added by hand starts without rollover permission; the program-wide option decides.
    connect(m_targets.get(), &::TargetOIDs::NewOID, this, [this](TargetOID* target) {
        try {
            target->setAssumeCounterRollover(m_settings.AssumeCounterRollover());
        } catch (const TypeMismatchError&) {
        }
    });
}

void RTTrendwick::ApplySessionSettings()
{
    try {
        m_snmp->setRetries(m_settings.SNMPRetries());
    } catch (const TypeMismatchError&) {
    }
    try {
        m_snmp->setTimeout(m_settings.SNMPTimeout());
    } catch (const TypeMismatchError&) {
    }
}

void RTTrendwick::Reset()
{
    if (m_splitter->isHidden())
        m_chart->InitChart();
    if (m_targets->Count() > 0) {
        m_pauseMessage->setVisible(m_paused);
        m_baseLineMessage->show();
        m_tableModel->setBaselineShowing(true);
        ResetChart();
        RefreshChart(false);
        LayoutTableColumns();
        RefreshTable();
        m_splitter->show();
        layout()->activate();
        SizeTablePane();
        PollNow();
        m_pollTimer->start();
        if (m_loggingEnabled)
            WriteLogHeader();
    } else {
        m_splitter->hide();
        m_pauseMessage->hide();
        m_baseLineMessage->hide();
        m_pollTimer->stop();
    }
    PlacePanels();
    Q_EMIT StateChanged();
}

void RTTrendwick::ResetChart()
{
    m_chart->ResetChart();
    m_seriesStale = false;
    SetTableColors();
    RefreshTable();
}

void RTTrendwick::RefreshChart(bool changedOnly)
{
    if (!m_seriesStale)
        m_chart->RefreshChart(changedOnly);
}

void RTTrendwick::UpdateStyle()
{
    m_chart->UpdateStyle();
    SetTableColors();
    RefreshTable();
}

void RTTrendwick::LoadHistory(TargetOID& target, YAxis& axis)
{
    m_chart->LoadHistory(target, axis);
}

void RTTrendwick::InitChart()
{
    m_chart->InitChart();
    m_splitter->show();
}

void RTTrendwick::LayoutTableColumns()
{
    m_tableModel->LayoutTableColumns();
    m_table->ApplyColumnWidths();
}

void RTTrendwick::SetTableColors()
{
    m_table->setColors(m_style->DeskColor(), m_style->TableForeColor(), m_style->TableBackColor());
}

void RTTrendwick::setPaused(bool paused)
{
    if (paused == m_paused)
        return;
    m_paused = paused;
    m_pauseMessage->setVisible(paused);
    PlacePanels();
    Q_EMIT StateChanged();
    RefreshChart(false);
}

void RTTrendwick::setPollInterval(qint32 seconds)
{
    m_pollInterval = std::clamp<qint32>(seconds, 1, 600);
    m_chart->setPollInterval(m_pollInterval);
    m_nextPollSecs = m_clock.NowSecsSinceEpoch();
}

void RTTrendwick::mSettings_Changed(const QString& name, const QVariant& value)
{
    if (name == QLatin1String("SNMP Retries")) {
        m_snmp->setRetries(static_cast<qint16>(value.toInt()));
    } else if (name == QLatin1String("SNMP Timeout")) {
        m_snmp->setTimeout(value.toInt());
    } else if (name == QLatin1String("Table Columns")) {
        LayoutTableColumns();
        RefreshTable();
    } else if (name == QLatin1String("Assume Counter Rollover")) {
        m_targets->AssumeCounterRollover(value.toBool());
    }
}

void RTTrendwick::ChooseColor(TargetOID* target)
{
    const std::optional<QColor> chosen =
        m_prompter.ChooseColor(ToQColor(target->Color()), QStringLiteral("Select Subset Color ..."));
    if (!chosen)
        return;
    target->setColor(ToRGBColor(*chosen));
    Reset();
}

void RTTrendwick::RemoveTarget(const QString& key)
{
    m_targets->Remove(key);
    Reset();
}

void RTTrendwick::SeriesActivated(int subset)
{
    for (TargetOID* target : *m_targets) {
        if (target->Subset() == subset) {
            Q_EMIT SeriesDialogRequested(target);
            return;
        }
    }
}

void RTTrendwick::Shutdown()
{
    Q_EMIT ShuttingDown();
}
