// The uptime's own wrap, which no test agent lives long enough to show.
#include <agent_restarts.h>

#include <gtest/gtest.h>

TEST(AgentRestartsTest, TicksWrappingAfter497DaysAreNoRestartButARestartNearThemIs)
{
    // A minute after 0xFFFFFF00 hundredths of a second: grown by 58 s is the wrap, by 3.56 s a restart.
    EXPECT_FALSE(AgentRestarts::Restarted(0xFFFFFF00u, 5544, 60000));
    EXPECT_TRUE(AgentRestarts::Restarted(0xFFFFFF00u, 100, 60000));
}
