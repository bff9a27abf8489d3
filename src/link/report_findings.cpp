#include "link/report_findings.h"

#include "document/configuration.h"
#include "document/configuration_check.h"

bool reportFindings(const Configuration& config, std::vector<ReportFinding>& findings,
                    const std::vector<PanelText>& typed) {
    findings.clear();
    for (const CheckFinding& f : checkConfiguration(config, typed))
        findings.push_back(ReportFinding{checkSeverityText(f.severity), checkPlaceText(f.place), f.text});
    return true;
}
