#include "app_fixture.h"
#include "command_line.h"

#include <stdexcept>

namespace {

// Records what the parser asks of the host and its window in one list, so order can be checked.
// A window reads "Window @poll" with the program-wide poll interval as it was when it was made; a
// GraphMIB call reads "MIB target|community|mib|index|instance|calculation|hostname".
struct FakeHost final : CommandLineHost, CommandLineWindow {
    explicit FakeHost(Settings& settings) : settings(settings) {}
    CommandLineWindow* NewGraphWindow() override
    {
        events << "Window @" + QString::number(settings.PollInterval());
        return this;
    }
    void OpenGraphFile(const QString& fileName) override
    {
        events << "Open " + fileName;
        if (failOpen)
            throw std::runtime_error("cannot create window");
    }
    void GraphMIB(const QString& target, const QString& community, const QString& mib, const QString& index,
                  const QString& instance, const QString& calculation, const QString& hostname) override
    {
        events << "MIB " +
                      QStringList{target, community, mib, index, instance, calculation, hostname}.join('|');
    }
    void setLogFilename(const QString& fileName) override { events << "Log " + fileName; }
    void setLoggingEnabled(bool enabled) override { events << (enabled ? "Logging on" : "Logging off"); }

    Settings& settings;
    QStringList events;
    bool failOpen = false;
};

class CommandLineTest : public ::testing::Test {
protected:
    void SetUp() override { settings.setPollInterval(10); }

    /// The events of one parse alone.
    QStringList events(const QString& text,
                       CommandLineParser::Outcome expected = CommandLineParser::Outcome::Done)
    {
        host.events.clear();
        EXPECT_EQ(parser.Parse(text), expected) << text.toStdString();
        return host.events;
    }

    Settings settings;
    FakeHost host{settings};
    CommandLineParser parser{host, settings};
};

TEST(CommandLineText, JoinsArgumentsAndSplitsAtEverySingleSpace)
{
    EXPECT_EQ(CommandLineText({"-F", "My Graph.Trendwick"}), "-F My Graph.Trendwick");
    EXPECT_EQ(CommandLineTokens("-Node  10.0.0.1 "), QStringList({"-Node", "", "10.0.0.1", ""}));
    EXPECT_EQ(CommandLineTokens("\"a b\""), QStringList({"\"a", "b\""}));
}

TEST_F(CommandLineTest, MIBOptionsShareOneWindowWithTheOptionsInForceAndTheLastLog)
{
    EXPECT_EQ(events("-Node 10.10.1.1 -Community mossel -Instance 2 -MIB ifInOctets -MIB ifOutOctets"),
              QStringList({"Window @10", "MIB 10.10.1.1|mossel|ifInOctets|2|||",
                           "MIB 10.10.1.1|mossel|ifOutOctets|2|||"}));
    // Options after a -MIB reach only the -MIB options that follow them.
    EXPECT_EQ(events("-MIB ifInOctets -Node 10.10.1.1"), QStringList({"Window @10", "MIB ||ifInOctets||||"}));
    // Values pass as written.
    EXPECT_EQ(events("-nOdE Router.Example -COMMUNITY MiXed -instance Eth0 -mib RFC1213-MIB:IfInOctets"),
              QStringList({"Window @10", "MIB Router.Example|MiXed|RFC1213-MIB:IfInOctets|Eth0|||"}));
    // The last -Log is applied once, after all tokens, to the command-line window.
    EXPECT_EQ(events("-Log first.csv -Node n -Community c -MIB a -Log run.csv -MIB b"),
              QStringList({"Window @10", "MIB n|c|a||||", "MIB n|c|b||||", "Log run.csv", "Logging on"}));
}

TEST_F(CommandLineTest, FileNamesRunToTheNextOptionAndLoseOnePairOfQuotes)
{
    const std::vector<std::pair<QString, QString>> cases{
        {"-F My Graph.Trendwick -Poll 5", "My Graph.Trendwick"},
        {"-F \"C:/My Graphs/r.Trendwick\"", "C:/My Graphs/r.Trendwick"},
        {"-F \"\"twice\"\"", "\"twice\""},
        {"-F my -file.Trendwick", "my"},
        {"-F a  b", "a  b"},
        {"-F", ""}};
    for (const auto& [line, file] : cases)
        EXPECT_EQ(events(line), QStringList{"Open " + file});
    EXPECT_EQ(settings.PollInterval(), 5);

    // Files and MIBs mix: each -F opens its own window, the -MIB options share theirs.
    EXPECT_EQ(events("-Node n -Community c -MIB a -F x.Trendwick -MIB b"),
              QStringList({"Window @5", "MIB n|c|a||||", "Open x.Trendwick", "MIB n|c|b||||"}));
}

TEST_F(CommandLineTest, PollIsReadAsALeadingNumberRoundedHalfToEvenAndClampedByTheSetting)
{
    const std::vector<std::pair<QString, qint32>> cases{{"2.5", 2}, {"3.5", 4}, {"2s", 2},
                                                        {"7.6", 8}, {"0", 1},   {"5000", 600},
                                                        {"abc", 1}, {"-3", 1},  {"1e30", 600}};
    for (const auto& [text, expected] : cases) {
        settings.setPollInterval(30);
        events("-poll " + text);
        EXPECT_EQ(settings.PollInterval(), expected) << text.toStdString();
    }

    // A -Poll reaches the command-line window only before the -MIB.
    EXPECT_EQ(events("-Poll 2 -MIB hrSystemProcesses").value(0), "Window @2");
    settings.setPollInterval(10);
    EXPECT_EQ(events("-Node n -Community c -MIB hrSystemProcesses -Poll 5").value(0), "Window @10");
    EXPECT_EQ(settings.PollInterval(), 5);
}

TEST_F(CommandLineTest, ErrorsEndInTheUsageWithAReasonAndHelpWordsAndExamplesStopTheParse)
{
    // A -Log without a window is found at the end, after everything else has run.
    for (const char* line :
         {"-Node n -MIB a -Poll", "-Node", "-Community c -MIB", "-F x.Trendwick -Log run.csv"}) {
        events(line, CommandLineParser::Outcome::Usage);
        EXPECT_FALSE(parser.Error().isEmpty()) << line;
    }
    EXPECT_EQ(host.events, QStringList{"Open x.Trendwick"});
    host.failOpen = true;
    events("-F x.Trendwick", CommandLineParser::Outcome::Usage);
    EXPECT_TRUE(parser.Error().contains("cannot create window"));
    host.failOpen = false;

    for (const char* word : {"?", "help", "HeLp", "-?", "-HELP"}) {
        EXPECT_EQ(events(QStringLiteral("-Node n ") + word + " -MIB a", CommandLineParser::Outcome::Usage),
                  QStringList());
        EXPECT_TRUE(parser.Error().isEmpty());
    }
    // Unknown words are ignored.
    EXPECT_EQ(events("/? hello world -Xyz  --"), QStringList());
    EXPECT_EQ(events("-F g.Trendwick -examples -F h.Trendwick", CommandLineParser::Outcome::Examples),
              QStringList{"Open g.Trendwick"});
}

} // namespace
