#pragma once
// Two configurations compared in the user's words: what the display and the editor's panel and
// dialogs would show differently. Gauges are told per page by catalog name and place, vehicle
// fields by their panel label with the texts the panel shows, curve points by sensor and volts,
// warning rows by warning and row, and the file versions when they differ. Equal configurations
// give an empty list; what no one sees (the order of a page's slots, window handles stored in
// the file, the page flags a file kept) is not compared.
#include <string>
#include <vector>

#include "document/configuration_summary.h"

struct ConfigurationDifference {
    std::string kind;   // "version", "gauge", "vehicle", "curve", "warning"
    std::string place;  // "Page 2", "Injector Size (CC)", "Sensor 1 at 0.3125 V", "Warning 3, row 1"
    std::string from;   // as the first configuration has it; "" for a gauge added
    std::string to;     // as the second has it; "" for a gauge removed
    std::string text;   // the whole line in words
};

std::vector<ConfigurationDifference> compareConfigurations(const ConfigurationSummary& first,
                                                           const ConfigurationSummary& second);

// The line over the differences from file `path` to the open configuration:
// "No differences from PATH to the open configuration", "3 differences from PATH to ...".
std::string compareSummaryText(const std::string& path, std::size_t differences);
