// Writes the fuzz seeds: one configuration file of each of the five versions, with a few gauges
// placed and settings that differ from zero. Usage: configuration_seed_writer <folder>
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
            p.x = kPageX + 96 * s;
            p.y = f.y;
            p.width = d->tableWidth;
            p.height = d->tableHeight;
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
        std::ofstream out(std::string(argv[1]) + name, std::ios::binary | std::ios::trunc);
        out.write(reinterpret_cast<const char*>(bytes.data()), static_cast<std::streamsize>(bytes.size()));
        if (!out) return 1;
    }
    return 0;
}
