#include "cli/info_report.h"

#include <charconv>
#include <cmath>
#include <cstdint>
#include <cstdio>

#include "cli/editor_session.h"
#include "document/configuration_file.h"
#include "settings/vehicle_panel.h"
#include "settings/warning_table.h"

namespace {

std::vector<GaugeInfo> gaugesOf(const EditorSession& session) {
    std::vector<GaugeInfo> gauges;
    const Configuration& config = session.config;
    for (int page = 0; page < kPageCount; ++page) {
        const PageFrame& frame = config.directory.pages[page];
        for (int slot = 0; slot < usedSlotCount(frame); ++slot) {
            const GaugePlacement& p = config.layout.slots[page][slot];
            GaugeInfo g;
            g.page = page + 1;
            g.slot = slot;
            const CatalogEntry* entry = findCatalogEntry(session.catalog, p.gaugeId);
            g.inCatalog = entry != nullptr;
            if (entry) g.name = entry->name;
            g.gaugeId = p.gaugeId;
            // The display position, as the upload's gauge record states it; the difference in 64
            // bits (a damaged file's positions reach the int32 limits), its half always fits.
            g.column = static_cast<int>((std::int64_t{p.x} - frame.x) / 2);
            g.row = static_cast<int>((std::int64_t{p.y} - frame.y) / 2);
            g.width = p.width;
            g.height = p.height;
            gauges.push_back(g);
        }
    }
    return gauges;
}

std::vector<WarningInfo> warningsOf(const EditorSession& session) {
    // The pages as the upload derives them from the layout, not as the file last stored them.
    WarningTable table = session.config.warnings;
    recomputeWarningPages(table, session.config.layout, session.config.directory);
    std::vector<WarningInfo> warnings;
    for (int w = 0; w < kWarningCount; ++w) {
        WarningInfo info;
        info.warning = w + 1;
        for (int r = 0; r < kRowsPerWarning; ++r) {
            const WarningRow& row = table.rows[warningRowIndex(w, r)];
            if (row.parameter == 0) continue;
            WarningConditionInfo c;
            c.parameter = row.parameter;
            // A position below 1 (only a damaged file holds one) names no channel.
            c.parameterName = row.parameter > 0 ? channelKey(row.parameter - 1) : "";
            c.condition = row.condition == 1 ? ">" : row.condition == 2 ? "<" : "";
            c.value = row.value;
            if (const auto pair = warningUnitPair(row.parameter, session.profiles.profiles[0])) {
                if (row.unit == 0) c.unit = pair->first;
                if (row.unit == 1) c.unit = pair->second;
            }
            info.conditions.push_back(c);
        }
        for (int page = 0; page < kPageCount; ++page)
            if (table.rows[warningRowIndex(w, page)].activeOnPage == 1) info.pages.push_back(page + 1);
        if (!info.conditions.empty()) warnings.push_back(info);
    }
    return warnings;
}

std::string hex(std::uint32_t value, int digits) {
    char text[16];
    std::snprintf(text, sizeof text, "0x%0*X", digits, value);
    return text;
}

std::string versionText(std::uint32_t version) {
    return hex(version, 8) + (version == kVersionCurrent ? " (current)" : " (older; converted to the current one on save)");
}

std::string pagesText(const std::vector<int>& pages) {
    if (pages.empty()) return "active on no page";
    std::string text = pages.size() == 1 ? "active on page " : "active on pages ";
    for (std::size_t i = 0; i < pages.size(); ++i) text += (i ? ", " : "") + std::to_string(pages[i]);
    return text;
}

std::string conditionText(const WarningConditionInfo& c) {
    std::string text = c.parameterName.empty() ? "parameter " + std::to_string(c.parameter) : c.parameterName;
    text += " " + (c.condition.empty() ? std::string("(no condition)") : c.condition);
    text += " " + shortestNumber(c.value);
    // The blank unit of the switches says nothing.
    if (!c.unit.empty() && c.unit != " ") text += " " + c.unit;
    return text;
}

}  // namespace

InfoReport buildInfoReport(EditorSession& session, const std::string& file, std::uint32_t version) {
    InfoReport report;
    report.file = file;
    report.version = version;
    report.gauges = gaugesOf(session);
    for (const VehiclePanelField& field : kVehiclePanelFields) {
        const std::string text = field.isList ? session.vehiclePanel.selectedListText(field.controlId)
                                              : session.vehiclePanel.texts[field.controlId];
        report.vehicle.push_back(PanelText{field.label, text});
    }
    report.curves = session.config.curves;
    report.warnings = warningsOf(session);
    return report;
}

std::string shortestNumber(float value) {
    if (std::isnan(value)) return "nan";
    if (std::isinf(value)) return value < 0 ? "-inf" : "inf";
    char text[32];
    const auto result = std::to_chars(text, text + sizeof text, value);
    return std::string(text, result.ptr);
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
                          g->inCatalog ? g->name.c_str() : "(not in the catalog)", hex(g->gaugeId, 4).c_str(),
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
        out += "  Warning " + std::to_string(w.warning) + ": ";
        for (std::size_t i = 0; i < w.conditions.size(); ++i)
            out += (i ? " and " : "") + conditionText(w.conditions[i]);
        out += "; " + pagesText(w.pages) + "\n";
    }
    return out;
}
