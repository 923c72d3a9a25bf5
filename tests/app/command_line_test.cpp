#include "command_line.h"

#include <settings.h>

#include <gtest/gtest.h>
#include <memory>
#include <stdexcept>
#include <vector>

namespace {

struct MIBCall {
    QString target, community, mib, index;
    qint32 pollIntervalWhenWindowMade;
};

// Records what the parser asks of the windows, in one event list so order can be checked.
class FakeWindow final : public CommandLineWindow {
public:
    FakeWindow(QStringList& events, qint32 pollInterval) : m_events(events), m_pollInterval(pollInterval) {}
    void GraphMIB(const QString& target, const QString& community, const QString& mib, const QString& index,
                  const QString& instance, const QString& calculation, const QString& hostname) override
    {
        EXPECT_TRUE(instance.isEmpty());
        EXPECT_TRUE(calculation.isEmpty());
        EXPECT_TRUE(hostname.isEmpty());
        calls.push_back({target, community, mib, index, m_pollInterval});
        m_events << QStringLiteral("GraphMIB ") + mib;
    }
    void setLogFilename(const QString& fileName) override
    {
        m_events << QStringLiteral("LogFilename ") + fileName;
    }
    void setLoggingEnabled(bool enabled) override
    {
        m_events << QStringLiteral("LoggingEnabled ") + (enabled ? "true" : "false");
    }

    std::vector<MIBCall> calls;

private:
    QStringList& m_events;
    qint32 m_pollInterval;
};

class FakeHost final : public CommandLineHost {
public:
    explicit FakeHost(Settings& settings) : m_settings(settings) {}
    CommandLineWindow* NewGraphWindow() override
    {
        events << QStringLiteral("NewGraphWindow");
        windows.push_back(std::make_unique<FakeWindow>(events, m_settings.PollInterval()));
        return windows.back().get();
    }
    void OpenGraphFile(const QString& fileName) override
    {
        if (failOpen)
            throw std::runtime_error("cannot create window");
        events << QStringLiteral("Open ") + fileName;
        files << fileName;
    }

    QStringList events;
    QStringList files;
    std::vector<std::unique_ptr<FakeWindow>> windows;
    bool failOpen = false;

private:
    Settings& m_settings;
};

class CommandLineTest : public ::testing::Test {
protected:
    void SetUp() override { settings.setPollInterval(10); }

