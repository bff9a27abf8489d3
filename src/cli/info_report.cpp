#include "cli/info_report.h"

#include <cstdio>

#include "cli/editor_session.h"
#include "document/configuration_file.h"
#include "settings/vehicle_panel.h"

namespace {

std::string versionText(std::uint32_t version) {
    return hexWord(version, 8) + (version == kVersionCurrent ? " (current)" : " (older; converted to the current one on save)");
}

}  // namespace

ConfigurationSummary summarizeSession(EditorSession& session, std::uint32_t version) {
    return summarizeConfiguration(session.config, panelTexts(session.vehiclePanel), session.profiles.profiles[0], version);
}

InfoReport buildInfoReport(EditorSession& session, const std::string& file, std::uint32_t version) {
    const ConfigurationSummary summary = summarizeSession(session, version);
    InfoReport report;
    report.file = file;
    report.version = version;
    report.gauges = summary.gauges;
    report.vehicle = summary.vehicle;
    report.curves = summary.curves;
    report.warnings = summary.warnings;
    return report;
}

std::string formatInfoText(const InfoReport& report) {
    std::string out = report.file + "\nFormat version: " + versionText(report.version) + "\n";
    for (int page = 1; page <= kPageCount; ++page) {
        std::vector<const GaugeInfo*> on;
        for (const GaugeInfo& g : report.gauges)
            if (g.page == page) on.push_back(&g);
        out += "\nPage " + std::to_string(page) + ": " +
               (on.empty() ? std::string("no gauges") : std::to_string(on.size()) + (on.size() == 1 ? " gauge" : " gauges")) +
               "\n";
        for (const GaugeInfo* g : on) {
            char line[200];
            std::snprintf(line, sizeof line, "  slot %3d  %-28s id %s  column %3d  row %2d  %3d x %2d\n", g->slot,
                          g->inCatalog ? g->name.c_str() : "(not in the catalog)", hexWord(g->gaugeId, 4).c_str(),
                          g->column, g->row, g->width, g->height);
            out += line;
        }
    }
    out += "\nVehicle settings, as the panel shows them:\n";
    for (const PanelText& field : report.vehicle) {
        char line[200];
        std::snprintf(line, sizeof line, "  %-27s %s\n", (field.label + ":").c_str(), field.text.c_str());
        out += line;
    }
    out += "\nCustom sensor curves, 33 points from 0 V to 5 V in steps of 0.15625 V:\n";
    for (int sensor = 0; sensor < kCustomSensorCount; ++sensor) {
        out += "  Sensor " + std::to_string(sensor + 1) + ":";
        for (float point : report.curves.points[sensor]) out += " " + shortestNumber(point);
        out += "\n";
    }
    out += "\nWarnings:";
    if (report.warnings.empty()) out += " none in use";
    out += "\n";
    for (const WarningInfo& w : report.warnings) {
        out += "  Warning " + std::to_string(w.warning) + ": " + warningInWords(w) + "\n";
    }
    return out;
}
