#include <memory>
#include <ostream>

#include "cli/arguments.h"
#include "cli/commands.h"
#include "cli/editor_session.h"
#include "cli/info_report.h"

int complain(std::ostream& err, const std::string& path, const std::string& reason, int status) {
    err << "veltrana-cli: " << path << ": " << reason << "\n";
    return status;
}

bool loadForCommand(EditorSession& session, const std::string& path, std::ostream& err) {
    const LoadResult result = session.load(path);
    if (!result.loaded) complain(err, path, result.reason, ExitBadInput);
    return result.loaded;
}

int runInfoCommand(const Invocation& invocation, std::ostream& out, std::ostream& err) {
    const std::string& path = invocation.files[0];
    auto session = std::make_unique<EditorSession>();
    const LoadResult loaded = session->load(path);
    if (!loaded.loaded) return complain(err, path, loaded.reason, ExitBadInput);
    const InfoReport report = buildInfoReport(*session, path, loaded.version);
    out << (invocation.has("--json") ? formatInfoJson(report) : formatInfoText(report));
    return ExitOk;
}
