#include "link/upload_summary.h"

#include <cmath>
#include <memory>

#include "link/upload_stream.h"

std::string uploadSummaryText(int gauges, std::size_t bytes, double durationMs) {
    // Whole tenths, worked out in integers so that every platform prints the same text.
    const long long tenths = std::llround(durationMs / 100.0);
    return std::to_string(gauges) + (gauges == 1 ? " gauge, " : " gauges, ") + std::to_string(bytes) +
           " bytes, about " + std::to_string(tenths / 10) + "." + std::to_string(tenths % 10) + " s";
}

int sentGaugeCount(const PageLayout& layout, const PageDirectory& directory) {
    int count = 0;
    for (int page = 0; page < kPageCount; ++page) {
        const PageFrame& frame = directory.pages[page];
        for (int slot = 0; slot < usedSlotCount(frame); ++slot) {
            std::uint8_t record[kGaugeRecordBytes];
            if (encodeGaugeRecord(layout.slots[page][slot], frame, record)) ++count;
        }
    }
    return count;
}

std::string uploadSummary(const Configuration& config, const EngineUnitProfiles& profiles,
                          const std::vector<std::uint8_t>& pageImage,
                          const std::vector<std::uint8_t>& fontImage) {
    auto warnings = std::make_unique<WarningTable>(config.warnings);
    const UploadStream stream = buildUploadStream(
        UploadSources{config.layout, config.directory, config.vehicle, config.curves, *warnings, profiles},
        pageImage, fontImage);
    return uploadSummaryText(sentGaugeCount(config.layout, config.directory), streamByteCount(stream),
                             minimumDurationMs(stream));
}
