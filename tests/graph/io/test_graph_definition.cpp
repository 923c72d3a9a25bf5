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
        TargetOID* core =
            host.targets.Add(QStringLiteral("core"), QStringLiteral("10.0.0.1"), QStringLiteral("public"),
                             QStringLiteral("ifInOctets"), QStringLiteral("1"));
        core->setColor(RGBColor(255, 0, 0));
        core->setInstance(QStringLiteral("eth0"));
        core->setLineStyle(LINESTYLE_DASH);
        TargetOID* edge =
            host.targets.Add(QStringLiteral("edge"), QStringLiteral("10.0.0.2:1161"),
                             QStringLiteral("s3cret"), QStringLiteral("ifInOctets"), QStringLiteral("2"));
        edge->setColor(RGBColor(0, 128, 255));
        edge->setLabel(QStringLiteral("Edge <uplink> & \"core\""));
        TargetOID* cpu =
            host.targets.Add(QStringLiteral("server"), QStringLiteral("127.0.0.1"), QStringLiteral("public"),
                             QStringLiteral("hrProcessorLoad"), QStringLiteral("196608"));
        cpu->setColor(RGBColor(0, 160, 0));
        cpu->setUnitsAndConversion(QStringLiteral("Load=/100"));
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
        style.setTitleFont(QStringLiteral("DejaVu Sans"));
        style.setPointLabelOrientation(POINT_LABEL_VERTICAL);
        style.setMarkDataPoints(true);
        style.setDecimalPoints(3);
        style.setPointsToGraph(250);
        style.setTableStyle(TABLESTYLE_BOTH);
        style.setAutoCalcTitles(false);
        style.setOverLappingAxes(false);

        host.setMainTitle(QStringLiteral("Core/Edge: 1"));
        host.setSubTitle(QStringLiteral("Uplinks"));
        host.footer = QStringLiteral("left|centre|right");
        host.mibListVisible = false;
        host.logging = true;
        host.logFile = QStringLiteral("/var/log/trendwick/core.csv");
        host.publishing = true;
        host.publishFile = QStringLiteral("/srv/www/core.htm");
        host.publishInterval = 120;
        host.pollInterval = 15;
        settings.setSNMPTimeout(2500);
        settings.setSNMPRetries(3);
        settings.setColumns(QStringLiteral("0,3,7,16"));
    }

    // An older graph the loads below replace: one target, one axis, its own titles and interval.
    void BuildPreviousGraph(FakeGraphHost& host)
    {
        host.targets.Add(QStringLiteral("old"), QStringLiteral("10.9.9.9"), QStringLiteral("public"),
                         QStringLiteral("ifInOctets"), QStringLiteral("9"));
        host.axes.AssignAxis(host.targets.At(0));
        host.setMainTitle(QStringLiteral("before"));
        host.pollInterval = 7;
        host.style.setDeskColor(RGBColor(1, 2, 3));
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

    const QString file = folder.filePath(QStringLiteral("core.Trendwick"));
    ASSERT_TRUE(writer.SaveXML(file)) << writer.LastError().toStdString();
    EXPECT_EQ(writer.Filename(), file);
    EXPECT_EQ(QString::fromUtf8(FileBytes(file)), text + '\n');

    // Other program-wide values meanwhile: the text written after loading shows the file's came back.
    settings.setSNMPTimeout(1000);
    settings.setSNMPRetries(1);
    settings.setColumns(QStringLiteral("7"));

    FakeGraphHost fresh(clock, settings);
    GraphDefinition reader(fresh);
    ASSERT_TRUE(reader.LoadXML(file));
    EXPECT_EQ(reader.Filename(), file);
    EXPECT_EQ(fresh.calls, QStringList({"InitChart", "LayoutTableColumns", "Reset"}));
    EXPECT_FALSE(fresh.automaticTitles);
    ASSERT_EQ(fresh.targets.Count(), 3);
    EXPECT_EQ(fresh.targets.At(1)->OID().DottedOID(), QStringLiteral("1.3.6.1.2.1.2.2.1.10"))
        << "MIB looked up";
    ASSERT_EQ(fresh.axes.Count(), 2);
    EXPECT_FLOAT_EQ(fresh.axes.At(1)->FixedMin(), 0.5f);

    // Targets, axes and style in full: the rebuilt graph writes the same text.
    EXPECT_EQ(reader.GetXML(), text);
}

