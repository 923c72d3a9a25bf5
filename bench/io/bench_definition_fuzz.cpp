// Mutates a real graph definition 10,000 times (byte flips, truncations, huge and odd numbers,
// deep nesting, attribute-name case changes, duplicated and dropped lines) and loads each one into
// a fresh graph, then writes the graph back out. Finishing is the test; the figures show what
// reading costs next to bare parsing of the same texts.
//
// bench_definition_fuzz [count] [seed]
#include <graph_definition.h>
#include <io_fixture.h>

#include <clock.h>
#include <settings.h>

#include <QCoreApplication>
#include <QDomDocument>
#include <QElapsedTimer>
#include <QFile>
#include <QMap>
#include <QRegularExpression>
#include <QTemporaryDir>
#include <cstdio>
#include <random>

using Random = std::mt19937;

static int Pick(Random& random, int low, int high)
{
    return std::uniform_int_distribution<int>(low, high)(random);
}

static void FlipBytes(QByteArray& text, Random& random)
{
    // Half the time printable characters that keep the markup intact, so the garbage reaches the
    // readers of the values instead of stopping at the parser.
    const bool printable = Pick(random, 0, 1) == 0;
    for (int i = Pick(random, 1, 8); i > 0 && !text.isEmpty(); --i) {
        char c = char(Pick(random, 0, 255));
        if (printable)
            c = "0123456789-.eE +abcXYZ|,;:/=#!?_"[Pick(random, 0, 32)];
        const int at = Pick(random, 0, int(text.size()) - 1);
        if (!printable || (text[at] != '<' && text[at] != '>' && text[at] != '"' && text[at] != '='))
            text[at] = c;
    }
}

static void Truncate(QByteArray& text, Random& random)
{
    text.truncate(Pick(random, 0, int(text.size())));
}

// Rebuilds text with every match of pattern passed through edit (in one pass: the nested
// texts below are megabytes long).
template <typename Edit>
static void EditMatches(QByteArray& text, const QRegularExpression& pattern, Edit edit)
{
    const QString source = QString::fromUtf8(text);
    QString result;
    qsizetype done = 0;
    QRegularExpressionMatchIterator matches = pattern.globalMatch(source);
    while (matches.hasNext()) {
        const QRegularExpressionMatch match = matches.next();
        result += QStringView(source).mid(done, match.capturedStart() - done);
        result += edit(match);
        done = match.capturedEnd();
    }
    result += QStringView(source).mid(done);
    text = result.toUtf8();
}

static void HugeNumbers(QByteArray& text, Random& random)
{
    static const char* const odd[] = {"1e999999",   "-1e308",
                                      "4.5e-400",   "99999999999999999999999",
                                      "2147483648", "-2147483649",
                                      "32768",      "-32769",
                                      "nan",        "inf",
                                      "-0.5",       "0x7fffffff",
                                      "1e",         ".",
                                      "-",          "   12abc",
                                      "1.5e+",      "340282366920938463463374607431768211456"};
    static const QRegularExpression number(QStringLiteral("\"-?[0-9][0-9.]*\""));
    EditMatches(text, number, [&random](const QRegularExpressionMatch& match) {
        if (Pick(random, 0, 2) != 0)
            return match.captured();
        const QString value = Pick(random, 0, 9) == 0
                                  ? QStringLiteral("1") + QString(Pick(random, 400, 5000), '0')
                                  : QString::fromLatin1(odd[Pick(random, 0, std::size(odd) - 1)]);
        return QLatin1Char('"') + value + QLatin1Char('"');
    });
}

static void DeepNesting(QByteArray& text, Random& random)
{
    const int depth = Pick(random, 0, 1) == 0 ? Pick(random, 2, 256) : Pick(random, 257, 100000);
    const char* const places[] = {"<Axes>", "<TargetOIDs>", "<Trendwick>"};
    const int at = int(text.indexOf(places[Pick(random, 0, 2)]));
    if (at < 0)
        return;
    QByteArray nested = QByteArray("<x>").repeated(depth);
    if (Pick(random, 0, 3) != 0)
        nested += QByteArray("</x>").repeated(depth);
    text.insert(int(text.indexOf('>', at)) + 1, nested);
}

