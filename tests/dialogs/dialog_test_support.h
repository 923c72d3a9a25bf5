#pragma once

#include <clock.h>
#include <oid_details.h>
#include <scripted_prompter.h>
#include <settings.h>
#include <target_oid.h>
#include <target_oids.h>
#include <test_agent.h>

#include <QHash>
#include <QStringList>
#include <QTest>
#include <gtest/gtest.h>
#include <memory>
#include <ostream>
#include <qt_print.h>

/// Answers lookups from a fixed table instead of the MIB database; unknown names give empty details.
/// It always holds the test agent's table: "TEST:counter" (a counter column described by
/// "TEST:description") and "TEST:plainCounter" (the same column without a describing object).
struct FakeMib {
    FakeMib()
    {
        OIDInfo counter;
        counter.dottedOID = TestAgent::tableColumnOid(TestAgent::TABLE_COUNTER);
        counter.objectName = QStringLiteral("counter");
        counter.fullName = QStringLiteral("TEST:counter");
        counter.syntaxName = QStringLiteral("Counter32");
        counter.unitChoices = QStringLiteral("Bps,bps=*8");
        counter.typeTag = 2;
        counter.indexByName = QStringLiteral("TEST:description");
        objects.insert(counter.fullName, counter);
        counter.fullName = QStringLiteral("TEST:plainCounter");
        counter.indexByName.clear();
        objects.insert(counter.fullName, counter);
        OIDInfo description;
        description.dottedOID = TestAgent::tableColumnOid(TestAgent::TABLE_DESCRIPTION);
        description.fullName = QStringLiteral("TEST:description");
        description.typeTag = 4;
        objects.insert(description.fullName, description);
    }
    OIDResolver Resolver()
    {
        return [this](const QString& name) { return OIDDetails(objects.value(name)); };
    }
    QHash<QString, OIDInfo> objects;
};

/// Messages the prompter was asked to show, in order.
inline QStringList MessageTexts(const ScriptedPrompter& prompter)
{
    QStringList texts;
    for (const ScriptedPrompter::Call& call : prompter.calls) {
        if (call.kind == ScriptedPrompter::Kind::Message)
            texts.append(call.text);
    }
    return texts;
}

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

/// Tests against one test agent shared by the suite; skipped when snmpd cannot start. Every test
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
        if (!s_agent)
            GTEST_SKIP() << "no test agent: " << s_error.toStdString();
        s_agent->setTable({{1, "uplink", 10}, {2, "downlink", 20}, {15, "spare", 30}});
    }
    static TestAgent& agent() { return *s_agent; }

private:
    static inline std::unique_ptr<TestAgent> s_agent;
    static inline QString s_error;
};
