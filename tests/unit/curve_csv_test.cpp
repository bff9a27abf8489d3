#include <gtest/gtest.h>

#include <cstdio>
#include <filesystem>
#include <fstream>
#include <iterator>
#include <limits>
#include <string>

#include "settings/curve_csv.h"
#include "settings/custom_sensor_curves.h"
#include "settings/custom_sensor_dialog.h"
#include "settings/filling_controls.h"
#include "platform/memory_form.h"
#include "settings/custom_sensor_ids.h"

namespace {


// A file of `rows` rows "volts,value" (value 10 k + 0.5) after an optional first line.
std::string csv(int rows, const std::string& first = "volts,value\n") {
    std::string text = first;
    for (int k = 0; k < rows; ++k)
        text += std::to_string(k * 0.15625) + "," + std::to_string(10 * k) + ".5\n";
    return text;
}

// The text with every line end replaced by `ending`.
std::string withLineEnds(std::string text, const std::string& ending) {
    for (std::size_t at = text.find('\n'); at != std::string::npos; at = text.find('\n', at + ending.size()))
        text.replace(at, 1, ending);
    return text;
}

// An ASCII text as UTF-16 with its byte-order mark.
std::string utf16(const std::string& text, bool littleEndian) {
    std::string bytes = littleEndian ? "\xFF\xFE" : "\xFE\xFF";
    for (char c : text) bytes += littleEndian ? std::string{c, '\0'} : std::string{'\0', c};
    return bytes;
}

std::string tempPath(const std::string& name) {
    return (std::filesystem::temp_directory_path() / ("veltrana_curve_" + name)).string();
}

// Records whether fillingControls was set at every text write.
class WatchingForm : public MemoryForm {
public:
    void setText(int id, const std::string& text) override {
        MemoryForm::setText(id, text);
        unguarded += fillingControls ? 0 : 1;
    }
    int unguarded = 0;
};

}  // namespace

TEST(CurveCsv, ReadsSpreadsheetVariantsIntoTheFieldTexts) {
    struct Case {
        const char* name;
        std::string content;
    };
    std::string semicolons = "\xEF\xBB\xBF\"Volts\";\"Bar\"\r\n";
    for (int k = 0; k < 33; ++k)
        semicolons += "\"" + std::to_string(k * 0.15625) + "\"; " + std::to_string(10 * k) + ".5\r\n\r\n";
    std::string edgeVolts = csv(33);
    edgeVolts.replace(edgeVolts.find("0.468750"), 8, "0.4787");
    edgeVolts.replace(edgeVolts.find("0.156250"), 8, "0.1463");
    // A spreadsheet in a decimal-comma locale: semicolons, decimal commas, here and there a point.
    std::string commas = "U [V];p [bar]\r\n";
    for (int k = 0; k < 33; ++k) {
        std::string row = std::to_string(k * 0.15625) + ";" + std::to_string(10 * k) + ",5\r\n";
        if (k % 2 == 0) row.replace(row.find('.'), 1, ",");
        commas += row;
    }
    for (const Case& c : {Case{"header", csv(33)}, Case{"no header", csv(33, "")},
                          Case{"marked, quoted, semicolons, blank lines", semicolons},
                          Case{"CR line ends", withLineEnds(csv(33), "\r")},
                          Case{"UTF-16, little-endian", utf16(withLineEnds(csv(33), "\r\n"), true)},
                          Case{"UTF-16, big-endian", utf16(csv(33), false)},
                          Case{"volts 0.00995 V off, either way", edgeVolts},
                          Case{"decimal commas and points in semicolon rows", commas}}) {
        const CurveCsvResult result = parseCurveCsv(c.content);
        EXPECT_TRUE(result.accepted) << "case " << c.name << ": line " << result.line << " " << result.reason;
        if (!result.accepted) continue;
        EXPECT_EQ(result.texts[0], "0.5") << "case " << c.name;
        EXPECT_EQ(result.texts[32], "320.5") << "case " << c.name;
    }
    // Volts as the labels round them are within 0.01 V. A value longer than a field gets the
    // first text that fits and reads as the same float32, else the nearest that fits.
    struct Shortened {
        const char* cell;
        const char* field;
    };
    const Shortened shortened[] = {
        {"3.14159265358979", "3.1415927"}, {"0.00001250", "0.0000125"},   {"-0.00001250", "-1.25e-5"},
        {"0.000000012345", "1.2345e-8"},   {"100.000000", "100.00000"},   {"0.123456789", "0.1234568"},
        {"123456789012", "1.2346e11"}, {"-23,2062139468195", "-23.20621"}, {"1,5", "1.5"},
    };
    for (const Shortened& c : shortened) {
        std::string rounded = csv(33);
        const bool comma = std::string(c.cell).find(',') != std::string::npos;
        rounded.replace(rounded.find("0.156250,10.5"), 13, std::string(comma ? "0,15625;" : "0.16,") + c.cell);
        const CurveCsvResult result = parseCurveCsv(rounded);
        EXPECT_TRUE(result.accepted) << c.cell << ": " << result.reason;
        EXPECT_EQ(result.texts[1], c.field) << c.cell;
    }
}

