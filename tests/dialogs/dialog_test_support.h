#pragma once

#include <clock.h>
#include <fake_mib.h>
#include <scripted_prompter.h>
#include <settings.h>
#include <target_oids.h>
#include <test_agent.h>

#include <QStringList>
#include <gtest/gtest.h>
#include <memory>
#include <qt_print.h>

/// The test agent's table as the MIB would describe it: "TEST:counter", a counter column described
/// by "TEST:description", and "TEST:plainCounter", the same column without a describing object.
struct AgentTableMib : FakeMib {
    AgentTableMib()
    {
        const QString counter = TestAgent::tableColumnOid(TestAgent::TABLE_COUNTER);
        Add("TEST:counter", counter, "Counter32", "Bps,bps=*8").indexByName = "TEST:description";
        Add("TEST:plainCounter", counter, "Counter32", "Bps,bps=*8");
        Add("TEST:description", TestAgent::tableColumnOid(TestAgent::TABLE_DESCRIPTION), "OCTET STRING", {},
            4);
    }
};

/// Targets of one graph on a manual clock and the process settings.
struct GraphTargets {
    explicit GraphTargets(OIDResolver resolver = OIDResolver())
        : targets(clock, settings, std::move(resolver))
    {
    }
    ManualClock clock;
    Settings settings;
    TargetOIDs targets;
};

/// Tests against one test agent shared by the suite, with short probe time-outs; every test
/// starts with a three-row table.
class AgentTest : public ::testing::Test {
protected:
    static void SetUpTestSuite()
    {
        s_agent = std::make_unique<TestAgent>();
        if (!s_agent->start(&s_error))
            s_agent.reset();
    }
    static void TearDownTestSuite() { s_agent.reset(); }
    void SetUp() override
    {
        ASSERT_TRUE(s_agent) << "no test agent: " << s_error.toStdString();
        s_agent->setTable({{1, "uplink", 10}, {2, "downlink", 20}, {15, "spare", 30}});
        Settings settings;
        settings.setSNMPTimeout(300);
        settings.setSNMPRetries(1);
    }
    static TestAgent& agent() { return *s_agent; }

private:
    static inline std::unique_ptr<TestAgent> s_agent;
    static inline QString s_error;
};
