#include "io_fixture.h"

#include <graph_definition.h>

#include <clock.h>
#include <rgb_color.h>
#include <settings.h>

#include <QDir>
#include <QJsonArray>
#include <QSignalSpy>
#include <QTemporaryDir>
#include <csignal>
#include <sys/resource.h>

class GraphDefinitionTest : public ::testing::Test {
protected:
    // An older graph the loads below replace: one target, one axis, its own titles and interval.
    void BuildPreviousGraph(FakeGraphHost& host)
    {
        host.axes.AssignAxis(host.targets.Add("old", "10.9.9.9", "public", "ifInOctets", "9"));
        host.setMainTitle("before");
        host.pollInterval = 7;
        host.style.setDeskColor(RGBColor(1, 2, 3));
    }

    ManualClock clock;
    Settings settings;
    QTemporaryDir folder;
};

// The golden file holds a graph of three targets on two axes (one with fixed scales), a custom
// style, titles, logging and publishing on, and program-wide SNMP options.
TEST_F(GraphDefinitionTest, GoldenFileRebuildsTheGraphAndIsWrittenBackUnchanged)
{
    settings.setColumns("7");
    FakeGraphHost host(clock, settings);
    BuildPreviousGraph(host);
    GraphDefinition definition(host);
    ASSERT_TRUE(definition.LoadXML(FixturePath("round_trip.Trendwick")));
    EXPECT_EQ(host.calls, QStringList({"InitChart", "LayoutTableColumns", "Reset"}));
    // The values land where the graph uses them.
    ASSERT_EQ(host.targets.Count(), 3);
    const TargetOID* edge = host.targets.At(1);
    EXPECT_EQ(QStringList({edge->IP(), edge->Community(), edge->Label(), edge->OID().DottedOID()}),
              QStringList({"10.0.0.2:1161", "s3cret", "Edge <uplink> & \"core\"", "1.3.6.1.2.1.2.2.1.10"}));
    EXPECT_EQ(host.targets.At(0)->Instance() + host.targets.At(2)->Units(), "eth0Load");
    ASSERT_EQ(host.axes.Count(), 2);
    EXPECT_FLOAT_EQ(host.axes.At(1)->FixedMin(), 0.5f);
    EXPECT_EQ(host.style.DeskColor(), RGBColor(32, 32, 48));
    EXPECT_EQ(QStringList({host.mainTitle, host.footer, host.logFile, settings.Columns()}),
              QStringList({"Core/Edge: 1", "left|centre|right", "/var/log/trendwick/core.csv", "0,3,7,16"}));
    EXPECT_EQ(host.publishInterval * 100 + host.pollInterval, 12015);
    EXPECT_EQ(settings.SNMPTimeout() * 10 + settings.SNMPRetries(), 25003);

    // Written back through a file, byte for byte.
    const QString file = folder.filePath("core.Trendwick");
    ASSERT_TRUE(definition.SaveXML(file)) << definition.LastError().toStdString();
    EXPECT_EQ(definition.Filename(), file);
    EXPECT_EQ(QString::fromUtf8(FileBytes(file)),
              QString::fromUtf8(FileBytes(FixturePath("round_trip.Trendwick"))));
}

TEST_F(GraphDefinitionTest, LabelsAndInstancesKeepAwkwardTextThroughTheFile)
{
    FakeGraphHost host(clock, settings);
    const QString label = QString::fromUtf8("Grüße 東京 😀\tTab\nLF\r\nCRLF \"q\" 'a' <&> \x7f\x01\x1f end");
    const QString instance = QString::fromUtf8("port\t7\nÆ\x02");
    TargetOID* target = host.targets.Add("a", "10.0.0.1", "public", "ifInOctets", "1");
    target->setLabel(label);
    target->setInstance(instance);
    const QString file = folder.filePath("awkward.Trendwick");
    ASSERT_TRUE(GraphDefinition(host).SaveXML(file));

    // Control characters XML cannot hold are left out; everything else comes back as it was,
    // to a strict outside parser and to our own reading.
    const QString readableLabel = QString(label).remove(QChar(1)).remove(QChar(0x1f));
    const QString readableInstance = QString(instance).remove(QChar(2));
    const QJsonArray read = PythonReads(file, "import json,sys,xml.etree.ElementTree as E\n"
                                              "t=E.parse(sys.argv[1]).find('TargetOIDs/TargetOID')\n"
                                              "print(json.dumps([t.get('Label'),t.get('Instance')]))")
                                .array();
    EXPECT_EQ(read.toVariantList(), QVariantList({readableLabel, readableInstance}));
    FakeGraphHost fresh(clock, settings);
    ASSERT_TRUE(GraphDefinition(fresh).LoadXML(file));
    ASSERT_EQ(fresh.targets.Count(), 1);
    EXPECT_EQ(fresh.targets.At(0)->Label(), readableLabel);
    EXPECT_EQ(fresh.targets.At(0)->Instance(), readableInstance);
}

