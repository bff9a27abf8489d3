#pragma once
// The configuration check's findings in the form the report lists them.
#include <vector>

#include "link/configuration_report.h"

struct Configuration;

// Fills `findings` and returns true when the check is part of the build; false (and nothing)
// otherwise. The caller commits the forms into `config` first, as before an upload.
bool reportFindings(const Configuration& config, std::vector<ReportFinding>& findings);