TEST_F(GraphDefinitionTest, OptionalSettingsAreLeftOutWhenLoggingAndPublishingAreOff)
{
    FakeGraphHost host(clock, settings);
    GraphDefinition definition(host);
    QDomDocument document;
    definition.WriteGraphXML(document);
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
    GraphDefinition definition(host);

    ASSERT_TRUE(definition.LoadXML(FixturePath("any_case.Trendwick")));

    EXPECT_EQ(host.calls, QStringList({"InitChart", "LayoutTableColumns", "Reset"}));
    EXPECT_EQ(host.pollInterval, 1) << "PollInterval 0 is clamped to 1";
    EXPECT_EQ(host.publishInterval, 10) << "\"5.5 s\" reads as 6, then clamped to 10";
    EXPECT_TRUE(host.logging);
    EXPECT_EQ(host.logFile, QStringLiteral("mixed.csv"));
    EXPECT_EQ(settings.SNMPTimeout(), 2000) << "\"2000.5\" rounds half to even";
    EXPECT_EQ(settings.SNMPRetries(), 4) << "\"3.5\" rounds half to even";
    EXPECT_EQ(settings.Columns(), QStringLiteral("7,8"));
    bool columnsAnnounced = false;
    for (const QList<QVariant>& signal : changed)
        columnsAnnounced |= signal.at(0).toString() == QLatin1String("Table Columns") &&
                            signal.at(1).toString() == QLatin1String("7,8");
    EXPECT_TRUE(columnsAnnounced) << "every open graph hears of the new columns";
    EXPECT_EQ(host.mainTitle, QStringLiteral("lower-case title"));
    EXPECT_FALSE(host.mibListVisible);
    EXPECT_EQ(host.style.DeskColor(), 255);
    ASSERT_EQ(host.targets.Count(), 1);
    EXPECT_EQ(host.targets.At(0)->IP(), QStringLiteral("192.0.2.1"));
    EXPECT_EQ(host.targets.At(0)->Community(), QStringLiteral("private"));
    EXPECT_EQ(host.targets.At(0)->Key(), QStringLiteral("O:2")) << "keys are never reused";
    ASSERT_EQ(host.axes.Count(), 1);
    EXPECT_EQ(host.axes.At(0)->Label(), QStringLiteral("Load"));
}

// Each fixture is a complete definition with one element taken out; reading stops at its step.
TEST_F(GraphDefinitionTest, AMissingElementStopsReadingAtItsStep)
{
    struct Case {
        const char* file;
        int axes;    // -1: the previous graph's axes are untouched
        int targets; // -1: the previous graph's target is untouched
        bool titlesRead;
        bool styleRead;
    };
    const Case cases[] = {
        {"missing_axes.Trendwick", 0, -1, false, false}, {"missing_targets.Trendwick", 1, 0, false, false},
        {"missing_style.Trendwick", 1, 2, false, false}, {"missing_settings.Trendwick", 1, 2, true, true},
        {"other_root.Trendwick", 0, -1, false, false},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.file);
        FakeGraphHost host(clock, settings);
        BuildPreviousGraph(host);
        host.calls.clear();
        GraphDefinition definition(host);

        EXPECT_TRUE(definition.LoadXML(FixturePath(c.file))) << "a missing element is no load error";
        EXPECT_EQ(host.calls, QStringList{"InitChart"}) << "no layout and no Reset after a missing element";
        EXPECT_EQ(host.axes.Count(), c.axes < 0 ? 1 : c.axes);
        if (c.targets < 0) {
            ASSERT_EQ(host.targets.Count(), 1);
            EXPECT_EQ(host.targets.At(0)->Hostname(), QStringLiteral("old"));
        } else {
            EXPECT_EQ(host.targets.Count(), c.targets);
        }
        EXPECT_EQ(host.mainTitle, c.titlesRead ? QStringLiteral("Read") : QStringLiteral("before"));
        EXPECT_EQ(host.style.DeskColor(), c.styleRead ? 65280 : RGBColor(1, 2, 3));
        EXPECT_EQ(host.pollInterval, 7) << "the settings are the last step";
    }
}

