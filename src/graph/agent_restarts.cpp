#include "agent_restarts.h"

#include <snmp_session.h>

namespace {

constexpr qint64 kTicksWrap = qint64(1) << 32;

} // namespace

const QString& AgentRestarts::UptimeOID()
{
    static const QString oid = QStringLiteral("1.3.6.1.2.1.1.3.0");
    return oid;
}

void AgentRestarts::Switch(const QString& address, const QString& community)
{
    m_lastAddress = address;
    m_lastCommunity = community;
    const std::pair<QString, QString> key(address, community);
    const auto found = m_index.constFind(key);
    if (found != m_index.constEnd()) {
        m_last = found.value();
        return;
    }
    m_last = int(m_agents.size());
    Agent agent;
    agent.address = address;
    agent.community = community;
    agent.tag = QStringLiteral("U:") + QString::number(m_last);
    m_agents.push_back(std::move(agent));
    m_index.insert(key, m_last);
}

const AgentRestarts::Agent* AgentRestarts::Answered(const SnmpAnswer& answer, qint64 monotonicMsecs)
{
    bool ok = false;
    const int index = QStringView(answer.tag).mid(2).toInt(&ok);
    if (!ok || index < 0 || index >= int(m_agents.size()))
        return nullptr;
    Agent& agent = m_agents[size_t(index)];
    if (answer.status != SNMPSession::RESPONSE_OK) {
        // An agent without the object keeps the plain counter rules; one that did not answer
        // is asked again, and its outage counts from its last answer.
        if (answer.status == SNMPSession::RESPONSE_NO_SUCH)
            agent.noUptime = true;
        return nullptr;
    }
    const std::optional<quint64> ticks = answer.value.UnsignedInteger();
    if (answer.syntax != SnmpSyntax::TimeTicks || !ticks) {
        agent.noUptime = true;
        return nullptr;
    }
    const bool restarted =
        agent.hasReading && Restarted(agent.ticks, quint32(*ticks), monotonicMsecs - agent.readAtMsecs);
    agent.hasReading = true;
    agent.ticks = quint32(*ticks);
    agent.readAtMsecs = monotonicMsecs;
    return restarted ? &agent : nullptr;
}

bool AgentRestarts::Restarted(quint32 before, quint32 ticks, qint64 elapsedMsecs)
{
    const qint64 elapsedTicks = elapsedMsecs / 10;
    constexpr qint64 slackTicks = SlackMsecs / 10;
    qint64 grown = qint64(ticks) - qint64(before);
    if (grown < 0) {
        // Time ticks wrap after 497 days: a smaller uptime is a restart unless the time elapsed
        // could have carried the old one past the wrap.
        if (qint64(before) + elapsedTicks + slackTicks < kTicksWrap)
            return true;
        grown += kTicksWrap;
    }
    return grown + slackTicks < elapsedTicks;
}