    CommandLineParser::Outcome parse(const QString& text) { return parser.Parse(text); }

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

TEST_F(CommandLineTest, AllMIBOptionsShareOneWindowWithTheNodeAndIndexInForce)
{
    EXPECT_EQ(parse("-Node 10.10.1.1 -Community mossel -Instance 2 -MIB ifInOctets -MIB ifOutOctets"),
              CommandLineParser::Outcome::Done);
    ASSERT_EQ(host.windows.size(), 1u);
    const auto& calls = host.windows[0]->calls;
    ASSERT_EQ(calls.size(), 2u);
    for (const MIBCall& call : calls) {
        EXPECT_EQ(call.target, "10.10.1.1");
        EXPECT_EQ(call.community, "mossel");
        EXPECT_EQ(call.index, "2");
    }
    EXPECT_EQ(calls[1].mib, "ifOutOctets");

    // Options after a -MIB reach only the -MIB options that follow them.
    FakeHost later(settings);
    CommandLineParser(later, settings).Parse("-MIB ifInOctets -Node 10.10.1.1");
    ASSERT_EQ(later.windows.size(), 1u);
    EXPECT_TRUE(later.windows[0]->calls.at(0).target.isEmpty());
}

TEST_F(CommandLineTest, TheExampleCommandLinesDoWhatTheirDescriptionsSay)
{
    const QStringList lines = CommandLineParser::ExamplesLines();
    ASSERT_EQ(lines.size(), 19);
    const auto argumentsOf = [&](int line) {
        return lines.at(line).section(QStringLiteral("Trendwick.exe "), 1);
    };

    parse(argumentsOf(2));
    EXPECT_EQ(host.files, QStringList({"graph1.Trendwick", "graph2.Trendwick"}));

    parse(argumentsOf(11));
    ASSERT_EQ(host.windows.size(), 1u);
    const auto& calls = host.windows[0]->calls;
    ASSERT_EQ(calls.size(), 2u);
    EXPECT_EQ(calls[0].target + "/" + calls[0].index, "10.10.1.1/2");
    EXPECT_EQ(calls[1].target + "/" + calls[1].index, "10.10.1.2/5");
    EXPECT_EQ(calls[1].mib, "RFC1213-MIB:ifInOctets");

    parse(argumentsOf(5));
    EXPECT_EQ(settings.PollInterval(), 2);
    EXPECT_EQ(host.windows.at(1)->calls.at(0).pollIntervalWhenWindowMade, 2);
}

TEST_F(CommandLineTest, FileNamesRunToTheNextOptionAndLoseOnePairOfQuotes)
{
    parse("-F My Graph.Trendwick -Poll 5");
    parse("-F \"C:/My Graphs/router.Trendwick\"");
    parse("-F \"\"twice\"\"");
    parse("-F my -file.Trendwick");
    parse("-F a  b");
    parse("-F");
    EXPECT_EQ(host.files, QStringList({"My Graph.Trendwick", "C:/My Graphs/router.Trendwick", "\"twice\"",
                                       "my", "a  b", ""}));
    EXPECT_EQ(settings.PollInterval(), 5);
    EXPECT_TRUE(host.windows.empty());

    // Files and MIBs mix: each -F opens its own window, the -MIB options share theirs.
    parse("-Node n -Community c -MIB a -F x.Trendwick -MIB b");
    EXPECT_EQ(host.events.mid(host.events.size() - 4),
              QStringList({"NewGraphWindow", "GraphMIB a", "Open x.Trendwick", "GraphMIB b"}));
}

TEST_F(CommandLineTest, PollIsReadAsALeadingNumberRoundedHalfToEvenAndClampedByTheSetting)
{
    const std::vector<std::pair<QString, qint32>> cases{{"2.5", 2}, {"3.5", 4}, {"2s", 2},
                                                        {"7.6", 8}, {"0", 1},   {"5000", 600},
                                                        {"abc", 1}, {"-3", 1},  {"1e30", 600}};
    for (const auto& [text, expected] : cases) {
        settings.setPollInterval(30);
        EXPECT_EQ(parse("-poll " + text), CommandLineParser::Outcome::Done);
        EXPECT_EQ(settings.PollInterval(), expected) << text.toStdString();
    }

    // A -Poll after the -MIB comes too late for the command-line window.
    settings.setPollInterval(10);
    parse("-Node 10.10.1.1 -Community mossel -MIB hrSystemProcesses -Poll 5");
    EXPECT_EQ(host.windows.at(0)->calls.at(0).pollIntervalWhenWindowMade, 10);
    EXPECT_EQ(settings.PollInterval(), 5);
}

TEST_F(CommandLineTest, LogIsAppliedOnceAfterAllTokensToTheCommandLineWindow)
{
    EXPECT_EQ(parse("-Log first.csv -Node n -Community c -MIB a -Log run.csv -MIB b"),
              CommandLineParser::Outcome::Done);
    EXPECT_EQ(host.events, QStringList({"NewGraphWindow", "GraphMIB a", "GraphMIB b", "LogFilename run.csv",
                                        "LoggingEnabled true"}));
}

TEST_F(CommandLineTest, ErrorsEndInTheUsageWithAReason)
{
    for (const QString& line : {QStringLiteral("-Node n -MIB a -Poll"), QStringLiteral("-Node"),
                                QStringLiteral("-Community c -MIB"), QStringLiteral("-Log run.csv"),
                                QStringLiteral("-F x.Trendwick -Log run.csv")}) {
        EXPECT_EQ(parse(line), CommandLineParser::Outcome::Usage) << line.toStdString();
        EXPECT_FALSE(parser.Error().isEmpty()) << line.toStdString();
    }
    // The -Log without a window is found at the end, after everything else has run.
    EXPECT_EQ(host.files, QStringList({"x.Trendwick"}));

    host.failOpen = true;
    EXPECT_EQ(parse("-F x.Trendwick"), CommandLineParser::Outcome::Usage);
    EXPECT_TRUE(parser.Error().contains("cannot create window"));
}

TEST_F(CommandLineTest, HelpWordsAndExamplesStopTheParseAndUnknownWordsAreIgnored)
{
    for (const char* word : {"?", "help", "HeLp", "-?", "-HELP"}) {
        EXPECT_EQ(parse(QStringLiteral("-Node n ") + word + " -MIB a"), CommandLineParser::Outcome::Usage)
            << word;
        EXPECT_TRUE(parser.Error().isEmpty());
    }
    EXPECT_TRUE(host.windows.empty());

    EXPECT_EQ(parse("/? hello world -Xyz  --"), CommandLineParser::Outcome::Done);
    EXPECT_TRUE(host.events.isEmpty());

    EXPECT_EQ(parse("-F g.Trendwick -examples -F h.Trendwick"), CommandLineParser::Outcome::Examples);
    EXPECT_EQ(host.files, QStringList({"g.Trendwick"}));
}

TEST_F(CommandLineTest, OptionsMatchInAnyCaseAndValuesPassAsWritten)
{
    parse("-nOdE Router.Example -COMMUNITY MiXed -instance Eth0 -mib RFC1213-MIB:IfInOctets");
    const MIBCall& call = host.windows.at(0)->calls.at(0);
    EXPECT_EQ(call.target, "Router.Example");
    EXPECT_EQ(call.community, "MiXed");
    EXPECT_EQ(call.index, "Eth0");
    EXPECT_EQ(call.mib, "RFC1213-MIB:IfInOctets");
}

} // namespace
