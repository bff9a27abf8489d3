#pragma once
// One finding of the configuration check: what it is, how much it matters, where it is and what
// it means for the car owner. configuration_check.h runs the check; the check's own files add
// findings of these kinds.
#include <cstdint>
#include <string>

enum class CheckSeverity { Problem, Note };

enum class CheckKind {
    WarningNeverActive,      // no page shows every channel the warning tests
    WarningUnknownChannel,   // a parameter position that names no channel (damaged file)
    WarningNoCondition,      // a parameter without ">" or "<"
    WarningNoParameter,      // a condition without a parameter
    WarningValueNotFinite,   // a threshold that is not a finite number
    WarningUnitNotInPair,    // a unit position other than the two of the parameter's pair
    CurveNotFinite,          // a curve point that is not a finite number (each one found)
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
