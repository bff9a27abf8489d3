#include "settings/curve_csv.h"

#include <cctype>
#include <cmath>
#include <fstream>
#include <iterator>
#include <limits>
#include <system_error>
#include <vector>

#include "platform/decimal_chars.h"
#include "platform/file_replace.h"
#include "settings/custom_sensor_curves.h"
#include "settings/number_text.h"
#include "platform/file_path.h"

namespace {

constexpr double kVoltTolerance = 0.01;
// A curve file has a few hundred bytes; a larger file is not one, and is not read whole.
constexpr std::size_t kLargestFile = 64 * 1024;
const char kBlanks[] = " \t\r\n\v\f";

std::string trim(const std::string& text) {
    const std::size_t first = text.find_first_not_of(kBlanks);
    if (first == std::string::npos) return {};
    return text.substr(first, text.find_last_not_of(kBlanks) - first + 1);
}

// A cell without the blanks around it and without one pair of double quotes around that.
std::string cellText(const std::string& raw) {
    std::string text = trim(raw);
    if (text.size() >= 2 && text.front() == '"' && text.back() == '"') text = trim(text.substr(1, text.size() - 2));
    return text;
}

// A line's separator: a semicolon when it holds one (what spreadsheets write where the comma is
// the decimal sign), else a comma.
char separatorOf(const std::string& line) { return line.find(';') != std::string::npos ? ';' : ','; }

std::vector<std::string> splitCells(const std::string& line) {
    const char separator = separatorOf(line);
    std::vector<std::string> cells;
    std::size_t from = 0;
    for (;;) {
        const std::size_t at = line.find(separator, from);
        cells.push_back(cellText(line.substr(from, at - from)));
        if (at == std::string::npos) return cells;
        from = at + 1;
    }
}

// A header's first cell does not begin like a number ("volts", "U [V]"); a row's does, even a
// mistyped one ("0,16").
bool beginsLikeNumber(const std::string& cell) {
    std::size_t i = 0;
    if (i < cell.size() && (cell[i] == '+' || cell[i] == '-')) ++i;
    if (i < cell.size() && cell[i] == '.') ++i;
    return i < cell.size() && cell[i] >= '0' && cell[i] <= '9';
}

// A cell as a message quotes it: control characters (a NUL cuts a message box's text short) as
// "?", and a long cell cut to its first characters and "...", whole UTF-8 characters only.
std::string shown(const std::string& cell) {
    constexpr std::size_t kLongest = 40;
    constexpr std::size_t kKept = kLongest - 3;
    std::string text = cell;
    if (text.size() > kLongest) {
        std::size_t cut = kKept;
        while (cut > 0 && (static_cast<unsigned char>(text[cut]) & 0xC0) == 0x80) --cut;
        text = text.substr(0, cut) + "...";
    }
    for (char& c : text)
        if (static_cast<unsigned char>(c) < 0x20 || c == 0x7F) c = '?';
    return text;
}

std::string notANumber(const char* what, const std::string& cell) {
    std::string reason = std::string(what) + " \"" + shown(cell) + "\" is not a number";
    if (cell.find(',') != std::string::npos) reason += " (use a decimal point)";
    return reason;
}

std::string volts(int point) { return formatFixed(point * kCurveStepVolts, 0, 5); }

// The texts of `value` that fit a field: fixed with 9 down to 0 decimals, then the exponent form
// ("1.25e-5") with 1 to 9 significant digits.
std::vector<std::string> fittingTexts(double value) {
    std::vector<std::string> texts;
    for (int decimals = static_cast<int>(kFormTextLimit); decimals >= 0; --decimals) {
        const std::string text = formatFixed(value, 0, decimals);
        if (text.size() <= kFormTextLimit) texts.push_back(text);
    }
    for (int digits = 1; digits <= static_cast<int>(kFormTextLimit); ++digits) {
        // "1.25e-05" and "3.4e+38" without the exponent's plus and leading zeros.
        std::string text = scientificDecimalText(value, digits - 1);
        if (text.empty()) continue;
        const std::size_t e = text.find('e');
        std::size_t digitsFrom = e + 1;
        if (text[digitsFrom] == '+') text.erase(digitsFrom, 1);
        else if (text[digitsFrom] == '-') ++digitsFrom;
        while (digitsFrom + 1 < text.size() && text[digitsFrom] == '0') text.erase(digitsFrom, 1);
        if (text.size() <= kFormTextLimit) texts.push_back(text);
    }
    return texts;
}

bool sameSingle(float a, float b) { return a == b && std::signbit(a) == std::signbit(b); }

// The text a field gets for a value cell: as written when it fits; else the first fitting text
// that the field reads as the same float32 as the cell; when none does, the one it reads
// closest to the cell's value.
bool fieldText(const std::string& cell, double value, std::string& text) {
    if (cell.size() <= kFormTextLimit) {
        text = cell;
        return true;
    }
    const float wanted = static_cast<float>(value);
    const std::vector<std::string> texts = fittingTexts(value);
    for (const std::string& candidate : texts) {
        if (sameSingle(readCurvePoint(candidate).value, wanted)) {
            text = candidate;
            return true;
        }
    }
    double closest = std::numeric_limits<double>::infinity();
    for (const std::string& candidate : texts) {
        const float read = readCurvePoint(candidate).value;
        if (!std::isfinite(read) || std::fabs(read - value) >= closest) continue;
        closest = std::fabs(read - value);
        text = candidate;
    }
    return std::isfinite(closest);
}

// A cell of a semicolon row with its decimal commas as points ("-23,2" as "-23.2"); a row may mix
// both signs. A cell with more than one comma stays no number.
std::string withDecimalPoint(std::string cell) {
    for (char& c : cell)
        if (c == ',') c = '.';
    return cell;
}

// Checks one row; on success stores its field text, its value cell with a decimal point and its
// value. `decimalComma`: the row is separated by semicolons, so a comma in a number is its
// decimal sign. Reasons quote the cells as written.
bool readRow(const std::vector<std::string>& cells, bool decimalComma, int point, std::string& text,
             std::string& cell, float& single, std::string& reason) {
    if (cells.size() != 2) {
        reason = std::to_string(cells.size()) + (cells.size() == 1 ? " column" : " columns") +
                 ", but a row has two: volts and value";
        return false;
    }
    const std::string& voltCell = cells[0];
    const std::string& valueCell = cells[1];
    const std::string voltNumber = decimalComma ? withDecimalPoint(voltCell) : voltCell;
    const std::string valueNumber = decimalComma ? withDecimalPoint(valueCell) : valueCell;
    if (!isWholeDecimal(voltNumber)) {
        reason = notANumber("the volts", voltCell);
        return false;
    }
    if (std::fabs(readDecimal(voltNumber) - point * kCurveStepVolts) > kVoltTolerance + 1e-9) {
        reason = shown(voltCell) + " V, but row " + std::to_string(point + 1) + " of the curve is at " +
                 volts(point) + " V (0.01 V either way is taken)";
        return false;
    }
    const double value = readDecimal(valueNumber);
    if (!isWholeDecimal(valueNumber)) {
        reason = notANumber("the value", valueCell);
        return false;
    }
    if (!std::isfinite(static_cast<float>(value))) {
        reason = "the value " + shown(valueCell) + " is too large for the display";
        return false;
    }
    if (!fieldText(valueNumber, value, text)) {
        reason = "the value " + shown(valueCell) + " does not fit in a field (9 characters)";
        return false;
    }
    cell = valueNumber;
    single = static_cast<float>(value);
    return true;
}

// A file saved as UTF-16 ("Unicode text"), recognised by its byte-order mark, as the 8-bit text
// that the rest reads: a curve's cells are ASCII, and every other character becomes "?".
bool fromUtf16(const std::string& bytes, std::string& text) {
    const bool little = bytes.compare(0, 2, "\xFF\xFE") == 0;
    if (!little && bytes.compare(0, 2, "\xFE\xFF") != 0) return false;
    text.clear();
    for (std::size_t at = 2; at + 1 < bytes.size(); at += 2) {
        const unsigned first = static_cast<unsigned char>(bytes[at]);
        const unsigned second = static_cast<unsigned char>(bytes[at + 1]);
        const unsigned unit = little ? first | second << 8 : first << 8 | second;
        // The second half of a surrogate pair has been counted with its first.
        if (unit >= 0xDC00 && unit < 0xE000) continue;
        text += unit < 0x80 ? static_cast<char>(unit) : '?';
    }
    return true;
}

CurveCsvResult refuse(int line, const std::string& reason) {
    CurveCsvResult result;
    result.line = line;
    result.reason = reason;
    return result;
}

}  // namespace

