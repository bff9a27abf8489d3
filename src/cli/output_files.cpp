#include "cli/output_files.h"

#include "cli/commands.h"
#include "platform/file_identity.h"
#include "platform/file_replace.h"

bool anyOutputIsAnInput(const Invocation& invocation, std::ostream& err) {
    const std::vector<std::string> outputs = invocation.outputPaths();
    for (const std::string& input : invocation.inputPaths())
        for (const std::string& output : outputs)
            if (isSameExistingFile(input, output)) {
                complain(err, output, "It is the input file " + input + "; nothing was written.", ExitFailed);
                return true;
            }
    return false;
}

bool writeOutputFile(const std::string& output, const std::vector<std::uint8_t>& bytes, std::ostream& err) {
    const std::string reason = writeWholeFile(output, bytes);
    if (!reason.empty()) complain(err, output, reason, ExitFailed);
    return reason.empty();
}
