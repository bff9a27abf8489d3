#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "cli/arguments.h"

namespace {

using Words = std::vector<std::string>;

TEST(CliArguments, ShapesThatAreUsageErrors) {
    const struct {
        Words words;
        const char* complaint;
    } cases[] = {
        {{}, "no command"},
        {{"frobnicate", "a.vtl"}, "unknown command 'frobnicate'"},
        {{"info"}, "missing file"},
        {{"info", "a.vtl", "b.vtl"}, "unexpected argument 'b.vtl'"},
        {{"info", "a.vtl", "--jsonx"}, "unknown option '--jsonx'"},
        {{"info", "a.vtl", "--json=yes"}, "takes no value"},
        {{"render", "a.vtl"}, "missing option -o"},
        {{"render", "a.vtl", "-o"}, "-o needs a value"},
        {{"render", "a.vtl", "-o", "p.png", "--scale="}, "--scale needs a value"},
        {{"stream", "a.vtl", "--schedule", "s.csv"}, "missing option -o"},
        {{"upload", "a.vtl"}, "missing option --port"},
        {{"flash", "--port", "/dev/null"}, "missing file"},
        {{"convert", "a.vtl"}, "missing file"},
        {{"convert", "a.vtl", "--port", "x", "b.vtl"}, "unknown option '--port'"},
        {{"help", "nothing"}, "unknown command 'nothing'"},
        {{"--help", "nothing"}, "unknown command 'nothing'"},
        {{"render", "a.vtl", "-o", "p.png", "-o", "q.png"}, "option -o given more than once"},
        {{"render", "a.vtl", "--scale=2", "-o", "p.png", "--scale", "2"}, "option --scale given more than once"},
        {{"info", "a.vtl", "--json", "--json"}, "option --json given more than once"},
        {{"info", "--", "a.vtl", "--json"}, "unexpected argument '--json'"},  // a file after "--"
    };
    for (const auto& c : cases) {
        const ParsedCommandLine parsed = parseCommandLine(c.words);
        const std::string name = c.words.empty() ? "(none)" : c.words[0];
        EXPECT_FALSE(parsed.ok) << name;
        EXPECT_NE(parsed.error.find(c.complaint), std::string::npos) << name << ": " << parsed.error;
        // The usage line shown with the complaint is the subcommand's when one was named.
        if (!parsed.invocation.command.empty()) {
            EXPECT_EQ(usageLine(parsed.invocation.command).rfind("usage: veltrana-cli " + name, 0), 0u) << name;
        }
    }
}

TEST(CliArguments, OptionsInEitherFormAndHelpAnywhere) {
    const ParsedCommandLine a = parseCommandLine({"render", "--scale=3", "a.vtl", "-o", "p.png", "--font", "f.png"});
    const ParsedCommandLine b = parseCommandLine({"render", "a.vtl", "--scale", "3", "-o=p.png", "--font=f.png"});
    for (const ParsedCommandLine* p : {&a, &b}) {
        ASSERT_TRUE(p->ok) << p->error;
        EXPECT_EQ(p->invocation.files, Words{"a.vtl"});
        EXPECT_EQ(p->invocation.value("--scale"), "3");
        EXPECT_EQ(p->invocation.value("-o"), "p.png");
        EXPECT_EQ(p->invocation.value("--font"), "f.png");
    }
    // Help needs none of the required arguments, for the program and for each command.
    const struct {
        Words words;
        const char* command;  // whose help
    } helps[] = {
        {{"--help"}, ""}, {{"-h"}, ""}, {{"help", "flash"}, "flash"}, {{"upload", "--help"}, "upload"},
        {{"--help", "info"}, "info"}, {{"-h", "render"}, "render"},
    };
    for (const auto& h : helps) {
        const ParsedCommandLine p = parseCommandLine(h.words);
        EXPECT_TRUE(p.ok && p.invocation.help) << h.words[0];
        EXPECT_EQ(p.invocation.command, h.command) << h.words[0];
    }
    // After "--" every word is a file, one that looks like an option or like help too.
    const ParsedCommandLine ended = parseCommandLine({"convert", "--", "-old.vtl", "--help"});
    ASSERT_TRUE(ended.ok) << ended.error;
    EXPECT_FALSE(ended.invocation.help);
    EXPECT_EQ(ended.invocation.files, (Words{"-old.vtl", "--help"}));
    const ParsedCommandLine afterOptions = parseCommandLine({"render", "-o", "p.png", "--", "-car.vtl"});
    ASSERT_TRUE(afterOptions.ok) << afterOptions.error;
    EXPECT_EQ(afterOptions.invocation.files, Words{"-car.vtl"});
    EXPECT_NE(helpText("flash").find("usage: veltrana-cli flash FIRMWARE.bin --port DEVICE"), std::string::npos);
    EXPECT_NE(helpText("").find("130"), std::string::npos);
}

TEST(CliArguments, TheFilesACommandWritesAndReads) {
    const struct {
        Words words;
        Words outputs;
        Words inputs;
    } cases[] = {
        {{"render", "a.vtl", "--scale", "2", "--font", "f.png", "-o", "p.png"}, {"p.png", "f.png"}, {"a.vtl"}},
        {{"render", "a.vtl", "-o", "p.png"}, {"p.png"}, {"a.vtl"}},
        {{"stream", "a.vtl", "-o", "s.bin", "--schedule", "s.csv"}, {"s.bin", "s.csv"}, {"a.vtl"}},
        {{"report", "a.vtl", "-o=r.html"}, {"r.html"}, {"a.vtl"}},
        {{"convert", "a.vtl", "b.vtl"}, {"b.vtl"}, {"a.vtl"}},
        {{"convert", "--", "-a.vtl", "-b.vtl"}, {"-b.vtl"}, {"-a.vtl"}},
        {{"diff", "a.vtl", "b.vtl", "--json"}, {}, {"a.vtl", "b.vtl"}},
        {{"flash", "f.bin", "--port", "/dev/ttyUSB0"}, {}, {"f.bin"}},
    };
    for (const auto& c : cases) {
        const ParsedCommandLine parsed = parseCommandLine(c.words);
        ASSERT_TRUE(parsed.ok) << c.words[0] << ": " << parsed.error;
        EXPECT_EQ(parsed.invocation.outputPaths(), c.outputs) << c.words[0] << " " << c.words[1];
        EXPECT_EQ(parsed.invocation.inputPaths(), c.inputs) << c.words[0] << " " << c.words[1];
    }
}

}  // namespace
