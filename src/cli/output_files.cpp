#include "cli/output_files.h"

#include <sys/stat.h>

#include "cli/commands.h"
#include "platform/file_replace.h"

namespace {

bool anyOutputIsTheInput(const std::string& input, const std::vector<std::string>& outputs, std::ostream& err) {
    struct stat read {};
    if (::stat(input.c_str(), &read) != 0) return false;
    for (const std::string& output : outputs) {
        struct stat written {};
        if (::stat(output.c_str(), &written) == 0 && written.st_dev == read.st_dev && written.st_ino == read.st_ino) {
            complain(err, output, "It is the input file " + input + "; nothing was written.", ExitFailed);
            return true;
        }
    }
    return false;
}

}  // namespace

bool anyOutputIsAnInput(const Invocation& invocation, std::ostream& err) {
    const std::vector<std::string> outputs = invocation.outputPaths();
    for (const std::string& input : invocation.inputPaths())
        if (anyOutputIsTheInput(input, outputs, err)) return true;
    return false;
}

bool writeOutputFile(const std::string& output, const std::vector<std::uint8_t>& bytes, std::ostream& err) {
    const std::string reason = writeWholeFile(output, bytes);
    if (!reason.empty()) complain(err, output, reason, ExitFailed);
    return reason.empty();
}
