#include <conversion_chain.h>
#include <locale_number.h>
#include <rgb_color.h>

#include <QLocale>
#include <gtest/gtest.h>

static double Convert(const QString& text, double x, const QLocale& locale = QLocale::c())
{
    return ConversionChain(text, locale).Apply(x);
}

TEST(ConversionChain, StepsApplyLeftToRightUntilAnUnknownOperator)
{
    const struct {
        const char* text;
        double x;
        double expected;
    } cases[] = {
        // clang-format off
        {"*8", 100, 800}, {"*8/1000", 1000, 8}, {"/100", 4250, 42.5}, {"+2*3", 1, 9}, {"-5*2", 10, 10},
        {"", 7, 7},
        // Blanks go before reading; a group separator inside a number; a leading decimal point;
        // a second point starts an unknown operator.
        {"/ 1 000", 5000, 5}, {" * 8\t", 2, 16}, {"*1,000", 3, 3000}, {"*.5", 3, 1.5}, {"*1.5.3", 2, 3},
        // A zero operand (also no number at all) abandons every step, even those already applied; the
        // zero check comes before the operator.
        {"*0", 123, 123}, {"+0", 123, 123}, {"*8/0", 123, 123}, {"*8+", 123, 123}, {"*8x", 123, 123},
        {"*.", 123, 123}, {"*8/0.0", 123, 123},
        // An unknown operator ends the chain; nothing after it is read.
        {"*8x2", 10, 80}, {"*8x2/0", 10, 80}, {"x2*8", 10, 10}, {"%3", 10, 10},
        // Integer division rounds both sides half to even, then cuts toward zero; a divisor that
        // rounds to 0 abandons the chain; results beyond 32 bits stop at the limit.
        {"\\3", 10, 3}, {"\\2", 2.5, 1}, {"\\2", 3.5, 2}, {"\\2", 4.5, 2}, {"\\2", 5.5000001, 3},
        {"\\2", -7, -3}, {"\\2.5", 9, 4}, {"\\3.5", 9, 2}, {"*10\\0.4", 9, 9}, {"\\1", 1e12, 2147483647},
        {"\\2+0.5", 7, 3.5},
        // Operands are single precision.
        {"*0.1", 1, double(0.1f)}, {"+16777217", 0, 16777216.0},
        // clang-format on
    };
    for (const auto& c : cases)
        EXPECT_EQ(Convert(QString::fromLatin1(c.text), c.x), c.expected) << c.text << " on " << c.x;
}

TEST(ConversionChain, ReadsNumbersInTheLocaleThenInC)
{
    // "*0.5" falls back to the C locale; ",5" is no number in C.
    const QLocale german(QLocale::German, QLocale::Germany);
    EXPECT_EQ(QList<double>({Convert("*0,5", 10, german), Convert("*1.000", 3, german),
                             Convert("*0.5", 10, german), Convert("*0,5", 10)}),
              QList<double>({5, 3000, 5, 10}));
}

TEST(LocaleNumber, ValueTexts)
{
    for (const auto& [text, value] : {std::pair{"12345", 12345.0},
                                      {" 42 ", 42.0},
                                      {"-1.5", -1.5},
                                      {"18446744073709551615", 18446744073709551615.0}})
        EXPECT_EQ(LocaleNumber(text), value) << text;
    for (const char* text : {"abc", "", "12 apples"})
        EXPECT_FALSE(LocaleNumber(text).has_value()) << text;
    const QLocale original;
    QLocale::setDefault(QLocale(QLocale::German, QLocale::Germany));
    EXPECT_EQ(LocaleNumber("1,5"), 1.5);
    EXPECT_EQ(LocaleNumber("2.5"), 2.5) << "the C locale still applies";
    QLocale::setDefault(original);
}

TEST(RGBColor, WindowsLayoutMapsToQColor)
{
    EXPECT_EQ(RGBColor(0x12, 0x34, 0x56), 0x563412);
    EXPECT_EQ(ToQColor(RGBColor(200, 10, 64)), QColor(200, 10, 64));
    EXPECT_EQ(ToRGBColor(QColor(1, 2, 3, 4)), RGBColor(1, 2, 3));
    EXPECT_EQ(ToQColor(-1), QColor(255, 255, 255));
}