CurveCsvResult parseCurveCsv(const std::string& content) {
    CurveCsvResult result;
    std::string text;
    if (!fromUtf16(content, text)) text = content;
    if (text.compare(0, 3, "\xEF\xBB\xBF") == 0) text.erase(0, 3);  // a spreadsheet's UTF-8 mark
    int rows = 0;
    int lineNumber = 0;
    int lastLine = 0;
    bool first = true;
    std::size_t from = 0;
    while (from < text.size()) {
        // Lines end in CR LF, LF or a lone CR (older spreadsheets).
        std::size_t end = text.find_first_of("\r\n", from);
        if (end == std::string::npos) end = text.size();
        const std::string line = text.substr(from, end - from);
        from = end + (text.compare(end, 2, "\r\n") == 0 ? 2 : 1);
        ++lineNumber;
        if (trim(line).empty()) continue;
        lastLine = lineNumber;
        const std::vector<std::string> cells = splitCells(line);
        const bool header = first && !beginsLikeNumber(cells[0]);
        first = false;
        if (header) continue;
        if (rows == kCurvePointCount)
            return refuse(lineNumber, "more than the " + std::to_string(kCurvePointCount) +
                                          " rows of a curve (0 V to 5 V)");
        std::string reason;
        if (!readRow(cells, separatorOf(line) == ';', rows, result.texts[rows], result.cells[rows],
                     result.values[rows], reason))
            return refuse(lineNumber, reason);
        ++rows;
    }
    if (rows < kCurvePointCount)
        return refuse(lastLine, "the file ends after " + std::to_string(rows) + (rows == 1 ? " row" : " rows") +
                                    "; a curve has " + std::to_string(kCurvePointCount) + " (0 V to 5 V)");
    result.accepted = true;
    return result;
}

