#pragma once
// The printable report of one configuration: a single self-contained HTML page with the four
// pages as the display shows them (PNG pictures inside the page, drawn from the page image an
// upload sends), the gauges, the vehicle settings as the panel shows them, the four curves as
// plots with their values, the warnings in words, and the configuration check's findings. It
// needs no other file and prints on A4 and Letter without cutting a table row or a plot.
#include <cstdint>
#include <string>
#include <vector>

#include "document/configuration_summary.h"

struct ReportFinding {
    std::string severity;  // "problem" or "note"
    std::string place;     // in words
    std::string text;      // one sentence
};

struct ReportContents {
    std::string file;  // the configuration's name as the user gave it
    ConfigurationSummary summary;
    std::vector<std::uint8_t> pageImage;  // the page image an upload sends (7680 bytes)
    std::vector<ReportFinding> findings;
};

// How many times the page pictures are enlarged on screen; in print they are drawn at 2.
constexpr int kReportPageScale = 3;

// One page of the page image (page 0..3) as a 240 x 64 grey PNG, one picture pixel per display
// pixel, dark pixels black on white: the rows of `render`'s picture for that page at scale 1.
std::vector<std::uint8_t> reportPagePng(const std::vector<std::uint8_t>& pageImage, int page);

std::string buildConfigurationReport(const ReportContents& contents);

// Writes the report through a temporary file beside `path`, so a failed write leaves an old
// report whole. Empty on success, else the reason in plain words.
std::string writeConfigurationReport(const std::string& path, const std::string& html);

// "data:image/png;base64,..." of some bytes.
std::string pngDataUri(const std::vector<std::uint8_t>& png);