TEST(CurveCsv, RefusesWithTheLineAndTheReason) {
    struct Case {
        const char* name;
        std::string content;
        int line;
        const char* reason;
    };
    std::string offVolts = csv(33), badValue = csv(33), columns = csv(33), huge = csv(33);
    std::string edgeVolts = csv(33), textLine = csv(33), nul = csv(33), longCell = csv(33);
    offVolts.replace(offVolts.find("0.468750"), 8, "0.49");
    edgeVolts.replace(edgeVolts.find("0.468750"), 8, "0.4790");
    textLine.insert(textLine.find("0.312500"), "volts,value\n");
    nul.replace(nul.find("0.625000,40.5"), 13, std::string("0.625000,4\0", 11));
    longCell.replace(longCell.find("0.625000,40.5"), 13, "0.625000,1" + std::string(2000, '0'));
    std::string twoCommas = csv(33);
    badValue.replace(badValue.find("0.625000,40.5"), 13, "0.625000,40,5");
    twoCommas.replace(twoCommas.find("0.625000,40.5"), 13, "0,625000;40,5,0");
    columns.replace(columns.find("0.781250,50.5"), 13, "0.781250,50.5,x");
    huge.replace(huge.find("0.937500,60.5"), 13, "0.937500,1e39");
    const Case cases[] = {
        {"32 rows", csv(32), 33, "the file ends after 32 rows; a curve has 33 (0 V to 5 V)"},
        {"34 rows", csv(34), 35, "more than the 33 rows of a curve (0 V to 5 V)"},
        {"empty", "", 0, "the file ends after 0 rows; a curve has 33 (0 V to 5 V)"},
        {"volts off by 0.02", offVolts, 5, "0.49 V, but row 4 of the curve is at 0.46875 V (0.01 V either way is taken)"},
        {"decimal comma in a comma row", badValue, 6, "3 columns, but a row has two: volts and value"},
        {"two commas in a semicolon row", twoCommas, 6, "the value \"40,5,0\" is not a number (use a decimal point)"},
        {"three columns", columns, 7, "3 columns, but a row has two: volts and value"},
        {"too large", huge, 8, "the value 1e39 is too large for the display"},
        {"volts just over 0.01 V off", edgeVolts, 5, "0.4790 V, but row 4 of the curve is at 0.46875 V (0.01 V either way is taken)"},
        {"a text line among the rows", textLine, 4, "the volts \"volts\" is not a number"},
        {"32 rows, CR line ends", withLineEnds(csv(32), "\r"), 33, "the file ends after 32 rows; a curve has 33 (0 V to 5 V)"},
        {"32 rows, CR LF line ends", withLineEnds(csv(32), "\r\n"), 33, "the file ends after 32 rows; a curve has 33 (0 V to 5 V)"},
        {"a NUL byte", nul, 6, "the value \"4?\" is not a number"},
        {"a 2,001-digit value", longCell, 6, "the value 1000000000000000000000000000000000000... is too large for the display"},
    };
    for (const Case& c : cases) {
        const CurveCsvResult result = parseCurveCsv(c.content);
        EXPECT_FALSE(result.accepted) << "case " << c.name;
        EXPECT_EQ(result.line, c.line) << "case " << c.name;
        EXPECT_EQ(result.reason, c.reason) << "case " << c.name;
    }
    const CurveCsvResult refused = parseCurveCsv(csv(32));
    EXPECT_EQ(curveImportMessage("C:\\a.csv", refused),
              "The curve cannot be imported from\nC:\\a.csv\n\nLine 33: the file ends after 32 rows; a curve "
              "has 33 (0 V to 5 V).\n\nThe fields are unchanged.");
}

