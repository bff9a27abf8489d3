#include "document/configuration_summary.h"

#include <cmath>
#include <cstdint>
#include <cstdio>

#include "layout/gauge_catalog.h"
#include "platform/decimal_chars.h"
#include "profiles/engine_unit_profiles.h"
#include "settings/vehicle_fields.h"
#include "settings/warning_table.h"

namespace {

WarningConditionInfo conditionOf(const WarningRow& row, int rowIndex, const EngineUnitProfile& unitNames) {
    WarningConditionInfo c;
    c.row = rowIndex + 1;
    c.parameter = row.parameter;
    // A position below 1 (only a damaged file holds one) names no channel.
    c.parameterName = row.parameter > 0 ? channelKey(row.parameter - 1) : "";
    c.condition = row.condition == 1 ? ">" : row.condition == 2 ? "<" : "";
    c.value = row.value;
    if (const auto pair = warningUnitPair(row.parameter, unitNames)) {
        if (row.unit == 0) c.unit = pair->first;
        if (row.unit == 1) c.unit = pair->second;
    }
    return c;
}

// A row in no use: no parameter, no condition, a threshold of 0, and the unit the editor leaves
// there, 0 in a new configuration or -1 (no selection) once the warning dialog was confirmed.
bool rowIsEmpty(const WarningRow& row) {
    return row.parameter == 0 && row.condition == 0 && row.value == 0 && !std::signbit(row.value) &&
           (row.unit == 0 || row.unit == -1);
}

// Views are not needed to read a file's records: the loaded gauges get none.
class NoViews : public ViewHost {
public:
    LoadedBitmap loadBitmap(std::uint32_t) override { return {}; }
    ViewHandle createView(int, int, int, int) override { return 0; }
    void setBitmap(ViewHandle, BitmapHandle) override {}
    void moveView(ViewHandle, int, int, int, int) override {}
    void showView(ViewHandle, bool) override {}
    void destroyView(ViewHandle) override {}
};

}  // namespace

std::vector<GaugeInfo> placedGauges(const Configuration& config) {
    std::vector<GaugeInfo> gauges;
    for (int page = 0; page < kPageCount; ++page) {
        const PageFrame& frame = config.directory.pages[page];
        for (int slot = 0; slot < usedSlotCount(frame); ++slot) {
            const GaugePlacement& p = config.layout.slots[page][slot];
            GaugeInfo g;
            g.page = page + 1;
            g.slot = slot;
            const GaugeDefinition* definition = findGaugeDefinition(p.gaugeId);
            g.inCatalog = definition != nullptr;
            if (definition) g.name = definition->name;
            g.gaugeId = p.gaugeId;
            // The display position, as the upload's gauge record states it; even a damaged file's
            // position near the int32 limits gives a column and row that fit an int.
            const DisplayPoint corner = displayPointOf(p, frame, PixelRounding::towardZero);
            g.column = static_cast<int>(corner.column);
            g.row = static_cast<int>(corner.row);
            g.width = p.displayWidth;
            g.height = p.displayHeight;
            gauges.push_back(g);
        }
    }
    return gauges;
}

std::vector<PanelText> savedPanelTexts(const VehicleSettings& vehicle) {
    std::vector<PanelText> texts;
    for (const VehicleField& field : kVehicleFields)
        texts.push_back(PanelText{field.label, vehicleFieldText(field, vehicle)});
    return texts;
}

std::vector<WarningInfo> warningsInUse(const Configuration& config, const EngineUnitProfile& unitNames) {
    WarningTable table = config.warnings;
    recomputeWarningPages(table, config.layout, config.directory);
    std::vector<WarningInfo> warnings;
    for (int w = 0; w < kWarningCount; ++w) {
        WarningInfo info;
        info.warning = w + 1;
        for (int r = 0; r < kRowsPerWarning; ++r) {
            const WarningRow& row = table.rows[warningRowIndex(w, r)];
            if (row.parameter != 0) info.conditions.push_back(conditionOf(row, r, unitNames));
        }
        for (int page = 0; page < kPageCount; ++page)
            if (table.rows[warningRowIndex(w, page)].activeOnPage == 1) info.pages.push_back(page + 1);
        if (!info.conditions.empty()) warnings.push_back(info);
    }
    return warnings;
}

