// The fast reading of answer texts must agree with the locale-aware one it short-cuts.
#include "response_number.h"

#include <locale_number.h>

#include <QLocale>
#include <QStringList>
#include <gtest/gtest.h>
#include <limits>

TEST(ResponseNumber, AgreesWithTheLocaleAwareReading)
{
    // The last but one is a Counter64 beyond the short cut; the last, Arabic-Indic digits.
    const QStringList texts{
        "0", "40", "-17", "007", "999999999999999", "4294967295",           "1.5",         " 42 ",
        "-", "",   "12a", "abc", "1.3.6.1.2.1",     "18446744073709551615", "\u0661\u0662"};
    for (const char* name : {"C", "de_DE", "ar_EG"}) {
        QLocale::setDefault(QLocale(QString::fromLatin1(name)));
        for (const QString& text : texts) {
            const std::optional<double> expected = LocaleNumber(text), fast = ResponseNumber(text);
            ASSERT_EQ(fast.has_value(), expected.has_value()) << name << " \"" << text.toStdString() << '"';
            if (expected) {
                EXPECT_EQ(*fast, *expected) << name << " \"" << text.toStdString() << '"';
            }
        }
    }
    QLocale::setDefault(QLocale::c());
    // Integers that came as numbers read as their written-out texts do.
    for (const SnmpValue& value :
         {SnmpValue::Signed(-17), SnmpValue::Signed(std::numeric_limits<qint64>::min()),
          SnmpValue::Unsigned(4294967295u), SnmpValue::Unsigned(std::numeric_limits<quint64>::max())})
        EXPECT_EQ(ResponseNumber(value), ResponseNumber(value.ToText())) << value.ToText().toStdString();
    EXPECT_EQ(ResponseNumber(SnmpValue::Text(QStringLiteral("12"))), 12.0);
    EXPECT_FALSE(ResponseNumber(SnmpValue()).has_value());
}
