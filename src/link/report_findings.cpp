#include "link/report_findings.h"

#include "document/configuration.h"

// The check of the configuration is built beside this report; until it is joined here, the
// report says that it did not run rather than that it found nothing.
bool reportFindings(const Configuration&, std::vector<ReportFinding>& findings) {
    findings.clear();
    return false;
}
