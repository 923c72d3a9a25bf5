#include "dialog_test_support.h"
#include "select_index_logic.h"

#include <snmp_session.h>

#include <QAbstractItemModelTester>
#include <QSignalSpy>
#include <QTest>

namespace {

const QString ColumnOID = "1.3.6.1.2.1.2.2.1.10";
const QString DescribingOID = "1.3.6.1.2.1.2.2.1.2";

OIDDetails Details(const QString& dotted, const QString& name = QString())
{
    OIDInfo info;
    info.dottedOID = dotted;
    info.objectName = name;
    return OIDDetails(info);
}

/// A walk whose requests are only recorded; the test plays the agent.
struct RecordedWalk {
    explicit RecordedWalk(const QString& describingOID = DescribingOID)
        : logic(Details(ColumnOID, "ifInOctets"), Details(describingOID), [this](const WalkRequest& r) {
              sent.append(QStringList{r.next ? "GETNEXT" : "GET", r.tag, r.oid}.join(' '));
          })
    {
        logic.Start();
    }
    void Answer(const QString& oid, const QString& value, const QString& tag = "ScanIndexes")
    {
        logic.HandleResponse("192.0.2.1", oid, 0, value, tag, "Counter32");
    }

    QStringList sent;
    SelectIndexLogic logic;
};

QStringList Texts(const SelectIndexLogic& logic, int column)
{
    QStringList texts;
    for (int row = 0; row < logic.rowCount(); ++row)
        texts.append(logic.index(row, column).data().toString());
    return texts;
}

} // namespace

TEST(SelectIndexLogic, WalksTheColumnAsksForEachRowsDescriptionAndStopsAtItsEnd)
{
    RecordedWalk walk;
    QAbstractItemModelTester tester(&walk.logic, QAbstractItemModelTester::FailureReportingMode::Fatal);
    QSignalSpy finished(&walk.logic, &SelectIndexLogic::WalkFinished);
    walk.Answer(ColumnOID + ".1", "100");
    walk.Answer(ColumnOID + ".12", "200");
    walk.Answer(DescribingOID + ".1", "lo", "IndexBy:1"); // after a later row: still finds its own
    walk.Answer(ColumnOID + ".10.5", "300");
    EXPECT_EQ(walk.sent.mid(4, 2), (QStringList{"GETNEXT ScanIndexes " + ColumnOID + ".12",
                                                "GET IndexBy:10.5 " + DescribingOID + ".10.5"}));
    walk.Answer("1.3.6.1.2.1.2.2.1.11.1", "7"); // the next column ends the walk
    EXPECT_FALSE(walk.logic.Walking());
    EXPECT_EQ(finished.count(), 1);

    walk.Answer(ColumnOID + ".99", "late");
    walk.Answer(DescribingOID + ".12", "eth0", "IndexBy:12");
    walk.Answer("1.3.6.1.2.1.2.2.1.3.10.5", "other object", "IndexBy:10.5");
    EXPECT_EQ(walk.sent.size(), 7) << "nothing is asked after the end";
    EXPECT_EQ(Texts(walk.logic, SelectIndexLogic::IndexColumn), (QStringList{"1", "12", "10.5"}));
    EXPECT_EQ(Texts(walk.logic, SelectIndexLogic::ValueColumn), (QStringList{"100", "200", "300"}));
    EXPECT_EQ(Texts(walk.logic, SelectIndexLogic::InstanceColumn), (QStringList{"lo", "eth0", ""}));

    // Without a describing object: a time-out, a lookalike column ("...1.100.3" begins with the
    // text of "...1.10") and an agent that repeats itself all end the walk, asking nothing more.
    for (const QStringList& answers : {QStringList{QString()}, QStringList{"1.3.6.1.2.1.2.2.1.100.3"},
                                       QStringList{ColumnOID + ".4", ColumnOID + ".4"}}) {
        RecordedWalk other{QString()};
        for (const QString& oid : answers)
            other.Answer(oid, "1");
        EXPECT_FALSE(other.logic.Walking());
        EXPECT_EQ(other.logic.rowCount(), answers.size() == 2 ? 1 : 0);
        EXPECT_EQ(other.sent.size(), answers.size()) << answers.join(' ').toStdString();
    }
}

