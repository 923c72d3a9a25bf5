// When an agent's uptime says it restarted, in hundredths of a second against milliseconds.
#include <agent_restarts.h>

#include <gtest/gtest.h>

TEST(AgentRestartsTest, AnUptimeShortOfTheTimeElapsedBeyondTheSlackIsARestart)
{
    const auto restarted = &AgentRestarts::Restarted;
    // A minute later, grown by a minute, or short of it by less than the slack: the same run.
    EXPECT_FALSE(restarted(100000, 106000, 60000));
    EXPECT_FALSE(restarted(100000, 105600, 60000));
    EXPECT_FALSE(restarted(100000, 100000, 0));
    // Short of it by more, or lower than before even a moment later: it started again.
    EXPECT_TRUE(restarted(100000, 105400, 60000));
    EXPECT_TRUE(restarted(100000, 99990, 100));
    // A day without answers, in which it has been up for an hour.
    EXPECT_TRUE(restarted(100000, 460000, 86400000));

    // After 497 days the ticks wrap: that is no restart, but a restart near it still is.
    EXPECT_FALSE(restarted(0xFFFFFF00u, 5800, 60000));
    EXPECT_TRUE(restarted(0xFFFFFF00u, 100, 60000));
}