static void ChangeNameCase(QByteArray& text, Random& random)
{
    static const QRegularExpression name(QStringLiteral(" ([A-Za-z]+)="));
    EditMatches(text, name, [&random](const QRegularExpressionMatch& match) {
        const QString attribute = match.captured(1);
        switch (Pick(random, 0, 3)) {
        case 0:
            return QLatin1Char(' ') + attribute.toLower() + QLatin1Char('=');
        case 1: { // the same attribute twice, spelled differently
            const QString other =
                attribute == attribute.toUpper() ? attribute.toLower() : attribute.toUpper();
            return QLatin1Char(' ') + other + QStringLiteral("=\"7\" ") + attribute + QLatin1Char('=');
        }
        default:
            return match.captured();
        }
    });
}

static void ShuffleLines(QByteArray& text, Random& random)
{
    QList<QByteArray> lines = text.split('\n');
    for (int i = Pick(random, 1, 3); i > 0 && lines.size() > 1; --i) {
        const int line = Pick(random, 0, int(lines.size()) - 1);
        if (Pick(random, 0, 1) == 0)
            lines.removeAt(line);
        else
            lines.insert(line, lines.at(line));
    }
    text = lines.join('\n');
}

static QByteArray Mutated(const QByteArray& seed, Random& random)
{
    using Mutation = void (*)(QByteArray&, Random&);
    static const Mutation mutations[] = {FlipBytes,   Truncate,       HugeNumbers,
                                         DeepNesting, ChangeNameCase, ShuffleLines};
    QByteArray text = seed;
    for (int i = Pick(random, 1, 2); i > 0; --i)
        mutations[Pick(random, 0, std::size(mutations) - 1)](text, random);
    return text;
}

int main(int argc, char** argv)
{
    QTemporaryDir home;
    qputenv("XDG_CONFIG_HOME", (home.path() + "/config").toUtf8());
    qputenv("XDG_DATA_HOME", (home.path() + "/data").toUtf8());
    QCoreApplication app(argc, argv);
    const int count = argc > 1 ? std::atoi(argv[1]) : 10000;
    const unsigned seed = argc > 2 ? unsigned(std::strtoul(argv[2], nullptr, 10)) : 20261205u;

    QFile file(QStringLiteral(TW_FUZZ_SEED_FILE));
    if (!file.open(QIODevice::ReadOnly)) {
        std::fprintf(stderr, "cannot read %s\n", TW_FUZZ_SEED_FILE);
        return 2;
    }
    const QByteArray original = file.readAll();
    Random random(seed);
    ManualClock clock;
    Settings settings;
    int loaded = 0;
    QMap<QString, int> reasons;
    qint64 written = 0;
    double loadMs = 0;
    double parseMs = 0;
    double comparedLoadMs = 0;
    int compared = 0;
    QElapsedTimer timer;
    // Texts are made one at a time: the nested ones run to megabytes.
    for (int i = 0; i < count; ++i) {
        const QString text = QString::fromUtf8(Mutated(original, random));

        FakeGraphHost host(clock, settings);
        GraphDefinition definition(host);
        timer.start();
        if (definition.SetXML(text))
            ++loaded;
        else
            ++reasons[definition.LastError().section(QStringLiteral(" (line"), 0, 0)];
        const double oneLoadMs = double(timer.nsecsElapsed()) / 1e6;
        loadMs += oneLoadMs;

        // Baseline: QtXml alone over the same text, unless it is one of the deeply nested ones
        // that QtXml alone would take minutes over.
        if (!definition.LastError().startsWith(QLatin1String("Elements nested"))) {
            timer.start();
            QDomDocument document;
            document.setContent(text);
            document.clear();
            parseMs += double(timer.nsecsElapsed()) / 1e6;
            comparedLoadMs += oneLoadMs;
            ++compared;
        }
        written += definition.GetXML().size();
    }

    std::printf("definitions: %d (seed %u), loaded %d, refused %d, %lld characters written back\n", count,
                seed, loaded, count - loaded, static_cast<long long>(written));
    for (auto reason = reasons.cbegin(); reason != reasons.cend(); ++reason)
        std::printf("  refused %5d: %s\n", reason.value(), qPrintable(reason.key()));
    std::printf("SetXML, all texts:        %10.1f ms  %8.3f ms per definition\n", loadMs, loadMs / count);
    std::printf("SetXML, %5d texts:       %10.1f ms  %8.3f ms per definition\n", compared, comparedLoadMs,
                comparedLoadMs / std::max(compared, 1));
    std::printf("QDomDocument, same texts: %10.1f ms  %8.3f ms per definition\n", parseMs,
                parseMs / std::max(compared, 1));
    std::printf("SetXML / parse ratio:     %10.2f\n", comparedLoadMs / std::max(parseMs, 1e-9));
    return 0;
}
