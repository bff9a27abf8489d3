#include <memory>
#include <ostream>

#include "cli/arguments.h"
#include "cli/commands.h"
#include "cli/editor_session.h"
#include "cli/info_report.h"
#include "document/configuration_compare.h"

namespace {

std::string differencesJson(const std::string& first, const std::string& second,
                            const std::vector<ConfigurationDifference>& differences) {
    std::string out = "{\n  \"first\": " + jsonString(first) + ",\n  \"second\": " + jsonString(second) +
                      ",\n  \"equal\": " + (differences.empty() ? "true" : "false") + ",\n  \"differences\": [";
    for (std::size_t i = 0; i < differences.size(); ++i) {
        const ConfigurationDifference& d = differences[i];
        out += std::string(i ? ",\n" : "\n") + "    {\"kind\": " + jsonString(d.kind) + ", \"place\": " +
               jsonString(d.place) + ", \"from\": " + jsonString(d.from) + ", \"to\": " + jsonString(d.to) +
               ", \"text\": " + jsonString(d.text) + "}";
    }
    return out + (differences.empty() ? "]\n}\n" : "\n  ]\n}\n");
}

}  // namespace

int runDiffCommand(const Invocation& invocation, std::ostream& out, std::ostream& err) {
    // Both files are loaded, each into an editor of its own, before anything is said, so that
    // every refused file is named.
    ConfigurationSummary summaries[2];
    bool refused = false;
    for (int i = 0; i < 2; ++i) {
        auto session = std::make_unique<EditorSession>();
        const LoadResult loaded = session->load(invocation.files[i]);
        if (!loaded.loaded) {
            complain(err, invocation.files[i], loaded.reason, ExitBadInput);
            refused = true;
            continue;
        }
        summaries[i] = summarizeSession(*session, loaded.version);
    }
    if (refused) return ExitBadInput;
    const std::vector<ConfigurationDifference> differences = compareConfigurations(summaries[0], summaries[1]);
    if (invocation.has("--json")) {
        out << differencesJson(invocation.files[0], invocation.files[1], differences);
    } else {
        for (const ConfigurationDifference& d : differences) out << d.text << "\n";
    }
    return differences.empty() ? ExitOk : ExitDifferent;
}
