#include "settings/NumberConversions.h"

#include "common/ScopedLocale.h"

#include <cstdint>
#include <functional>
#include <gtest/gtest.h>
#include <limits>
#include <vector>

using namespace assi;
using namespace Qt::StringLiterals;

namespace {

constexpr const char* Portuguese = "pt_PT.UTF-8";
constexpr const char* English = "en_US.UTF-8";

enum class Outcome { Value, NotANumber, OutOfRange };

struct Case {
    QString text;
    Outcome outcome;
    double value = 0;
};

Case is(const char16_t* text, double value) {
    return {QString::fromUtf16(text), Outcome::Value, value};
}
Case notANumber(const char16_t* text) {
    return {QString::fromUtf16(text), Outcome::NotANumber};
}
Case outOfRange(const char16_t* text) {
    return {QString::fromUtf16(text), Outcome::OutOfRange};
}

// Runs `convert` on every case under `locale` (the process's regional format).
void expectConversions(const char* locale, const std::function<double(QStringView)>& convert,
                       const std::vector<Case>& cases) {
    test::ScopedLocale scoped(locale);
    if (!scoped.ok())
        GTEST_SKIP() << locale << " is not installed";
    for (const Case& c : cases) {
        const std::string label = std::string(locale) + " \"" + c.text.toStdString() + "\"";
        try {
            const double value = convert(c.text);
            EXPECT_EQ(c.outcome, Outcome::Value) << label << " gave " << value;
            if (c.outcome == Outcome::Value) {
                EXPECT_EQ(value, c.value) << label;
            }
        } catch (const ConversionError& error) {
            const Outcome got = error.describe(c.text).endsWith(u"não é um número"_s)
                                    ? Outcome::NotANumber
                                    : Outcome::OutOfRange;
            EXPECT_EQ(got, c.outcome) << label;
        }
    }
}

const auto leadingWhole = [](QStringView t) { return double(parseLeadingWholeNumber(t)); };
const auto strictWhole = [](QStringView t) { return double(parseStrictWholeNumber(t)); };
const auto whole16 = [](QStringView t) { return double(parseWholeNumber16(t)); };
const auto decimal = [](QStringView t) { return double(parseStrictDecimal(t)); };
const auto fontSize = [](QStringView t) { return parseFontPointSize(t); };

constexpr double Int32Max = std::numeric_limits<std::int32_t>::max();
constexpr double Int32Min = std::numeric_limits<std::int32_t>::min();

} // namespace

TEST(RoundHalfToEven, HalvesGoToTheEvenNeighbour) {
    const std::pair<double, double> cases[] = {{2.5, 2},  {3.5, 4}, {-2.5, -2},    {-3.5, -4},
                                               {0.5, 0},  {1.5, 2}, {2.4, 2},      {2.6, 3},
                                               {-0.4, 0}, {7, 7},   {1e300, 1e300}};
    for (const auto& [value, rounded] : cases)
        EXPECT_EQ(roundHalfToEven(value), rounded) << value;
}

TEST(RegionalFormat, ReadsTheSeparatorsOfTheProcessLocale) {
    struct Case {
        const char* locale;
        QString decimal;
        QString group;
    };
    for (const Case& c : {Case{Portuguese, u","_s, u""_s}, Case{English, u"."_s, u","_s},
                          Case{"C", u"."_s, u""_s}}) {
        test::ScopedLocale scoped(c.locale);
        if (!scoped.ok())
            GTEST_SKIP() << c.locale << " is not installed";
        const RegionalFormat format = RegionalFormat::current();
        EXPECT_EQ(format.decimalSeparator, c.decimal) << c.locale;
        EXPECT_EQ(format.groupSeparator, c.group) << c.locale;
    }
}

