#include "cli/command_table.h"

#include "cli/commands.h"

const std::vector<CommandRow>& commandTable() {
    static const std::vector<CommandRow> table = {
        {"info", 1, 0, {{"--json", false, false}}, "info FILE.vtl [--json]",
         "Shows what a configuration file holds: its format version, every gauge of the four pages\n"
         "(slot, catalog name, identifier, display column and row, size), the vehicle settings as the\n"
         "editor's panel shows them, the four custom sensor curves and the warnings in use.\n"
         "  --json   one JSON object with the same content\n",
         runInfoCommand},
        {"check", 1, 0, {{"--json", false, false}}, "check FILE.vtl [--json]",
         "Looks for what the display would silently get wrong: warnings that can never be active,\n"
         "half-filled warning rows, mistyped curve points, vehicle data the display misreads, and\n"
         "what only a damaged file holds. Each finding is a problem or a note, with its place.\n"
         "Exit status 0 when there is no problem (notes alone are fine), 1 when there is one.\n"
         "  --json   one JSON object with the findings\n",
         runCheckCommand},
        {"render", 1, 0, {{"-o", true, true, true}, {"--scale", true, false}, {"--font", true, false, true}},
         "render FILE.vtl -o OUT.png [--scale N] [--font FONT.png]",
         "Writes the four pages as the display will show them, page 1 on top: a 240 x 256 picture,\n"
         "dark pixels black on white, built from the page image that an upload of the file sends.\n"
         "  -o OUT.png       the picture to write\n"
         "  --scale N        enlarge it N times, 1 to 16 (default 1)\n"
         "  --font FONT.png  also write the display's character set as a 16 x 16 grid of glyphs\n",
         runRenderCommand},
        {"stream", 1, 0, {{"-o", true, true, true}, {"--schedule", true, false, true}},
         "stream FILE.vtl -o OUT.bin [--schedule OUT.csv]",
         "A dry run of the upload: writes exactly the bytes the editor sends when it has loaded\n"
         "the file and the upload is started without changing anything.\n"
         "  -o OUT.bin          the bytes\n"
         "  --schedule OUT.csv  every write: offset, length, and the least time in milliseconds from\n"
         "                      its first byte until the next write may start\n",
         runStreamCommand},
        {"upload", 1, 0, {{"--port", true, true}}, "upload FILE.vtl --port DEVICE",
         "Uploads the file to the display on a serial device (38400 baud, 8 data bits, odd parity,\n"
         "1 stop bit), never faster than the display's minimum pauses: about 25 seconds. Press the\n"
         "display's Upload button first. Ctrl-C stops at once.\n"
         "  --port DEVICE   the serial device, e.g. /dev/ttyUSB0\n",
         runUploadCommand},
        {"flash", 1, 0, {{"--port", true, true}, {"--allow-cut", false, false}},
         "flash FIRMWARE.bin --port DEVICE [--allow-cut]",
         "Sends a firmware image to the display in its update mode, byte by byte as the display\n"
         "asks, checking every echo. An empty file is refused.\n"
         "  --port DEVICE   the serial device, e.g. /dev/ttyUSB0\n"
         "  --allow-cut     send a file longer than 32768 bytes, of which the display takes only\n"
         "                  the first 32768 (refused without it)\n",
         runFlashCommand},
        {"convert", 2, 1, {}, "convert IN.vtl OUT.vtl",
         "Reads a configuration file of any of the five format versions and writes it in the current\n"
         "one, as the editor saves it after loading IN.vtl; what an old version lacks gets the\n"
         "editor's start-up values. OUT.vtl is replaced only once it is whole.\n",
         runConvertCommand},
        {"diff", 2, 0, {{"--json", false, false}}, "diff FIRST.vtl SECOND.vtl [--json]",
         "Compares two configuration files as the editor shows them: gauges added, removed or moved\n"
         "on each page, vehicle settings as the panel shows them, curve points and warning rows that\n"
         "differ, and the format versions. Prints nothing for alike files.\n"
         "Exit status: 0 alike, 1 different, 2 when a file cannot be read or is refused.\n"
         "  --json   one JSON object with every difference\n",
         runDiffCommand},
        {"report", 1, 0, {{"-o", true, true, true}}, "report FILE.vtl -o OUT.html",
         "Writes one printable HTML page about the file, needing no other file: the four pages as\n"
         "the display shows them, the gauges, the vehicle settings as the panel shows them, the\n"
         "curves as plots with their values, the warnings and the check's findings. OUT.html is\n"
         "replaced only once it is whole.\n"
         "  -o OUT.html   the page to write\n",
         runReportCommand},
    };
    return table;
}

const CommandRow* findCommand(const std::string& name) {
    for (const CommandRow& c : commandTable())
        if (name == c.name) return &c;
    return nullptr;
}
