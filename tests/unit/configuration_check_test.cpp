#include <gtest/gtest.h>

#include <algorithm>
#include <cmath>
#include <functional>
#include <limits>
#include <string>

#include "document/configuration.h"
#include "document/configuration_check.h"
#include "layout/gauge_catalog.h"
#include "platform/memory_form.h"
#include "profiles/engine_unit_profiles.h"
#include "report/report_findings.h"
#include "settings/vehicle_panel.h"
#include "settings/vehicle_panel_ids.h"

namespace {

constexpr std::uint32_t kRpm = 0x3109;           // engine_speed
constexpr std::uint32_t kCoolant = 0x3106;       // coolant
constexpr std::uint32_t kAdcr1Custom1 = 0x311D;  // adcr_01 through custom sensor 1
constexpr std::uint32_t kAdcr1Custom2 = 0x711D;  // adcr_01 through custom sensor 2
constexpr int kCoolantParameter = 4 + 1;
constexpr int kEngineSpeedParameter = 8 + 1;
const float kNaN = std::numeric_limits<float>::quiet_NaN();

// The configuration with the vehicle panel that shows it, as the editor holds them.
struct Editor : Configuration {
    MemoryForm panel;
    std::vector<PanelText> typed;  // the panel's texts once something was typed into it
};

// The configuration as the editor holds it after start-up, with the panel committed once.
Editor startup() {
    Editor config{};
    resetPages(config.layout, config.directory);
    EngineUnitProfiles profiles = defaultEngineUnitProfiles();
    setUpVehiclePanel(config.panel, config.vehicle);
    readVehiclePanel(config.panel, config.vehicle, profiles);
    config.curves = startupCustomSensorCurves();
    return config;
}

// `text` typed into a panel field, and the panel committed as every edit commits it.
void type(Editor& e, int controlId, const std::string& text) {
    e.panel.texts[controlId] = text;
    EngineUnitProfiles profiles = defaultEngineUnitProfiles();
    readVehiclePanel(e.panel, e.vehicle, profiles);
    e.typed = typedVehiclePanelTexts(e.panel);
}

// A 56 x 16 text gauge at a display column and row of a page; returns its slot.
int place(Configuration& c, int page, std::uint32_t gaugeId, int column = 0, int row = 0) {
    PageFrame& frame = c.directory.pages[page];
    GaugePlacement& g = c.layout.slots[page][frame.count];
    g.gaugeId = gaugeId;
    g.previewX = frame.x + 2 * column;
    g.previewY = frame.y + 2 * row;
    g.displayWidth = 56;
    g.displayHeight = 16;
    return frame.count++;
}

void warningRow(Configuration& c, int warning, int row, int parameter, int condition, float value,
                int unit = 0) {
    c.warnings.rows[warning * 4 + row] = WarningRow{0, parameter, condition, value, unit};
}

void fuel(Configuration& c, int cylinders, int injector, int pressure) {
    c.vehicle.cylinderCount = cylinders;
    c.vehicle.injectorSize = injector;
    c.vehicle.fuelPressure = pressure;
    // As the panel derives it from the same entries.
    c.vehicle.fuelFlowFactor = computeFuelFlowFactor(cylinders, static_cast<float>(injector),
                                                     static_cast<float>(pressure));
}

// A thermistor of 2.2 kOhm at 25 C (B 3950) against a 10 kOhm pull-up to 5 V, in C, held
// within -40 to 150 C: the ends (0 V: no resistance, 5 V: no current) take those limits.
float thermistor(int point) {
    const double volts = point * 0.15625;
    if (volts <= 0) return 150;
    if (volts >= 5) return -40;
    const double ohms = 10000 * volts / (5 - volts);
    const double celsius = 1 / (1 / 298.15 + std::log(ohms / 2200) / 3950) - 273.15;
    return static_cast<float>(std::clamp(celsius, -40.0, 150.0));
}

// A two-level switch: `low` up to 2.34 V, `high` from 2.5 V.
float switchLevel(int point, float low = 0, float high = 1) { return point < 16 ? low : high; }

using Edit = std::function<void(Editor&)>;

struct Case {
    const char* name;
    Edit cause;
    Edit fix;  // applied after the cause
    CheckKind kind;
    CheckSeverity severity;
    std::string place;
    std::string says;  // a part of the sentence
    // The further findings of the kind, in their order: place and a part of the sentence.
    std::vector<std::pair<std::string, std::string>> more = {};
};

const std::vector<Case>& cases() {
    static const std::vector<Case> table = {
        {"warning on a channel that no page shows",
         [](Configuration& c) { warningRow(c, 0, 0, kCoolantParameter, 1, 110); },
         [](Configuration& c) { place(c, 1, kCoolant); },
         CheckKind::WarningNeverActive, CheckSeverity::Problem, "Warning 1, row 1", "no page shows coolant"},
        {"warning whose channels are on different pages",
         [](Configuration& c) {
             place(c, 0, kCoolant);
             place(c, 1, kRpm);
             warningRow(c, 2, 0, kCoolantParameter, 1, 110);
             warningRow(c, 2, 1, kEngineSpeedParameter, 1, 6500);
         },
         [](Configuration& c) { place(c, 0, kRpm, 60); },
         CheckKind::WarningNeverActive, CheckSeverity::Problem, "Warning 3, row 2",
         "page 1 lacks engine_speed and page 2 lacks coolant"},
        {"parameter without a condition",
         [](Configuration& c) { place(c, 0, kRpm); warningRow(c, 1, 2, kEngineSpeedParameter, 0, 6500); },
         [](Configuration& c) { c.warnings.rows[6].condition = 1; },
         CheckKind::WarningNoCondition, CheckSeverity::Problem, "Warning 2, row 3", "without a condition"},
        {"condition without a parameter",
         [](Configuration& c) { warningRow(c, 7, 3, 0, 2, 10); },
         [](Configuration& c) { c.warnings.rows[31].condition = 0; },
         CheckKind::WarningNoParameter, CheckSeverity::Problem, "Warning 8, row 4", "no parameter"},
        {"threshold that is not a number",
         [](Configuration& c) { place(c, 0, kRpm); warningRow(c, 0, 0, kEngineSpeedParameter, 1, kNaN); },
         [](Configuration& c) { c.warnings.rows[0].value = 6500; },
         CheckKind::WarningValueNotFinite, CheckSeverity::Problem, "Warning 1, row 1", "not a number"},
        {"unit outside the parameter's pair",
         [](Configuration& c) { place(c, 0, kCoolant); warningRow(c, 0, 0, kCoolantParameter, 1, 110, 2); },
         [](Configuration& c) { c.warnings.rows[0].unit = 1; },
         CheckKind::WarningUnitNotInPair, CheckSeverity::Problem, "Warning 1, row 1", "(it takes C or F)"},
        {"parameter that names no channel",
         [](Configuration& c) { place(c, 0, kRpm); warningRow(c, 4, 0, 256, 1, 1); warningRow(c, 4, 1, kEngineSpeedParameter, 1, 6500); },
         [](Configuration& c) { c.warnings.rows[16].parameter = kCoolantParameter; place(c, 0, kCoolant, 56); },
         CheckKind::WarningUnknownChannel, CheckSeverity::Problem, "Warning 5, row 1", "parameter 256"},
        {"mistyped point inside a curve",
         [](Configuration& c) { c.curves.points[0][13] = 20.3f; },
         [](Configuration& c) { c.curves.points[0][13] = 2.03125f; },
         CheckKind::CurveTypo, CheckSeverity::Problem, "Custom Sensor 1, point 14 (2.03 V)",
         "reads 20.30 at 2.03 V, far off the line of its neighbours (1.88 at 1.88 V and 2.19 at 2.19 V)"},
        {"mistyped last point",
         [](Configuration& c) { c.curves.points[1][32] = 1000; },
         [](Configuration& c) { c.curves.points[1][32] = 100; },
         CheckKind::CurveTypo, CheckSeverity::Problem, "Custom Sensor 2, point 33 (5.00 V)", "likely a typo"},
        {"mistyped point in a thermistor's curve",
         [](Configuration& c) {
             for (int k = 0; k < 33; ++k) c.curves.points[2][k] = thermistor(k);
             c.curves.points[2][3] = thermistor(3) * 10;
         },
         [](Configuration& c) { c.curves.points[2][3] = thermistor(3); },
         CheckKind::CurveTypo, CheckSeverity::Problem, "Custom Sensor 3, point 4 (0.47 V)", "likely a typo"},
        {"mistyped point just before a switch's step",
         [](Configuration& c) {
             for (int k = 0; k < 33; ++k) c.curves.points[3][k] = switchLevel(k, 1, 5);
             c.curves.points[3][14] = 11;
         },
         [](Configuration& c) { c.curves.points[3][14] = 1; },
         CheckKind::CurveTypo, CheckSeverity::Problem, "Custom Sensor 4, point 15 (2.19 V)",
         "reads 11.00 at 2.19 V, far off the line of its neighbours (1.00 at 2.03 V and 1.00 at 2.34 V)"},
        {"curve that falls and rises again",
         [](Configuration& c) {
             for (int k = 0; k < 33; ++k) c.curves.points[2][k] = std::fabs(k - 16.0f) * 0.5f;
         },
         [](Configuration& c) { for (int k = 0; k < 33; ++k) c.curves.points[2][k] = k * 0.5f; },
         CheckKind::CurveNotMonotonic, CheckSeverity::Note, "Custom Sensor 3, point 18 (2.66 V)",
         "falls, then rises"},
        {"mistyped point that is huge, in its shortest exact form",
         [](Configuration& c) { c.curves.points[0][13] = 1e30f; },
         [](Configuration& c) { c.curves.points[0][13] = 2.03125f; },
         CheckKind::CurveTypo, CheckSeverity::Problem, "Custom Sensor 1, point 14 (2.03 V)",
         "Custom Sensor 1 reads 1e+30 at 2.03 V, far off the line of its neighbours (1.88 at 1.88 V and "
         "2.19 at 2.19 V); likely a typo."},
        {"huge neighbours of a mistyped point",
         [](Configuration& c) { for (int k = 0; k < 33; ++k) c.curves.points[1][k] = -2e9f + k * 1e8f; c.curves.points[1][7] = 9e9f; },
         [](Configuration& c) { c.curves.points[1][7] = -2e9f + 7 * 1e8f; },
         CheckKind::CurveTypo, CheckSeverity::Problem, "Custom Sensor 2, point 8 (1.09 V)",
         "reads 9e+09 at 1.09 V, far off the line of its neighbours (-1.4e+09 at 0.94 V and -1.2e+09 at 1.25 V)"},
        {"curve point that is not a number",
         [](Configuration& c) { c.curves.points[3][5] = kNaN; },
         [](Configuration& c) { c.curves.points[3][5] = 0.78125f; },
         CheckKind::CurveNotFinite, CheckSeverity::Problem, "Custom Sensor 4, point 6 (0.78 V)",
         "Custom Sensor 4 at 0.78 V is not a number; the file is damaged, so enter the point again."},
        {"curve point that is infinity",
         [](Configuration& c) { c.curves.points[1][0] = std::numeric_limits<float>::infinity(); },
         [](Configuration& c) { c.curves.points[1][0] = 0; },
         CheckKind::CurveNotFinite, CheckSeverity::Problem, "Custom Sensor 2, point 1 (0.00 V)",
         "Custom Sensor 2 at 0.00 V is infinity; the file is damaged, so enter the point again."},
        {"every point that is not finite, each named",
         [](Configuration& c) {
             c.curves.points[2][3] = -std::numeric_limits<float>::infinity();
             c.curves.points[2][20] = kNaN;
             c.curves.points[2][32] = std::numeric_limits<float>::infinity();
             c.curves.points[3][1] = kNaN;
         },
         [](Configuration& c) {
             c.curves.points[2][3] = 0.46875f;
             c.curves.points[2][20] = 3.125f;
             c.curves.points[2][32] = 5;
             c.curves.points[3][1] = 0.15625f;
         },
         CheckKind::CurveNotFinite, CheckSeverity::Problem, "Custom Sensor 3, point 4 (0.47 V)",
         "Custom Sensor 3 at 0.47 V is minus infinity;",
         {{"Custom Sensor 3, point 21 (3.12 V)", "Custom Sensor 3 at 3.12 V is not a number;"},
          {"Custom Sensor 3, point 33 (5.00 V)", "Custom Sensor 3 at 5.00 V is infinity;"},
          {"Custom Sensor 4, point 2 (0.16 V)", "Custom Sensor 4 at 0.16 V is not a number;"}}},
        {"custom sensor gauge on its start-up curve",
         [](Configuration& c) { place(c, 0, kAdcr1Custom2); },
         [](Configuration& c) { for (float& p : c.curves.points[1]) p *= 1.5f; },
         CheckKind::CustomGaugeStartupCurve, CheckSeverity::Note, "Page 1, gauge 1 (ADCR 1 (Custom2))",
         "Custom Sensor 2's curve is still the start-up line, so this gauge shows the input as a percentage of 5 V"},
        {"custom sensor 1 gauge on its start-up curve",
         [](Configuration& c) { place(c, 1, kAdcr1Custom1); },
         [](Configuration& c) { for (float& p : c.curves.points[0]) p *= 1.5f; },
         CheckKind::CustomGaugeStartupCurve, CheckSeverity::Note, "Page 2, gauge 1 (ADCR 1 (Custom1))",
         "Custom Sensor 1's curve is still the start-up line, so this gauge shows the input voltage"},
        {"gear ratio 0 between set ones",
         [](Configuration& c) { c.vehicle.gearRatio = {3.5f, 0, 1.5f, 0, 0, 0}; c.vehicle.finalDriveRatio = 4.1f; },
         [](Configuration& c) { c.vehicle.gearRatio[1] = 2.1f; },
         CheckKind::GearRatioGap, CheckSeverity::Problem, "2nd Gear Ratio", "wrong gear"},
        {"gear ratio 0 between the 4th and the 6th",
         [](Configuration& c) { c.vehicle.gearRatio = {3.5f, 2.1f, 1.4f, 1, 0, 0.7f}; c.vehicle.finalDriveRatio = 4.1f; },
         [](Configuration& c) { c.vehicle.gearRatio[4] = 0.8f; },
         CheckKind::GearRatioGap, CheckSeverity::Problem, "5th Gear Ratio", "wrong gear"},
        {"final drive 0 with gears set",
         [](Configuration& c) { c.vehicle.gearRatio[0] = 3.5f; },
         [](Configuration& c) { c.vehicle.finalDriveRatio = 4.1f; },
         CheckKind::FinalDriveZero, CheckSeverity::Problem, "Final Drive Ratio", "gear ratios are set"},
        {"RPM low range not below the high range",
         [](Configuration& c) { c.vehicle.revMeterRpmLow = 8000; },
         [](Configuration& c) { c.vehicle.revMeterRpmLow = 1000; },
         CheckKind::RpmRangeReversed, CheckSeverity::Problem, "RPM Low Range", "(8000) is not below"},
        {"fuel pressure 0: the factor is not a number",
         [](Configuration& c) { fuel(c, 4, 440, 0); },
         [](Configuration& c) { fuel(c, 4, 440, 43); },
         CheckKind::FuelFlowNotFinite, CheckSeverity::Problem, "Static Fuel Pressure (PSI)",
         "because of Static Fuel Pressure (PSI) (0)"},
        {"injector size 0 in an entered fuel system",
         [](Configuration& c) { fuel(c, 4, 0, 43); },
         [](Configuration& c) { fuel(c, 4, 440, 43); },
         CheckKind::FuelFlowZero, CheckSeverity::Problem, "Injector Size (CC)", "always 0"},
        {"tyre list without a selection",
         [](Configuration& c) { c.vehicle.tireWidthIndex = -1; },
         [](Configuration& c) { c.vehicle.tireWidthIndex = 3; },
         CheckKind::TyreNoSelection, CheckSeverity::Problem, "Tire Width", "no selection"},
        {"rim position past its list",
         [](Configuration& c) { c.vehicle.rimDiameterIndex = 20; },
         [](Configuration& c) { c.vehicle.rimDiameterIndex = 19; },
         CheckKind::TyreNoSelection, CheckSeverity::Problem, "Rim Diameter (in)", "no selection"},
        {"vehicle number that is not a number",
         [](Configuration& c) { c.vehicle.dragCoefficient = kNaN; },
         [](Configuration& c) { c.vehicle.dragCoefficient = 0.32f; },
         CheckKind::VehicleNotFinite, CheckSeverity::Problem, "Drag Coefficient",
         "Drag Coefficient is not a number; the file is damaged, so enter the value again."},
        {"vehicle number that is infinity",
         [](Configuration& c) { c.vehicle.vehicleWeight = std::numeric_limits<float>::infinity(); },
         [](Configuration& c) { c.vehicle.vehicleWeight = 3000; },
         CheckKind::VehicleNotFinite, CheckSeverity::Problem, "Vehicle Weight (lbs)",
         "Vehicle Weight (lbs) is infinity; the file is damaged"},
        {"gear ratio that is minus infinity",
         [](Configuration& c) {
             c.vehicle.gearRatio[2] = -std::numeric_limits<float>::infinity();
             c.vehicle.finalDriveRatio = 4.1f;
         },
         [](Configuration& c) { c.vehicle.gearRatio[2] = 0; },
         CheckKind::VehicleNotFinite, CheckSeverity::Problem, "3rd Gear Ratio", "3rd Gear Ratio is minus infinity;"},
        {"comma in a panel number",
         [](Editor& e) { type(e, IDC_FINAL_DRIVE_RATIO, "3,25"); },
         [](Editor& e) { type(e, IDC_FINAL_DRIVE_RATIO, "3.25"); },
         CheckKind::VehicleTextMisread, CheckSeverity::Problem, "Final Drive Ratio",
         "Final Drive Ratio shows \"3,25\" but is read as 3.000, the value that is saved and sent to the "
         "display; type only a number, at most 9 characters, with a point for decimals."},
        {"panel number past the 9 characters read",
         [](Editor& e) { type(e, IDC_VEHICLE_WEIGHT, "3500000000"); },  // the 10th is a 0 more
         [](Editor& e) { type(e, IDC_VEHICLE_WEIGHT, "3500.00000"); },  // only a 0 past them
         CheckKind::VehicleTextMisread, CheckSeverity::Problem, "Vehicle Weight (lbs)",
         "is read as 350000000, the value"},
        {"fraction in the rev meter range, which holds whole numbers",
         [](Editor& e) { type(e, IDC_REV_METER_RPM_HIGH, "7500.5"); },
         [](Editor& e) { type(e, IDC_REV_METER_RPM_HIGH, "7500.0"); },
         CheckKind::VehicleTextMisread, CheckSeverity::Problem, "RPM High Range",
         "RPM High Range shows \"7500.5\" but is read as 7500, the value that is saved and sent to the "
         "display; type only a whole number, at most 9 characters."},
        {"gauge identifier not in the catalog",
         [](Configuration& c) { place(c, 2, 0x3FFF); },
         [](Configuration& c) { c.layout.slots[2][0].gaugeId = kRpm; },
         CheckKind::GaugeUnknown, CheckSeverity::Problem, "Page 3, gauge 1", "0x3FFF"},
        {"gauge reaching past its page",
         [](Configuration& c) { place(c, 3, kRpm, 200, 0); },
         [](Configuration& c) { c.layout.slots[3][0].previewX = c.directory.pages[3].x + 2 * 184; },
         CheckKind::GaugeOffPage, CheckSeverity::Problem, "Page 4, gauge 1 (RPM)", "edge of page 4"},
        {"gauge below the last row of its page",
         [](Configuration& c) { place(c, 0, kRpm, 0, 56); },
         [](Configuration& c) { c.layout.slots[0][0].previewY = c.directory.pages[0].y + 2 * 48; },
         CheckKind::GaugeOffPage, CheckSeverity::Problem, "Page 1, gauge 1 (RPM)", "edge of page 1"},
        {"gauges covering each other",
         [](Configuration& c) { place(c, 1, kRpm, 0, 0); place(c, 1, kCoolant, 40, 8); },
         [](Configuration& c) { c.layout.slots[1][1].previewX = c.directory.pages[1].x + 2 * 56; },
         CheckKind::GaugeOverlap, CheckSeverity::Problem, "Page 2, gauge 2 (Coolant (C))", "covers gauge 1"},
    };
    return table;
}

const CheckFinding* findKind(const std::vector<CheckFinding>& findings, CheckKind kind) {
    for (const CheckFinding& f : findings)
        if (f.kind == kind) return &f;
    return nullptr;
}

std::string listed(const std::vector<CheckFinding>& findings) {
    std::string text;
    for (const CheckFinding& f : findings) text += "\n  " + checkPlaceText(f.place) + ": " + f.text;
    return text;
}

}  // namespace

