// display_simulator: plays the gauge display at the far end of a pseudo-terminal. It prints the
// device name, records every byte of an upload with its arrival time, decodes the stream section
// by section, checks the pauses and the page check values, and can write the page and font
// images as PNG pictures. Exits 0 when all is well, 1 on any fault in the stream, 2 on a usage or
// set-up problem, 3 when nothing arrived in time.
#include <algorithm>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <fstream>
#include <iterator>
#include <string>
#include <vector>

#include "bitmap_folder.h"
#include "expected_stream.h"
#include "firmware_side.h"
#include "image_check.h"
#include "line_faults.h"
#include "line_recorder.h"
#include "pseudo_terminal.h"
#include "report/png_writer.h"
#include "upload_decoder.h"

namespace {

struct Options {
    std::string deviceFile;
    std::string winePort;
    std::string wineReg;
    std::string record;
    std::string recordTimes;
    std::string expect;
    std::string pngDir;
    std::string decodeFile;
    std::string bitmapDir;
    std::string expectGauges;
    std::string expectConfig;
    std::string expectLine;
    bool gaugesGiven = false;
    int scale = 1;
    double timeoutS = 300;
    double idleMs = 3000;
    double toleranceMs = 0.5;
    bool neverRead = false;
    bool firmware = false;
    std::vector<std::string> firmwareArgs;
};

void usage() {
    std::fprintf(stderr,
                 "usage: display_simulator [options]\n"
                 "  --device-file PATH   also write the pseudo-terminal's name to PATH\n"
                 "  --wine-port COMn     print the Wine registry command that maps COMn to it\n"
                 "  --wine-reg PATH      write that mapping as a .reg file (wine regedit PATH)\n"
                 "  --record PATH        write the received bytes to PATH\n"
                 "  --record-times PATH  write each byte's arrival bounds to PATH, a line each: the monotonic ms\n"
                 "                       when our read returned it, and the earliest it can have been sent\n"
                 "  --expect PATH        compare the received bytes with PATH byte for byte\n"
                 "  --bitmaps DIR        the page image must be the received gauges' bitmaps from DIR at\n"
                 "                       their places, the font image the character set of DIR\n"
                 "  --expect-gauges LIST the gauge records, PAGE:ID@COLUMN,ROW separated by / (id hex)\n"
                 "  --expect-config FILE the whole stream must be what the saved configuration FILE gives\n"
                 "                       (read when the upload has ended; needs --bitmaps)\n"
                 "  --expect-line SET    the line must be set as SET when the first byte arrives, e.g. 38400-8O1\n"
                 "                       (baud, data bits, parity N, O or E, stop bits), as the sender's end set it\n"
                 "  --png-dir DIR        write DIR/pages.png and DIR/font.png\n"
                 "  --scale N            enlarge the pictures N times (default 1)\n"
                 "  --timeout S          give up when no byte came within S seconds (default 300)\n"
                 "  --idle-ms MS         end the recording after MS of silence (default 3000)\n"
                 "  --tolerance-ms MS    a pause is short when it is short by more than MS (default 0.5)\n"
                 "  --decode PATH        decode a recorded byte file instead (no timing checks)\n"
                 "  --firmware ARGS...   play the display's side of the firmware exchange\n"
                 "  --never-read         open the line and never read: the program's writes must time out\n");
}

bool parse(int argc, char** argv, Options& o) {
    for (int i = 1; i < argc; ++i) {
        const std::string a = argv[i];
        auto value = [&](std::string& into) {
            if (i + 1 >= argc) return false;
            into = argv[++i];
            return true;
        };
        std::string v;
        if (a == "--firmware") {
            o.firmware = true;
            for (++i; i < argc; ++i) o.firmwareArgs.push_back(argv[i]);
        } else if (a == "--device-file") { if (!value(o.deviceFile)) return false; }
        else if (a == "--never-read") o.neverRead = true;
        else if (a == "--wine-port") { if (!value(o.winePort)) return false; }
        else if (a == "--wine-reg") { if (!value(o.wineReg)) return false; }
        else if (a == "--record") { if (!value(o.record)) return false; }
        else if (a == "--record-times") { if (!value(o.recordTimes)) return false; }
        else if (a == "--expect") { if (!value(o.expect)) return false; }
        else if (a == "--png-dir") { if (!value(o.pngDir)) return false; }
        else if (a == "--decode") { if (!value(o.decodeFile)) return false; }
        else if (a == "--bitmaps") { if (!value(o.bitmapDir)) return false; }
        else if (a == "--expect-config") { if (!value(o.expectConfig)) return false; }
        else if (a == "--expect-line") { if (!value(o.expectLine)) return false; }
        else if (a == "--expect-gauges") { if (!value(o.expectGauges)) return false; o.gaugesGiven = true; }
        else if (a == "--scale") { if (!value(v)) return false; o.scale = std::max(1, std::atoi(v.c_str())); }
        else if (a == "--timeout") { if (!value(v)) return false; o.timeoutS = std::atof(v.c_str()); }
        else if (a == "--idle-ms") { if (!value(v)) return false; o.idleMs = std::atof(v.c_str()); }
        else if (a == "--tolerance-ms") { if (!value(v)) return false; o.toleranceMs = std::atof(v.c_str()); }
        else return false;
    }
    if (o.winePort.empty()) o.winePort = "COM1";
    return o.expectConfig.empty() || !o.bitmapDir.empty();
}

bool readFile(const std::string& path, std::vector<std::uint8_t>& bytes) {
    std::ifstream f(path, std::ios::binary);
    if (!f) return false;
    bytes.assign(std::istreambuf_iterator<char>(f), std::istreambuf_iterator<char>());
    return true;
}

// The stream's full length once its four page counts have arrived; 0 before.
std::size_t expectedLength(const std::vector<ReceivedByte>& in) {
    std::size_t at = 12710;
    for (int page = 0; page < 4; ++page) {
        if (at >= in.size()) return 0;
        at += 1 + 14 * static_cast<std::size_t>(in[at].value) + 2;
    }
    return at + 44 + 528 + 4 + 192;
}

// One grey picture of the four pages stacked (a light line between them), dark pixels black.
void writePictures(const DecodedUpload& d, const Options& o) {
    const int s = o.scale;
    const int gap = 4;
    const int width = 240 * s, height = (4 * 64 + 3 * gap) * s;
    std::vector<std::uint8_t> pages(static_cast<std::size_t>(width) * height, 160);
    for (int line = 0; line < 256; ++line)
        for (int x = 0; x < 240; ++x) {
            const bool dark = (d.pageImage[30 * line + x / 8] << (x % 8)) & 0x80;
            const int y = line + (line / 64) * gap;
            for (int dy = 0; dy < s; ++dy)
                for (int dx = 0; dx < s; ++dx)
                    pages[static_cast<std::size_t>(y * s + dy) * width + x * s + dx] = dark ? 0 : 255;
        }
    // The font as the 16 x 16 grid of glyphs it came from.
    const int fw = 128 * s;
    std::vector<std::uint8_t> font(static_cast<std::size_t>(fw) * fw, 255);
    for (int g = 0; g < 256; ++g)
        for (int row = 0; row < 8; ++row)
            for (int col = 0; col < 8; ++col) {
                const bool dark = (d.fontImage[8 * g + row] << col) & 0x80;
                const int x = (g % 16) * 8 + col, y = (g / 16) * 8 + row;
                for (int dy = 0; dy < s; ++dy)
                    for (int dx = 0; dx < s; ++dx)
                        font[static_cast<std::size_t>(y * s + dy) * fw + x * s + dx] = dark ? 0 : 255;
            }
    const bool ok = writeGreyPng(o.pngDir + "/pages.png", width, height, pages) &&
                    writeGreyPng(o.pngDir + "/font.png", fw, fw, font);
    std::printf(ok ? "pictures written to %s\n" : "cannot write pictures to %s\n", o.pngDir.c_str());
}

int judge(const std::vector<ReceivedByte>& in, const Options& o, bool timing, const std::string& lineSettings = "") {
    const DecodedUpload d = decodeUpload(in, timing, o.toleranceMs);
    std::printf("received %zu bytes\n", in.size());
    for (const std::string& note : d.notes) std::printf("%s\n", note.c_str());
    std::vector<std::string> errors = d.errors;
    if (!o.expectLine.empty()) {
        if (lineSettings == o.expectLine) std::printf("line set as %s\n", lineSettings.c_str());
        else errors.push_back("the line was set as " + lineSettings + " when the first byte came, not " + o.expectLine);
    }
    if (!o.expect.empty()) {
        std::vector<std::uint8_t> expected;
        if (!readFile(o.expect, expected)) {
            errors.push_back("cannot read " + o.expect);
        } else {
            const std::size_t n = std::min(expected.size(), in.size());
            std::size_t i = 0;
            while (i < n && expected[i] == in[i].value) ++i;
            char text[200];
            if (i < n)
                std::snprintf(text, sizeof text, "byte %zu is 0x%02X, %s has 0x%02X", i, in[i].value,
                              o.expect.c_str(), expected[i]);
            else if (expected.size() != in.size())
                std::snprintf(text, sizeof text, "%zu bytes received, %s has %zu", in.size(), o.expect.c_str(),
                              expected.size());
            if (i < n || expected.size() != in.size()) errors.push_back(text);
            else std::printf("identical to %s\n", o.expect.c_str());
        }
    }
    if (!o.expectConfig.empty()) {
        SavedConfiguration config;
        std::string error;
        if (!readSavedConfiguration(o.expectConfig, config, error)) {
            errors.push_back(error);
        } else {
            BitmapFolder folder(o.bitmapDir);
            std::vector<std::string> e;
            const std::vector<ExpectedSection> expected = expectedUpload(config, folder, e);
            std::vector<std::uint8_t> received;
            for (const ReceivedByte& b : in) received.push_back(b.value);
            const std::string difference = firstDifference(expected, received);
            if (!difference.empty()) e.push_back(difference + ", against " + o.expectConfig);
            e.insert(e.end(), folder.errors.begin(), folder.errors.end());
            if (e.empty()) std::printf("every section as %s gives it\n", o.expectConfig.c_str());
            errors.insert(errors.end(), e.begin(), e.end());
        }
    }
    if (!o.bitmapDir.empty()) {
        const std::vector<std::string> e = checkImagesAgainstBitmaps(d, o.bitmapDir);
        errors.insert(errors.end(), e.begin(), e.end());
        if (e.empty() && d.pageImage.size() == 7680) std::printf("page and font images match the bitmaps\n");
    }
    if (o.gaugesGiven) {
        const std::vector<std::string> e = checkGaugeRecords(d, o.expectGauges);
        errors.insert(errors.end(), e.begin(), e.end());
        if (e.empty()) std::printf("gauge records as expected\n");
    }
    if (!o.pngDir.empty() && d.pageImage.size() == 7680 && d.fontImage.size() == 2048) writePictures(d, o);
    for (const std::string& e : errors) std::fprintf(stderr, "display_simulator: %s\n", e.c_str());
    if (errors.empty()) std::printf("upload OK\n");
    return errors.empty() ? 0 : 1;
}

}  // namespace

