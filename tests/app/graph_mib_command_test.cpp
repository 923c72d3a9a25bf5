#include "graph_mib_command.h"

#include <clock.h>
#include <oid_details.h>
#include <scripted_prompter.h>
#include <settings.h>
#include <snmp_session.h>
#include <target_oids.h>
#include <test_agent.h>

#include <gtest/gtest.h>
#include <memory>

namespace {

struct IndexChoice {
    QString target, ip, community, mib, units, calculation;
};

class GraphMIBCommandTest : public ::testing::Test {
protected:
    static void SetUpTestSuite()
    {
        s_agent = std::make_unique<TestAgent>();
        QString error;
        ASSERT_TRUE(s_agent->start(&error)) << error.toStdString();
    }
    static void TearDownTestSuite() { s_agent.reset(); }

    void SetUp() override
    {
        ASSERT_TRUE(s_agent) << "the test agent did not start";
        // A silent agent must not hold the suite up for long.
        settings.setSNMPTimeout(300);
        settings.setSNMPRetries(1);
        settings.setSNMPVersion(2);
    }

    GraphMIBCommand::Outcome run(const GraphMIBRequest& request)
    {
        return command.Run(request, targets,
                           [this](const QString& target, const QString& ip, const QString& community,
                                  const QString& mib, const QString& units, const QString& calculation) {
                               choices.push_back({target, ip, community, mib, units, calculation});
                           });
    }

    static GraphMIBRequest request(const QString& mib, const QString& index = QString())
    {
        GraphMIBRequest r;
        r.Target = s_agent->address();
        r.Community = s_agent->community();
        r.MIB = mib;
        r.Index = index;
        return r;
    }

    QStringList messages() const
    {
        QStringList texts;
        for (const ScriptedPrompter::Call& call : prompter.calls) {
            EXPECT_EQ(call.icon, Prompter::Icon::Exclamation);
            EXPECT_EQ(call.buttons, Prompter::Buttons(Prompter::Ok));
            texts << call.text;
        }
        return texts;
    }

