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
#include <functional>
#include <gtest/gtest.h>
#include <memory>
#include <ostream>

inline void PrintTo(const QString& text, std::ostream* out)
{
    *out << '"' << text.toStdString() << '"';
}
inline void PrintTo(const QStringList& texts, std::ostream* out)
{
    *out << '[' << texts.join(QStringLiteral(" | ")).toStdString() << ']';
}

/// Answers lookups from a fixed table instead of the MIB database; unknown names give empty details.
/// It always holds the test agent's table: "TEST:counter" (a counter column described by
/// "TEST:description") and "TEST:plainCounter" (the same column without a describing object).
struct FakeMib {
    FakeMib();
    QHash<QString, OIDInfo> objects;
    OIDResolver Resolver()
    {
        return [this](const QString& name) { return OIDDetails(objects.value(name)); };
    }
};

/// Processes events until the condition holds or the time runs out; returns the condition.
bool WaitUntil(const std::function<bool()>& condition, int timeoutMs = 5000);

/// Messages the prompter was asked to show, in order.
QStringList MessageTexts(const ScriptedPrompter& prompter);

/// Targets of one graph on a manual clock and the process settings.
struct GraphTargets {
    explicit GraphTargets(OIDResolver resolver = OIDResolver());
    ManualClock clock;
    Settings settings;
    TargetOIDs targets;
};

/// Tests against one test agent shared by the suite; skipped when snmpd cannot start. Every test
/// starts with a three-row table.
class AgentTest : public ::testing::Test {
protected:
    static void SetUpTestSuite();
    static void TearDownTestSuite();
    void SetUp() override;
    static TestAgent& agent() { return *s_agent; }

private:
    static std::unique_ptr<TestAgent> s_agent;
    static QString s_error;
};