ConfigurationSummary summarizeConfiguration(const Configuration& config, std::vector<PanelText> panel,
                                            const EngineUnitProfile& unitNames, std::uint32_t version) {
    ConfigurationSummary summary;
    summary.version = version;
    summary.gauges = placedGauges(config);
    summary.vehicle = std::move(panel);
    summary.curves = config.curves;
    summary.warnings = warningsInUse(config, unitNames);
    for (int i = 0; i < kWarningRowCount; ++i) {
        const WarningRow& row = config.warnings.rows[i];
        summary.warningRows.push_back(rowIsEmpty(row) ? std::string()
                                                      : conditionText(conditionOf(row, i % kRowsPerWarning, unitNames)));
    }
    return summary;
}

namespace {

// A file as a freshly started editor holds it after `load` loaded it into the record.
template <typename Load>
bool summarizeLoaded(ConfigurationSummary& summary, std::string& reason, Load load) {
    // The editor as it starts: empty pages, the rev meter's start range, start-up curves and
    // profiles.
    auto config = std::make_unique<Configuration>();
    resetPages(config->layout, config->directory);
    setStartRevMeterRange(config->vehicle);
    config->curves = startupCustomSensorCurves();
    const EngineUnitProfiles profiles = defaultEngineUnitProfiles();

    NoViews views;
    const GaugeCatalog noCatalog;
    const LoadResult loaded = load(*config, noCatalog, views);
    if (!loaded.loaded) {
        reason = loaded.reason;
        return false;
    }
    // The panel shows the record: the file's vehicle settings, or the start-up ones it lacks.
    summary = summarizeConfiguration(*config, savedPanelTexts(config->vehicle), profiles.profiles[0], loaded.version);
    return true;
}

}  // namespace

bool summarizeConfigurationFile(const std::string& path, ConfigurationSummary& summary, std::string& reason) {
    return summarizeLoaded(summary, reason, [&](Configuration& config, const GaugeCatalog& catalog, ViewHost& views) {
        return loadConfiguration(path, config, catalog, views);
    });
}

bool summarizeConfigurationBytes(const std::vector<std::uint8_t>& bytes, ConfigurationSummary& summary,
                                 std::string& reason) {
    return summarizeLoaded(summary, reason, [&](Configuration& config, const GaugeCatalog& catalog, ViewHost& views) {
        return loadConfigurationBytes(bytes, config, catalog, views);
    });
}

std::string conditionText(const WarningConditionInfo& c) {
    std::string text = c.parameterName.empty() ? "parameter " + std::to_string(c.parameter) : c.parameterName;
    text += " " + (c.condition.empty() ? std::string("(no condition)") : c.condition);
    text += " " + shortestNumber(c.value);
    // The blank unit of the switches says nothing.
    if (!c.unit.empty() && c.unit != " ") text += " " + c.unit;
    return text;
}

std::string pagesText(const std::vector<int>& pages) {
    if (pages.empty()) return "active on no page";
    std::string text = pages.size() == 1 ? "active on page " : "active on pages ";
    for (std::size_t i = 0; i < pages.size(); ++i) text += (i ? ", " : "") + std::to_string(pages[i]);
    return text;
}

std::string warningInWords(const WarningInfo& warning) {
    std::string text;
    for (std::size_t i = 0; i < warning.conditions.size(); ++i)
        text += (i ? " and " : "") + conditionText(warning.conditions[i]);
    return text + "; " + pagesText(warning.pages);
}

std::string curvePointVolts(int point) { return shortestNumber(static_cast<float>(point * kCurveStepVolts)); }

std::string hexWord(std::uint32_t value, int digits) {
    char text[16];
    std::snprintf(text, sizeof text, "0x%0*X", digits, value);
    return text;
}