    static std::unique_ptr<TestAgent> s_agent;
    Settings settings;
    ManualClock clock;
    ScriptedPrompter prompter;
    SNMPSession session;
    TargetOIDs targets{clock, settings};
    GraphMIBCommand command{session, prompter, settings};
    std::vector<IndexChoice> choices;
};

std::unique_ptr<TestAgent> GraphMIBCommandTest::s_agent;

TEST_F(GraphMIBCommandTest, EmptyFieldsAreReportedInOrderAndNothingIsSent)
{
    GraphMIBRequest r;
    EXPECT_EQ(run(r), GraphMIBCommand::Outcome::Rejected);
    r.Target = "10.10.1.1";
    run(r);
    r.Community = "public";
    run(r);
    EXPECT_EQ(messages(),
              QStringList({"You must enter an IP address or Hostname", "You must enter a community string.",
                           "You must enter a MIB/OID to monitor."}));
    EXPECT_EQ(targets.Count(), 0);
    EXPECT_EQ(session.ResponseStatus(), 0) << "no request may go out for an incomplete request";
}

TEST_F(GraphMIBCommandTest, AddressAndNameProblems)
{
    GraphMIBRequest r = request("sysUpTime");
    r.Target = "no..such..host"; // fails inside the resolver, without asking a name server
    EXPECT_EQ(run(r), GraphMIBCommand::Outcome::Rejected);

    run(request("noSuchObjectAnywhere"));

    r = request("sysUpTime");
    r.Community = "wrong";
    run(r);

    run(request("OLD-CISCO-CPU-MIB:avgBusy5"));

    const QString address = s_agent->address();
    EXPECT_EQ(messages(), QStringList({"Cannot resolve no..such..host to and IP address.",
                                       "noSuchObjectAnywhere is not a valid MIB/OID name.",
                                       address + " does not respond to SNMP queries using \"wrong\"",
                                       address + " does not seem to support OLD-CISCO-CPU-MIB:avgBusy5"}));
    EXPECT_EQ(targets.Count(), 0);
    EXPECT_TRUE(choices.empty());
}

TEST_F(GraphMIBCommandTest, AStoppedAgentDoesNotRespond)
{
    TestAgent silent;
    ASSERT_TRUE(silent.start());
    const QString address = silent.address();
    silent.stop();

    GraphMIBRequest r = request("ifInOctets", "1");
    r.Target = address;
    EXPECT_EQ(run(r), GraphMIBCommand::Outcome::Rejected);
    EXPECT_EQ(messages(), QStringList({address + " does not respond to SNMP queries using \"public\""}));
    EXPECT_EQ(targets.Count(), 0);
}

TEST_F(GraphMIBCommandTest, AScalarGetsIndexZeroWithoutTheIndexChooser)
{
    GraphMIBRequest r = request("sysUpTime", "7");
    r.Instance = "uptime";
    r.Hostname = "agent.example";
    EXPECT_EQ(run(r), GraphMIBCommand::Outcome::TargetAdded);
    EXPECT_TRUE(messages().isEmpty());
    EXPECT_TRUE(choices.empty());
    ASSERT_EQ(targets.Count(), 1);
    const TargetOID* target = targets.At(0);
    EXPECT_EQ(target->Index(), "0");
    EXPECT_EQ(target->IP(), s_agent->address());
    EXPECT_EQ(target->Community(), "public");
    EXPECT_EQ(target->Hostname(), "agent.example");
    EXPECT_EQ(target->Instance(), "uptime");
    EXPECT_EQ(target->Calculation(), "No Calculations");
    // The last unit choice wins, conversion included.
    EXPECT_EQ(target->Units(), "s");
    EXPECT_EQ(target->Conversion(), "/100");
}

TEST_F(GraphMIBCommandTest, ATableColumnWithAnIndexAddsThatRow)
{
    GraphMIBRequest r = request("IF-MIB:ifInOctets", "1");
    r.Target = "localhost:" + QString::number(s_agent->port());
    EXPECT_EQ(run(r), GraphMIBCommand::Outcome::TargetAdded);
    ASSERT_EQ(targets.Count(), 1);
    const TargetOID* target = targets.At(0);
    EXPECT_EQ(target->Index(), "1");
    EXPECT_EQ(target->Hostname(), r.Target);
    EXPECT_EQ(target->IP(), "127.0.0.1:" + QString::number(s_agent->port()));
    EXPECT_EQ(target->Calculation(), "x per Second");
    EXPECT_EQ(target->Units(), "bps");
    EXPECT_TRUE(target->Instance().isEmpty());
    EXPECT_TRUE(choices.empty());
}

TEST_F(GraphMIBCommandTest, ATableColumnWithoutAnIndexGoesToTheIndexChooser)
{
    GraphMIBRequest r = request("ifInOctets");
    r.Calculation = "x per Minute";
    EXPECT_EQ(run(r), GraphMIBCommand::Outcome::IndexesSelected);
    ASSERT_EQ(choices.size(), 1u);
    const IndexChoice& choice = choices.front();
    EXPECT_EQ(choice.target, s_agent->address());
    EXPECT_EQ(choice.ip, s_agent->address());
    EXPECT_EQ(choice.community, "public");
    EXPECT_EQ(choice.mib, "ifInOctets");
    EXPECT_EQ(choice.units, "Bps,bps=*8");
    EXPECT_EQ(choice.calculation, "x per Minute");
    EXPECT_EQ(targets.Count(), 0) << "the chooser adds rows itself";
    EXPECT_TRUE(messages().isEmpty());

    // The window's session shows the answered OID to whoever borrows it next.
    EXPECT_TRUE(session.OID().startsWith("1.3.6.1.2.1.2.2.1.10.")) << session.OID().toStdString();
}

TEST_F(GraphMIBCommandTest, CalculationComesFromTheHintOrElseTheSyntax)
{
    const auto calculation = [](const QString& hint, const QString& syntax) {
        OIDInfo info;
        info.calculationHint = hint;
        info.syntaxName = syntax;
        return GraphMIBCommand::CalculationFor(OIDDetails(info));
    };
    EXPECT_EQ(calculation("COUNTER32", "Gauge32"), "x per Second");
    EXPECT_EQ(calculation("gauge32", "Counter32"), "No Calculations");
    EXPECT_EQ(calculation("No Calculations", ""), "No Calculations");
    EXPECT_EQ(calculation("", "Gauge32"), "No Calculations");
    EXPECT_EQ(calculation("", "INTEGER"), "No Calculations");
    EXPECT_EQ(calculation("", "Counter64"), "x per Second");
    EXPECT_EQ(calculation("", "TimeTicks"), "x per Second");
    EXPECT_EQ(calculation("SOMETHING", "Gauge32"), "x per Second");

    // Through the probe as well: ifSpeed's hint is GAUGE32.
    EXPECT_EQ(run(request("ifSpeed", "1")), GraphMIBCommand::Outcome::TargetAdded);
    EXPECT_EQ(targets.At(0)->Calculation(), "No Calculations");
}

} // namespace
