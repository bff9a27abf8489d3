#pragma once
// What the configuration check's files share, and for them alone: the list the checkers add their
// findings to, the places a finding points at, a few words, and the checkers themselves. The
// driver (configuration_check.cpp) runs them in the order the findings are listed; each kind of
// check has its own file: layout, vehicle, curves, warnings.
#include <cstdint>
#include <string>
#include <vector>

#include "document/check_finding.h"
#include "settings/panel_text.h"

struct Configuration;
struct CustomSensorCurves;
struct VehicleSettings;

namespace check_parts {

// The findings in the order they are found.
class Findings {
public:
    void add(CheckSeverity severity, CheckKind kind, const CheckPlace& place, std::string text) {
        list.push_back(CheckFinding{severity, kind, place, std::move(text)});
    }
    std::vector<CheckFinding> list;
};

CheckPlace gaugePlace(int page, int slot, std::uint32_t gaugeId);
CheckPlace fieldPlace(int controlId);  // with the field's label
CheckPlace curvePlace(int sensor, int point);
CheckPlace warningPlace(int warning, int row);

// "page 1" to "page 4" for page 0 to 3.
std::string pageName(int page);
// "a", "a and b", "a, b and c".
std::string joinWords(const std::vector<std::string>& words);
// The volts of curve point k as a finding names them: "2.03 V".
std::string voltsText(int point);
// A number that is not finite in words: "not a number", "infinity" or "minus infinity".
std::string notFiniteWords(float value);

// Layout: unknown gauges, gauges past their page or over each other, custom sensor gauges on
// the start-up curve (configuration_check_layout.cpp).
void checkGauges(const Configuration& config, Findings& out);
// Vehicle: typed panel texts not read as they stand, then the record's fields
// (configuration_check_vehicle.cpp).
void checkTypedTexts(const VehicleSettings& vehicle, const std::vector<PanelText>& typed, Findings& out);
void checkVehicle(const VehicleSettings& vehicle, Findings& out);
// Curves: points that are not numbers, likely typos, curves that turn
// (configuration_check_curves.cpp).
void checkCurves(const CustomSensorCurves& curves, Findings& out);
// Warnings: half-filled rows and warnings that can never be active
// (configuration_check_warnings.cpp).
void checkWarnings(const Configuration& config, Findings& out);

}  // namespace check_parts
