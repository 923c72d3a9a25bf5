#include "add_mib_logic.h"
#include "dialog_test_support.h"

#include <snmp_session.h>

namespace {

using Field = AddMibLogic::Field;

OIDInfo Object(const QString& fullName, const QString& hint, const QString& syntax, const QString& units,
               qint32 typeTag = 2)
{
    OIDInfo info;
    info.fullName = fullName;
    info.dottedOID = QStringLiteral("1.3.6.1.4.1.99.1");
    info.calculationHint = hint;
    info.syntaxName = syntax;
    info.unitChoices = units;
    info.typeTag = typeTag;
    return info;
}

/// One Add OID run: a fresh logic on its own session with the panel and prompter recorded.
struct AddMibRun {
    explicit AddMibRun(OIDResolver resolver, qint32 pollInterval = 5)
        : logic(prompter, session, settings, pollInterval, std::move(resolver))
    {
        logic.showMessage = [this](const QString& text) { panel.append(text); };
        logic.hideMessage = [this] { panel.append(QStringLiteral("<hidden>")); };
        session.setTimeout(300);
        session.setRetries(0);
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

TEST(AddMibLogic, FillsListsAndFieldsFromTheTargetsInOrder)
{
    FakeMib mib;
    mib.objects.insert("A", Object("MOD-A:first", "", "Gauge32", ""));
    mib.objects.insert("B", Object("MOD-B:second", "", "Gauge32", ""));
    GraphTargets graph(mib.Resolver());

    const AddMibLogic::Filling empty = AddMibLogic::FillFrom(graph.targets);
    EXPECT_FALSE(empty.fromTargets) << "with no targets the fields keep their histories";
    EXPECT_EQ(empty.mibs, AddMibLogic::DefaultMibNames());
    EXPECT_EQ(empty.mibs.size(), 8);

    graph.targets.Add("router1", "10.0.0.1", "public", "A", "0");
    graph.targets.Add("router2", "10.0.0.2", "secret", "B", "3");
    const AddMibLogic::Filling filled = AddMibLogic::FillFrom(graph.targets);
    EXPECT_EQ(filled.communities, (QStringList{"public", "secret"}));
    EXPECT_EQ(filled.mibs.mid(8), (QStringList{"MOD-A:first", "MOD-B:second"}));
    EXPECT_TRUE(filled.fromTargets);
    EXPECT_EQ(QStringList({filled.host, filled.community, filled.mib}),
              (QStringList{"router2", "secret", "MOD-B:second"}));
}

TEST(AddMibLogic, UnitsAndCalculationFollowTheObjectAndThePollInterval)
{
    FakeMib mib;
    mib.objects.insert("octets", Object("M:octets", "COUNTER32", "Gauge32", "Bps,bps=*8"));
    mib.objects.insert("status", Object("M:status", "", "INTEGER", ""));
    AddMibRun run(mib.Resolver(), 120);
    const AddMibLogic::MibChoices octets = run.logic.MibChanged("octets");
    EXPECT_EQ(octets.dottedOID, mib.objects["octets"].dottedOID);
    EXPECT_EQ(octets.unitEntries, (QStringList{"Bps", "bps=*8"}));
    EXPECT_EQ(octets.units, QStringLiteral("bps=*8")) << "the last choice is the default";
    EXPECT_EQ(octets.calculations, (QStringList{"No Calculations", "x per Second"}));
    EXPECT_EQ(octets.calculation, QStringLiteral("x per Second")) << "the hint wins over the syntax";
    const AddMibLogic::MibChoices status = run.logic.MibChanged("status");
    EXPECT_TRUE(status.unitEntries.isEmpty());
    EXPECT_EQ(status.calculation, QStringLiteral("No Calculations"));
    EXPECT_TRUE(run.logic.MibChanged("unknown").dottedOID.isEmpty());
    EXPECT_EQ(AddMibRun(mib.Resolver(), 121).logic.MibChanged("octets").calculations.last(), "x per Minute");

    // The units field shows names; they map back to the whole entry with its conversion.
    EXPECT_EQ(AddMibLogic::UnitName("bps=*8"), QStringLiteral("bps"));
    EXPECT_EQ(AddMibLogic::UnitEntryFor("bps", octets.unitEntries), QStringLiteral("bps=*8"));
    EXPECT_EQ(AddMibLogic::UnitEntryFor("kbps=/1000", octets.unitEntries), QStringLiteral("kbps=/1000"));
}

TEST(AddMibLogic, ChecksEmptyFieldsInOrderTrimsAndFocusesTheField)
{
    AddMibRun run{FakeMib().Resolver()};
    EXPECT_EQ(run.Accept("  ", "", "").focus, Field::Host);
    EXPECT_EQ(run.Accept(" router ", " \t", "").focus, Field::Community);
    EXPECT_EQ(run.entries.host, QStringLiteral("router")) << "trimmed texts are written back";
    EXPECT_EQ(run.Accept("router", "public", "  ").focus, Field::MIB);
    EXPECT_EQ(MessageTexts(run.prompter),
              (QStringList{"You must enter an IP address or Hostname", "You must enter a community string.",
                           "You must enter a MIB/OID to monitor."}));
    EXPECT_EQ(run.prompter.calls[0].icon, Prompter::Icon::Exclamation);
    EXPECT_EQ(run.panel, QStringList(3, QStringLiteral("<hidden>")))
        << "no step texts before the fields pass";
    EXPECT_TRUE(run.logic.Cancelled());
    EXPECT_EQ(run.logic.NextStep(), AddMibLogic::AfterClose::Nothing);
}

TEST(AddMibLogic, SyntaxWarningThenHostThenObjectAreChecked)
{
    FakeMib mib;
    mib.objects.insert("name", Object("M:name", "", "OCTET STRING", "", 4));
    AddMibRun run(mib.Resolver());
    run.logic.MibChanged("name");
    QStringList resolved;
    run.logic.setHostResolver([&resolved](const QString& name) {
        resolved.append(name);
        return name == "gateway" ? QStringLiteral("192.0.2.1") : QStringLiteral("unknown host");
    });

    run.prompter.queueButton(Prompter::No);
    EXPECT_EQ(run.Accept("somehost", "public", "name").focus, Field::None);
    ASSERT_EQ(run.prompter.calls.size(), 1);
    EXPECT_EQ(run.prompter.calls[0].text, QStringLiteral("This MIB variable may not graph.\n\nContinue?"));
    EXPECT_EQ(run.prompter.calls[0].buttons, Prompter::Yes | Prompter::No);
    EXPECT_EQ(run.prompter.calls[0].title, QStringLiteral("Real-Time Trendwick - Warning"));
    EXPECT_TRUE(run.panel.isEmpty() && resolved.isEmpty()) << "No leaves the dialog as it was";

    run.prompter.queueButton(Prompter::Yes);
    EXPECT_EQ(run.Accept("somehost", "public", "name").focus, Field::Host);
    EXPECT_EQ(MessageTexts(run.prompter).last(),
              QStringLiteral("Cannot resolve somehost to and IP address."));
    EXPECT_EQ(run.panel, (QStringList{"", "Looking up IP address for somehost ...", "<hidden>"}));

    // A name with a port resolves without it; the port stays on the address.
    run.panel.clear();
    run.prompter.queueButton(Prompter::Yes);
    EXPECT_EQ(run.Accept("gateway:1161", "public", "noSuchObject").focus, Field::MIB);
    EXPECT_EQ(resolved.last(), QStringLiteral("gateway"));
    EXPECT_EQ(run.logic.IP(), QStringLiteral("192.0.2.1:1161"));
    EXPECT_EQ(MessageTexts(run.prompter).last(), QStringLiteral("noSuchObject is not a valid MIB/OID name."));
    EXPECT_EQ(run.panel, (QStringList{"", "Looking up IP address for gateway:1161 ...",
                                      "Looking up noSuchObject in MIB database ...", "<hidden>"}));
}

using AddMibAgentTest = AgentTest;

TEST_F(AddMibAgentTest, ScalarsTableColumnsUnsupportedObjectsAndSilence)
{
    // The real database: the name must resolve as a user would type it.
    AddMibRun run(MibDatabaseResolver());
    ASSERT_TRUE(run.Accept(agent().address(), "public", "sysUpTime").accepted)
        << MessageTexts(run.prompter).join('\n').toStdString();
    EXPECT_FALSE(run.logic.Cancelled());
    EXPECT_FALSE(run.logic.IsTable());
    EXPECT_EQ(run.logic.IP(), agent().address()) << "an address is not resolved";
    EXPECT_EQ(run.logic.NextStep(), AddMibLogic::AfterClose::AddTarget);
    EXPECT_EQ(run.panel,
              (QStringList{"", "Looking up sysUpTime in MIB database ...",
                           "Establishing communications with \n" + agent().address() + " ...", "<hidden>"}));

    FakeMib mib;
    mib.objects.insert("missing", Object("TEST:missing", "", "Gauge32", ""));
    mib.objects["missing"].dottedOID = TestAgent::controlledOid("7.7"); // the agent serves nothing there
    AddMibRun table(mib.Resolver());
    ASSERT_TRUE(
        table.Accept(QStringLiteral("localhost:%1").arg(agent().port()), "public", "TEST:counter").accepted)
        << MessageTexts(table.prompter).join('\n').toStdString();
    EXPECT_TRUE(table.logic.IsTable());
    EXPECT_EQ(table.logic.IP(), agent().address());
    EXPECT_EQ(table.logic.NextStep(), AddMibLogic::AfterClose::SelectIndexes);

    AddMibRun missing(mib.Resolver());
    EXPECT_FALSE(missing.Accept(agent().address(), "public", "missing").accepted);
    // The agent ignores a community it does not know: no answer at all.
    EXPECT_FALSE(missing.Accept(agent().address(), "wrong", "missing").accepted);
    EXPECT_EQ(MessageTexts(missing.prompter),
              (QStringList{agent().address() + " does not seem to support missing",
                           agent().address() + " does not respond to SNMP queries using \"wrong\""}));
    EXPECT_EQ(missing.panel.last(), QStringLiteral("<hidden>"));
    EXPECT_TRUE(missing.logic.Cancelled());
}
