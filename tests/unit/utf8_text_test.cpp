#include <gtest/gtest.h>

#include <string>

#include "platform/utf8_text.h"

// Each byte that is no part of a well-formed UTF-8 character becomes U+FFFD; everything else,
// control characters too, stays as it is.
TEST(Utf8Text, EveryByteOutsideACharacterIsReplacedAndTheRestKept) {
    const std::string r = "\xEF\xBF\xBD";
    const struct {
        const char* name;
        std::string text;
        std::string shown;
    } cases[] = {
        {"plain ASCII with a control character", "car\x01\x7F.vtl", "car\x01\x7F.vtl"},
        {"two, three and four bytes", "Kühler 日本 \xF0\x9F\x9A\x97", "Kühler 日本 \xF0\x9F\x9A\x97"},
        {"Latin-1 bytes", "caf\xE9 \xE9t\xE9", "caf" + r + " " + r + "t" + r},
        {"a stray continuation byte", "a\x80z", "a" + r + "z"},
        {"a character cut by the end", "cut \xE2\x82", "cut " + r + r},
        {"a character cut by the next one", "\xE2\x82" "A", r + r + "A"},
        {"overlong", "\xC0\xAF \xE0\x80\xAF", r + r + " " + r + r + r},
        {"a surrogate", "\xED\xA0\x80", r + r + r},
        {"above U+10FFFF", "\xF4\x90\x80\x80", r + r + r + r},
        {"the last character and the largest lead", "\xF4\x8F\xBF\xBF \xF5", "\xF4\x8F\xBF\xBF " + r},
        {"empty", "", ""},
    };
    for (const auto& c : cases) EXPECT_EQ(validUtf8(c.text), c.shown) << "case " << c.name;
}
