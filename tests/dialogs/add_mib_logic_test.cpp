#include "add_mib_logic.h"
#include "dialog_test_support.h"

#include <snmp_session.h>

namespace {

using Field = AddMibLogic::Field;

/// One Add OID run: a fresh logic on its own session with the panel and prompter recorded.
struct AddMibRun {
    explicit AddMibRun(OIDResolver resolver, qint32 pollInterval = 5)
        : logic(prompter, session, settings, pollInterval, std::move(resolver))
    {
        logic.showMessage = [this](const QString& text) { panel.append(text); };
        logic.hideMessage = [this] { panel.append(QStringLiteral("<hidden>")); };
    }
    AddMibLogic::Outcome Accept(const QString& host, const QString& community, const QString& mib)
    {
        entries = {host, community, mib, QString(), QString()};
        return logic.Accept(entries);
    }

    ScriptedPrompter prompter;
    SNMPSession session;
    Settings settings;
    AddMibLogic logic;
    AddMibLogic::Entries entries;
    QStringList panel;
};

} // namespace

TEST(AddMibLogic, FillsFromTheTargetsAndOffersUnitsAndCalculationsByObjectAndPollInterval)
{
    FakeMib mib;
    mib.Add("M:octets", "1.3.6.1.4.1.99.1", "Counter32", "Bps,bps=*8");
    mib.Add("N:status", "1.3.6.1.4.1.99.2", "INTEGER");
    GraphTargets graph(mib.Resolver());
    EXPECT_FALSE(AddMibLogic::FillFrom(graph.targets).fromTargets)
        << "no targets: the fields keep their histories";
    graph.targets.Add("router1", "10.0.0.1", "public", "octets", "0");
    graph.targets.Add("router2", "10.0.0.2", "secret", "status", "3");
    const AddMibLogic::Filling filled = AddMibLogic::FillFrom(graph.targets);
    EXPECT_TRUE(filled.fromTargets);
    EXPECT_EQ(filled.communities, (QStringList{"public", "secret"}));
    EXPECT_EQ(filled.mibs, AddMibLogic::DefaultMibNames() + QStringList({"M:octets", "N:status"}));
    EXPECT_EQ(QStringList({filled.host, filled.community, filled.mib}),
              (QStringList{"router2", "secret", "N:status"}));

    AddMibRun run(mib.Resolver(), 120);
    const AddMibLogic::MibChoices octets = run.logic.MibChanged("octets");
    EXPECT_EQ(octets.dottedOID, "1.3.6.1.4.1.99.1");
    EXPECT_EQ(octets.unitEntries, (QStringList{"Bps", "bps=*8"}));
    EXPECT_EQ(octets.units, "bps=*8") << "the last choice is the default";
    EXPECT_FALSE(octets.calculations.contains("x per Minute")) << "two minutes are no reason";
    EXPECT_TRUE(run.logic.MibChanged("status").unitEntries.isEmpty());
    EXPECT_TRUE(run.logic.MibChanged("unknown").dottedOID.isEmpty());
    EXPECT_TRUE(
        AddMibRun(mib.Resolver(), 121).logic.MibChanged("octets").calculations.contains("x per Minute"));
    // The units field shows names; they map back to the whole entry with its conversion.
    EXPECT_EQ(AddMibLogic::UnitName("bps=*8"), "bps");
    EXPECT_EQ(AddMibLogic::UnitEntryFor("bps", octets.unitEntries), "bps=*8");
    EXPECT_EQ(AddMibLogic::UnitEntryFor("kbps=/1000", octets.unitEntries), "kbps=/1000");
}

TEST(AddMibLogic, TrimsFocusesTheFailingFieldAndAsksBeforeATextObject)
{
    FakeMib mib;
    mib.Add("M:name", "1.3.6.1.4.1.99.3", "OCTET STRING", {}, 4);
    AddMibRun run(mib.Resolver());
    EXPECT_EQ(run.Accept("  ", "", "").focus, Field::Host);
    EXPECT_EQ(run.Accept(" router ", " \t", "").focus, Field::Community);
    EXPECT_EQ(run.entries.host, "router") << "trimmed texts are written back";
    EXPECT_EQ(run.panel, QStringList(2, "<hidden>")) << "no step texts before the fields pass";

    run.panel.clear();
    run.logic.MibChanged("name");
    run.prompter.queueButton(Prompter::No);
    EXPECT_EQ(run.Accept("no..such..host", "public", "name").focus, Field::None);
    EXPECT_EQ(run.prompter.calls.last().buttons, Prompter::Yes | Prompter::No);
    EXPECT_TRUE(run.panel.isEmpty()) << "No leaves the dialog as it was";

    run.prompter.queueButton(Prompter::Yes);
    EXPECT_EQ(run.Accept("no..such..host", "public", "name").focus, Field::Host);
    EXPECT_EQ(run.panel, (QStringList{"", "Looking up IP address for no..such..host ...", "<hidden>"}));
    // The failed lookup of the host kept the object's details, so it warns again.
    run.prompter.queueButton(Prompter::No);
    EXPECT_EQ(run.Accept("no..such..host", "public", "name").focus, Field::None);
    EXPECT_EQ(run.prompter.calls.last().buttons, Prompter::Yes | Prompter::No);
    EXPECT_TRUE(run.logic.Cancelled());
    EXPECT_EQ(run.logic.NextStep(), AddMibLogic::AfterClose::Nothing);
}

TEST_F(AgentTest, AddMibAddsAScalarAtOnce)
{
    FakeMib mib;
    mib.Add("RFC1213-MIB:sysUpTime", "1.3.6.1.2.1.1.3", "TimeTicks", "s=/100");
    AddMibRun scalar(mib.Resolver());
    ASSERT_TRUE(scalar.Accept(agent().address(), "public", "sysUpTime").accepted)
        << scalar.prompter.calls.value(0).text.toStdString();
    EXPECT_EQ(scalar.logic.NextStep(), AddMibLogic::AfterClose::AddTarget);
    GraphTargets graph(mib.Resolver());
    scalar.entries.units = "ticks";
    const TargetOID* target = scalar.logic.AddTarget(graph.targets, scalar.entries);
    ASSERT_TRUE(target);
    EXPECT_EQ(QStringList({target->Index(), target->IP(), target->Units()}),
              (QStringList{"0", agent().address(), "ticks"}));
}
