#include "cli/arguments.h"

#include <algorithm>
#include <cstddef>

#include "cli/command_table.h"
#include "program_version.h"

namespace {

const OptionSyntax* findOption(const CommandRow& command, const std::string& name) {
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
    const CommandRow* row = findCommand(command);
    if (!row) return paths;
    for (const OptionSyntax& option : row->options)
        if (option.output && has(option.name)) paths.push_back(value(option.name));
    const std::size_t firstOutput = files.size() - std::min(row->outputFileCount, files.size());
    paths.insert(paths.end(), files.begin() + firstOutput, files.end());
    return paths;
}

std::vector<std::string> Invocation::inputPaths() const {
    const CommandRow* row = findCommand(command);
    if (!row) return {};
    const std::size_t outputCount = std::min(row->outputFileCount, files.size());
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
    const CommandRow* row = findCommand(words[0]);
    if (!row) return failure("", "unknown command '" + words[0] + "'");
    inv.command = row->name;
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
            const OptionSyntax* option = findOption(*row, name);
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
    if (inv.files.size() < row->fileCount) return failure(inv.command, "missing file argument");
    if (inv.files.size() > row->fileCount) return failure(inv.command, "unexpected argument '" + inv.files.back() + "'");
    for (const OptionSyntax& option : row->options)
        if (option.required && !inv.has(option.name))
            return failure(inv.command, std::string("missing option ") + option.name);
    parsed.ok = true;
    return parsed;
}

std::string usageLine(const std::string& command) {
    if (const CommandRow* row = findCommand(command)) return std::string("usage: veltrana-cli ") + row->usage;
    std::string names;
    for (const CommandRow& c : commandTable()) names += (names.empty() ? "" : ", ") + std::string(c.name);
    return "usage: veltrana-cli COMMAND [ARGUMENTS] (" + names + "; --help)";
}

std::string helpText(const std::string& command) {
    if (const CommandRow* row = findCommand(command)) return usageLine(command) + "\n\n" + row->help;
    std::string text = versionLine() +
                       ": the gauge display's configuration files and the display itself, from a command line.\n\n"
                       "usage: veltrana-cli COMMAND [ARGUMENTS]\n\n";
    for (const CommandRow& c : commandTable()) text += "  veltrana-cli " + std::string(c.usage) + "\n";
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
