#include "common_functions.h"

#include <QDir>
#include <QDomDocument>
#include <QDomElement>
#include <QFileInfo>
#include <QStandardPaths>

#include <cmath>
#include <gtest/gtest.h>

namespace {

struct MagnitudeCase {
    double value;
    const char* expected;
};

void expectMagnitudes(const std::vector<MagnitudeCase>& cases, bool powersOfTwo)
{
    for (const MagnitudeCase& c : cases) {
        EXPECT_EQ(FormatMagnitude(c.value, QStringLiteral("B"), powersOfTwo).toStdString(), c.expected)
            << "value " << c.value << (powersOfTwo ? " base 1024" : " base 1000");
    }
}

} // namespace

TEST(FormatMagnitude, DecimalBaseAtAndAroundEveryThreshold)
{
    expectMagnitudes({{0, "0 B"},
                      {512, "512 B"},
                      {9600, "9600 B"},
                      {9599.5, "9600 B"},
                      {9601, "9.6 KB"},
                      {12000, "12.0 KB"},
                      {50000, "50.0 KB"},
                      {50001, "50 KB"},
                      {999999, "1000 KB"},
                      {1e6, "1.00 MB"},
                      {1500000, "1.50 MB"},
                      {9e6, "9.00 MB"},
                      {9000001, "9 MB"},
                      {999999999, "1000 MB"},
                      {1e9, "1.0 GB"},
                      {999.9e9, "999.9 GB"},
                      {1e12, "1.0 TB"},
                      {1e15, "1.0 PetaB"},
                      {2.5e18, "2500.0 PetaB"}},
                     false);
}

TEST(FormatMagnitude, BinaryBaseKeepsDecimalThresholds)
{
    expectMagnitudes({{9600, "9600 B"},
                      {9601, "9.4 KB"},
                      {50000, "48.8 KB"},
                      {50001, "49 KB"},
                      {1e6, "0.95 MB"},
                      {1048576, "1.00 MB"},
                      {9e6, "8.58 MB"},
                      {9000001, "9 MB"},
                      {1e9, "0.9 GB"},
                      {1e12, "0.9 TB"},
                      {1e15, "0.9 PetaB"}},
                     true);
}

TEST(FormatMagnitude, SignsRoundingAndUnits)
{
    expectMagnitudes({{-2000000, "-2.00 MB"}, {-9601, "-9.6 KB"}, {-512, "-512 B"}, {-0.4, "0 B"}}, false);
    // Halves that are exact in binary round away from zero.
    expectMagnitudes({{12250, "12.3 KB"}, {-12250, "-12.3 KB"}, {2.5, "3 B"}, {1125000, "1.13 MB"}}, false);
    EXPECT_EQ(FormatMagnitude(1500000, QStringLiteral("bps"), false), QStringLiteral("1.50 Mbps"));
    EXPECT_EQ(FormatMagnitude(512, QString(), false), QStringLiteral("512 "));
}

TEST(Paths, FileNameFromPathTakesEitherSeparatorAndDrive)
{
    EXPECT_EQ(FileNameFromPath(QStringLiteral("C:\\Graphs\\router.Trendwick"), false),
              QStringLiteral("router.Trendwick"));
    EXPECT_EQ(FileNameFromPath(QStringLiteral("C:\\Graphs\\router.Trendwick"), true),
              QStringLiteral("router"));
    EXPECT_EQ(FileNameFromPath(QStringLiteral("/home/me/a.b.csv"), true), QStringLiteral("a.b"));
    EXPECT_EQ(FileNameFromPath(QStringLiteral("mixed/dir\\name.txt"), false), QStringLiteral("name.txt"));
    EXPECT_EQ(FileNameFromPath(QStringLiteral("C:log.csv"), true), QStringLiteral("log"));
    EXPECT_EQ(FileNameFromPath(QStringLiteral("noext"), true), QStringLiteral("noext"));
    EXPECT_EQ(FileNameFromPath(QStringLiteral("folder/"), false), QString());
    EXPECT_EQ(FileNameFromPath(QStringLiteral(".profile"), true), QString());
}

