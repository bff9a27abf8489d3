#pragma once
// The configuration check's findings in the form the report lists them.
#include <vector>

#include "report/configuration_report.h"
#include "settings/panel_text.h"

struct Configuration;

// The configuration check's findings as the report lists them. The caller commits the forms into
// `config` first, as before an upload. `typed` holds the vehicle panel's texts as the user left
// them, where a panel shows `config`.
std::vector<ReportFinding> reportFindings(const Configuration& config, const std::vector<PanelText>& typed = {});
