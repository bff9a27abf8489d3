// Writes the fuzz seeds: one configuration file of each of the five versions, with a few gauges
// placed and settings that differ from zero, and two damaged current files: gauges reaching past
// every edge of their pages or lying near the int32 limits (with warnings whose channel
// positions, conditions and units lie there too), and page frames near those limits.
// Usage: configuration_seed_writer <folder>
#include <climits>
#include <cstdint>
#include <cstdio>
#include <fstream>
#include <memory>
#include <string>
#include <vector>

#include "document/configuration_file.h"
#include "layout/gauge_catalog.h"

namespace {

using Bytes = std::vector<std::uint8_t>;

std::unique_ptr<Configuration> sampleConfiguration() {
    auto c = std::make_unique<Configuration>();
    for (int page = 0; page < kPageCount; ++page) {
        PageFrame& f = c->directory.pages[page];
        f = {0, kPageX, kPageTop + kPageStride * page, kPageWidth, kPageHeight, page};
        for (int s = 0; s < f.count; ++s) {
            const GaugeDefinition* d = gaugeDefinition(page, s);
            GaugePlacement& p = c->layout.slots[page][s];
            p.previewX = kPageX + 96 * s;
            p.previewY = f.y;
            p.displayWidth = d->tableWidth;
            p.displayHeight = d->tableHeight;
            p.gaugeId = d->gaugeId;
            p.rangeMin = d->rangeMin;
            p.rangeMax = d->rangeMax;
        }
    }
    c->vehicle.gearRatio = {3.5f, 2.1f, 1.4f, 1.0f, 0.8f, 0.7f};
    c->vehicle.finalDriveRatio = 4.1f;
    c->vehicle.revMeterRpmHigh = 8000;
    c->vehicle.cylinderCount = 4;
    c->vehicle.comPortIndex = 1;
    c->vehicle.dragCoefficient = 0.32f;
    c->curves = startupCustomSensorCurves();
    c->warnings.rows[0] = {1, 3, 1, 100.0f, 0};
    return c;
}

// Gauges that no editor places: past each edge of a page, between pages, sizes and corners near
// the int32 limits, negative sizes.
std::unique_ptr<Configuration> damagedPlacements() {
    auto c = sampleConfiguration();
    struct Odd {
        std::int32_t x, y, width, height;
    };
    const Odd odd[] = {
        {kPageX, kPageTop + 112, 16, 48},             // past the bottom into the next page
        {kPageX, kPageTop + kPageStride, 16, INT32_MAX},
        {kPageX + 32, kPageTop + 16, INT32_MAX, 8},
        {kPageX - 16, kPageTop + 2 * kPageStride, 24, 8},  // past the left edge
        {kPageX, kPageTop - 8, 16, 8},                // past the top edge
        {kPageX, kPageTop + 144, 16, 24},             // corner between two pages
        {INT32_MIN, INT32_MIN, INT32_MAX, INT32_MAX},
        {INT32_MAX, INT32_MAX, INT32_MAX, INT32_MAX},
        {INT32_MAX - 1, kPageTop, 64, 64},
        {kPageX + 4, kPageTop + 3 * kPageStride + 2, -64, -8},
        {kPageX + 20, kPageTop + 3 * kPageStride + 6, 16, 8},  // off the byte grid
    };
    const int count = sizeof odd / sizeof odd[0];
    PageFrame& f = c->directory.pages[0];
    for (int s = 0; s < count; ++s) {
        GaugePlacement& p = c->layout.slots[0][s];
        p = {};
        p.previewX = odd[s].x;
        p.previewY = odd[s].y;
        p.displayWidth = odd[s].width;
        p.displayHeight = odd[s].height;
        p.gaugeId = gaugeDefinition(0, 0)->gaugeId;
    }
    f.count = count;
    // Warnings 2 and 3: channel positions that name no channel, at and beside the int32 limits.
    const std::int32_t positions[] = {INT32_MIN, INT32_MAX, -1, 256};
    for (int r = 0; r < kRowsPerWarning; ++r)
        c->warnings.rows[warningRowIndex(1, r)] = {1, positions[r], 1, 5.0f, 1};
    c->warnings.rows[warningRowIndex(2, 0)] = {INT32_MIN, kChannelCount + 1, INT32_MIN, -1.0f, INT32_MIN};
    return c;
}

// Page frames near the int32 limits, with gauges at and beside their corners.
std::unique_ptr<Configuration> damagedFrames() {
    auto c = sampleConfiguration();
    const PageFrame frames[kPageCount] = {
        {0, INT32_MAX - 100, kPageTop, kPageWidth, kPageHeight, 2},
        {0, kPageX, INT32_MAX - 50, kPageWidth, kPageHeight, 2},
        {0, INT32_MIN, INT32_MIN, INT32_MAX, INT32_MAX, 2},
        {0, INT32_MAX, INT32_MAX, INT32_MAX, INT32_MAX, 2},
    };
    for (int page = 0; page < kPageCount; ++page) {
        c->directory.pages[page] = frames[page];
        GaugePlacement* slots = c->layout.slots[page];
        slots[0].previewX = frames[page].x;
        slots[0].previewY = frames[page].y;
        slots[1].previewX = INT32_MIN;
        slots[1].previewY = INT32_MIN;
        for (int s = 0; s < 2; ++s) {
            slots[s].displayWidth = 64;
            slots[s].displayHeight = 64;
            slots[s].gaugeId = gaugeDefinition(0, 0)->gaugeId;
        }
    }
    return c;
}

bool writeFile(const std::string& path, const Bytes& bytes) {
    std::ofstream out(path, std::ios::binary | std::ios::trunc);
    out.write(reinterpret_cast<const char*>(bytes.data()), static_cast<std::streamsize>(bytes.size()));
    return static_cast<bool>(out);
}

// An older version's file: the current file's blocks that the version holds, one after another.
Bytes olderFile(const Bytes& current, std::uint32_t version) {
    const std::size_t vehicleStart = 20580;
    const std::size_t curvesStart = vehicleStart + 588;
    const std::size_t warningsStart = curvesStart + 528;
    Bytes out(current.begin(), current.begin() + vehicleStart);
    for (int i = 0; i < 4; ++i) out[i] = static_cast<std::uint8_t>(version >> (8 * i));
    if (version >= kVersionShortVehicle)
        out.insert(out.end(), current.begin() + vehicleStart, current.begin() + vehicleStart + 60);
    if (version >= kVersionCurves)
        out.insert(out.end(), current.begin() + curvesStart, current.begin() + warningsStart);
    if (version >= kVersionWarnings)
        out.insert(out.end(), current.begin() + warningsStart, current.end());
    return out;
}

}  // namespace

