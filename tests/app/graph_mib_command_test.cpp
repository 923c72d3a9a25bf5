#include "app_fixture.h"

#include "graph_mib_command.h"

#include <snmp_session.h>
#include <target_oids.h>

namespace {

// The checks themselves are the Add OID dialog's (tested with it); here: what GraphMIB adds.
class GraphMIBCommandTest : public AppTest {
protected:
    /// Runs the request; the index chooser's arguments are recorded, joined with "|".
    GraphMIBCommand::Outcome run(const QString& mib, const QString& index, const QString& target,
                                 const QString& calculation = {}, const QString& hostname = {})
    {
        return command.Run({target, "public", mib, index, "uptime", calculation, hostname}, targets,
                           [this](const QString& t, const QString& ip, const QString& c, const QString& m,
                                  const QString& units, const QString& calc) {
                               choices << QStringList{t, ip, c, m, units, calc}.join('|');
                           });
    }
    /// The last target's index, host name, IP, instance, calculation, units and conversion.
    QStringList added() const
    {
        const TargetOID* t = targets.At(targets.Count() - 1);
        return {t->Index(),       t->Hostname(), t->IP(),        t->Instance(),
                t->Calculation(), t->Units(),    t->Conversion()};
    }

    SNMPSession session;
    TargetOIDs targets{clock, settings};
    GraphMIBCommand command{session, prompter, settings};
    QStringList choices;
};

TEST_F(GraphMIBCommandTest, AScalarGetsIndexZeroAColumnItsIndexOrTheChooserAndAProblemAddsNothing)
{
    const QString address = s_agent->address();
    EXPECT_EQ(run("sysUpTime", "7", address, {}, "agent.example"), GraphMIBCommand::Outcome::TargetAdded);
    // The last unit choice wins, conversion included.
    EXPECT_EQ(added(),
              QStringList({"0", "agent.example", address, "uptime", "No Calculations", "s", "/100"}));
    const QString named = "localhost:" + QString::number(s_agent->port());
    EXPECT_EQ(run("IF-MIB:ifInOctets", "1", named), GraphMIBCommand::Outcome::TargetAdded);
    EXPECT_EQ(added(), QStringList({"1", named, address, "uptime", "x per Second", "bps", "*8"}));

    EXPECT_EQ(run("ifInOctets", QString(), address, "x per Minute"),
              GraphMIBCommand::Outcome::IndexesSelected);
    EXPECT_EQ(choices, QStringList{address + "|" + address + "|public|ifInOctets|Bps,bps=*8|x per Minute"});
    EXPECT_EQ(targets.Count(), 2) << "the chooser adds rows itself";
    EXPECT_TRUE(prompter.calls.isEmpty());
    // The window's session shows the answered OID to whoever borrows it next.
    EXPECT_TRUE(session.OID().startsWith("1.3.6.1.2.1.2.2.1.10.")) << session.OID().toStdString();

    EXPECT_EQ(run("OLD-CISCO-CPU-MIB:avgBusy5", "1", address), GraphMIBCommand::Outcome::Rejected);
    ASSERT_EQ(prompter.calls.size(), 1);
    EXPECT_EQ(prompter.calls.at(0).icon, Prompter::Icon::Exclamation);
    EXPECT_EQ(targets.Count(), 2);
}

} // namespace
