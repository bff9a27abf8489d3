#pragma once
// Looks through a configuration for what the display will silently get wrong: warnings that can
// never go off, half-filled warning rows, mistyped curve points, vehicle data the display
// misreads, and what only a damaged file holds. It reads the record only; the caller commits
// the forms into it first, as before a save or an upload.
#include <cstdint>
#include <string>
#include <vector>

#include "settings/panel_text.h"

struct Configuration;

enum class CheckSeverity { Problem, Note };

enum class CheckKind {
    WarningNeverActive,      // no page shows every channel the warning tests
    WarningUnknownChannel,   // a parameter position that names no channel (damaged file)
    WarningNoCondition,      // a parameter without ">" or "<"
    WarningNoParameter,      // a condition without a parameter
    WarningValueNotFinite,   // a threshold that is not a finite number
    WarningUnitNotInPair,    // a unit position other than the two of the parameter's pair
    CurveNotFinite,          // a curve point that is not a finite number
    CurveTypo,               // one point far off the line of its neighbours, which agree
    CurveNotMonotonic,       // the curve rises and falls
    CustomGaugeStartupCurve, // a custom sensor's gauge placed while its curve is the start-up line
    GearRatioGap,            // a gear ratio of 0 between set ones
    FinalDriveZero,          // gears set, final drive 0
    RpmRangeReversed,        // RPM Low Range not below RPM High Range
    FuelFlowNotFinite,       // the fuel flow factor sent is not a finite number
    FuelFlowZero,            // the fuel system is entered but a field of it is 0
    TyreNoSelection,         // a rim or tyre list without a selection
    VehicleNotFinite,        // a number field that is not a finite number (damaged file)
    VehicleTextMisread,      // a typed panel text not read as it stands ("3,25" is read as 3)
    GaugeUnknown,            // a placed gauge whose identifier is not in the catalog
    GaugeOffPage,            // a placed gauge reaching past its page
    GaugeOverlap,            // two placed gauges covering each other
};

enum class CheckPlaceKind { Gauge, VehicleField, CurvePoint, Warning };

// Where a finding is. Only the fields of its kind are set; the others stay -1 (0 and "" for the
// vehicle field).
struct CheckPlace {
    CheckPlaceKind kind = CheckPlaceKind::Gauge;
    int page = -1;  // Gauge: page 0..3, slot 0..127 and the gauge's identifier
    int slot = -1;
    std::uint32_t gaugeId = 0;
    int controlId = 0;  // VehicleField: the panel control and its label
    std::string label;
    int sensor = -1;  // CurvePoint: sensor 0..3 and point 0..32 (-1: the whole curve)
    int point = -1;
    int warning = -1;  // Warning: warning 0..7 and row 0..3 within it
    int row = -1;
};

struct CheckFinding {
    CheckSeverity severity = CheckSeverity::Problem;
    CheckKind kind = CheckKind::GaugeUnknown;
    CheckPlace place;
    std::string text;  // one sentence for the car owner
};

// Every finding, in the order gauges (pages, slots), vehicle fields (panel order), curves
// (sensors, points), warnings (warnings, rows). `typed` holds the vehicle panel's texts as the
// user left them (typedVehiclePanelTexts), where a panel shows the record; a file has none.
std::vector<CheckFinding> checkConfiguration(const Configuration& config,
                                             const std::vector<PanelText>& typed = {});

// The number of findings of severity Problem.
int problemCount(const std::vector<CheckFinding>& findings);

// "problem" or "note".
std::string checkSeverityText(CheckSeverity severity);
// A stable key of the kind for machine-readable output, e.g. "warning-never-active".
std::string checkKindKey(CheckKind kind);
// The place in words: "Page 1, gauge 2 (RPM)", "Injector Size (CC)",
// "Custom Sensor 1, point 13 (1.875 V)", "Warning 3, row 2".
std::string checkPlaceText(const CheckPlace& place);
// One line for a list: "Problem: Warning 3, row 2: Warning 3 can never be active: ...".
std::string checkFindingLine(const CheckFinding& finding);
// "1 problem found", "2 problems found".
std::string problemsFoundText(int problems);
// What a list of findings comes to: "No problems found.", "2 problems found, 1 note."
std::string checkSummaryText(const std::vector<CheckFinding>& findings);
