#include "calc/decimal_scaling.h"
#include "calc/density.h"
#include "calc/errors.h"
#include "calc/field_values.h"
#include "calc/powers_of_ten.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <bit>
#include <cmath>
#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <limits>
#include <optional>
#include <random>
#include <string>
#include <vector>

namespace varlo
{
namespace
{

constexpr Separators PointDecimal{u'.', u','};
constexpr Separators CommaDecimal{u',', u'.'};
constexpr double LargestDouble = std::numeric_limits<double>::max();

std::string Narrow(const std::u16string &text)
{
    std::string result;
    for (char16_t c : text)
        result += c < 0x80 ? static_cast<char>(c) : '?';
    return result;
}

// The same text for the other locale: "." and "," trade places.
std::u16string SwapPointAndComma(std::u16string text)
{
    for (char16_t &c : text)
        c = c == u'.' ? u',' : c == u',' ? u'.' : c;
    return text;
}

std::uint64_t Bits(double value)
{
    return std::bit_cast<std::uint64_t>(value);
}

struct ReadCase {
    std::u16string text;
    std::optional<double> number; // empty: the read overflows the double range
};

std::vector<ReadCase> PointReadCases()
{
    return {
        {u"", 0},
        {u"12.5", 12.5},
        {u"1,234.5", 1234.5},
        {u"1,2,3", 123},
        {u"12,5", 125},
        {u"000012.50", 12.5},
        {u"12.", 12},
        {u".5", 0.5},
        {u".", 0},
        {u"+7", 7},
        {u" 12.5 ", 12.5},
        {u"-", 0},
        {u"1.2.3", 0},
        {u"12 5", 0},
        {u"2.5E2", 250},
        {u"1E", 1},
        // The exponent stops taking digits at 500 and the last 0 is left over.
        {u"1E5000", 0},
        {u"1E400", std::nullopt},
        {u"1" + std::u16string(309, u'0'), std::nullopt},
        {u"17976931348623158" + std::u16string(292, u'0'), LargestDouble},
        // From the comma locale's table, seen through this locale.
        {u"1,5", 15},
        {u"1.234,5", 1.2345},
        // Beyond these rows.
        {u"\t12", 0},
        {u"-12.5", -12.5},
        {u"2.5e-2", 0.025},
        {u"1E4999", 0}, // beyond the extended range: unreadable, so 0 without an error
        {u"1E-400", 0},
        {u"- 5", 0},
    };
}

class ReadNumberValueTest : public testing::TestWithParam<Separators>
{
protected:
    // The cases are written for a point as decimal separator.
    std::u16string localised(const std::u16string &text) const
    {
        return GetParam() == PointDecimal ? text : SwapPointAndComma(text);
    }
};

TEST_P(ReadNumberValueTest, ReadsTheTableOfTexts)
{
    for (const ReadCase &c : PointReadCases()) {
        const std::u16string text = localised(c.text);
        SCOPED_TRACE(Narrow(text));
        if (c.number) {
            EXPECT_EQ(Bits(ReadNumberValue(text, GetParam())), Bits(*c.number));
        } else {
            try {
                ReadNumberValue(text, GetParam());
                ADD_FAILURE() << "no overflow";
            } catch (const EOverflow &error) {
                EXPECT_EQ(error.message(), "Floating point overflow");
            }
        }
    }
}

TEST_P(ReadNumberValueTest, ReadsTheCommaLocaleTable)
{
    const ReadCase commaCases[] = {
        {u"12,5", 12.5}, {u"1.234,5", 1234.5}, {u"1.5", 15}, {u",5", 0.5}, {u"1,2,3", 0},
    };
    for (const ReadCase &c : commaCases) {
        // These are written for a comma as decimal separator.
        const std::u16string text = GetParam() == CommaDecimal ? c.text : SwapPointAndComma(c.text);
        SCOPED_TRACE(Narrow(text));
        EXPECT_EQ(ReadNumberValue(text, GetParam()), *c.number);
    }
}

INSTANTIATE_TEST_SUITE_P(BothLocales, ReadNumberValueTest,
                         testing::Values(PointDecimal, CommaDecimal));

TEST(ReadDecimalText, AccumulatesEachDigitInTwoRoundings)
{
    // v x 10 and + digit are rounded separately. For this text the result
    // differs both from rounding v x 10 + digit once (...A6) and from the
    // extended value nearest to the integer (...A5); worked out with exact
    // rational arithmetic, rounding to 64 bits after each step.
    const std::u16string text = u"4518190937865797543231";
    const std::optional<Extended> value = ReadDecimalText(text, u'.');
    ASSERT_TRUE(value);
    EXPECT_EQ(value->signExponent(), 0x4046);
    EXPECT_EQ(value->significand(), 0xF4EE7EBF965FE0A4u);

    if constexpr (std::numeric_limits<long double>::digits == 64) {
        long double hardware = 0;
        for (char16_t digit : text) {
            hardware = hardware * 10;
            hardware = hardware + (digit - u'0');
        }
        std::uint64_t significand = 0;
        std::memcpy(&significand, &hardware, sizeof significand);
        EXPECT_EQ(value->significand(), significand);
    }
}

TEST(ReadDecimalText, GivesExtendedBeyondTheDoubleRange)
{
    const std::optional<Extended> big = ReadDecimalText(u"-1E400", u'.');
    ASSERT_TRUE(big);
    EXPECT_TRUE(big->isNegative());
    EXPECT_EQ(FormatFieldNumber(*big, 0, u'.'), u"-1" + std::u16string(400, u'0'));

    // A value too small for extended is no failure.
    const std::optional<Extended> tiny = ReadDecimalText(u"1E-4940", u'.');
    ASSERT_TRUE(tiny);
    EXPECT_EQ(tiny->signExponent(), 0);
    EXPECT_NE(tiny->significand(), 0u);
    EXPECT_TRUE(ReadDecimalText(u"1E-4999", u'.')->isZero());

    // Dividing by 10^5120 or more gives 0 at once, even where the quotient,
    // here 10^-4820, would be an ordinary extended value.
    const std::u16string fraction = u"0.1" + std::u16string(300, u'0');
    EXPECT_FALSE(ReadDecimalText(fraction + u"E-4818", u'.')->isZero());
    EXPECT_TRUE(ReadDecimalText(fraction + u"E-4819", u'.')->isZero());
}

TEST(ReadDecimalText, ReadsMegabyteTextsInOnePass)
{
    const std::size_t length = 2'000'000;
    // Overflows the extended range in the accumulation: unreadable.
    EXPECT_FALSE(ReadDecimalText(std::u16string(length, u'9'), u'.'));
    EXPECT_EQ(ReadNumberValue(std::u16string(length, u'9'), PointDecimal), 0.0);
    // Leading zeros cost nothing.
    EXPECT_EQ(ReadNumberValue(std::u16string(length, u'0') + u"12.5", PointDecimal), 12.5);
    // Millions of fraction digits divide by 10^5120 or more: 0.
    EXPECT_EQ(ReadNumberValue(u"0." + std::u16string(length, u'0') + u"1", PointDecimal), 0.0);
    // Thousands separators are deleted in the same single pass.
    std::u16string grouped = u"1";
    for (int i = 0; i < 300'000; ++i)
        grouped += u",000";
    EXPECT_EQ(ReadNumberValue(grouped, PointDecimal), 0.0);
}

TEST(DemandDecimalNumber, ThrowsWithTheTextInTheMessage)
{
    EXPECT_EQ(DemandDecimalNumber(u" -2.5 ", u'.').significand(),
              Extended::fromDouble(-2.5).significand());
    const std::pair<std::u16string, std::string> rejected[] = {
        {u"abc", "'abc' is not a valid floating point value"},
        {u"", "'' is not a valid floating point value"},
        {u"12,5 \u20AC", "'12,5 \xE2\x82\xAC' is not a valid floating point value"},
        {u"\U0001F600", "'\xF0\x9F\x98\x80' is not a valid floating point value"},
    };
    for (const auto &[text, message] : rejected) {
        try {
            DemandDecimalNumber(text, u'.');
            ADD_FAILURE() << message;
        } catch (const EConvertError &error) {
            EXPECT_EQ(error.message(), message);
        }
    }
}

TEST(ParseFieldNumber, KeepsTheExtendedValue)
{
    const Extended value = ParseFieldNumber(u"0.1", PointDecimal);
    EXPECT_EQ(value.signExponent(), 0x3FFB);
    EXPECT_EQ(value.significand(), 0xCCCCCCCCCCCCCCCDu);
    EXPECT_TRUE(ParseFieldNumber(u"1,2,3.4.5", PointDecimal).isZero());
}

// The tables are the extended values nearest to the powers of ten; the host's
// x87 reader rounds correctly, so it makes an independent check.
TEST(PowersOfTen, AreTheNearestExtendedValues)
{
    if constexpr (std::numeric_limits<long double>::digits == 64) {
        const auto check = [](const Extended *table, int count, int step) {
            for (int k = 0; k < count; ++k) {
                const std::string text = "1e" + std::to_string(k * step);
                const long double nearest = std::strtold(text.c_str(), nullptr);
                std::uint64_t significand = 0;
                std::uint16_t signExponent = 0;
                std::memcpy(&significand, &nearest, sizeof significand);
                std::memcpy(&signExponent, reinterpret_cast<const char *>(&nearest) + 8,
                            sizeof signExponent);
                EXPECT_EQ(table[k].significand(), significand) << text;
                EXPECT_EQ(table[k].signExponent(), signExponent) << text;
            }
        };
        check(PowersOfTenUnits, 32, 1);
        check(PowersOfTenThirtyTwos, 16, 32);
        check(PowersOfTenFiveTwelves, 10, 512);
    } else {
        GTEST_SKIP() << "needs an x87 long double";
    }
}

TEST(DecimalExponent, IsExactNextToPowersOfTen)
{
    struct Case {
        std::uint16_t signExponent;
        std::uint64_t significand;
        int exponent;
    };
    // Each power's nearest extended value and its two neighbours; whether each
    // lies below the power was decided with exact rational arithmetic.
    const Case cases[] = {
        {0x3FFF, 0x8000000000000000, 1}, // 1
        {0x3FFE, 0xFFFFFFFFFFFFFFFF, 0},
        {0x4058, 0xCECB8F27F4200F3A, 28}, // 1e27, exact
        {0x4058, 0xCECB8F27F4200F39, 27},
        {0x0000, 0x0000000000000002, -4950}, // subnormals around 1e-4950
        {0x0000, 0x0000000000000003, -4949},
        {0x0C17, 0x9C3D73864F3805C0, -4000}, // 1e-4000 rounds down
        {0x0C17, 0x9C3D73864F3805C1, -3999},
        {0x3C1A, 0xAB70FE17C79AC6CA, -300}, // 1e-300 rounds down
        {0x3C1A, 0xAB70FE17C79AC6CB, -299},
        {0x3FFB, 0xCCCCCCCCCCCCCCCC, -1}, // 1e-1 rounds up
        {0x3FFB, 0xCCCCCCCCCCCCCCCD, 0},
        {0x405C, 0x813F3978F8940984, 28}, // 1e28 rounds down
        {0x405C, 0x813F3978F8940985, 29},
        {0x4065, 0xFC6F7C4045812296, 31}, // 1e31 rounds down
        {0x4065, 0xFC6F7C4045812297, 32},
        {0x43E3, 0xBF21E44003ACDD2C, 300}, // 1e300 rounds up
        {0x43E3, 0xBF21E44003ACDD2D, 301},
        {0x7BCA, 0xAE3511626ED559F0, 4608}, // 1e4608 rounds down
        {0x7BCA, 0xAE3511626ED559F1, 4609},
        {0x7FFE, 0xD72CB2A95C7EF6CC, 4932}, // 1e4932 rounds up
        {0x7FFE, 0xD72CB2A95C7EF6CD, 4933},
    };
    for (const Case &c : cases) {
        EXPECT_EQ(DecimalExponent(Extended::fromFields(c.signExponent, c.significand)), c.exponent)
            << std::hex << c.signExponent << " " << c.significand;
    }
}

struct ShowCase {
    double number;
    std::u16string shown;
};

class WriteNumberValueTest : public testing::TestWithParam<Separators>
{
protected:
    std::u16string localised(const std::u16string &text) const
    {
        return GetParam() == PointDecimal ? text : SwapPointAndComma(text);
    }
};

TEST_P(WriteNumberValueTest, ShowsOneDecimalRoundedHalfAwayFromZero)
{
    const ShowCase cases[] = {
        {368.4142150878906, u"368.4"},
        {469.149993896484375, u"469.1"},
        {1524.837890625, u"1524.8"},
        {1234567.25, u"1234567.3"},
        {0.25, u"0.3"},
        {1.25, u"1.3"},
        {-1.25, u"-1.3"},
        {0.15, u"0.1"},
        {2.45, u"2.5"},
        {9.96, u"10.0"},
        {99.95, u"100.0"},
        {12, u"12.0"},
        {0.0, u"0.0"},
        {-0.0, u"0.0"},
        {-0.04, u"0.0"},
        {-0.05, u"-0.1"},
        {0.000001, u"0.0"},
        {123456789012345678.0, u"123456789012345680.0"},
        {999999999999999872.0, u"999999999999999872.0"},
        {0.95, u"0.9"}, // stored as 0.94999999999999995559...
        {-9.96, u"-10.0"},
        {std::numeric_limits<double>::denorm_min(), u"0.0"},
    };
    for (const ShowCase &c : cases) {
        SCOPED_TRACE(c.number);
        const std::u16string shown = localised(c.shown);
        EXPECT_EQ(Narrow(WriteNumberValue(c.number, 1, GetParam())), Narrow(shown));
        EXPECT_EQ(Narrow(FormatFieldNumber(Extended::fromDouble(c.number), 1, GetParam().decimal)),
                  Narrow(shown));
    }
}

// A number of 10^18 or more keeps the fixed layout, padded with zeros, so that
// the field can read back what it shows instead of showing 0.0.
TEST_P(WriteNumberValueTest, ShowsLargeNumbersInFixedNotation)
{
    const ShowCase cases[] = {
        {1e18, u"1000000000000000000.0"},
        {1.5e19, u"15000000000000000000.0"},
        {123456789012345678901234567890.0, u"123456789012345678000000000000.0"},
        // Stored as 1.00000000000000005250...e300.
        {-1e300, u"-100000000000000005" + std::u16string(283, u'0') + u".0"},
        // 1.797693134862315708...e308 rounded to 18 digits stays below the
        // double range's limit 1.797693134862315807...e308.
        {LargestDouble, u"179769313486231571" + std::u16string(291, u'0') + u".0"},
    };
    for (const ShowCase &c : cases) {
        SCOPED_TRACE(c.number);
        const std::u16string shown = localised(c.shown);
        EXPECT_EQ(Narrow(WriteNumberValue(c.number, 1, GetParam())), Narrow(shown));
        EXPECT_TRUE(IsDecimalText(shown, GetParam()));
        EXPECT_EQ(Narrow(AssignFieldText(shown, 1, GetParam())), Narrow(shown));
        EXPECT_EQ(ReadNumberValue(shown, GetParam()), c.number);
    }
}

TEST_P(WriteNumberValueTest, WrittenNumbersReadBackAsShown)
{
    std::mt19937_64 random(20240611);
    std::uniform_real_distribution<double> mantissa(1.0, 10.0);
    std::uniform_int_distribution<int> smallExponent(-6, 17);
    std::uniform_int_distribution<int> largeExponent(18, 308);
    std::bernoulli_distribution negative(0.3);

    const auto checkRoundTrip = [this](double number) {
        SCOPED_TRACE(testing::Message() << std::hexfloat << number);
        const std::u16string shown = WriteNumberValue(number, 1, GetParam());
        const double read = ReadNumberValue(shown, GetParam());
        EXPECT_EQ(WriteNumberValue(read, 1, GetParam()), shown);
        // 18 significant digits are more than a double holds: a large number
        // reads back as itself.
        if (std::abs(number) >= 1e18) {
            EXPECT_EQ(read, number);
        }
        EXPECT_EQ(AssignFieldText(shown, 1, GetParam()), shown);
    };
    for (int i = 0; i < 3000; ++i) {
        double number = mantissa(random) * std::pow(10.0, smallExponent(random));
        number = std::min(number, 999999999999999872.0);
        checkRoundTrip(negative(random) ? -number : number);
    }
    // Numbers a tenth of a unit apart: the shown digit is the rounded one.
    for (int i = 0; i < 1000; ++i)
        checkRoundTrip(std::uniform_int_distribution<int>(-100000, 100000)(random) / 20.0);
    for (int i = 0; i < 1000; ++i) {
        const int exponent = largeExponent(random);
        const double number = std::min(mantissa(random) * std::pow(10.0, exponent), LargestDouble);
        checkRoundTrip(negative(random) ? -number : number);
    }
    checkRoundTrip(LargestDouble);
    checkRoundTrip(-LargestDouble);
}

INSTANTIATE_TEST_SUITE_P(BothLocales, WriteNumberValueTest,
                         testing::Values(PointDecimal, CommaDecimal));

TEST(FormatFieldNumber, KeepsTheRequestedDecimals)
{
    struct Case {
        double number;
        int decimals;
        std::u16string shown;
    };
    const Case cases[] = {
        {2.5, 0, u"3"},
        {0.5, 0, u"1"},
        {0.4, 0, u"0"},
        {-0.5, 0, u"-1"},
        {1234.5678, 2, u"1234.57"},
        {0.001234, 4, u"0.0012"},
        {0.001234, 2, u"0.00"},
        {-0.0096, 2, u"-0.01"},
        {1.0 / 3, 20, u"0.33333333333333331500"},
        {1234.5, -2, u"1200"},
        {0.125, 3, u"0.125"},
    };
    for (const Case &c : cases) {
        SCOPED_TRACE(testing::Message() << c.number << " with " << c.decimals);
        EXPECT_EQ(Narrow(FormatFieldNumber(Extended::fromDouble(c.number), c.decimals, u'.')),
                  Narrow(c.shown));
    }
}

// The 18 digits come from an extended product rounded to an integer, so they may
// differ from the correctly rounded ones of the host's printf by one in the last
// place, never more, and they stand at the right decimal position.
TEST(FormatFieldNumber, AgreesWithTheHostsDecimalDigits)
{
    std::mt19937_64 random(4711);
    std::uniform_real_distribution<double> mantissa(1.0, 2.0);
    std::uniform_int_distribution<int> binaryExponent(-1070, 1023);
    for (int i = 0; i < 3000; ++i) {
        const double number = std::ldexp(mantissa(random), binaryExponent(random));
        char printed[32];
        std::snprintf(printed, sizeof printed, "%.17e", number);
        const std::string hostDigits = std::string(1, printed[0]) + std::string(printed + 2, 17);
        const int exponent = std::atoi(printed + 20) + 1;
        SCOPED_TRACE(printed);

        const int decimals = std::max(0, 18 - exponent);
        const std::string text =
            Narrow(FormatFieldNumber(Extended::fromDouble(number), decimals, u'.'));
        const std::size_t point = text.find('.');
        const std::string integerPart = text.substr(0, point);
        std::string digits =
            integerPart + (point == std::string::npos ? "" : text.substr(point + 1));
        const std::size_t firstDigit = digits.find_first_not_of('0');
        ASSERT_NE(firstDigit, std::string::npos) << text;
        const int shownExponent = integerPart != "0" ? static_cast<int>(integerPart.size())
                                                     : 1 - static_cast<int>(firstDigit);
        digits = (digits.substr(firstDigit) + std::string(18, '0')).substr(0, 18);

        const long long shown = std::stoll(digits);
        const long long host = std::stoll(hostDigits);
        if (shownExponent == exponent + 1) {
            EXPECT_EQ(shown, 100000000000000000LL) << text; // carried into a new digit
            EXPECT_GE(host, 999999999999999999LL);
        } else {
            EXPECT_EQ(shownExponent, exponent) << text;
            EXPECT_LE(std::abs(shown - host), 1) << text;
        }
    }
}

TEST(FormatFieldNumber, RefusesWhatIsNoNumber)
{
    EXPECT_THROW(
        FormatFieldNumber(Extended::fromDouble(std::numeric_limits<double>::infinity()), 1, u'.'),
        EInvalidOp);
    EXPECT_THROW(FormatFieldNumber(Extended::fromDouble(std::nan("")), 1, u'.'), EInvalidOp);
}

struct TextCase {
    std::u16string text;
    bool decimal;
};

TEST(IsDecimalText, LooksAtCharactersOnly)
{
    const TextCase cases[] = {
        {u"", false},      {u"12.5", true},      {u"12-3", true},   {u"5-", true},
        {u",5", false},    {u"1,234,567", true}, {u"1,23,4", true}, {u"1,2,3", false},
        {u"12,,3", false}, {u"1.2.3", false},    {u"--5", false},   {u"1 000", false},
        {u"1E5", false},   {u"+5", false},       {u"abc", false},   {u"1,5", true},
        {u".5", true},     {u"1,234.5", true},   {u"-.", true},     {u"12.5\n", false},
    };
    for (const TextCase &c : cases) {
        SCOPED_TRACE(Narrow(c.text));
        EXPECT_EQ(IsDecimalText(c.text, PointDecimal), c.decimal);
        EXPECT_EQ(IsDecimalText(SwapPointAndComma(c.text), CommaDecimal), c.decimal);
    }
    // Another thousands symbol is no allowed character, and "," is then free.
    EXPECT_FALSE(IsDecimalText(u"1 000,5", Separators{u',', u' '}));
    EXPECT_TRUE(IsDecimalText(u",5", Separators{u',', u' '}));
}

TEST(AssignFieldText, NormalisesToOneDecimal)
{
    const std::pair<std::u16string, std::u16string> cases[] = {
        {u"", u""},
        {u"-5", u"-5.0"},
        {u"1,23", u"123.0"},
        {u"1,234.5", u"1234.5"},
        {u",5", u"0.0"},
        {u"12,,3", u"0.0"},
        {u"--5", u"0.0"},
        {u"1.2.3", u"0.0"},
        {u"12-3", u"0.0"},
        {u"1E5", u"0.0"},
        {u"1 000", u"0.0"},
        {u"abc", u"0.0"},
        {u"5-", u"0.0"},
        {u"-", u"0.0"},
        {u"-0.04", u"0.0"},
        {u".", u"0.0"},
        {u"007", u"7.0"},
        {u"1234567890123456789012", u"1234567890123456790000.0"},
        {u"99999999999999999999", u"100000000000000000000.0"},
        {u"-1000000000000000000", u"-1000000000000000000.0"},
        {u"1000000000000000001.0", u"1000000000000000000.0"},
        {u"1000000000000000000.01", u"1000000000000000000.0"},
    };
    for (const auto &[assigned, shown] : cases) {
        SCOPED_TRACE(Narrow(assigned));
        EXPECT_EQ(Narrow(AssignFieldText(assigned, 1, PointDecimal)), Narrow(shown));
        EXPECT_EQ(AssignFieldText(shown, 1, PointDecimal), shown);
        EXPECT_EQ(Narrow(AssignFieldText(SwapPointAndComma(assigned), 1, CommaDecimal)),
                  Narrow(SwapPointAndComma(shown)));
    }
}

TEST(Separators, FollowTheLocaleWhereTheyCan)
{
    struct Case {
        std::u16string decimalSymbol, groupSymbol;
        Separators expected;
    };
    const Case cases[] = {
        {u".", u",", {u'.', u','}},
        {u",", u".", {u',', u'.'}},
        {u",", u" ", {u',', u' '}},
        {u",", u"\u00A0", {u',', u'\u00A0'}},
        {u".", u"'", {u'.', u'\''}},
        {u",", u"\u202F", {u',', u'\u202F'}},
        // Unreadable or longer than one character: the defaults.
        {u"", u"", {u'.', u','}},
        {u".,", u",", {u'.', u','}},
        {u".", u",,", {u'.', u','}},
        // The default thousands separator must not be the decimal one.
        {u",", u"", {u',', u'.'}},
        {u",", u"\u202F\u202F", {u',', u'.'}},
        // The same character twice.
        {u",", u",", {u',', u'.'}},
        {u".", u".", {u'.', u','}},
        // A decimal symbol that no field text may hold reads as ".".
        {u"\u066B", u"\u066C", {u'.', u'\u066C'}},
        {u"\u00B7", u",", {u'.', u','}},
        {u"'", u"'", {u'.', u'\''}},
        {u"\u066B", u".", {u'.', u','}},
        // A thousands symbol from the number's own syntax would eat the number.
        {u".", u"1", {u'.', u','}},
        {u",", u"-", {u',', u'.'}},
    };
    for (const Case &c : cases) {
        SCOPED_TRACE(Narrow(c.decimalSymbol) + " " + Narrow(c.groupSymbol));
        const Separators separators = Separators::fromLocaleSymbols(c.decimalSymbol, c.groupSymbol);
        EXPECT_EQ(separators.decimal, c.expected.decimal);
        EXPECT_EQ(separators.thousands, c.expected.thousands);
    }
}

TEST(Separators, CurrentOnesAreProcessWide)
{
    const Separators before = CurrentSeparators();
    EXPECT_EQ(before, PointDecimal);
    SetCurrentSeparators(CommaDecimal);
    EXPECT_EQ(CurrentSeparators(), CommaDecimal);
    SetCurrentSeparators(before);
    EXPECT_EQ(CurrentSeparators(), PointDecimal);
}

TEST(Separators, ShownTextsAreReadWithTheNewOnes)
{
    const std::u16string shown = WriteNumberValue(12.5, 1, PointDecimal);
    EXPECT_EQ(shown, u"12.5");
    EXPECT_EQ(ReadNumberValue(shown, CommaDecimal), 125.0);
    EXPECT_EQ(WriteNumberValue(368.4142150878906, 1, CommaDecimal), u"368,4");
}

TEST(FieldPipeline, FromFieldTextsToTheShownDensity)
{
    for (const Separators &separators : {PointDecimal, CommaDecimal}) {
        // The texts are written for a point as decimal separator.
        const auto local = [&separators](const std::u16string &text) {
            return separators == PointDecimal ? text : SwapPointAndComma(text);
        };
        const auto read = [&](const std::u16string &text) {
            return ReadNumberValue(local(text), separators);
        };
        SCOPED_TRACE(Narrow(local(u".")));

        const float cilindric = CilindricVolume(read(u"180"), read(u"60"), read(u"150"));
        const std::optional<double> density = WindingDensity(read(u"1250"), cilindric);
        ASSERT_TRUE(density);
        EXPECT_EQ(WriteNumberValue(*density, 1, separators), local(u"368.4"));

        const float conic =
            ConicVolume(read(u"200.5"), read(u"169.8"), read(u"145"), read(u"68"), read(u"50"));
        const std::optional<double> conicDensity = WindingDensity(read(u"1,553.1"), conic);
        ASSERT_TRUE(conicDensity);
        EXPECT_EQ(WriteNumberValue(*conicDensity, 1, separators), local(u"442.0"));
    }
}

} // namespace
} // namespace varlo