TEST(Paths, NormalizeFolderPathUpdatesArgument)
{
    QString path = QStringLiteral("C:");
    EXPECT_EQ(NormalizeFolderPath(path), QStringLiteral("C:\\"));
    EXPECT_EQ(path, QStringLiteral("C:\\"));

    const std::vector<std::pair<QString, QString>> cases = {
        {QString(), QString()},
        {QStringLiteral("z:"), QStringLiteral("z:\\")},
        {QStringLiteral("1:"), QStringLiteral("1:")},
        {QStringLiteral("C:\\"), QStringLiteral("C:\\")},
        {QStringLiteral("a//b///c"), QStringLiteral("a\\b\\c")},
        {QStringLiteral("C:\\\\\\\\dir\\\\"), QStringLiteral("C:\\dir\\")},
        {QStringLiteral("\\\\\\server\\\\share"), QStringLiteral("\\\\server\\share")},
        {QStringLiteral("//server/share"), QStringLiteral("\\\\server\\share")},
        {QStringLiteral("\\dir"), QStringLiteral("\\dir")},
    };
    for (const auto& [input, expected] : cases) {
        QString inOut = input;
        EXPECT_EQ(NormalizeFolderPath(inOut), expected) << input.toStdString();
        EXPECT_EQ(inOut, expected) << input.toStdString();
    }
}

TEST(Names, MakeSafeNameKeepsOnlyPortableCharacters)
{
    EXPECT_EQ(MakeSafeName(QStringLiteral("C:\\My Graph"), QString()), QStringLiteral("C__My_Graph"));
    EXPECT_EQ(MakeSafeName(QStringLiteral("a/b:c"), QString()), QStringLiteral("a_b_c"));
    EXPECT_EQ(MakeSafeName(QStringLiteral("ok-_.@Az09"), QString()), QStringLiteral("ok-_.@Az09"));
    EXPECT_EQ(MakeSafeName(QStringLiteral("Zürich<1>"), QString()), QStringLiteral("Z_rich_1_"));
    EXPECT_EQ(MakeSafeName(QString(), QStringLiteral("Graph")), QStringLiteral("Graph"));
    EXPECT_EQ(MakeSafeName(QStringLiteral(" "), QStringLiteral("Graph")), QStringLiteral("_"));
}

TEST(Names, IsIPAddress)
{
    for (const char* good :
         {"10.0.0.1", "10.0.0.1:161", "0.0.0.0:0", "255.255.255.255:32000", "127.000.0.01"})
        EXPECT_TRUE(IsIPAddress(QString::fromLatin1(good))) << good;
    for (const char* bad : {"10.0.0.1:32001", "10.0.0", "10.0.0.256", "a.b.c.d", "1.2.3.4:5:6", "",
                            "1.2.3.4:", "1.2.3.4:port", "1.2.3.4.5", "1..3.4", "-1.2.3.4", " 1.2.3.4",
                            "1.2.3.4:-1", "router.example.com", "1.2.3.4:99999999999999999999"})
        EXPECT_FALSE(IsIPAddress(QString::fromLatin1(bad))) << bad;
}

TEST(DataFolder, LivesInUserDataFolderAndJoinsNames)
{
    const QString folder = DataFolder();
    EXPECT_EQ(folder, QStandardPaths::writableLocation(QStandardPaths::GenericDataLocation) + "/Brightfen");
    EXPECT_TRUE(QFileInfo(folder).isDir());
    EXPECT_EQ(DataFolderPath(QStringLiteral("\\Export")), folder + "/Export");
    EXPECT_EQ(DataFolderPath(QStringLiteral("/Export")), folder + "/Export");
    EXPECT_EQ(DataFolderPath(QStringLiteral("log.csv")), folder + "/log.csv");
    EXPECT_EQ(DataFolderPath(QStringLiteral("schemes\\Dark.GraphColorScheme")),
              folder + "/schemes/Dark.GraphColorScheme");
}

TEST(Xml, ElementsGetSafeNamesTextAndParent)
{
    QDomDocument document;
    QDomElement root = document.createElement(QStringLiteral("Trendwick"));
    document.appendChild(root);

    QDomElement element =
        AddXMLElement(document, root, QStringLiteral("Main Title:1"), QStringLiteral("a < b"));
    ASSERT_FALSE(element.isNull());
    EXPECT_EQ(element.tagName(), QStringLiteral("Main_Title_1"));
    EXPECT_EQ(element.text(), QStringLiteral("a < b"));
    EXPECT_EQ(element.parentNode(), root);

    QDomElement empty = AddXMLElement(document, root, QStringLiteral("Empty"), QString());
    EXPECT_FALSE(empty.hasChildNodes());
    EXPECT_EQ(root.childNodes().count(), 2);

    // Nothing is appended when no usable name is left.
    EXPECT_TRUE(AddXMLElement(document, root, QString(), QStringLiteral("x")).isNull());
    EXPECT_EQ(root.childNodes().count(), 2);

    QDomDocument reread;
    ASSERT_TRUE(reread.setContent(document.toString()));
    EXPECT_EQ(reread.documentElement().firstChildElement(QStringLiteral("Main_Title_1")).text(),
              QStringLiteral("a < b"));
}