// The leading number ignores the regional format: the same table holds under both locales.
TEST(LeadingWholeNumber, ReadsTheLongestLeadingNumberUnderAnyLocale) {
    const std::vector<Case> cases = {
        is(u"&HFF", 255),
        is(u"&hff", 255),
        is(u"&HFFFF", 65535), // the 32-bit pattern, not a 16-bit one
        is(u"&HFF0000", 16711680),
        is(u"&H80000005", -2147483643), // system colours keep their top bit
        is(u"&HFFFFFFFF", -1),
        outOfRange(u"&H100000000"),
        is(u"&H", 0),
        is(u"&HG1", 0),
        is(u"&HFF.9", 255),
        is(u"&O17", 15),
        is(u"&O37777777777", -1),
        is(u"&O8", 0),
        is(u"12,5", 12), // reading stops at the comma
        is(u"12.5", 12),
        is(u"13.5", 14),
        is(u"-2.5", -2),
        is(u"-3.5", -4),
        is(u"0.5", 0),
        is(u".51", 1),
        is(u"", 0),
        is(u"vermelho", 0),
        is(u"12abc", 12),
        is(u"  1 2 3  ", 123), // blanks, tabs and line feeds are ignored anywhere
        is(u"\t4\n2", 42),
        is(u"1\r2", 1), // a carriage return is not
        is(u"+7", 7),
        is(u"- 7", -7),
        is(u"--7", 0),
        is(u"1.5E2", 150),
        is(u"2e+1x", 20),
        is(u"1e", 1),
        is(u"1e-1", 0),
        is(u"1,234", 1), // no group separator, even where the locale has one
        is(u"& HF", 0),  // "&H" only with the letter right after the '&'
        is(u" &H F", 15),
        is(u"1d2", 100), // D is an exponent letter too
        is(u"1D-1", 0),
        is(u"2.5d1", 25),
        is(u"2147483647", Int32Max),
        outOfRange(u"2147483647.5"),
        outOfRange(u"2147483648"),
        is(u"-2147483648", Int32Min),
        is(u"-2147483648.5", Int32Min),
        outOfRange(u"1e400"),
        is(u"1e-400", 0),
        is(u"00000000000000000000000000000042", 42),
    };
    expectConversions(English, leadingWhole, cases);
    expectConversions(Portuguese, leadingWhole, cases);
}

TEST(StrictWholeNumber, ReadsTheWholeTextInTheEnglishFormat) {
    expectConversions(English, strictWhole,
                      {
                          is(u"255", 255),
                          is(u" 255\t", 255), // blanks around the number are allowed
                          is(u"+5", 5),
                          is(u"-5", -5),
                          is(u"1,234", 1234),
                          is(u"1,234,567", 1234567),
                          is(u"1,234.5", 1234), // halves to even
                          is(u"12,34", 1234),   // group separators anywhere in the integer part
                          is(u"1234,567", 1234567),
                          is(u"12,5", 125),
                          notANumber(u",123"),
                          notANumber(u"1.5,0"),
                          is(u"12.5", 12),
                          is(u"13.5", 14),
                          is(u"-12.5", -12),
                          is(u"1.", 1),
                          is(u".5", 0),
                          notANumber(u"."),
                          is(u"&HFF", 255),
                          is(u" &HFFFFFF ", 16777215),
                          is(u"&H80000005", -2147483643),
                          is(u"&O17", 15),
                          notANumber(u"&H"),
                          notANumber(u"&HFFZ"),
                          notANumber(u"-&HFF"),
                          is(u"1E3", 1000),
                          notANumber(u"1e"),
                          notANumber(u""),
                          notANumber(u"   "),
                          notANumber(u"abc"),
                          notANumber(u"12abc"),
                          notANumber(u"1 2"),
                          is(u"(5)", -5), // accounting negatives, trailing signs, currency
                          is(u"5-", -5),
                          is(u" - 1234 ", -1234),
                          is(u"1234 +", 1234),
                          is(u"$5", 5),
                          is(u"5 $", 5),
                          is(u"-$5", -5),
                          is(u"$ -5", -5),
                          is(u"($1,234)", -1234),
                          notANumber(u"(-5)"), // one way of saying negative at a time
                          notANumber(u"--5"),
                          notANumber(u"-5-"),
                          notANumber(u"+5-"),
                          notANumber(u"$5$"),
                          notANumber(u"€5"), // not this locale's currency
                          notANumber(u"(5"),
                          notANumber(u"()"),
                          notANumber(u"$"),
                          notANumber(u"inf"),
                          notANumber(u"nan"),
                          is(u"2147483647", Int32Max),
                          outOfRange(u"2147483648"),
                          is(u"-2147483648", Int32Min),
                          is(u"-2147483648.5", Int32Min),
                          outOfRange(u"1e10"),
                          outOfRange(u"1e400"),
                          outOfRange(u"&H123456789"),
                      });
}

