#pragma once
// The configuration check's findings in the form the report lists them.
#include <vector>

#include "link/configuration_report.h"
#include "settings/panel_text.h"

struct Configuration;

// Fills `findings` with the configuration check's findings and returns true (false would mean
// the check did not run, which the report then says). The caller commits the forms into `config` first, as before an upload.
// `typed` holds the vehicle panel's texts as the user left them, where a panel shows `config`.
bool reportFindings(const Configuration& config, std::vector<ReportFinding>& findings,
                    const std::vector<PanelText>& typed = {});