TEST(Xml, AttributesTakeVariantsAndNull)
{
    QDomDocument document;
    QDomElement node = document.createElement(QStringLiteral("Target"));
    document.appendChild(node);

    QDomAttr number = AddXMLAttribute(document, node, QStringLiteral("Poll Interval"), QVariant(30));
    EXPECT_EQ(number.name(), QStringLiteral("Poll_Interval"));
    EXPECT_EQ(node.attribute(QStringLiteral("Poll_Interval")), QStringLiteral("30"));

    QDomAttr nothing = AddXMLAttribute(document, node, QStringLiteral("Units"), QVariant());
    EXPECT_FALSE(nothing.isNull());
    EXPECT_TRUE(node.hasAttribute(QStringLiteral("Units")));
    EXPECT_EQ(node.attribute(QStringLiteral("Units"), QStringLiteral("missing")), QString());

    AddXMLAttribute(document, node, QStringLiteral("Scale"), QVariant(0.25));
    EXPECT_EQ(node.attribute(QStringLiteral("Scale")), QStringLiteral("0.25"));

    // The same name again replaces the value rather than adding a second attribute.
    AddXMLAttribute(document, node, QStringLiteral("Poll Interval"), QStringLiteral("60"));
    EXPECT_EQ(node.attribute(QStringLiteral("Poll_Interval")), QStringLiteral("60"));
    EXPECT_EQ(node.attributes().count(), 3);
}

TEST(Xml, BooleanTexts)
{
    EXPECT_EQ(BoolToXML(true), QStringLiteral("TRUE"));
    EXPECT_EQ(BoolToXML(false), QStringLiteral("FALSE"));
    EXPECT_TRUE(XMLToBool(BoolToXML(true)));
    EXPECT_FALSE(XMLToBool(BoolToXML(false)));
    for (const char* yes : {"YES", "yes", "True", "true", "1", "y", "Y"})
        EXPECT_TRUE(XMLToBool(QString::fromLatin1(yes))) << yes;
    for (const char* no : {"", "-1", "on", "True ", " yes", "2", "no", "FALSE", "t"})
        EXPECT_FALSE(XMLToBool(QString::fromLatin1(no))) << no;
}

TEST(Numbers, LeadingNumberReadsDecimalPrefix)
{
    const std::vector<std::pair<const char*, double>> cases = {
        {"12abc", 12},  {"-3.5e2x", -350}, {"abc", 0},    {"", 0},       {".5", 0.5}, {"5.", 5},
        {"-.5", -0.5},  {"1e", 1},         {"1e+", 1},    {"2E-1", 0.2}, {"+7", 7},   {" 42", 42},
        {"1.2.3", 1.2}, {"e5", 0},         {"-", 0},      {".", 0},      {"-.e1", 0}, {"0x1F", 0},
        {"3,5", 3},     {"007", 7},        {"12 34", 12},
    };
    for (const auto& [text, expected] : cases)
        EXPECT_DOUBLE_EQ(LeadingNumber(QString::fromLatin1(text)), expected) << text;
    EXPECT_TRUE(std::isinf(LeadingNumber(QStringLiteral("1e400"))));
    EXPECT_LT(LeadingNumber(QStringLiteral("-1e400")), 0);
}

TEST(Numbers, RoundHalfEven)
{
    const std::vector<std::pair<double, long long>> cases = {
        {2.5, 2},
        {3.5, 4},
        {-2.5, -2},
        {-3.5, -4},
        {0.5, 0},
        {1.5, 2},
        {-0.5, 0},
        {2.49, 2},
        {2.51, 3},
        {-2.51, -3},
        {7.0, 7},
        {-7.0, -7},
        {1e15 + 0.5, 1000000000000000},
        {0.0, 0},
        {-1.5, -2},
        {4.5, 4},
        {5.5000001, 6},
    };
    for (const auto& [value, expected] : cases)
        EXPECT_EQ(RoundHalfEven(value), expected) << value;
    EXPECT_EQ(RoundHalfEven(std::nan("")), 0);
    EXPECT_EQ(RoundHalfEven(1e300), std::numeric_limits<long long>::max());
    EXPECT_EQ(RoundHalfEven(-1e300), std::numeric_limits<long long>::min());
}