CurveCsvResult readCurveCsvFile(const std::string& path) {
    std::ifstream file(filePath(path), std::ios::binary);
    if (!file) return refuse(0, "The file cannot be opened");
    std::string content(kLargestFile + 1, '\0');
    file.read(&content[0], static_cast<std::streamsize>(content.size()));
    if (file.bad()) return refuse(0, "The file cannot be read");
    content.resize(static_cast<std::size_t>(file.gcount()));
    if (content.size() > kLargestFile)
        return refuse(0, "The file is far larger than a curve: it is not a curve file");
    return parseCurveCsv(content);
}

std::string curveImportMessage(const std::string& path, const CurveCsvResult& result) {
    std::string reason = result.reason;
    if (result.line > 0) reason = "Line " + std::to_string(result.line) + ": " + reason;
    else if (!reason.empty()) reason[0] = static_cast<char>(std::toupper(static_cast<unsigned char>(reason[0])));
    return "The curve cannot be imported from\n" + path + "\n\n" + reason + ".\n\nThe fields are unchanged.";
}

bool formatCurveCsv(const CurvePointTexts& texts, std::string& content, std::string& reason,
                    const CurvePointsKept& kept) {
    content = "volts,value\r\n";
    for (int k = 0; k < kCurvePointCount; ++k) {
        const std::string text = trim(texts[k]);
        if (!kept[k] && !readCurvePoint(texts[k]).asTyped) {
            reason = "The field of row " + std::to_string(k + 1) + " (" + volts(k) + " V) holds " +
                     "\"" + text + "\"" + ", which is not the number it would send. Correct it, then export again.";
            return false;
        }
        content += volts(k) + "," + text + "\r\n";
    }
    return true;
}

std::string writeCurveCsvFile(const std::string& path, const CurvePointTexts& texts, const CurvePointsKept& kept) {
    std::string content, reason;
    if (formatCurveCsv(texts, content, reason, kept))
        reason = writeWholeFile(path, std::vector<std::uint8_t>(content.begin(), content.end()));
    if (reason.empty()) return {};
    return curveExportMessage(path, reason);
}

std::string curveExportMessage(const std::string& path, const std::string& reason) {
    return "The curve cannot be exported to\n" + path + "\n\n" + reason;
}
