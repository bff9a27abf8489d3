// The configuration check's layout part: the placed gauges, page by page in slot order.
#include <algorithm>
#include <cstdio>
#include <iterator>

#include "document/configuration.h"
#include "document/configuration_check_parts.h"
#include "layout/gauge_catalog.h"

namespace check_parts {

void checkGauges(const Configuration& config, Findings& out) {
    const CustomSensorCurves startupCurves = startupCustomSensorCurves();
    for (int page = 0; page < kPageCount; ++page) {
        const PageFrame& frame = config.directory.pages[page];
        const int used = usedSlotCount(frame);
        for (int slot = 0; slot < used; ++slot) {
            const GaugePlacement& gauge = config.layout.slots[page][slot];
            const CheckPlace place = gaugePlace(page, slot, gauge.gaugeId);
            if (!findGaugeDefinition(gauge.gaugeId)) {
                char id[16];
                std::snprintf(id, sizeof id, "0x%04X", gauge.gaugeId);
                out.add(CheckSeverity::Problem, CheckKind::GaugeUnknown, place,
                        "This gauge's identifier " + std::string(id) +
                            " is not in the catalog, so it is left out of the upload and shows "
                            "nothing.");
            }
            if (!placementInsideFrame(gauge, frame))
                out.add(CheckSeverity::Problem, CheckKind::GaugeOffPage, place,
                        "This gauge reaches past the edge of " + pageName(page) +
                            ", so the display cuts it off.");
            for (int other = 0; other < slot; ++other) {
                if (!placementsOverlap(gauge, config.layout.slots[page][other])) continue;
                out.add(CheckSeverity::Problem, CheckKind::GaugeOverlap, place,
                        "This gauge covers gauge " + std::to_string(other + 1) + " of " +
                            pageName(page) + ", so the display draws one over the other.");
            }
            const int sensor = customSensorOfGauge(gauge.gaugeId);
            if (sensor >= 0 && std::equal(std::begin(config.curves.points[sensor]),
                                          std::end(config.curves.points[sensor]),
                                          std::begin(startupCurves.points[sensor])))
                out.add(CheckSeverity::Note, CheckKind::CustomGaugeStartupCurve, place,
                        "Custom Sensor " + std::to_string(sensor + 1) +
                            "'s curve is still the start-up line, so this gauge shows " +
                            (sensor == 1 ? "the input as a percentage of 5 V" : "the input voltage") +
                            " until the curve is set up.");
        }
    }
}

}  // namespace check_parts
