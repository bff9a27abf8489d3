#include <gtest/gtest.h>

#include <cmath>
#include <functional>
#include <memory>
#include <string>
#include <vector>

#include "document/configuration_compare.h"
#include "layout/gauge_catalog.h"
#include "platform/memory_form.h"
#include "profiles/engine_unit_profiles.h"
#include "settings/vehicle_panel.h"

namespace {

constexpr int kEngineSpeed = 8 + 1;  // the parameter position of channel 8

std::uint32_t textGaugeId(const std::string& name) {
    for (int i = 0; i < definitionCount(3); ++i)
        if (definitionName(3, i) == name) return gaugeDefinition(3, i)->gaugeId;
    ADD_FAILURE() << "no text gauge " << name;
    return 0;
}

void place(Configuration& c, int page, const std::string& name, int column, int row) {
    const GaugeDefinition* d = findGaugeDefinition(textGaugeId(name));
    GaugePlacement& g = c.layout.slots[page][c.directory.pages[page].count++];
    g = GaugePlacement{};
    g.gaugeId = d->gaugeId;
    g.previewX = c.directory.pages[page].x + 2 * column;
    g.previewY = c.directory.pages[page].y + 2 * row;
    g.displayWidth = d->tableWidth;
    g.displayHeight = d->tableHeight;
}

// The configuration as the editor would show it, its panel filled from the record.
ConfigurationSummary summaryOf(const Configuration& c, std::uint32_t version = kVersionCurrent) {
    MemoryForm panel;
    VehicleSettings startUp = c.vehicle;
    setUpVehiclePanel(panel, startUp);
    fillVehiclePanel(panel, c.vehicle);
    return summarizeConfiguration(c, panelTexts(panel), defaultEngineUnitProfiles().profiles[0], version);
}

TEST(ConfigurationCompare, SaysWhatDiffersInTheUsersWordsAndNothingForWhatNoOneSees) {
    // RPM and Air Temp (C) on page 1, warning 1 on the engine speed, injector 550 cc.
    auto base = std::make_unique<Configuration>();
    resetPages(base->layout, base->directory);
    base->curves = startupCustomSensorCurves();
    base->curves.points[3][4] = std::nanf("");
    base->vehicle.injectorSize = 550;
    base->vehicle.tireWidthIndex = 17;
    place(*base, 0, "RPM", 0, 0);
    place(*base, 0, "Air Temp (C)", 64, 0);
    base->warnings.rows[warningRowIndex(0, 0)] = WarningRow{1, kEngineSpeed, 1, 6500, 0};
    const std::string rpmRule = channelKey(kEngineSpeed - 1) + " > 6500 rpm";

    struct Case {
        const char* name;
        std::function<void(Configuration&)> change;
        std::vector<std::string> expected;
        std::uint32_t version = kVersionCurrent;
    };
    const std::vector<Case> cases = {
        {"the same configuration", [](Configuration&) {}, {}},
        {"slots in another order, stored page flags and handles differ",
         [](Configuration& c) {
             std::swap(c.layout.slots[0][0], c.layout.slots[0][1]);
             c.layout.slots[0][0].window = 77;
             c.warnings.rows[warningRowIndex(0, 3)].activeOnPage = 1;
         },
         {}},
        {"a value the panel shows with the same text",
         [](Configuration& c) { c.vehicle.injectorSize = 550.2f; }, {}},
        {"an older format version", [](Configuration&) {}, {"Format version: 0xABBADEB1 -> 0xABBADEB0"},
         kVersionWarnings},
        {"a gauge added on page 2", [](Configuration& c) { place(c, 1, "Battery", 8, 16); },
         {"Page 2: Battery added at column 8, row 16"}},
        {"a gauge moved within its page",
         [](Configuration& c) { c.layout.slots[0][1].previewY += 2 * 16; },
         {"Page 1: Air Temp (C) moved from column 64, row 0 to column 64, row 16"}},
        {"a gauge moved to another page is removed from one and added on the other, and the warning "
         "on its channel follows it",
         [](Configuration& c) {
             c.layout.slots[0][0] = c.layout.slots[0][1];
             c.directory.pages[0].count = 1;
             place(c, 2, "RPM", 0, 0);
         },
         {"Page 1: RPM removed from column 0, row 0", "Page 3: RPM added at column 0, row 0",
          "Warning 1: active on page 1 -> active on page 3"}},
        {"a gauge the catalog does not know",
         [](Configuration& c) { c.layout.slots[0][1].gaugeId = 0x7777; },
         {"Page 1: Air Temp (C) removed from column 64, row 0",
          "Page 1: the unknown gauge 0x7777 added at column 64, row 0"}},
        {"vehicle fields as the panel shows them",
         [](Configuration& c) {
             c.vehicle.injectorSize = 0;
             c.vehicle.gearRatio[0] = 3.14159f;
             c.vehicle.tireWidthIndex = -1;
         },
         {"1st Gear Ratio: 0.000 -> 3.142", "Injector Size (CC): 550 -> 0", "Tire Width: 225 -> (no selection)"}},
        {"a number the panel pads, without its padding",
         [](Configuration& c) { c.vehicle.vehicleWeight = 2900; },
         {"Vehicle Weight (lbs): 0 -> 2900"}},
        {"curve points by sensor and volts; a point that is not a number on both sides is alike",
         [](Configuration& c) {
             c.curves.points[1][2] = 62.5f;
             c.curves.points[0][32] = 50.0f;
         },
         {"Sensor 1 at 5 V: 5 -> 50", "Sensor 2 at 0.3125 V: 6.25 -> 62.5"}},
        {"warning rows, including a half-filled one",
         [](Configuration& c) {
             c.warnings.rows[warningRowIndex(0, 0)].value = 7000;
             c.warnings.rows[warningRowIndex(4, 2)] = WarningRow{0, 0, 2, 0, 0};
         },
         {"Warning 1, row 1: " + rpmRule + " -> " + channelKey(kEngineSpeed - 1) + " > 7000 rpm",
          "Warning 5, row 3: (empty) -> parameter 0 < 0"}},
        {"unused rows as the warning dialog's OK leaves them (unit -1) are empty like new ones",
         [](Configuration& c) {
             for (int w = 1; w < kWarningCount; ++w)
                 for (int r = 0; r < kRowsPerWarning; ++r) c.warnings.rows[warningRowIndex(w, r)] = WarningRow{0, 0, 0, 0, -1};
         },
         {}},
        {"a row emptied by the dialog",
         [](Configuration& c) { c.warnings.rows[warningRowIndex(0, 0)] = WarningRow{1, 0, 0, 0, -1}; },
         {"Warning 1, row 1: " + rpmRule + " -> (empty)"}},
    };
    const ConfigurationSummary before = summaryOf(*base);
    for (const Case& c : cases) {
        auto changed = std::make_unique<Configuration>(*base);
        c.change(*changed);
        std::vector<std::string> texts;
        for (const ConfigurationDifference& d : compareConfigurations(before, summaryOf(*changed, c.version)))
            texts.push_back(d.text);
        EXPECT_EQ(texts, c.expected) << "case: " << c.name;
    }
}

}  // namespace