TEST_F(GraphDefinitionTest, ADocumentThatDoesNotParseChangesNothing)
{
    FakeGraphHost host(clock, settings);
    BuildPreviousGraph(host);
    host.calls.clear();
    settings.setColumns(QStringLiteral("0,1"));
    GraphDefinition definition(host);
    definition.setFilename(QStringLiteral("previous.Trendwick"));

    EXPECT_FALSE(definition.LoadXML(FixturePath("truncated.Trendwick")));
    EXPECT_EQ(definition.LastError(),
              QStringLiteral("Cannot load Trendwick.\n\nPremature end of document. (line 6, column 0)"));
    EXPECT_FALSE(definition.LoadXML(folder.filePath(QStringLiteral("absent.Trendwick"))));
    EXPECT_EQ(definition.LastError(), QStringLiteral("Cannot load Trendwick.\n\nNo such file or directory"));
    // Text goes through the same parser; its error carries no prefix.
    EXPECT_FALSE(definition.SetXML(QStringLiteral("<Trendwick><Settings></Trendwick>")));
    EXPECT_EQ(definition.LastError(), QStringLiteral("Opening and ending tag mismatch. (line 1, column 33)"));
    EXPECT_FALSE(definition.SetXML(QString()));
    // Deep nesting is refused before the document is built.
    const QString deep =
        "<Trendwick>" + QString("<x>").repeated(300) + QString("</x>").repeated(300) + "</Trendwick>";
    EXPECT_FALSE(definition.SetXML(deep));
    EXPECT_EQ(definition.LastError(),
              QStringLiteral("Elements nested deeper than 256 levels. (line 1, column 779)"));

    EXPECT_EQ(definition.Filename(), QStringLiteral("previous.Trendwick"));
    EXPECT_TRUE(host.calls.isEmpty()) << "not even the chart is re-initialised";
    ASSERT_EQ(host.targets.Count(), 1);
    EXPECT_EQ(host.targets.At(0)->Hostname(), QStringLiteral("old"));
    EXPECT_EQ(host.axes.Count(), 1);
    EXPECT_EQ(host.mainTitle, QStringLiteral("before"));
    EXPECT_EQ(settings.Columns(), QStringLiteral("0,1"));
}

// Writes fail past the given size while alive (even for root, unlike file permissions).
class FileSizeLimit {
public:
    explicit FileSizeLimit(rlim_t bytes)
    {
        getrlimit(RLIMIT_FSIZE, &m_saved);
        m_handler = std::signal(SIGXFSZ, SIG_IGN);
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
    rlimit m_saved{};
    void (*m_handler)(int) = nullptr;
};

TEST_F(GraphDefinitionTest, SaveKeepsThePreviousFileWhenWritingFails)
{
    FakeGraphHost host(clock, settings);
    BuildGraph(host);
    GraphDefinition definition(host);
    const QString file = folder.filePath(QStringLiteral("graph.Trendwick"));
    ASSERT_TRUE(definition.SaveXML(file));
    const QByteArray saved = FileBytes(file);

    host.setMainTitle(QStringLiteral("changed"));
    {
        FileSizeLimit limit(64);
        EXPECT_FALSE(definition.SaveXML());
    }
    EXPECT_EQ(definition.LastError(), QStringLiteral("Cannot Save Trendwick.\nFile too large"));
    EXPECT_EQ(FileBytes(file), saved) << "the previous definition stays intact";
    EXPECT_EQ(QDir(folder.path()).entryList(QDir::Files), QStringList{"graph.Trendwick"})
        << "no temporary left";

    ASSERT_TRUE(definition.SaveXML()) << "omitted name: the current Filename";
    EXPECT_TRUE(FileBytes(file).contains("MainTitle=\"changed\""));

    const QString unreachable = folder.filePath(QStringLiteral("no/such/folder/graph.Trendwick"));
    EXPECT_FALSE(definition.SaveXML(unreachable));
    EXPECT_EQ(definition.Filename(), unreachable) << "the name changes even when saving fails";
    EXPECT_TRUE(definition.LastError().startsWith(QStringLiteral("Cannot Save Trendwick.\n")));
    EXPECT_GT(definition.LastError().size(), QStringLiteral("Cannot Save Trendwick.\n").size());
}

TEST_F(GraphDefinitionTest, PathSelection)
{
    QDomDocument document;
    ASSERT_TRUE(
        document.setContent(QStringLiteral("<A x=\"1\"><B><C/></B><B id=\"second\"/><D Name=\"d\"/></A>")));
    EXPECT_EQ(SelectElement(document, "/A").tagName(), QStringLiteral("A"));
    EXPECT_EQ(SelectElement(document, "/A/B/C").tagName(), QStringLiteral("C"));
    EXPECT_FALSE(SelectElement(document, "/A/B").hasAttribute("id")) << "the first B";
    EXPECT_EQ(SelectSingleNode(document, "/A/D/@name").toAttr().value(), QStringLiteral("d"));
    EXPECT_EQ(SelectSingleNode(document, "/A/@X").toAttr().value(), QStringLiteral("1"));
    EXPECT_TRUE(SelectSingleNode(document, "/B").isNull()) << "the root must match";
    EXPECT_TRUE(SelectSingleNode(document, "/A/b").isNull()) << "element names match exactly";
    EXPECT_TRUE(SelectSingleNode(document, "/A/D/@missing").isNull());
    EXPECT_TRUE(SelectSingleNode(document, "/A/@x/B").isNull());
    EXPECT_TRUE(SelectSingleNode(document, "A/B").isNull());
    EXPECT_TRUE(SelectSingleNode(document, "/A//C").isNull());
    EXPECT_TRUE(SelectElement(document, "/A/@x").isNull()) << "an attribute is no element";
}
