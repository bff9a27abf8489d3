#include "cli/arguments.h"

#include <algorithm>
#include <cstddef>

#include "program_version.h"

namespace {

struct OptionSyntax {
    const char* name;
    bool takesValue;
    bool required;
    bool output = false;  // its value is a file the command writes
};

struct CommandSyntax {
    const char* name;
    std::size_t fileCount;
    std::size_t outputFileCount;  // how many of the file arguments, the last ones, it writes
    std::vector<OptionSyntax> options;
    const char* usage;  // after "veltrana-cli "
    const char* help;   // what the command does, and its options
};

const std::vector<CommandSyntax>& commands() {
    static const std::vector<CommandSyntax> table = {
        {"info", 1, 0, {{"--json", false, false}}, "info FILE.vtl [--json]",
         "Shows what a configuration file holds: its format version, every gauge of the four pages\n"
         "(slot, catalog name, identifier, display column and row, size), the vehicle settings as the\n"
         "editor's panel shows them, the four custom sensor curves and the warnings in use.\n"
         "  --json   one JSON object with the same content\n"},
        {"check", 1, 0, {{"--json", false, false}}, "check FILE.vtl [--json]",
         "Looks for what the display would silently get wrong: warnings that can never be active,\n"
         "half-filled warning rows, mistyped curve points, vehicle data the display misreads, and\n"
         "what only a damaged file holds. Each finding is a problem or a note, with its place.\n"
         "Exit status 0 when there is no problem (notes alone are fine), 1 when there is one.\n"
         "  --json   one JSON object with the findings\n"},
        {"render", 1, 0, {{"-o", true, true, true}, {"--scale", true, false}, {"--font", true, false, true}},
         "render FILE.vtl -o OUT.png [--scale N] [--font FONT.png]",
         "Writes the four pages as the display will show them, page 1 on top: a 240 x 256 picture,\n"
         "dark pixels black on white, built from the page image that an upload of the file sends.\n"
         "  -o OUT.png       the picture to write\n"
         "  --scale N        enlarge it N times, 1 to 16 (default 1)\n"
         "  --font FONT.png  also write the display's character set as a 16 x 16 grid of glyphs\n"},
        {"stream", 1, 0, {{"-o", true, true, true}, {"--schedule", true, false, true}},
         "stream FILE.vtl -o OUT.bin [--schedule OUT.csv]",
         "A dry run of the upload: writes exactly the bytes the editor sends when it has loaded\n"
         "the file and the upload is started without changing anything.\n"
         "  -o OUT.bin          the bytes\n"
         "  --schedule OUT.csv  every write: offset, length, and the least time in milliseconds from\n"
         "                      its first byte until the next write may start\n"},
        {"upload", 1, 0, {{"--port", true, true}}, "upload FILE.vtl --port DEVICE",
         "Uploads the file to the display on a serial device (38400 baud, 8 data bits, odd parity,\n"
         "1 stop bit), never faster than the display's minimum pauses: about 25 seconds. Press the\n"
         "display's Upload button first. Ctrl-C stops at once.\n"
         "  --port DEVICE   the serial device, e.g. /dev/ttyUSB0\n"},
        {"flash", 1, 0, {{"--port", true, true}, {"--allow-cut", false, false}},
         "flash FIRMWARE.bin --port DEVICE [--allow-cut]",
         "Sends a firmware image to the display in its update mode, byte by byte as the display\n"
         "asks, checking every echo. An empty file is refused.\n"
         "  --port DEVICE   the serial device, e.g. /dev/ttyUSB0\n"
         "  --allow-cut     send a file longer than 32768 bytes, of which the display takes only\n"
         "                  the first 32768 (refused without it)\n"},
        {"convert", 2, 1, {}, "convert IN.vtl OUT.vtl",
         "Reads a configuration file of any of the five format versions and writes it in the current\n"
         "one, as the editor saves it after loading IN.vtl; what an old version lacks gets the\n"
         "editor's start-up values. OUT.vtl is replaced only once it is whole.\n"},
        {"diff", 2, 0, {{"--json", false, false}}, "diff FIRST.vtl SECOND.vtl [--json]",
         "Compares two configuration files as the editor shows them: gauges added, removed or moved\n"
         "on each page, vehicle settings as the panel shows them, curve points and warning rows that\n"
         "differ, and the format versions. Prints nothing for alike files.\n"
         "Exit status: 0 alike, 1 different, 2 when a file cannot be read or is refused.\n"
         "  --json   one JSON object with every difference\n"},
        {"report", 1, 0, {{"-o", true, true, true}}, "report FILE.vtl -o OUT.html",
         "Writes one printable HTML page about the file, needing no other file: the four pages as\n"
         "the display shows them, the gauges, the vehicle settings as the panel shows them, the\n"
         "curves as plots with their values, the warnings and the check's findings. OUT.html is\n"
         "replaced only once it is whole.\n"
         "  -o OUT.html   the page to write\n"},
    };
    return table;
}

const CommandSyntax* findCommand(const std::string& name) {
    for (const CommandSyntax& c : commands())
        if (name == c.name) return &c;
    return nullptr;
}

const OptionSyntax* findOption(const CommandSyntax& command, const std::string& name) {
    for (const OptionSyntax& o : command.options)
        if (name == o.name) return &o;
    return nullptr;
}

ParsedCommandLine failure(const std::string& command, const std::string& error) {
    ParsedCommandLine parsed;
    parsed.invocation.command = command;
    parsed.error = error;
    return parsed;
}

bool isHelp(const std::string& word) { return word == "--help" || word == "-h"; }

}  // namespace

