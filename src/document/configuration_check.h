#pragma once
// Looks through a configuration for what the display will silently get wrong: warnings that can
// never go off, half-filled warning rows, mistyped curve points, vehicle data the display
// misreads, and what only a damaged file holds. It reads the record only; the caller commits
// the forms into it first, as before a save or an upload. A finding's kinds and places are
// those of check_finding.h.
#include <string>
#include <vector>

#include "document/check_finding.h"
#include "settings/panel_text.h"

struct Configuration;

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