TEST(SelectIndexLogic, TickedRowsBecomeTargetsInRowOrderEvenWhenAnIndexRepeats)
{
    AgentTableMib mib;
    GraphTargets graph(mib.Resolver());
    RecordedWalk walk;
    // The walk does not insist on rising OIDs; an agent may list a row twice.
    for (const char* index : {"5", "6", "5"})
        walk.Answer(ColumnOID + "." + index, "0");
    walk.Answer(DescribingOID + ".5", "uplink", "IndexBy:5");
    const auto add = [&] {
        return walk.logic.AddTargets(graph.targets, "h", "127.0.0.1", "public", "TEST:counter", "bps=*8", "");
    };
    EXPECT_EQ(add(), 0);
    for (int row : {2, 1, 1, 7}) // row 1 twice is off again; row 7 is outside the table
        walk.logic.ToggleRow(row);
    EXPECT_TRUE(walk.logic.setData(walk.logic.index(0, 0), Qt::Checked, Qt::CheckStateRole));
    EXPECT_FALSE(walk.logic.setData(walk.logic.index(1, 1), Qt::Checked, Qt::CheckStateRole));
    EXPECT_EQ(add(), 2);
    ASSERT_EQ(graph.targets.Count(), 2);
    EXPECT_EQ(QStringList({graph.targets.At(0)->Instance(), graph.targets.At(1)->Index(),
                           graph.targets.At(1)->Instance()}),
              (QStringList{"uplink", "5", ""}));
}

TEST_F(AgentTest, IndexWalkTakesRowsAndDescriptionsFromTheAgentAndSilenceEndsWithNone)
{
    SNMPSession session;
    session.setTimeout(500);
    session.setRetries(0);
    AgentTableMib mib;
    const OIDResolver resolve = mib.Resolver();
    const auto walk = [&](const OIDDetails& column, const OIDDetails& indexBy,
                          const QString& community = "public") {
        auto logic = std::make_unique<SelectIndexLogic>(
            column, indexBy, SelectIndexLogic::SessionSender(session, agent().address(), community, 2));
        QObject::connect(&session, &SNMPSession::Response, logic.get(), &SelectIndexLogic::HandleResponse);
        logic->Start();
        EXPECT_TRUE(QTest::qWaitFor([&] { return !logic->Walking(); }, 5000));
        // The description of the last row comes back after the walk.
        if (!indexBy.DottedOID().isEmpty() && logic->rowCount() > 0) {
            EXPECT_TRUE(
                QTest::qWaitFor([&] { return !logic->InstanceText(logic->rowCount() - 1).isEmpty(); }, 5000));
        }
        return logic;
    };
    auto described = walk(resolve("TEST:counter"), resolve("TEST:description"));
    EXPECT_EQ(Texts(*described, SelectIndexLogic::IndexColumn), (QStringList{"1", "2", "15"}));
    EXPECT_EQ(Texts(*described, SelectIndexLogic::ValueColumn), (QStringList{"10", "20", "30"}));
    EXPECT_EQ(Texts(*described, SelectIndexLogic::InstanceColumn),
              (QStringList{"uplink", "downlink", "spare"}));
    EXPECT_EQ(
        Texts(*walk(resolve("TEST:plainCounter"), OIDDetails(OIDInfo{})), SelectIndexLogic::InstanceColumn),
        (QStringList{"", "", ""}));

    // The real database: ifInOctets is described by ifDescr, and the agent has at least "lo".
    const OIDDetails column = MibDatabaseResolver()("ifInOctets");
    EXPECT_TRUE(
        Texts(*walk(column, MibDatabaseResolver()(column.IndexByName())), SelectIndexLogic::InstanceColumn)
            .contains("lo"));

    // A community the agent ignores: the only answer is the time-out. Then an empty table.
    EXPECT_EQ(walk(resolve("TEST:counter"), resolve("TEST:description"), "wrong")->rowCount(), 0);
    agent().setTable({});
    EXPECT_EQ(walk(resolve("TEST:counter"), resolve("TEST:description"))->rowCount(), 0);
}
