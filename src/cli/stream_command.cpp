#include <cstdio>
#include <memory>
#include <ostream>

#include "cli/arguments.h"
#include "cli/commands.h"
#include "cli/editor_session.h"
#include "cli/output_files.h"

namespace {

std::string scheduleCsv(const UploadStream& stream) {
    std::string csv = "offset,length,minimum_pause_ms\n";
    for (const PacedWrite& write : pacedWrites(stream)) {
        char line[80];
        std::snprintf(line, sizeof line, "%zu,%zu,%g\n", write.offset, write.length, write.minimumPauseMs);
        csv += line;
    }
    return csv;
}

}  // namespace

int runStreamCommand(const Invocation& invocation, std::ostream&, std::ostream& err) {
    const std::string& path = invocation.files[0];
    auto session = std::make_unique<EditorSession>();
    if (!loadForCommand(*session, path, err)) return ExitBadInput;
    const UploadStream stream = session->buildUpload();

    const std::string output = invocation.value("-o");
    const std::string schedule = invocation.value("--schedule");
    if (!writeOutputFile(output, flattenStream(stream), err)) return ExitFailed;
    if (invocation.has("--schedule")) {
        const std::string csv = scheduleCsv(stream);
        if (!writeOutputFile(schedule, std::vector<std::uint8_t>(csv.begin(), csv.end()), err)) return ExitFailed;
    }
    return ExitOk;
}
