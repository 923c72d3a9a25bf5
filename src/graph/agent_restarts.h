#pragma once

#include <QHash>
#include <QString>
#include <utility>
#include <vector>

struct SnmpAnswer;

/// Tells an agent that restarted from counters that wrapped. Every poll asks each SNMPv2c agent
/// for its sysUpTime.0 along with its first objects; an uptime that grew less than the time since
/// its last reading (on a monotonic clock, with some slack) means the agent started again, and
/// its counters with it.
///
/// An agent here is an address and a community, as the session puts requests into PDUs: the uptime
/// request, sent just ahead of the agent's first object of the cycle, travels in that first PDU,
/// and its answer comes before those of the objects beside it.
class AgentRestarts {
public:
    struct Agent {
        QString address;
        QString community;
        QString tag;
        quint64 askedInCycle = 0;
        bool noUptime = false; ///< answered noSuchObject (or no time ticks): not asked again
        bool hasReading = false;
        quint32 ticks = 0;      ///< the last uptime read, in hundredths of a second
        qint64 readAtMsecs = 0; ///< when it arrived, on the monotonic clock
    };

    /// Less growth than the time elapsed, by more than this, is a restart: the answers' travel
    /// times differ, and a slow answer must not look like one.
    static constexpr qint64 SlackMsecs = 5000;

    /// sysUpTime.0.
    static const QString& UptimeOID();
    /// Whether a request tag is one of AskFirst's.
    static bool IsUptimeTag(const QString& tag) { return tag.startsWith(QLatin1String("U:")); }

    /// A new poll cycle: each agent is to be asked once more.
    void BeginCycle() { ++m_cycle; }
    /// The tag of an uptime request to send just before a request to this agent; null when it
    /// was asked in this cycle already, or has no uptime to give.
    const QString* AskFirst(const QString& address, const QString& community)
    {
        // Called for every target of a poll: the same agent as the previous one is the same text.
        if (m_last < 0 || !SameText(address, m_lastAddress) || !SameText(community, m_lastCommunity))
            Switch(address, community);
        Agent& agent = m_agents[size_t(m_last)];
        if (agent.noUptime || agent.askedInCycle == m_cycle)
            return nullptr;
        agent.askedInCycle = m_cycle;
        return &agent.tag;
    }
    /// Reads the answer to an uptime request, arrived at monotonicMsecs; returns the agent when
    /// the answer shows that it restarted since its previous one.
    const Agent* Answered(const SnmpAnswer& answer, qint64 monotonicMsecs);

    /// Whether an uptime `ticks` read `elapsedMsecs` after `before` means a restart.
    static bool Restarted(quint32 before, quint32 ticks, qint64 elapsedMsecs);

private:
    static bool SameText(const QString& a, const QString& b)
    {
        return a.constData() == b.constData() && a.size() == b.size();
    }
    void Switch(const QString& address, const QString& community);

    std::vector<Agent> m_agents;
    QHash<std::pair<QString, QString>, int> m_index;
    quint64 m_cycle = 0;
    // The agent of the previous request: a poll sends many requests to one agent in a row. The
    // texts are held so that their buffers stay alive and the same address means the same text.
    int m_last = -1;
    QString m_lastAddress;
    QString m_lastCommunity;
};
