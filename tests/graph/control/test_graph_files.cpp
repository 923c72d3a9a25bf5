// The definition file, the value log and the published page, driven through the control.
#include "control_fixture.h"

#include <QSplitter>

TEST_F(ControlTest, SavedGraphLoadsIntoAFreshControlThatLogsAndPublishes)
{
    agent.setValue("3.1", Type::Gauge32, 40);
    agent.setValue("1.1", Type::Counter32, 5000);
    AddTarget("gaugeObj", "1", "alpha");
    AddTarget("counterObj", "1", "alpha");
    control->setMainTitle("Core/Edge: 1");
    EXPECT_TRUE(control->LogFilename().endsWith("/Core_Edge__1.csv")) << control->LogFilename().toStdString();

    const QString log = files.filePath("values.csv");
    control->setLogFilename(log);
    control->setLoggingEnabled(true);
    ASSERT_EQ(ReadLines(log).size(), 4) << "turning logging on writes the header";
    control->setAutoPublishFilename(files.filePath("auto.htm"));
    control->setAutoPublishEnabled(true);
    control->setAutoPublishInterval(30);
    control->setPollInterval(20);
    QSignalSpy answers(&control->SNMP(), &SNMPSession::Response);
    ResetGraph();
    // The first Reset starts the chart with automatic titles; a title of one's own comes after.
    EXPECT_EQ(control->MainTitle(), "alpha");
    control->setMainTitle("Core/Edge: 1");
    control->setFooter("left|middle|right");
    ASSERT_TRUE(WaitForAnswers(answers, 0, 2));
    Cycle();

    const QString definition = files.filePath("core.Trendwick");
    ASSERT_TRUE(control->SaveXML(definition)) << control->LastError().toStdString();
    EXPECT_EQ(control->Filename(), definition);

    std::unique_ptr<RTTrendwick> loaded = MakeControl();
    ASSERT_TRUE(loaded->LoadXML(definition)) << loaded->LastError().toStdString();
    loaded->PollTimer()->stop();
    EXPECT_EQ(loaded->Filename(), definition);
    ASSERT_EQ(loaded->TargetOIDs().Count(), 2);
    const TargetOID* gauge = loaded->TargetOIDs().At(0);
    EXPECT_EQ(gauge->OID().DottedOID(), TestAgent::controlledOid("3")) << "MIB looked up";
    EXPECT_FALSE(loaded->Splitter()->isHidden());
    EXPECT_EQ(loaded->GetXML(), control->GetXML()) << "what was read writes back unchanged";

    // The loaded graph logs into the same file, after a header of its own (loading ends in a Reset).
    const int before = ReadLines(log).size();
    EXPECT_EQ(before, 4 + 4 + 1 + 4) << "header, header at Reset, one row, header of the loaded graph";
    ASSERT_TRUE(QTest::qWaitFor([&] { return gauge->Value() == 40.0; }, kReplyWaitMs));
    Cycle(loaded.get());
    const QStringList lines = ReadLines(log);
    ASSERT_EQ(lines.size(), before + 1);
    EXPECT_EQ(lines.last().split(',').mid(1), QStringList({"40", ""})) << "the counter has no rate yet";

    const QString page = files.filePath("manual.htm");
    loaded->SaveHTML(page, 320, 240);
    ASSERT_TRUE(QFile::exists(files.filePath("manual.jpg")));
    const QString html = ReadLines(page).join(QLatin1Char('\n'));
    EXPECT_TRUE(html.contains("<meta http-equiv=\"REFRESH\" content=\"30\">"));
    EXPECT_TRUE(html.contains(ValueTableModel::FormatValue(40, gauge->Units()) + "</font></td>"));

    // A failed load leaves the graph as it was and says why.
    EXPECT_FALSE(loaded->LoadXML(files.filePath("missing.Trendwick")));
    EXPECT_TRUE(loaded->LastError().startsWith("Cannot load Trendwick.\n\n"));
    EXPECT_EQ(loaded->TargetOIDs().Count(), 2);
}

// Until the Reset that follows, nothing may touch the series of targets removed under the graph.
TEST_F(ControlTest, TargetsRemovedBehindTheGraphsBackAreNotPlotted)
{
    agent.setValue("3.1", Type::Gauge32, 40);
    AddTarget("gaugeObj", "1");
    TargetOID* second = AddTarget("gaugeObj", "2");
    ResetGraph();
    // An automation client removes a target without asking for a Reset.
    control->TargetOIDs().Remove("O:1");
    TickOnly();
    control->setPaused(true);
    control->setPaused(false);
    control->Reset();
    EXPECT_EQ(second->Subset(), 0);
    EXPECT_EQ(control->ChartObject()->SeriesCount(), 1);

    // A definition without its targets element stops reading after clearing the targets.
    const QString broken = "<Trendwick><Settings PollInterval=\"5\"/><ChartStyle/><Axes/></Trendwick>";
    EXPECT_TRUE(control->SetXML(broken));
    EXPECT_EQ(control->TargetOIDs().Count(), 0);
    TickOnly();
    control->setPaused(true);
    control->Reset();
    EXPECT_TRUE(control->Splitter()->isHidden());
}
