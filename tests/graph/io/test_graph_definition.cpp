#include "io_fixture.h"

#include <graph_definition.h>
#include <ordered_xml.h>
#include <xml_path.h>

#include <clock.h>
#include <rgb_color.h>
#include <settings.h>

#include <QDir>
#include <QDomDocument>
#include <QSignalSpy>
#include <QTemporaryDir>
#include <csignal>
#include <gtest/gtest.h>
#include <sys/resource.h>

class GraphDefinitionTest : public ::testing::Test {
protected:
    // Given a graph of three targets on two axes (one with fixed scales), a custom style, titles,
    // logging and publishing on, and program-wide SNMP options.
    void BuildGraph(FakeGraphHost& host)
    {
        TargetOID* core = host.targets.Add("core", "10.0.0.1", "public", "ifInOctets", "1");
        core->setColor(RGBColor(255, 0, 0));
        core->setInstance("eth0");
        core->setLineStyle(LINESTYLE_DASH);
        TargetOID* edge = host.targets.Add("edge", "10.0.0.2:1161", "s3cret", "ifInOctets", "2");
        edge->setColor(RGBColor(0, 128, 255));
        edge->setLabel("Edge <uplink> & \"core\"");
        TargetOID* cpu = host.targets.Add("server", "127.0.0.1", "public", "hrProcessorLoad", "196608");
        cpu->setColor(RGBColor(0, 160, 0));
        cpu->setUnitsAndConversion("Load=/100");
        for (TargetOID* target : host.targets)
            host.axes.AssignAxis(target);
        for (YAxis* axis : host.axes)
            axis->Label(); // built when the chart first shows the axis
        host.axes.At(0)->setPlottingMethod(PLOT_AREA);
        host.axes.At(0)->setColor(RGBColor(10, 20, 30));
        host.axes.At(1)->setFixedScales(true);
        host.axes.At(1)->setFixedMax(100);
        host.axes.At(1)->setFixedMin(0.5f);

        ChartStyle& style = host.style;
        style.setDeskColor(RGBColor(32, 32, 48));
        style.setTextColor(RGBColor(255, 255, 255));
        style.setGridStyle(GRID_BOTH);
        style.setGridInFront(true);
        style.setFontSize(FONT_LARGE);
        style.setTitleFont("DejaVu Sans");
        style.setPointLabelOrientation(POINT_LABEL_VERTICAL);
        style.setMarkDataPoints(true);
        style.setDecimalPoints(3);
        style.setPointsToGraph(250);
        style.setTableStyle(TABLESTYLE_BOTH);
        style.setAutoCalcTitles(false);
        style.setOverLappingAxes(false);

        host.setMainTitle("Core/Edge: 1");
        host.setSubTitle("Uplinks");
        host.footer = "left|centre|right";
        host.mibListVisible = false;
        host.logging = host.publishing = true;
        host.logFile = "/var/log/trendwick/core.csv";
        host.publishFile = "/srv/www/core.htm";
        host.publishInterval = 120;
        host.pollInterval = 15;
        settings.setSNMPTimeout(2500);
        settings.setSNMPRetries(3);
        settings.setColumns("0,3,7,16");
    }

    // An older graph the loads below replace: one target, one axis, its own titles and interval.
    void BuildPreviousGraph(FakeGraphHost& host)
    {
        host.axes.AssignAxis(host.targets.Add("old", "10.9.9.9", "public", "ifInOctets", "9"));
        host.setMainTitle("before");
        host.pollInterval = 7;
        host.style.setDeskColor(RGBColor(1, 2, 3));
        host.calls.clear();
    }

    ManualClock clock;
    Settings settings;
    QTemporaryDir folder;
};

TEST_F(GraphDefinitionTest, RoundTripRebuildsTheGraphAndMatchesTheGoldenFile)
{
    FakeGraphHost original(clock, settings);
    BuildGraph(original);
    GraphDefinition writer(original);
    const QString text = writer.GetXML();
    EXPECT_EQ(text + '\n', QString::fromUtf8(FileBytes(FixturePath("round_trip.Trendwick"))));

    const QString file = folder.filePath("core.Trendwick");
    ASSERT_TRUE(writer.SaveXML(file)) << writer.LastError().toStdString();
    EXPECT_EQ(writer.Filename(), file);
    EXPECT_EQ(QString::fromUtf8(FileBytes(file)), text + '\n');

    // Other program-wide values meanwhile: the text written after loading shows the file's came back.
    settings.setSNMPTimeout(1000);
    settings.setSNMPRetries(1);
    settings.setColumns("7");

    FakeGraphHost fresh(clock, settings);
    GraphDefinition reader(fresh);
    ASSERT_TRUE(reader.LoadXML(file));
    EXPECT_EQ(reader.Filename(), file);
    EXPECT_EQ(fresh.calls, QStringList({"InitChart", "LayoutTableColumns", "Reset"}));
    EXPECT_FALSE(fresh.automaticTitles);
    ASSERT_EQ(fresh.targets.Count(), 3);
    EXPECT_EQ(fresh.targets.At(1)->OID().DottedOID(), "1.3.6.1.2.1.2.2.1.10") << "MIB looked up";
    ASSERT_EQ(fresh.axes.Count(), 2);
    EXPECT_FLOAT_EQ(fresh.axes.At(1)->FixedMin(), 0.5f);
    // Targets, axes and style in full: the rebuilt graph writes the same text.
    EXPECT_EQ(reader.GetXML(), text);
}