TEST(StrictWholeNumber, ReadsTheWholeTextInThePortugueseFormat) {
    expectConversions(Portuguese, strictWhole,
                      {
                          is(u"255", 255),
                          is(u"12,5", 12),
                          is(u"13,5", 14),
                          is(u"-0,5", 0),
                          is(u"1,234", 1), // a decimal comma here, not a group separator
                          notANumber(u"12.5"),
                          notANumber(u"1.234"), // no group separator in this locale
                          notANumber(u"1 234"),
                          is(u"5 €", 5),
                          is(u"(2,5)", -2),
                          is(u"3-", -3),
                          notANumber(u"$5"),
                          is(u"&HFF", 255),
                          is(u"1E3", 1000),
                          notANumber(u""),
                      });
}

TEST(WholeNumber16, RoundsHalvesToEvenWithinSixteenBits) {
    expectConversions(English, whole16,
                      {
                          is(u"5", 5),
                          is(u"0", 0),
                          is(u"2.5", 2),
                          is(u"3.5", 4),
                          is(u"-1", -1),
                          is(u"32767", 32767),
                          outOfRange(u"32767.5"),
                          outOfRange(u"32768"),
                          is(u"-32768.5", -32768),
                          outOfRange(u"-32769"),
                          outOfRange(u"&HFFFF"),
                          notANumber(u""),
                          notANumber(u"cinco"),
                      });
    expectConversions(Portuguese, whole16,
                      {is(u"2,5", 2), is(u"3,5", 4), notANumber(u"2.5"), is(u"10", 10)});
}

TEST(StrictDecimal, ReadsASingleUnderTheRegionalFormat) {
    expectConversions(English, decimal,
                      {
                          is(u"12.5", 12.5),
                          is(u" 300 ", 300),
                          is(u"1,234.5", 1234.5),
                          is(u"0.1", double(0.1f)), // a single, not a double
                          is(u"&H10", 16),
                          is(u"3.4e38", double(3.4e38f)),
                          is(u"1e-50", 0),
                          outOfRange(u"1e39"),
                          outOfRange(u"-1e39"),
                          notANumber(u""),
                          is(u"12,5", 125),
                          is(u"1,5", 15),
                          is(u"(0.5)", -0.5),
                          notANumber(u"alto"),
                      });
    expectConversions(
        Portuguese, decimal,
        {is(u"12,5", 12.5), is(u" 0,25 ", 0.25), notANumber(u"12.5"), notANumber(u"")});
}

TEST(FontPointSize, AcceptsSizesAboveZeroUpTo2048) {
    expectConversions(English, fontSize,
                      {
                          is(u"12", 12),
                          is(u"10.5", 10.5),
                          is(u"2048", 2048),
                          outOfRange(u"2048.5"),
                          outOfRange(u"0"),
                          outOfRange(u"-8"),
                          notANumber(u""),
                          notANumber(u"grande"),
                      });
    expectConversions(Portuguese, fontSize, {is(u"10,5", 10.5), notANumber(u"10.5")});
}
