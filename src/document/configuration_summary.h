#pragma once
// A configuration in the words and numbers the user sees: the placed gauges by catalog name and
// display position, the vehicle panel's texts, the curves, and the warnings as conditions with
// the pages the upload makes them active on. `info`, the comparison of two files and the
// printable report all say things this one way.
#include <cstdint>
#include <memory>
#include <string>
#include <vector>

#include "document/configuration.h"
#include "document/configuration_file.h"
#include "settings/number_text.h"
#include "settings/panel_text.h"

struct EngineUnitProfile;

struct GaugeInfo {
    int page = 0;  // 1..4
    int slot = 0;
    bool inCatalog = false;
    std::string name;  // the catalog name; "" when the identifier is not in the catalog
    std::uint32_t gaugeId = 0;
    int column = 0;  // display pixels within the page
    int row = 0;
    int width = 0;
    int height = 0;
};

struct WarningConditionInfo {
    int row = 0;                // 1..4 within its warning
    int parameter = 0;          // the stored list position
    std::string parameterName;  // the channel key; "" for a position that names no channel
    std::string condition;      // ">", "<", or "" for none
    float value = 0;
    std::string unit;           // "" when the row has no unit
};

struct WarningInfo {
    int warning = 0;  // 1..8
    std::vector<WarningConditionInfo> conditions;
    std::vector<int> pages;  // 1..4, where the upload makes it active
};

struct ConfigurationSummary {
    std::uint32_t version = kVersionCurrent;
    std::vector<GaugeInfo> gauges;
    std::vector<PanelText> vehicle;  // in panel order
    CustomSensorCurves curves{};
    std::vector<WarningInfo> warnings;  // only those that test at least one channel
    // Every warning row in words ("" for an empty row), warning by warning.
    std::vector<std::string> warningRows;
};

// The placed gauges, page by page in slot order, with the display position the upload states.
std::vector<GaugeInfo> placedGauges(const Configuration& config);
// The panel's fields with the texts the panel shows once filled from `vehicle`, as after a load:
// the values that are saved and sent, in the panel's words ("3,25" typed is read and saved as 3,
// shown "3.000").
std::vector<PanelText> savedPanelTexts(const VehicleSettings& vehicle);
// The warnings in use, with the pages as the upload derives them from the layout (not as the
// file last stored them). `unitNames` is the profile whose unit pairs the warning dialog offers.
std::vector<WarningInfo> warningsInUse(const Configuration& config, const EngineUnitProfile& unitNames);

// `panel` is what the vehicle panel shows for `config`.
ConfigurationSummary summarizeConfiguration(const Configuration& config, std::vector<PanelText> panel,
                                            const EngineUnitProfile& unitNames, std::uint32_t version);

// A file as a freshly started editor holds it after Load, summarized: start-up values for what
// the file lacks, the panel texts as the panel fills them. A file Load refuses gives false and
// the reason.
bool summarizeConfigurationFile(const std::string& path, ConfigurationSummary& summary, std::string& reason);
// The same for a file's bytes read elsewhere.
bool summarizeConfigurationBytes(const std::vector<std::uint8_t>& bytes, ConfigurationSummary& summary,
                                 std::string& reason);

// "engine_speed > 6500 rpm"; a position that names no channel is "parameter N".
std::string conditionText(const WarningConditionInfo& condition);
// "engine_speed > 6500 rpm and coolant_temp > 100 C; active on page 2": a warning's conditions
// and where it is active.
std::string warningInWords(const WarningInfo& warning);
// "active on page 2", "active on pages 1, 3", "active on no page".
std::string pagesText(const std::vector<int>& pages);
// The volts of curve point k (0..32): k x 0.15625, shortest decimals.
std::string curvePointVolts(int point);
// "0x3109", "0xABBADEB1": a hexadecimal word of at least `digits` digits.
std::string hexWord(std::uint32_t value, int digits);
