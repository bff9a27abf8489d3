#pragma once
// What `info` tells about a loaded configuration, gathered once and then printed as text or as
// JSON.
#include <cstdint>
#include <string>
#include <vector>

#include "settings/custom_sensor_curves.h"

class EditorSession;

struct GaugeInfo {
    int page = 0;  // 1..4
    int slot = 0;
    bool inCatalog = false;
    std::string name;  // the catalog name; "" when the identifier is not in the catalog
    std::uint32_t gaugeId = 0;
    int column = 0;  // display pixels within the page
    int row = 0;
    int width = 0;
    int height = 0;
};

// One vehicle panel control: its label and the text it shows (a list's selected entry).
struct PanelText {
    std::string label;
    std::string text;
};

struct WarningConditionInfo {
    int parameter = 0;          // the stored list position
    std::string parameterName;  // the channel key; "" for a position that names no channel
    std::string condition;      // ">", "<", or "" for none
    float value = 0;
    std::string unit;           // "" when the row has no unit
};

struct WarningInfo {
    int warning = 0;  // 1..8
    std::vector<WarningConditionInfo> conditions;
    std::vector<int> pages;  // 1..4, where the upload makes it active
};

struct InfoReport {
    std::string file;
    std::uint32_t version = 0;
    std::vector<GaugeInfo> gauges;
    std::vector<PanelText> vehicle;
    CustomSensorCurves curves{};
    std::vector<WarningInfo> warnings;  // only those that test at least one channel
};

// From a session that has loaded `file` (of format `version`).
InfoReport buildInfoReport(EditorSession& session, const std::string& file, std::uint32_t version);

// The shortest decimal text that reads back as exactly `value`; "nan", "inf", "-inf" otherwise.
std::string shortestNumber(float value);

// A JSON string of the text, quotes, backslashes and control characters escaped.
std::string jsonString(const std::string& text);

std::string formatInfoText(const InfoReport& report);
std::string formatInfoJson(const InfoReport& report);
