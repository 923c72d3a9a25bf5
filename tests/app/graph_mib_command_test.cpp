#include "app_fixture.h"

#include "graph_mib_command.h"

#include <oid_details.h>
#include <snmp_session.h>
#include <target_oids.h>

#include <array>
#include <vector>

namespace {

class GraphMIBCommandTest : public AppTest {
protected:
    /// Runs the request; the index chooser's arguments are recorded, joined with "|".
    GraphMIBCommand::Outcome run(const GraphMIBRequest& request)
    {
        return command.Run(request, targets,
                           [this](const QString& target, const QString& ip, const QString& community,
                                  const QString& mib, const QString& units, const QString& calculation) {
                               choices
                                   << QStringList{target, ip, community, mib, units, calculation}.join('|');
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

    /// The messages shown, each of which must be a plain warning.
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

    /// The fields of the only target: index, host name, IP, community, instance, calculation,
    /// units, conversion.
    QStringList added() const
    {
        if (targets.Count() != 1)
            return {QStringLiteral("%1 targets").arg(targets.Count())};
        const TargetOID* t = targets.At(0);
        return {t->Index(),    t->Hostname(),    t->IP(),    t->Community(),
                t->Instance(), t->Calculation(), t->Units(), t->Conversion()};
    }

    SNMPSession session;
    TargetOIDs targets{clock, settings};
    GraphMIBCommand command{session, prompter, settings};
    QStringList choices;
};

TEST_F(GraphMIBCommandTest, EveryProblemIsToldAndNothingIsAdded)
{
    GraphMIBRequest r;
    EXPECT_EQ(run(r), GraphMIBCommand::Outcome::Rejected);
    r.Target = "10.10.1.1";
    run(r);
    r.Community = "public";
    run(r);
    EXPECT_EQ(session.ResponseStatus(), 0) << "no request may go out for an incomplete request";

    r = request("sysUpTime");
    r.Target = "no..such..host"; // fails inside the resolver, without asking a name server
    EXPECT_EQ(run(r), GraphMIBCommand::Outcome::Rejected);
    run(request("noSuchObjectAnywhere"));
    r = request("sysUpTime");
    r.Community = "wrong";
    run(r);
    run(request("OLD-CISCO-CPU-MIB:avgBusy5"));

    TestAgent silent;
    ASSERT_TRUE(silent.start());
    const QString stopped = silent.address();
    silent.stop();
    r = request("ifInOctets", "1");
    r.Target = stopped;
    EXPECT_EQ(run(r), GraphMIBCommand::Outcome::Rejected);

    const QString address = s_agent->address();
    EXPECT_EQ(messages(),
              QStringList({"You must enter an IP address or Hostname", "You must enter a community string.",
                           "You must enter a MIB/OID to monitor.",
                           "Cannot resolve no..such..host to and IP address.",
                           "noSuchObjectAnywhere is not a valid MIB/OID name.",
                           address + " does not respond to SNMP queries using \"wrong\"",
                           address + " does not seem to support OLD-CISCO-CPU-MIB:avgBusy5",
                           stopped + " does not respond to SNMP queries using \"public\""}));
    EXPECT_EQ(targets.Count(), 0);
    EXPECT_TRUE(choices.isEmpty());
}

TEST_F(GraphMIBCommandTest, AScalarGetsIndexZeroAndATableColumnWithAnIndexThatRow)
{
    GraphMIBRequest r = request("sysUpTime", "7");
    r.Instance = "uptime";
    r.Hostname = "agent.example";
    EXPECT_EQ(run(r), GraphMIBCommand::Outcome::TargetAdded);
    // The last unit choice wins, conversion included.
    EXPECT_EQ(added(), QStringList({"0", "agent.example", s_agent->address(), "public", "uptime",
                                    "No Calculations", "s", "/100"}));
    targets.Clear();

    r = request("IF-MIB:ifInOctets", "1");
    r.Target = "localhost:" + QString::number(s_agent->port());
    EXPECT_EQ(run(r), GraphMIBCommand::Outcome::TargetAdded);
    EXPECT_EQ(added(), QStringList({"1", r.Target, "127.0.0.1:" + QString::number(s_agent->port()), "public",
                                    "", "x per Second", "bps", "*8"}));
    EXPECT_TRUE(messages().isEmpty());
    EXPECT_TRUE(choices.isEmpty());
}

TEST_F(GraphMIBCommandTest, ATableColumnWithoutAnIndexGoesToTheIndexChooser)
{
    GraphMIBRequest r = request("ifInOctets");
    r.Calculation = "x per Minute";
    EXPECT_EQ(run(r), GraphMIBCommand::Outcome::IndexesSelected);
    const QString address = s_agent->address();
    EXPECT_EQ(choices, QStringList{address + "|" + address + "|public|ifInOctets|Bps,bps=*8|x per Minute"});
    EXPECT_EQ(targets.Count(), 0) << "the chooser adds rows itself";
    EXPECT_TRUE(messages().isEmpty());
    // The window's session shows the answered OID to whoever borrows it next.
    EXPECT_TRUE(session.OID().startsWith("1.3.6.1.2.1.2.2.1.10.")) << session.OID().toStdString();
}

TEST_F(GraphMIBCommandTest, CalculationComesFromTheHintOrElseTheSyntax)
{
    // ifSpeed's hint is GAUGE32.
    EXPECT_EQ(run(request("ifSpeed", "1")), GraphMIBCommand::Outcome::TargetAdded);
    EXPECT_EQ(targets.At(0)->Calculation(), "No Calculations");
}

} // namespace