// Names in any case, any element name for a target, numbers by their leading digits (halves to
// even), words and codes as the program writes them or close to it: read, then written the way
// the program writes it.
TEST_F(GraphDefinitionTest, LooseFilesReadAsTheyWouldBeWritten)
{
    FakeGraphHost host(clock, settings);
    BuildPreviousGraph(host);
    QSignalSpy changed(&settings, &Settings::Changed);
    GraphDefinition definition(host);
    ASSERT_TRUE(definition.LoadXML(FixturePath("any_case.Trendwick")));
    EXPECT_EQ(definition.GetXML() + '\n',
              QString::fromUtf8(FileBytes(FixturePath("any_case_read.Trendwick"))));
    EXPECT_EQ(host.calls, QStringList({"InitChart", "LayoutTableColumns", "Reset"}));
    EXPECT_EQ(host.publishInterval, 10) << "\"5.5 s\" reads as 6, then clamped to 10";
    EXPECT_TRUE(changed.contains(QVariantList({"Table Columns", "7,8"})))
        << "every open graph hears of the new columns";
    ASSERT_EQ(host.targets.Count(), 1);
    EXPECT_EQ(host.targets.At(0)->Key(), "O:2") << "keys are never reused";
}

// Each fixture is a complete definition with one element taken out; reading stops at its step.
TEST_F(GraphDefinitionTest, AMissingElementStopsReadingAtItsStep)
{
    const struct {
        const char* file;
        int axes; // -1: the previous graph is untouched
        int targets;
        bool titlesAndStyleRead;
    } cases[] = {
        {"missing_axes.Trendwick", 0, -1, false}, {"missing_targets.Trendwick", 1, 0, false},
        {"missing_style.Trendwick", 1, 2, false}, {"missing_settings.Trendwick", 1, 2, true},
        {"other_root.Trendwick", 0, -1, false},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.file);
        FakeGraphHost host(clock, settings);
        BuildPreviousGraph(host);
        EXPECT_TRUE(GraphDefinition(host).LoadXML(FixturePath(c.file)))
            << "a missing element is no load error";
        EXPECT_EQ(host.calls, QStringList{"InitChart"}) << "no layout and no Reset after a missing element";
        EXPECT_EQ(host.axes.Count(), c.axes < 0 ? 1 : c.axes);
        ASSERT_EQ(host.targets.Count(), c.targets < 0 ? 1 : c.targets);
        if (c.targets != 0) {
            EXPECT_EQ(host.targets.At(0)->Hostname(), c.targets < 0 ? "old" : "one");
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

    // Files carry a heading; text goes through the same parser without it. Deep nesting is refused
    // before the document is built.
    const QString heading = "Cannot load Trendwick.\n\n";
    const QString deep = "<Trendwick>" + QString("<x>").repeated(300) + QString("</x>").repeated(300);
    for (const QString& source : {FixturePath("truncated.Trendwick"), folder.filePath("absent.Trendwick"),
                                  QString("<Trendwick><Settings></Trendwick>"), deep + "</Trendwick>"}) {
        const bool file = !source.startsWith('<');
        EXPECT_FALSE(file ? definition.LoadXML(source) : definition.SetXML(source));
        EXPECT_EQ(definition.LastError().startsWith(heading), file) << definition.LastError().toStdString();
        EXPECT_GT(definition.LastError().size(), heading.size());
    }
    EXPECT_TRUE(definition.LastError().startsWith("Elements nested deeper than 256 levels."));
    EXPECT_EQ(definition.Filename(), "previous.Trendwick");
    EXPECT_TRUE(host.calls.isEmpty()) << "not even the chart is re-initialised";
    ASSERT_EQ(host.targets.Count(), 1);
    EXPECT_EQ(host.targets.At(0)->Hostname() + host.mainTitle + settings.Columns(), "oldbefore0,1");
    EXPECT_EQ(host.axes.Count(), 1);
}

// Writes fail past the given size while alive (even for root, unlike file permissions).
class FileSizeLimit {
public:
    explicit FileSizeLimit(rlim_t bytes) : m_handler(std::signal(SIGXFSZ, SIG_IGN))
    {
        getrlimit(RLIMIT_FSIZE, &m_saved);
        const rlimit limit{bytes, m_saved.rlim_max};
        setrlimit(RLIMIT_FSIZE, &limit);
    }
    ~FileSizeLimit() { setrlimit(RLIMIT_FSIZE, &m_saved), std::signal(SIGXFSZ, m_handler); }

private:
    void (*m_handler)(int);
    rlimit m_saved{};
};

TEST_F(GraphDefinitionTest, SaveKeepsThePreviousFileWhenWritingFails)
{
    FakeGraphHost host(clock, settings);
    BuildPreviousGraph(host);
    GraphDefinition definition(host);
    const QString file = folder.filePath("graph.Trendwick");
    ASSERT_TRUE(definition.SaveXML(file));
    const QByteArray saved = FileBytes(file);

    host.setMainTitle("changed");
    {
        FileSizeLimit limit(64);
        EXPECT_FALSE(definition.SaveXML());
    }
    const QString prefix = "Cannot Save Trendwick.\n";
    EXPECT_TRUE(definition.LastError().startsWith(prefix) && definition.LastError().size() > prefix.size());
    EXPECT_EQ(FileBytes(file), saved) << "the previous definition stays intact";
    EXPECT_EQ(QDir(folder.path()).entryList(QDir::Files), QStringList{"graph.Trendwick"})
        << "no temporary left";

    ASSERT_TRUE(definition.SaveXML()) << "omitted name: the current Filename";
    EXPECT_TRUE(FileBytes(file).contains("MainTitle=\"changed\""));

    const QString unreachable = folder.filePath("no/such/folder/graph.Trendwick");
    EXPECT_FALSE(definition.SaveXML(unreachable));
    EXPECT_EQ(definition.Filename(), unreachable) << "the name changes even when saving fails";
    EXPECT_GT(definition.LastError().size(), prefix.size());
}
