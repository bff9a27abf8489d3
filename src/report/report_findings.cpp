#include "report/report_findings.h"

#include "document/configuration.h"
#include "document/configuration_check.h"

std::vector<ReportFinding> reportFindings(const Configuration& config, const std::vector<PanelText>& typed) {
    std::vector<ReportFinding> findings;
    for (const CheckFinding& f : checkConfiguration(config, typed))
        findings.push_back(ReportFinding{checkSeverityText(f.severity), checkPlaceText(f.place), f.text});
    return findings;
}