TEST(CurveCsv, ExportWritesKeptValuesInFullAndImportReadsThemBack) {
    const CustomSensorCurves curves = startupCustomSensorCurves();
    MemoryForm form;
    FilledCurvePoints filled;
    fillCustomSensorDialog(form, filled, curves, 1);
    form.texts[IDC_CURVE_POINT_FIRST + 2] = "6.3 ";  // typed: written as shown
    const std::string path = tempPath("export.csv");
    ASSERT_EQ(exportCurveFile(form, filled, path), "");
    std::ifstream in(path, std::ios::binary);
    const std::string written((std::istreambuf_iterator<char>(in)), std::istreambuf_iterator<char>());
    in.close();
    const std::string start = "volts,value\r\n0.00000,0\r\n0.15625,3.125\r\n0.31250,6.3\r\n";
    EXPECT_EQ(written.substr(0, start.size()), start);
    EXPECT_EQ(written.substr(written.size() - 13), "5.00000,100\r\n");

    WatchingForm other;
    FilledCurvePoints otherFilled;
    ASSERT_EQ(importCurveFile(other, otherFilled, path), "");
    EXPECT_EQ(other.writes, 33);
    EXPECT_EQ(other.unguarded, 0);
    EXPECT_EQ(other.texts[IDC_CURVE_POINT_FIRST + 1], "3.125");
    EXPECT_EQ(other.texts[IDC_CURVE_POINT_FIRST + 32], "100");

    // A file at full precision, from a decimal-comma spreadsheet: the fields show what fits,
    // OK stores the file's values and Export writes them as the file has them.
    std::string full = "U;p\r\n";
    for (int k = 0; k < 33; ++k) {
        std::string row = std::to_string(k * 0.15625) + ";-23.2062139468195\r\n";
        for (char& ch : row) ch = ch == '.' ? ',' : ch;
        full += row;
    }
    std::ofstream(path, std::ios::binary) << full;
    ASSERT_EQ(importCurveFile(other, otherFilled, path), "");
    EXPECT_EQ(other.texts[IDC_CURVE_POINT_FIRST + 7], "-23.20621");
    CustomSensorCurves stored = startupCustomSensorCurves();
    customSensorCommand(other, otherFilled, stored, 0, 1);
    EXPECT_EQ(stored.points[0][7], -23.2062139468195f);
    EXPECT_NE(stored.points[0][7], -23.20621f);
    ASSERT_EQ(exportCurveFile(other, otherFilled, path), "");
    std::ifstream again(path, std::ios::binary);
    const std::string rewritten((std::istreambuf_iterator<char>(again)), std::istreambuf_iterator<char>());
    again.close();
    std::remove(path.c_str());
    EXPECT_NE(rewritten.find("\r\n1.09375,-23.2062139468195\r\n"), std::string::npos) << rewritten;
}

TEST(CurveCsv, NothingIsWrittenOrChangedWhenRefused) {
    MemoryForm form;
    FilledCurvePoints filled;
    fillCustomSensorDialog(form, filled, startupCustomSensorCurves(), 0);
    form.texts[IDC_CURVE_POINT_FIRST + 10] = "1..5";
    const std::string path = tempPath("typo.csv");
    std::remove(path.c_str());
    const std::string message = exportCurveFile(form, filled, path);
    EXPECT_NE(message.find("row 11 (1.56250 V) holds \"1..5\""), std::string::npos) << message;
    EXPECT_FALSE(std::filesystem::exists(path));
    // A value no text stands for (a damaged file's) is refused as its field shows it, untouched.
    CustomSensorCurves damaged = startupCustomSensorCurves();
    damaged.points[2][4] = std::numeric_limits<float>::quiet_NaN();
    MemoryForm shown;
    FilledCurvePoints shownFilled;
    fillCustomSensorDialog(shown, shownFilled, damaged, 2);
    const std::string nan = exportCurveFile(shown, shownFilled, path);
    EXPECT_NE(nan.find("row 5 (0.62500 V) holds \"nan\""), std::string::npos) << nan;
    EXPECT_FALSE(std::filesystem::exists(path));

    std::ofstream(path, std::ios::binary) << csv(32);
    const int writes = form.writes;
    const FilledCurvePoints before = filled;
    const std::string refused = importCurveFile(form, filled, path);
    std::remove(path.c_str());
    EXPECT_NE(refused.find(path), std::string::npos);
    EXPECT_NE(refused.find("Line 33"), std::string::npos);
    EXPECT_EQ(form.writes, writes);
    EXPECT_EQ(filled[10].text, before[10].text);
    EXPECT_EQ(filled[10].value, before[10].value);
    EXPECT_NE(importCurveFile(form, filled, tempPath("missing.csv")).find("cannot be opened"), std::string::npos);
}
