#pragma once
// What `info` tells about a loaded configuration, gathered once and then printed as text or as
// JSON.
#include <cstdint>
#include <string>
#include <vector>

#include "document/configuration_summary.h"

class EditorSession;

struct InfoReport {
    std::string file;
    std::uint32_t version = 0;
    std::vector<GaugeInfo> gauges;
    std::vector<PanelText> vehicle;
    CustomSensorCurves curves{};
    std::vector<WarningInfo> warnings;  // only those that test at least one channel
};

// The summary of a session that has loaded a file of format `version`, its panel as it shows.
ConfigurationSummary summarizeSession(EditorSession& session, std::uint32_t version);

// From a session that has loaded `file` (of format `version`).
InfoReport buildInfoReport(EditorSession& session, const std::string& file, std::uint32_t version);

std::string formatInfoText(const InfoReport& report);
std::string formatInfoJson(const InfoReport& report);
// A JSON string literal of `text`, quotes included.
std::string jsonString(const std::string& text);
