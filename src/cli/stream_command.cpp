#include <cstdio>
#include <fstream>
#include <memory>
#include <ostream>

#include "cli/commands.h"
#include "cli/editor_session.h"

namespace {

bool writeBytes(const std::string& path, const std::vector<std::uint8_t>& bytes) {
    std::ofstream file(path, std::ios::binary | std::ios::trunc);
    file.write(reinterpret_cast<const char*>(bytes.data()), static_cast<std::streamsize>(bytes.size()));
    file.close();
    return static_cast<bool>(file);
}

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
    if (!writeBytes(output, flattenStream(stream))) return complain(err, output, "cannot be written", ExitFailed);
    if (invocation.has("--schedule")) {
        const std::string schedule = invocation.value("--schedule");
        const std::string csv = scheduleCsv(stream);
        if (!writeBytes(schedule, std::vector<std::uint8_t>(csv.begin(), csv.end())))
            return complain(err, schedule, "cannot be written", ExitFailed);
    }
    return ExitOk;
}