std::string Invocation::value(const std::string& option) const {
    auto found = options.find(option);
    return found == options.end() ? std::string() : found->second;
}

std::vector<std::string> Invocation::outputPaths() const {
    std::vector<std::string> paths;
    const CommandSyntax* syntax = findCommand(command);
    if (!syntax) return paths;
    for (const OptionSyntax& option : syntax->options)
        if (option.output && has(option.name)) paths.push_back(value(option.name));
    const std::size_t firstOutput = files.size() - std::min(syntax->outputFileCount, files.size());
    paths.insert(paths.end(), files.begin() + firstOutput, files.end());
    return paths;
}

std::vector<std::string> Invocation::inputPaths() const {
    const CommandSyntax* syntax = findCommand(command);
    if (!syntax) return {};
    const std::size_t outputCount = std::min(syntax->outputFileCount, files.size());
    return std::vector<std::string>(files.begin(), files.end() - outputCount);
}

ParsedCommandLine parseCommandLine(const std::vector<std::string>& words) {
    if (words.empty()) return failure("", "no command given");
    ParsedCommandLine parsed;
    Invocation& inv = parsed.invocation;
    if (words[0] == "--version" && words.size() == 1) {
        inv.version = true;
        parsed.ok = true;
        return parsed;
    }
    if (isHelp(words[0]) || words[0] == "help") {
        inv.help = true;
        if (words.size() > 1) {
            if (!findCommand(words[1])) return failure("", "unknown command '" + words[1] + "'");
            inv.command = words[1];
        }
        parsed.ok = true;
        return parsed;
    }
    const CommandSyntax* syntax = findCommand(words[0]);
    if (!syntax) return failure("", "unknown command '" + words[0] + "'");
    inv.command = syntax->name;
    bool optionsEnded = false;  // after "--" every word is a file, even one that begins with '-'
    for (std::size_t i = 1; i < words.size(); ++i) {
        const std::string& word = words[i];
        if (optionsEnded) {
            inv.files.push_back(word);
            continue;
        }
        if (word == "--") {
            optionsEnded = true;
            continue;
        }
        if (isHelp(word)) {
            inv.help = true;
            continue;
        }
        if (word.size() > 1 && word[0] == '-') {
            // "--scale=2" and "--scale 2" are the same.
            const std::size_t equals = word.find('=');
            const std::string name = word.substr(0, equals);
            const OptionSyntax* option = findOption(*syntax, name);
            if (!option) return failure(inv.command, "unknown option '" + name + "'");
            // Which of two values would count is anybody's guess, so neither does.
            if (inv.has(name)) return failure(inv.command, "option " + name + " given more than once");
            std::string value;
            if (option->takesValue) {
                if (equals != std::string::npos) value = word.substr(equals + 1);
                else if (i + 1 < words.size()) value = words[++i];
                else return failure(inv.command, "option " + name + " needs a value");
                if (value.empty()) return failure(inv.command, "option " + name + " needs a value");
            } else if (equals != std::string::npos) {
                return failure(inv.command, "option " + name + " takes no value");
            }
            inv.options[name] = value;
            continue;
        }
        inv.files.push_back(word);
    }
    if (inv.help) {
        parsed.ok = true;
        return parsed;
    }
    if (inv.files.size() < syntax->fileCount) return failure(inv.command, "missing file argument");
    if (inv.files.size() > syntax->fileCount) return failure(inv.command, "unexpected argument '" + inv.files.back() + "'");
    for (const OptionSyntax& option : syntax->options)
        if (option.required && !inv.has(option.name))
            return failure(inv.command, std::string("missing option ") + option.name);
    parsed.ok = true;
    return parsed;
}

std::string usageLine(const std::string& command) {
    if (const CommandSyntax* syntax = findCommand(command)) return std::string("usage: veltrana-cli ") + syntax->usage;
    return "usage: veltrana-cli COMMAND [ARGUMENTS] (info, check, render, stream, upload, flash, convert, diff, report; --help)";
}

std::string helpText(const std::string& command) {
    if (const CommandSyntax* syntax = findCommand(command)) return usageLine(command) + "\n\n" + syntax->help;
    std::string text = versionLine() +
                       ": the gauge display's configuration files and the display itself, from a command line.\n\n"
                       "usage: veltrana-cli COMMAND [ARGUMENTS]\n\n";
    for (const CommandSyntax& c : commands()) text += "  veltrana-cli " + std::string(c.usage) + "\n";
    text +=
        "\n'veltrana-cli COMMAND --help' tells more about each command; --version names the version.\n"
        "Each option is given at most once; '--' ends the options, so that a file name after it may\n"
        "begin with '-'.\n\n"
        "Exit status: 0 done; 1 an output file cannot be written (check: problems found); 2 the input\n"
        "file cannot be read or is refused; 3 the serial device cannot be opened, set up or written;\n"
        "4 the display did not answer in time; 5 the display echoed a wrong byte; 64 a usage error;\n"
        "130 stopped by Ctrl-C.\n";
    return text;
}

std::string versionLine() { return std::string("veltrana-cli (") + VELTRANA_PROGRAM_NAME + " " + VELTRANA_VERSION + ")"; }
