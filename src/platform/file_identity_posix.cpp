#include "platform/file_identity.h"

#include <locale.h>
#include <sys/stat.h>
#include <wctype.h>

#include <cstdint>

namespace {

// The code points of UTF-8 text; a byte that starts no valid sequence stands for itself, so two
// texts compare equal only where their bytes do.
std::u32string codePoints(const std::string& text) {
    std::u32string points;
    for (std::size_t i = 0; i < text.size();) {
        const unsigned char lead = static_cast<unsigned char>(text[i]);
        const int length = lead < 0x80 ? 1 : (lead >> 5) == 0x6 ? 2 : (lead >> 4) == 0xE ? 3 : (lead >> 3) == 0x1E ? 4 : 0;
        char32_t point = length == 1 ? lead : length == 2 ? lead & 0x1F : length == 3 ? lead & 0x0F : lead & 0x07;
        bool whole = length > 0 && i + static_cast<std::size_t>(length) <= text.size();
        for (int k = 1; whole && k < length; ++k) {
            const unsigned char next = static_cast<unsigned char>(text[i + static_cast<std::size_t>(k)]);
            whole = (next & 0xC0) == 0x80;
            point = (point << 6) | (next & 0x3F);
        }
        if (!whole) {
            points.push_back(0x110000 + lead);  // outside Unicode: equal only to the same byte
            ++i;
            continue;
        }
        points.push_back(point);
        i += static_cast<std::size_t>(length);
    }
    return points;
}

// Upper case as the C library's UTF-8 locale has it, letter for letter (no "ß" to "SS").
char32_t upper(char32_t point) {
    static const locale_t utf8 = newlocale(LC_CTYPE_MASK, "C.UTF-8", static_cast<locale_t>(nullptr));
    if (point > 0x10FFFF) return point;
    if (utf8 != static_cast<locale_t>(nullptr))
        return static_cast<char32_t>(towupper_l(static_cast<wint_t>(point), utf8));
    return point >= 'a' && point <= 'z' ? point - 32 : point;
}

}  // namespace

bool isSameExistingFile(const std::string& a, const std::string& b) {
    struct stat first {}, second {};
    if (::stat(a.c_str(), &first) != 0 || ::stat(b.c_str(), &second) != 0) return false;
    return first.st_dev == second.st_dev && first.st_ino == second.st_ino;
}

bool isSameFileName(const std::string& a, const std::string& b) {
    const std::u32string first = codePoints(a), second = codePoints(b);
    if (first.size() != second.size()) return false;
    for (std::size_t i = 0; i < first.size(); ++i)
        if (upper(first[i]) != upper(second[i])) return false;
    return true;
}
