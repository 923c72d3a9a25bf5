#include "dialog_test_support.h"

#include <QCoreApplication>
#include <QDeadlineTimer>
#include <QThread>

FakeMib::FakeMib()
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

bool WaitUntil(const std::function<bool()>& condition, int timeoutMs)
{
    QDeadlineTimer deadline(timeoutMs);
    while (!condition()) {
        if (deadline.hasExpired())
            return false;
        QCoreApplication::processEvents(QEventLoop::AllEvents, 20);
        QThread::msleep(2);
    }
    return true;
}

QStringList MessageTexts(const ScriptedPrompter& prompter)
{
    QStringList texts;
    for (const ScriptedPrompter::Call& call : prompter.calls) {
        if (call.kind == ScriptedPrompter::Kind::Message)
            texts.append(call.text);
    }
    return texts;
}

GraphTargets::GraphTargets(OIDResolver resolver) : targets(clock, settings, std::move(resolver)) {}

std::unique_ptr<TestAgent> AgentTest::s_agent;
QString AgentTest::s_error;

void AgentTest::SetUpTestSuite()
{
    s_agent = std::make_unique<TestAgent>();
    if (!s_agent->start(&s_error))
        s_agent.reset();
}

void AgentTest::TearDownTestSuite()
{
    s_agent.reset();
}

void AgentTest::SetUp()
{
    if (!s_agent)
        GTEST_SKIP() << "no test agent: " << s_error.toStdString();
    s_agent->setTable({{1, "uplink", 10}, {2, "downlink", 20}, {15, "spare", 30}});
}
