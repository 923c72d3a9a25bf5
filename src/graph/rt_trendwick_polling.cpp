// The polling cycle of the graph control: requests, replies, and what each timer tick drives.
#include "rt_trendwick.h"

#include "agent_restarts.h"
#include "message_panel.h"
#include "response_number.h"

#include <chart_binding.h>
#include <clock.h>
#include <settings.h>
#include <snmp_session.h>
#include <target_oids.h>
#include <value_log.h>
#include <value_table_model.h>

namespace {

const QString kNoResponse = QStringLiteral("No Response");
const QString kConversionFailed =
    QStringLiteral("Could not convert OID value to numerical. Value returned: (");

TargetOID::Reading::Counter CounterOf(const SnmpAnswer& answer)
{
    switch (answer.syntax) {
    case SnmpSyntax::Counter32:
        return TargetOID::Reading::Counter::Counter32;
    case SnmpSyntax::Counter64:
        return TargetOID::Reading::Counter::Counter64;
    default:
        return TargetOID::Reading::Counter::None;
    }
}

} // namespace

void RTTrendwick::PollNow()
{
    // The version is read from the store on every poll, so a change made in the settings (or by
    // another running copy) reaches running graphs. Once per cycle, not per target: the loop
    // below takes a few milliseconds, and each read of the store checks its file, which cost
    // more than everything else the loop does.
    try {
        m_snmp->setVersion(m_settings.SNMPVersion());
    } catch (const TypeMismatchError&) {
        // A hand-broken store: keep asking with the version used so far.
    }
    const qint16 version = m_snmp->Version();
    // An SNMPv1 agent without sysUpTime would fail the whole PDU for that one variable.
    const bool askUptime = version != 1;
    m_restarts->BeginCycle();
    const int count = m_targets->Count();
    for (int i = 0; i < count; ++i) {
        // The targets' texts are rarely still in the cache: ask for them a few targets ahead.
        if (i + 4 < count)
            m_targets->At(i + 4)->PrefetchPoll();
        if (i + 2 < count)
            m_targets->At(i + 2)->PrefetchPollTexts();
        const TargetOID* target = m_targets->At(i);
        if (askUptime) {
            if (const QString* tag = m_restarts->AskFirst(target->IP(), target->Community()))
                m_snmp->SendGet(
                    {target->IP(), target->Community(), version, AgentRestarts::UptimeOID(), *tag});
        }
        m_snmp->SendGet({target->IP(), target->Community(), version, target->PolledOID(), target->Key()});
    }
}

void RTTrendwick::OnResponse(const SnmpAnswer& answer, qint64 wallClockMsecs)
{
    // Nothing in here may escape into the session's delivery loop.
    try {
        TargetOID* target = m_targets->FindKey(answer.tag);
        if (!target) {
            if (AgentRestarts::IsUptimeTag(answer.tag))
                OnUptime(answer);
            return; // or removed while its request was on the way
        }
        const bool answered = answer.status == SNMPSession::RESPONSE_OK;
        target->SetLastError(answered ? QString() : kNoResponse);
        // The session sends no value with a missing reply, so there is nothing to convert.
        if (!answered && answer.value.IsEmpty())
            return;
        const std::optional<double> number = ResponseNumber(answer.value);
        if (!number) {
            target->SetLastError(kConversionFailed + answer.value.ToText() + QLatin1Char(')'));
            return;
        }
        target->RecordResponse(TargetOID::Reading{*number, answer.value.UnsignedInteger(), CounterOf(answer)},
                               wallClockMsecs);
    } catch (...) {
    }
}

void RTTrendwick::OnUptime(const SnmpAnswer& answer)
{
    const AgentRestarts::Agent* restarted = m_restarts->Answered(answer, m_clock.NowMonotonicMsecs());
    if (!restarted)
        return;
    // The objects' answers of the same PDU come after this one: they and every later answer of
    // the agent's targets start new bases rather than rates across the restart.
    for (TargetOID* target : *m_targets) {
        if (target->IP() == restarted->address && target->Community() == restarted->community)
            target->BaseOnNextAnswer();
    }
}

void RTTrendwick::PollTimerTick()
{
    if (m_targets->Count() == 0)
        return;
    // Deadlines in seconds since 1970: comparing local times asks the time-zone rules (and with
    // them the file system) on every tick.
    const qint64 now = m_clock.NowSecsSinceEpoch();
    if (m_nextPollSecs != NoDeadline && now < m_nextPollSecs)
        return;
    PollNow();
    // The replies to what just went out cannot have arrived yet: chart, table and log show the
    // values of the previous cycle.
    if (!m_paused) {
        if (!m_seriesStale) {
            m_chart->AppendPoint();
            m_chart->RefreshChart(true);
        }
        RefreshTable();
        if (m_loggingEnabled)
            m_log->WriteLogRow(LogFilename(), *m_targets);
    }
    PublishIfDue(now);
    m_nextPollSecs = now + m_pollInterval;
}

void RTTrendwick::RefreshTable()
{
    const bool waiting = m_tableModel->RefreshTableRows();
    if (waiting || m_baseLineMessage->isHidden())
        return;
    m_baseLineMessage->hide();
    PlacePanels();
    // The rows were just written with grey lights; the baseline is over, so they turn green now.
    m_tableModel->setBaselineShowing(false);
    m_tableModel->RefreshTableRows();
}
