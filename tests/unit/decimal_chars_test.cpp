// The web build converts numbers through the C library where its standard library lacks the
// floating-point <charconv>; every text and value must be the one <charconv> gives natively.
#include <cmath>
#include <cstdint>
#include <cstring>
#include <limits>
#include <random>
#include <string>

#include <gtest/gtest.h>

#include "platform/decimal_chars.h"
#include "platform/decimal_chars_c_library.h"

namespace {

// The web build's C library (emscripten's musl) converts exactly, as glibc does; the Windows
// runtime's conversions are not the ones the web build runs, so they are not held to it.
#if defined(_WIN32)
#define SKIP_WHERE_NOT_THE_WEB_C_LIBRARY() GTEST_SKIP() << "the web build's C library is not this one"
#else
#define SKIP_WHERE_NOT_THE_WEB_C_LIBRARY() (void)0
#endif

TEST(DecimalChars, FixedAndScientificTextsAreTheStandardOnes) {
    SKIP_WHERE_NOT_THE_WEB_C_LIBRARY();
    // Ties at the exact binary value, values past the last decimal, large and tiny values.
    const double values[] = {0.0,     -0.0,   0.125,  0.375,   2.5,     -2.5,    1.005, 3.587,
                             0.15625, 1e-7,   123456.789, 1e21, -1e-300, 3.4028234663852886e38,
                             4.9e-324, 6800.0, 0.1};
    for (double value : values) {
        for (int precision = 0; precision <= 12; ++precision) {
            EXPECT_EQ(c_library_decimal::fixedDecimalText(value, precision), fixedDecimalText(value, precision))
                << value << " with " << precision << " decimals";
            EXPECT_EQ(c_library_decimal::scientificDecimalText(value, precision), scientificDecimalText(value, precision))
                << value << " with " << precision << " digits after the point";
        }
    }
}

TEST(DecimalChars, ShortestTextsAreTheStandardOnes) {
    SKIP_WHERE_NOT_THE_WEB_C_LIBRARY();
    const float table[] = {0.0f, -0.0f, 1.0f, 0.1f, 1e-5f, 0.0001f, 1e6f, 123456.0f, 1234567.0f,
                           3.4028235e38f, 1.17549435e-38f, 1.4e-45f, -6.56f, 10.0f, 100.0f, 5.39f};
    for (float value : table) EXPECT_EQ(c_library_decimal::shortestDecimalText(value), shortestDecimalText(value)) << value;
    // And a sweep over the finite floats' bit patterns.
    std::mt19937 random(31);
    for (int i = 0; i < 20000; ++i) {
        const std::uint32_t bits = static_cast<std::uint32_t>(random());
        float value;
        std::memcpy(&value, &bits, sizeof value);
        if (!std::isfinite(value)) continue;
        ASSERT_EQ(c_library_decimal::shortestDecimalText(value), shortestDecimalText(value)) << std::hexfloat << value;
    }
}

TEST(DecimalChars, ReadingGivesTheStandardValuesAndRanges) {
    SKIP_WHERE_NOT_THE_WEB_C_LIBRARY();
    const char* texts[] = {"0", "3.587", "1e400", "1e-400", "4.9e-324", "2.2250738585072014e-308",
                           "179769313486231570814527423731704356798070567525844996598917476803157260780028538760589558632766878171540458953514382464234321326889464182768467546703537516986049910576551282076245490090389328944075868508455133942304583236453133940999999",
                           "0.1", ".5", "5.", "1e", "00012.5000", "123456789012345678901234567890"};
    for (const char* text : texts) {
        double standard = -1, library = -1;
        const DecimalRead expected = readDecimalChars(text, standard);
        EXPECT_EQ(c_library_decimal::readDecimalChars(text, library), expected) << text;
        if (expected == DecimalRead::ok) EXPECT_EQ(library, standard) << text;
    }
}

}  // namespace
