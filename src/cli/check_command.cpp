#include <memory>
#include <ostream>

#include "cli/arguments.h"
#include "cli/commands.h"
#include "cli/editor_session.h"
#include "cli/info_report.h"
#include "document/configuration_check.h"
#include "settings/custom_sensor_curves.h"

namespace {

// The place's own fields, numbered as `info --json` numbers them: pages, warnings and rows from
// 1, slots and curve points from 0.
std::string placeFields(const CheckPlace& place) {
    switch (place.kind) {
    case CheckPlaceKind::Gauge:
        return "\"page\": " + std::to_string(place.page + 1) + ", \"slot\": " + std::to_string(place.slot);
    case CheckPlaceKind::VehicleField: return "\"field\": " + jsonString(place.label);
    case CheckPlaceKind::CurvePoint:
        return "\"sensor\": " + std::to_string(place.sensor + 1) + ", \"point\": " + std::to_string(place.point) +
               ", \"volts\": " + shortestNumber(static_cast<float>(place.point * kCurveStepVolts));
    case CheckPlaceKind::Warning:
        return "\"warning\": " + std::to_string(place.warning + 1) + ", \"row\": " + std::to_string(place.row + 1);
    }
    return "";
}

std::string findingsJson(const std::string& path, const std::vector<CheckFinding>& findings) {
    const int problems = problemCount(findings);
    std::string out = "{\n  \"file\": " + jsonString(path) + ",\n  \"problems\": " + std::to_string(problems) +
                      ",\n  \"notes\": " + std::to_string(static_cast<int>(findings.size()) - problems) +
                      ",\n  \"findings\": [";
    for (std::size_t i = 0; i < findings.size(); ++i) {
        const CheckFinding& f = findings[i];
        out += std::string(i ? "," : "") + "\n    {\"severity\": " + jsonString(checkSeverityText(f.severity)) +
               ", \"kind\": " + jsonString(checkKindKey(f.kind)) + ", \"place\": " +
               jsonString(checkPlaceText(f.place)) + ", " + placeFields(f.place) + ", \"text\": " + jsonString(f.text) +
               "}";
    }
    return out + (findings.empty() ? "]\n}\n" : "\n  ]\n}\n");
}

}  // namespace

int runCheckCommand(const Invocation& invocation, std::ostream& out, std::ostream& err) {
    const std::string& path = invocation.files[0];
    auto session = std::make_unique<EditorSession>();
    if (!loadForCommand(*session, path, err)) return ExitBadInput;
    // The record as "Proceed" would send it: the panel read back first, which derives the fuel
    // flow factor from the numbers the panel shows.
    session->commitVehiclePanel();
    const std::vector<CheckFinding> findings = checkConfiguration(session->config);
    if (invocation.has("--json")) {
        out << findingsJson(path, findings);
    } else {
        out << path << ": " << checkSummaryText(findings) << "\n";
        for (const CheckFinding& finding : findings) out << checkFindingLine(finding) << "\n";
    }
    return problemCount(findings) > 0 ? ExitProblemsFound : ExitOk;
}