TEST_F(GraphDefinitionTest, OptionalSettingsAreLeftOutWhenLoggingAndPublishingAreOff)
{
    FakeGraphHost host(clock, settings);
    QDomDocument document;
    GraphDefinition(host).WriteGraphXML(document);
    QStringList names;
    for (const QDomAttr& attribute : AttributesInOrder(SelectElement(document, "/Trendwick/Settings"),
                                                       GraphDefinition::SettingsAttributeNames()))
        names << attribute.name();
    EXPECT_EQ(names, QStringList({"LoggingEnabled", "AutoPublishEnabled", "SNMPTimeout", "SNMPRetries",
                                  "PollInterval", "Columns"}));
}

TEST_F(GraphDefinitionTest, AttributeNamesInAnyCaseAndNumbersByTheLeadingNumberRule)
{
    FakeGraphHost host(clock, settings);
    BuildPreviousGraph(host);
    QSignalSpy changed(&settings, &Settings::Changed);
    ASSERT_TRUE(GraphDefinition(host).LoadXML(FixturePath("any_case.Trendwick")));

    EXPECT_EQ(host.calls, QStringList({"InitChart", "LayoutTableColumns", "Reset"}));
    EXPECT_EQ(host.pollInterval, 1) << "PollInterval 0 is clamped to 1";
    EXPECT_EQ(host.publishInterval, 10) << "\"5.5 s\" reads as 6, then clamped to 10";
    EXPECT_EQ(settings.SNMPTimeout(), 2000) << "\"2000.5\" rounds half to even";
    EXPECT_EQ(settings.SNMPRetries(), 4) << "\"3.5\" rounds half to even";
    EXPECT_TRUE(host.logging && !host.mibListVisible);
    EXPECT_EQ(QStringList({host.logFile, settings.Columns(), host.mainTitle}),
              QStringList({"mixed.csv", "7,8", "lower-case title"}));
    EXPECT_TRUE(changed.contains(QVariantList({"Table Columns", "7,8"})))
        << "every open graph hears of the new columns";
    EXPECT_EQ(host.style.DeskColor(), 255);
    ASSERT_EQ(host.targets.Count(), 1);
    const TargetOID* target = host.targets.At(0);
    EXPECT_EQ(QStringList({target->IP(), target->Community(), target->Key()}),
              QStringList({"192.0.2.1", "private", "O:2"}))
        << "keys are never reused";
    ASSERT_EQ(host.axes.Count(), 1);
    EXPECT_EQ(host.axes.At(0)->Label(), "Load");
}

// Each fixture is a complete definition with one element taken out; reading stops at its step.
TEST_F(GraphDefinitionTest, AMissingElementStopsReadingAtItsStep)
{
    struct Case {
        const char* file;
        int axes; // -1: the previous graph is untouched
        int targets;
        bool titlesAndStyleRead;
    };
    const Case cases[] = {
        {"missing_axes.Trendwick", 0, -1, false}, {"missing_targets.Trendwick", 1, 0, false},
        {"missing_style.Trendwick", 1, 2, false}, {"missing_settings.Trendwick", 1, 2, true},
        {"other_root.Trendwick", 0, -1, false},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.file);
        FakeGraphHost host(clock, settings);
        BuildPreviousGraph(host);
        EXPECT_TRUE(GraphDefinition(host).LoadXML(FixturePath(c.file)))
            << "a missing element is no load error";
        EXPECT_EQ(host.calls, QStringList{"InitChart"}) << "no layout and no Reset after a missing element";
        EXPECT_EQ(host.axes.Count(), c.axes < 0 ? 1 : c.axes);
        ASSERT_EQ(host.targets.Count(), c.targets < 0 ? 1 : c.targets);
        if (c.targets < 0) {
            EXPECT_EQ(host.targets.At(0)->Hostname(), "old");
        }
        EXPECT_EQ(host.mainTitle, c.titlesAndStyleRead ? "Read" : "before");
        EXPECT_EQ(host.style.DeskColor(), c.titlesAndStyleRead ? 65280 : RGBColor(1, 2, 3));
        EXPECT_EQ(host.pollInterval, 7) << "the settings are the last step";
    }
}