int main(int argc, char** argv) {
    Options o;
    if (!parse(argc, argv, o)) {
        usage();
        return 2;
    }
    if (!o.decodeFile.empty()) {
        std::vector<std::uint8_t> bytes;
        if (!readFile(o.decodeFile, bytes)) {
            std::fprintf(stderr, "display_simulator: cannot read %s\n", o.decodeFile.c_str());
            return 2;
        }
        std::vector<ReceivedByte> in;
        for (std::uint8_t b : bytes) in.push_back(ReceivedByte{b, 0, 0});
        return judge(in, o, false);
    }

    PseudoTerminal pty;
    std::string error;
    if (!openPseudoTerminal(pty, error)) {
        std::fprintf(stderr, "display_simulator: %s\n", error.c_str());
        return 2;
    }
    std::printf("device %s\n", pty.device.c_str());
    std::printf("wine reg add 'HKLM\\Software\\Wine\\Ports' /v %s /d %s /f\n", o.winePort.c_str(), pty.device.c_str());
    std::fflush(stdout);
    if (!o.wineReg.empty()) {
        std::ofstream reg(o.wineReg);
        reg << "REGEDIT4\n\n[HKEY_LOCAL_MACHINE\\Software\\Wine\\Ports]\n\"" << o.winePort << "\"=\"" << pty.device
            << "\"\n";
    }
    if (!o.deviceFile.empty()) {
        // Written to a temporary name first, so a script waiting for the file never reads half.
        const std::string tmp = o.deviceFile + ".tmp";
        { std::ofstream f(tmp); f << pty.device << "\n"; }
        std::rename(tmp.c_str(), o.deviceFile.c_str());
    }

    if (o.neverRead || o.firmware) {
        const int rc = o.neverRead ? runNeverReading(pty, o.timeoutS) : runFirmwareSide(pty, o.firmwareArgs);
        closePseudoTerminal(pty);
        return rc;
    }

    std::vector<ReceivedByte> in;
    // The sender's end sets the line before it writes: its settings are read once, when the first
    // byte has come (the master reports the slave's settings).
    std::string lineSettings;
    RecordLimits limits;
    limits.timeoutMs = o.timeoutS * 1000.0;
    limits.idleMs = o.idleMs;
    limits.doneIdleMs = std::min(o.idleMs, 500.0);
    const int rc = recordLine(pty.master, limits, in, [&](const std::vector<ReceivedByte>& bytes) {
        if (lineSettings.empty() && !bytes.empty()) lineSettings = lineSettingsText(pty.master);
        const std::size_t length = expectedLength(bytes);
        return length != 0 && bytes.size() >= length;
    });
    closePseudoTerminal(pty);
    if (rc == 3) {
        std::fprintf(stderr, "display_simulator: nothing arrived within %g s\n", o.timeoutS);
        return 3;
    }
    if (rc != 0) {
        std::fprintf(stderr, "display_simulator: reading %s failed\n", pty.device.c_str());
        return 2;
    }
    if (!o.record.empty()) {
        std::ofstream f(o.record, std::ios::binary);
        for (const ReceivedByte& b : in) f.put(static_cast<char>(b.value));
    }
    if (std::FILE* f = o.recordTimes.empty() ? nullptr : std::fopen(o.recordTimes.c_str(), "w")) {
        for (const ReceivedByte& b : in) std::fprintf(f, "%.3f %.3f\n", b.timeMs, b.earliestMs);
        std::fclose(f);
    }
    return judge(in, o, true, lineSettings);
}