int main(int argc, char** argv) {
    if (argc != 2) {
        std::fprintf(stderr, "usage: %s <folder>\n", argv[0]);
        return 2;
    }
    const Bytes current = encodeConfiguration(*sampleConfiguration());
    const std::uint32_t versions[] = {kVersionPages, kVersionShortVehicle, kVersionCurves,
                                      kVersionWarnings, kVersionCurrent};
    for (std::uint32_t version : versions) {
        const Bytes bytes = version == kVersionCurrent ? current : olderFile(current, version);
        if (bytes.size() != configurationFileSize(version)) {
            std::fprintf(stderr, "version %08X: %zu bytes\n", static_cast<unsigned>(version), bytes.size());
            return 1;
        }
        if (!parseConfigurationFile(bytes).accepted) {
            std::fprintf(stderr, "version %08X: refused by the loader\n", static_cast<unsigned>(version));
            return 1;
        }
        char name[32];
        std::snprintf(name, sizeof name, "/version-%08X.vtl", static_cast<unsigned>(version));
        if (!writeFile(std::string(argv[1]) + name, bytes)) return 1;
    }
    if (!writeFile(std::string(argv[1]) + "/damaged-placements.vtl", encodeConfiguration(*damagedPlacements())) ||
        !writeFile(std::string(argv[1]) + "/damaged-frames.vtl", encodeConfiguration(*damagedFrames())))
        return 1;
    return 0;
}
