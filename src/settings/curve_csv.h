#pragma once
// A custom sensor curve as a CSV file, the form in which sensor makers publish their tables and
// users keep them in spreadsheets: a header line "volts,value", then one line "volts,value" for
// each of the 33 points, 0 V to 5 V in steps of 0.15625 V.
#include <array>
#include <string>

#include "settings/curve_point_text.h"

struct CurveCsvResult {
    bool accepted = false;
    int line = 0;           // the line the reason is about, from 1; 0 when about the whole file
    std::string reason;     // why the file was refused, in plain words, without a final stop
    CurvePointTexts texts;  // when accepted: what the 33 edits are to show
    CurvePointTexts cells;  // the value cells as written, in full, with a decimal point
    std::array<float, kCurvePointCount> values{};  // the values they give as float32
};

// Per point: its text stands for a value that a field keeps (in full, whatever its length).
using CurvePointsKept = std::array<bool, kCurvePointCount>;

// Reads a curve: an optional header line (one whose first cell does not begin like a number), then 33 rows of
// volts and value separated by a comma or a semicolon, numbers with a decimal point (in a row
// separated by semicolons, as decimal-comma locales save it, a decimal comma too), cells
// optionally in double quotes; blank lines are skipped. Lines end in CR LF, LF or CR; a file in
// UTF-8 may begin with its byte-order mark, and one in UTF-16 (either byte order, with its mark)
// is read too. Each row's volts must be its point's (k x 0.15625 V) within 0.01 V. A value is
// kept as written when it fits the 9 characters a field reads, else written as the first text
// that fits and that the field reads as the same float32 (more decimals, or an exponent form),
// or as near as 9 characters come when none does. A reason quotes at most 40 characters of a
// cell.
CurveCsvResult parseCurveCsv(const std::string& content);
CurveCsvResult readCurveCsvFile(const std::string& path);

// "The curve cannot be imported from", the file, the line and the reason.
std::string curveImportMessage(const std::string& path, const CurveCsvResult& result);

// The file's text for the edits' texts, each as the field shows it (without surrounding blanks).
// False, with the reason, when a field does not read as the number it shows: such a file could
// not be read back. A text marked in `kept` is a value a field keeps and is written as it is.
bool formatCurveCsv(const CurvePointTexts& texts, std::string& content, std::string& reason,
                    const CurvePointsKept& kept = {});

// Writes the file through a temporary one beside it, so a failure leaves an old file whole.
// Returns the message for the user, empty when the file was written.
std::string writeCurveCsvFile(const std::string& path, const CurvePointTexts& texts, const CurvePointsKept& kept = {});
// "The curve cannot be exported to", the file and the reason.
std::string curveExportMessage(const std::string& path, const std::string& reason);
