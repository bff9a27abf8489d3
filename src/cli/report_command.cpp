#include <memory>
#include <ostream>

#include "cli/arguments.h"
#include "cli/commands.h"
#include "cli/editor_session.h"
#include "cli/info_report.h"
#include "report/configuration_report.h"
#include "report/report_findings.h"

int runReportCommand(const Invocation& invocation, std::ostream&, std::ostream& err) {
    const std::string& path = invocation.files[0];
    auto session = std::make_unique<EditorSession>();
    const LoadResult loaded = session->load(path);
    if (!loaded.loaded) return complain(err, path, loaded.reason, ExitBadInput);

    auto contents = std::make_unique<ReportContents>();
    contents->file = path;
    contents->summary = summarizeSession(*session, loaded.version);
    // Building the upload reads the panel back into the record, which the check then reads.
    contents->pageImage = session->uploadPageImage();
    contents->findings = reportFindings(session->config);

    const std::string output = invocation.value("-o");
    const std::string reason = writeConfigurationReport(output, buildConfigurationReport(*contents));
    if (!reason.empty()) return complain(err, output, reason, ExitFailed);
    return ExitOk;
}
