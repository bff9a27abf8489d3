#include <cmath>
#include <cstdint>
#include <limits>
#include <string>

#include <gtest/gtest.h>

#include "settings/filling_controls.h"
#include "settings/number_text.h"

namespace {

const double kInf = std::numeric_limits<double>::infinity();
const double kNan = std::numeric_limits<double>::quiet_NaN();

TEST(NumberTextFormat, FixedMatchesPrintfTexts) {
    struct Case {
        const char* name;
        double value;
        int width;
        int precision;
        const char* expected;
    };
    const Case cases[] = {
        {"zero ratio", 0.0, 1, 3, "0.000"},
        {"negative zero keeps its sign", -0.0, 1, 3, "-0.000"},
        {"tiny negative rounds to -0", -0.0001, 1, 3, "-0.000"},
        {"exact tie rounds to even, down", 0.0625, 1, 3, "0.062"},
        {"exact tie rounds to even, up", 0.1875, 1, 3, "0.188"},
        {"binary just below a tie", 2.675, 5, 2, " 2.67"},
        {"two decimals", 12.87, 5, 2, "12.87"},
        {"float ratio quantised", static_cast<double>(3.14159f), 1, 3, "3.142"},
        {"weight zero is four blanks and 0", 0.0, 5, 0, "    0"},
        {"weight rounds", static_cast<double>(3000.7f), 5, 0, " 3001"},
        {"weight tie to even down", 2.5, 5, 0, "    2"},
        {"weight tie to even up", 3.5, 5, 0, "    4"},
        {"weight negative half", -0.5, 5, 0, "   -0"},
        {"wider than the width", 123456789.0, 5, 0, "123456789"},
        {"large value in full", 1e20, 1, 3, "100000000000000000000.000"},
        {"negative ratio", -1.25, 1, 3, "-1.250"},
        {"infinity", kInf, 1, 3, "inf"},
        {"negative infinity padded", -kInf, 5, 0, " -inf"},
        {"not a number", kNan, 1, 3, "nan"},
        {"negative not a number", -kNan, 1, 3, "-nan"},
    };
    for (const Case& c : cases)
        EXPECT_EQ(formatFixed(c.value, c.width, c.precision), c.expected) << "case " << c.name;
}

TEST(NumberTextFormat, IntMatchesPrintfTexts) {
    struct Case {
        std::int32_t value;
        const char* expected;
    };
    const Case cases[] = {{0, "0"},
                          {8000, "8000"},
                          {-1, "-1"},
                          {std::numeric_limits<std::int32_t>::max(), "2147483647"},
                          {std::numeric_limits<std::int32_t>::min(), "-2147483648"}};
    for (const Case& c : cases) EXPECT_EQ(formatInt(c.value), c.expected) << "case " << c.expected;
}

TEST(NumberTextRead, DecimalGrammar) {
    struct Case {
        const char* name;
        std::string text;
        double expected;
    };
    const Case cases[] = {
        {"empty", "", 0.0},
        {"blanks only", "   ", 0.0},
        {"trailing text", "4 cyl", 4.0},
        {"inf is not a number", "inf", 0.0},
        {"signed inf", "-inf", 0.0},
        {"nan is not a number", "nan", 0.0},
        {"hexadecimal stops at x", "0x10", 0.0},
        {"nine digits", "123456789", 123456789.0},
        {"white space, sign, exponent", " \t-1.5e3x", -1500.0},
        {"every white space", "\v\f\r\n7", 7.0},
        {"no integer part", "+.5", 0.5},
        {"no fraction digits", "5.", 5.0},
        {"point alone", ".", 0.0},
        {"exponent without digits", "1e", 1.0},
        {"exponent sign without digits", "1e+", 1.0},
        {"negative exponent", "1e-2", 0.01},
        {"capital exponent", "1.5E2", 150.0},
        {"double sign", "--1", 0.0},
        {"blank after sign", "- 1", 0.0},
        {"comma stops", "1,5", 1.0},
        {"leading zeros", "0010", 10.0},
        {"nearest double", "0.1", 0.1},
        {"nearest double of a ratio", "3.14159", 3.14159},
        {"overflow", "1e400", kInf},
        {"negative overflow", "-1e400", -kInf},
        {"fraction then large exponent", "0.001e400", kInf},
        {"underflow", "1e-400", 0.0},
        {"many leading zeros, underflow", "0.00001e-400", 0.0},
        {"subnormal", "1e-310", 1e-310},
    };
    for (const Case& c : cases)
        EXPECT_EQ(readDecimal(c.text), c.expected) << "case " << c.name;
}

TEST(NumberTextRead, WholeDecimalIsOneNumberAndNothingElse) {
    struct Case {
        const char* text;
        bool whole;
    };
    const Case cases[] = {
        {" 0.16", true},  {"0.16 ", true},  {"-.5", true},   {"1e5", true},   {"12.", true},
        {"", false},      {"  ", false},    {"1..5", false}, {"2,5", false},  {"1e", false},
        {"1e+", false},   {".", false},     {"0x10", false}, {"inf", false},  {"12.5volts", false},
    };
    for (const Case& c : cases) EXPECT_EQ(isWholeDecimal(c.text), c.whole) << "case \"" << c.text << "\"";
}

TEST(NumberTextRead, NegativeUnderflowKeepsItsSign) {
    const double value = readDecimal("-1e-400");
    EXPECT_EQ(value, 0.0);
    EXPECT_TRUE(std::signbit(value));
}

TEST(NumberTextRead, IntegerGrammar) {
    struct Case {
        const char* name;
        std::string text;
        std::int32_t expected;
    };
    const Case cases[] = {
        {"empty", "", 0},
        {"trailing text", "4 cyl", 4},
        {"white space and sign", "  -42", -42},
        {"plus sign", "+7", 7},
        {"fraction stops", "3.9", 3},
        {"hexadecimal stops at x", "0x10", 0},
        {"exponent stops", "1e3", 1},
        {"letters", "abc", 0},
        {"blank after sign", "- 5", 0},
        {"largest", "2147483647", 2147483647},
        {"beyond largest saturates", "2147483648", 2147483647},
        {"far beyond saturates", "99999999999999999999999", 2147483647},
        {"smallest", "-2147483648", std::numeric_limits<std::int32_t>::min()},
        {"beyond smallest saturates", "-99999999999", std::numeric_limits<std::int32_t>::min()},
    };
    for (const Case& c : cases)
        EXPECT_EQ(readInteger(c.text), c.expected) << "case " << c.name;
}

TEST(FillingControlsGuard, SetsForItsScopeAndRestoresNested) {
    ASSERT_FALSE(fillingControls);
    {
        FillingControls outer;
        EXPECT_TRUE(fillingControls);
        {
            FillingControls inner;
            EXPECT_TRUE(fillingControls);
        }
        EXPECT_TRUE(fillingControls) << "an inner fill must not clear the outer one's flag";
    }
    EXPECT_FALSE(fillingControls);
}

}  // namespace