TEST(ConfigurationCheck, EachCauseIsFoundAtItsPlaceAndGoneWhenFixed) {
    for (const Case& c : cases()) {
        Editor config = startup();
        c.cause(config);
        const std::vector<CheckFinding> found = checkConfiguration(config, config.typed);
        const CheckFinding* finding = findKind(found, c.kind);
        if (finding == nullptr) {
            ADD_FAILURE() << "case " << c.name << " not found" << listed(found);
            continue;
        }
        EXPECT_EQ(finding->severity, c.severity) << "case " << c.name;
        EXPECT_EQ(checkPlaceText(finding->place), c.place) << "case " << c.name;
        EXPECT_NE(finding->text.find(c.says), std::string::npos) << "case " << c.name << ": " << finding->text;
        // Nothing else but the one cause is reported: its finding, and as many more as it names.
        for (const CheckFinding& f : found)
            EXPECT_EQ(f.kind, c.kind) << "case " << c.name << " also: " << f.text;
        ASSERT_EQ(found.size(), 1 + c.more.size()) << "case " << c.name << listed(found);
        for (std::size_t i = 0; i < c.more.size(); ++i) {
            EXPECT_EQ(found[i + 1].severity, c.severity) << "case " << c.name << " finding " << i + 2;
            EXPECT_EQ(checkPlaceText(found[i + 1].place), c.more[i].first) << "case " << c.name;
            EXPECT_NE(found[i + 1].text.find(c.more[i].second), std::string::npos)
                << "case " << c.name << ": " << found[i + 1].text;
        }
        // The report lists it with its place, in words.
        const std::vector<ReportFinding> reported = reportFindings(config, config.typed);
        ASSERT_EQ(reported.size(), found.size()) << "case " << c.name;
        EXPECT_EQ(reported[0].severity, c.severity == CheckSeverity::Problem ? "problem" : "note") << "case " << c.name;
        EXPECT_EQ(reported[0].place, c.place) << "case " << c.name;
        EXPECT_NE(reported[0].text.find(c.says), std::string::npos) << "case " << c.name << ": " << reported[0].text;

        c.fix(config);
        const std::vector<CheckFinding> after = checkConfiguration(config, config.typed);
        EXPECT_TRUE(after.empty()) << "case " << c.name << " fixed" << listed(after);
    }
}

