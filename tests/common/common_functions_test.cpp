#include "common_functions.h"

#include <QDomDocument>
#include <QDomElement>
#include <QFileInfo>

#include <cmath>
#include <gtest/gtest.h>
#include <limits>

TEST(FormatMagnitude, BandsAtAndAroundEveryThreshold)
{
    // clang-format off
    const std::vector<std::tuple<double, bool, const char*>> cases = {
        {9600, false, "9600 B"},   {9601, false, "9.6 KB"},    {50000, false, "50.0 KB"}, {50001, false, "50 KB"},
        {999999, false, "1000 KB"},{1e6, false, "1.00 MB"},    {9e6, false, "9.00 MB"},   {9000001, false, "9 MB"},
        {1e9, false, "1.0 GB"},    {1e12, false, "1.0 TB"},    {2.5e18, false, "2500.0 PetaB"},
        // Base 1024 divides by powers of 1024 but keeps the decimal thresholds.
        {9601, true, "9.4 KB"},    {50001, true, "49 KB"},     {1e6, true, "0.95 MB"},    {1048576, true, "1.00 MB"},
        {1e9, true, "0.9 GB"},     {1e15, true, "0.9 PetaB"},
        // Signs follow the value; halves exact in binary round away from zero.
        {-2000000, false, "-2.00 MB"}, {-0.4, false, "0 B"}, {-12250, false, "-12.3 KB"}, {1125000, false, "1.13 MB"},
    };
    // clang-format on
    for (const auto& [value, binary, expected] : cases)
        EXPECT_EQ(FormatMagnitude(value, QStringLiteral("B"), binary).toStdString(), expected)
            << value << binary;
    EXPECT_EQ(FormatMagnitude(1500000, QStringLiteral("bps"), false), QStringLiteral("1.50 Mbps"));
}

TEST(Paths, FileNameFromPathAndNormalizeFolderPath)
{
    // clang-format off
    const std::vector<std::tuple<const char*, bool, const char*>> names = {
        {"C:\\Graphs\\router.Trendwick", false, "router.Trendwick"}, {"C:\\Graphs\\router.Trendwick", true, "router"},
        {"/home/me/a.b.csv", true, "a.b"}, {"mixed/dir\\name.txt", false, "name.txt"}, {"C:log.csv", true, "log"},
        {"noext", true, "noext"},          {"folder/", false, ""},                     {".profile", true, ""},
    };
    const std::vector<std::pair<const char*, const char*>> folders = {
        {"", ""}, {"C:", "C:\\"}, {"z:", "z:\\"}, {"1:", "1:"}, {"C:\\", "C:\\"}, {"a//b///c", "a\\b\\c"},
        {"C:\\\\\\\\dir\\\\", "C:\\dir\\"}, {"\\\\\\server\\\\share", "\\\\server\\share"},
        {"//server/share", "\\\\server\\share"}, {"\\dir", "\\dir"},
    };
    // clang-format on
    for (const auto& [path, strip, expected] : names)
        EXPECT_EQ(FileNameFromPath(QString::fromLatin1(path), strip), QString::fromLatin1(expected)) << path;
    for (const auto& [input, expected] : folders) {
        QString inOut = QString::fromLatin1(input);
        EXPECT_EQ(NormalizeFolderPath(inOut), QString::fromLatin1(expected)) << input;
        EXPECT_EQ(inOut, QString::fromLatin1(expected)) << input; // updated in place too
    }
}

TEST(Names, MakeSafeNameAndIsIPAddress)
{
    EXPECT_EQ(
        QStringList({MakeSafeName("C:\\My Graph", {}), MakeSafeName("ok-_.@Az09/x", {}),
                     MakeSafeName("Zürich<1>", {}), MakeSafeName({}, "Graph"), MakeSafeName(" ", "Graph")}),
        QStringList({"C__My_Graph", "ok-_.@Az09_x", "Z_rich_1_", "Graph", "_"}));

    for (const char* good :
         {"10.0.0.1", "10.0.0.1:161", "0.0.0.0:0", "255.255.255.255:32000", "127.000.0.01"})
        EXPECT_TRUE(IsIPAddress(QString::fromLatin1(good))) << good;
    for (const char* bad :
         {"10.0.0.1:32001", "10.0.0", "10.0.0.256", "a.b.c.d", "1.2.3.4:5:6", "", "1.2.3.4:", "1.2.3.4.5",
          "1..3.4", "-1.2.3.4", " 1.2.3.4", "1.2.3.4:-1", "1.2.3.4:99999999999999999"})
        EXPECT_FALSE(IsIPAddress(QString::fromLatin1(bad))) << bad;
}