TEST_F(GraphDefinitionTest, ADocumentThatDoesNotParseChangesNothing)
{
    FakeGraphHost host(clock, settings);
    BuildPreviousGraph(host);
    settings.setColumns("0,1");
    GraphDefinition definition(host);
    definition.setFilename("previous.Trendwick");

    const QString prefix = "Cannot load Trendwick.\n\n";
    EXPECT_FALSE(definition.LoadXML(FixturePath("truncated.Trendwick")));
    EXPECT_EQ(definition.LastError(), prefix + "Premature end of document. (line 6, column 0)");
    EXPECT_FALSE(definition.LoadXML(folder.filePath("absent.Trendwick")));
    EXPECT_EQ(definition.LastError(), prefix + "No such file or directory");
    // Text goes through the same parser; its error carries no prefix. Deep nesting is refused
    // before the document is built.
    const QString deep = "<Trendwick>" + QString("<x>").repeated(300) + QString("</x>").repeated(300);
    const std::pair<QString, QString> texts[] = {
        {"<Trendwick><Settings></Trendwick>", "Opening and ending tag mismatch. (line 1, column 33)"},
        {deep + "</Trendwick>", "Elements nested deeper than 256 levels. (line 1, column 779)"},
        {QString(), "Premature end of document. (line 1, column 0)"}};
    for (const auto& [text, error] : texts) {
        EXPECT_FALSE(definition.SetXML(text));
        EXPECT_EQ(definition.LastError(), error);
    }

    EXPECT_EQ(definition.Filename(), "previous.Trendwick");
    EXPECT_TRUE(host.calls.isEmpty()) << "not even the chart is re-initialised";
    ASSERT_EQ(host.targets.Count(), 1);
    EXPECT_EQ(host.targets.At(0)->Hostname(), "old");
    EXPECT_EQ(host.axes.Count(), 1);
    EXPECT_EQ(host.mainTitle, "before");
    EXPECT_EQ(settings.Columns(), "0,1");
}

// Writes fail past the given size while alive (even for root, unlike file permissions).
class FileSizeLimit {
public:
    explicit FileSizeLimit(rlim_t bytes) : m_handler(std::signal(SIGXFSZ, SIG_IGN))
    {
        getrlimit(RLIMIT_FSIZE, &m_saved);
        rlimit limit = m_saved;
        limit.rlim_cur = bytes;
        setrlimit(RLIMIT_FSIZE, &limit);
    }
    ~FileSizeLimit()
    {
        setrlimit(RLIMIT_FSIZE, &m_saved);
        std::signal(SIGXFSZ, m_handler);
    }

private:
    void (*m_handler)(int);
    rlimit m_saved{};
};

TEST_F(GraphDefinitionTest, SaveKeepsThePreviousFileWhenWritingFails)
{
    FakeGraphHost host(clock, settings);
    BuildGraph(host);
    GraphDefinition definition(host);
    const QString file = folder.filePath("graph.Trendwick");
    ASSERT_TRUE(definition.SaveXML(file));
    const QByteArray saved = FileBytes(file);

    host.setMainTitle("changed");
    {
        FileSizeLimit limit(64);
        EXPECT_FALSE(definition.SaveXML());
    }
    EXPECT_EQ(definition.LastError(), "Cannot Save Trendwick.\nFile too large");
    EXPECT_EQ(FileBytes(file), saved) << "the previous definition stays intact";
    EXPECT_EQ(QDir(folder.path()).entryList(QDir::Files), QStringList{"graph.Trendwick"})
        << "no temporary left";

    ASSERT_TRUE(definition.SaveXML()) << "omitted name: the current Filename";
    EXPECT_TRUE(FileBytes(file).contains("MainTitle=\"changed\""));

    const QString unreachable = folder.filePath("no/such/folder/graph.Trendwick");
    EXPECT_FALSE(definition.SaveXML(unreachable));
    EXPECT_EQ(definition.Filename(), unreachable) << "the name changes even when saving fails";
    EXPECT_TRUE(definition.LastError().startsWith("Cannot Save Trendwick.\n"));
    EXPECT_GT(definition.LastError().size(), QString("Cannot Save Trendwick.\n").size());
}

TEST_F(GraphDefinitionTest, PathSelection)
{
    QDomDocument document;
    ASSERT_TRUE(document.setContent(QString("<A x=\"1\"><B><C/></B><B id=\"second\"/><D Name=\"d\"/></A>")));
    EXPECT_EQ(SelectElement(document, "/A/B/C").tagName(), "C");
    EXPECT_FALSE(SelectElement(document, "/A/B").hasAttribute("id")) << "the first B";
    EXPECT_EQ(SelectSingleNode(document, "/A/D/@name").toAttr().value(), "d");
    EXPECT_EQ(SelectSingleNode(document, "/A/@X").toAttr().value(), "1");
    // No root match, names differing in case, a missing attribute, steps after an attribute,
    // relative and descendant paths.
    for (const char* path : {"/B", "/A/b", "/A/D/@missing", "/A/@x/B", "A/B", "/A//C"})
        EXPECT_TRUE(SelectSingleNode(document, path).isNull()) << path;
    EXPECT_TRUE(SelectElement(document, "/A/@x").isNull()) << "an attribute is no element";
}