TEST(ConfigurationCheck, SoundConfigurationsGiveNoFinding) {
    const std::vector<std::pair<const char*, Edit>> sound = {
        {"start-up", [](Configuration&) {}},
        {"start-up before the panel was read back", [](Configuration& c) { c.vehicle.fuelFlowFactor = 0; }},
        {"five gears, the sixth 0",
         [](Configuration& c) { c.vehicle.gearRatio = {3.5f, 2.1f, 1.4f, 1, 0.8f, 0}; c.vehicle.finalDriveRatio = 4.1f; }},
        {"whole fuel system", [](Configuration& c) { fuel(c, 6, 550, 58); }},
        {"curve that levels off at a knee",
         [](Configuration& c) { for (int k = 0; k < 33; ++k) c.curves.points[0][k] = std::min(k, 20) * 7.5f; }},
        {"falling curve that bends like a thermistor's",
         [](Configuration& c) { for (int k = 0; k < 33; ++k) c.curves.points[3][k] = 150 * std::exp(-k / 9.0f); }},
        {"switch: 0 up to 2.34 V, 1 from 2.5 V",
         [](Configuration& c) { for (int k = 0; k < 33; ++k) c.curves.points[1][k] = switchLevel(k); }},
        {"thermistor clamped at its ends, on either side of its divider",
         [](Configuration& c) {
             for (int k = 0; k < 33; ++k) c.curves.points[2][k] = thermistor(k);
             for (int k = 0; k < 33; ++k) c.curves.points[3][k] = thermistor(32 - k);
         }},
        {"0.5-4.5 V sender, level beyond its range",
         [](Configuration& c) {
             for (int k = 0; k < 33; ++k) c.curves.points[0][k] = std::clamp((k * 0.15625f - 0.5f) * 25, 0.0f, 100.0f);
         }},
        {"panel field emptied: it reads 0, as meant", [](Editor& e) { type(e, IDC_GEAR_RATIO_FIRST + 5, "  "); }},
        {"warning on a page that shows all it tests",
         [](Configuration& c) {
             place(c, 2, kRpm);
             place(c, 2, kCoolant, 56);
             warningRow(c, 5, 0, kEngineSpeedParameter, 1, 6500);
             warningRow(c, 5, 1, kCoolantParameter, 1, 110, 1);
         }},
    };
    for (const auto& [name, edit] : sound) {
        Editor config = startup();
        edit(config);
        const std::vector<CheckFinding> found = checkConfiguration(config, config.typed);
        EXPECT_TRUE(found.empty()) << name << listed(found);
        EXPECT_EQ(problemCount(found), 0) << name;
    }
}