TEST(DataFolder, JoinsNamesWithEitherSeparator)
{
    EXPECT_TRUE(QFileInfo(DataFolder()).isDir());
    EXPECT_EQ(DataFolderPath("schemes\\Dark") + DataFolderPath("\\Export"),
              DataFolder() + "/schemes/Dark" + DataFolder() + "/Export");
}

TEST(Xml, ElementsAndAttributesGetSafeNamesAndBooleansTheirTexts)
{
    QDomDocument document;
    QDomElement root = document.appendChild(document.createElement("Trendwick")).toElement();
    QDomElement element = AddXMLElement(document, root, "Main Title:1", "a < b");
    EXPECT_EQ(QStringList({element.tagName(), element.text()}), QStringList({"Main_Title_1", "a < b"}));
    EXPECT_FALSE(AddXMLElement(document, root, "Empty", QString()).hasChildNodes());
    EXPECT_TRUE(AddXMLElement(document, root, QString(), "x").isNull()); // no usable name
    EXPECT_EQ(root.childNodes().count(), 2);

    AddXMLAttribute(document, element, "Poll Interval", 30);
    EXPECT_FALSE(AddXMLAttribute(document, element, "Units", QVariant()).isNull());
    EXPECT_EQ(element.attribute("Units", "missing"), QString());
    // The same name again replaces the value rather than adding a second attribute.
    EXPECT_EQ(AddXMLAttribute(document, element, "Poll Interval", "60").name(), "Poll_Interval");
    EXPECT_EQ(element.attribute("Poll_Interval"), "60");
    EXPECT_EQ(element.attributes().count(), 2);

    EXPECT_EQ(BoolToXML(true) + BoolToXML(false), "TRUEFALSE");
    for (const char* yes : {"YES", "yes", "True", "TRUE", "1", "y", "Y"})
        EXPECT_TRUE(XMLToBool(QString::fromLatin1(yes))) << yes;
    for (const char* no : {"", "-1", "on", "True ", " yes", "2", "no", "FALSE", "t"})
        EXPECT_FALSE(XMLToBool(QString::fromLatin1(no))) << no;
}

TEST(Numbers, LeadingNumberAndHalfEvenRounding)
{
    // clang-format off
    const std::vector<std::pair<const char*, double>> texts = {
        {"12abc", 12}, {"-3.5e2x", -350}, {"abc", 0}, {"", 0}, {".5", 0.5}, {"5.", 5}, {"-.5", -0.5}, {"1e", 1},
        {"1e+", 1}, {"2E-1", 0.2}, {"+7", 7}, {" 42", 42}, {"1.2.3", 1.2}, {"e5", 0}, {"-", 0}, {"-.e1", 0},
        {"0x1F", 0}, {"3,5", 3}, {"007", 7},
    };
    const std::vector<std::pair<double, long long>> halves = {
        {2.5, 2}, {3.5, 4}, {-2.5, -2}, {-3.5, -4}, {0.5, 0}, {-0.5, 0}, {1.5, 2}, {4.5, 4}, {2.49, 2},
        {2.51, 3}, {-2.51, -3}, {-7.0, -7}, {5.5000001, 6}, {1e15 + 0.5, 1000000000000000},
    };
    // clang-format on
    for (const auto& [text, expected] : texts)
        EXPECT_DOUBLE_EQ(LeadingNumber(QString::fromLatin1(text)), expected) << text;
    EXPECT_TRUE(std::isinf(LeadingNumber(QStringLiteral("1e400"))));
    for (const auto& [value, expected] : halves)
        EXPECT_EQ(RoundHalfEven(value), expected) << value;
    EXPECT_EQ(RoundHalfEven(std::nan("")), 0);
    EXPECT_EQ(RoundHalfEven(-1e300), std::numeric_limits<long long>::min());
}
