// upload_benchmark: sends an upload of an empty configuration (or one with a gauge on every page,
// --gauges) through the paced sender on a real monotonic clock, and prints the wall time against
// the sum of the minimum pauses and the processor time used. By default the bytes go to a null
// port; --device PATH sends them to a serial device or a pseudo-terminal (e.g. the display
// simulator's) instead, which also makes it a native end-to-end check of the simulator; with
// --bitmaps DIR the page and font images are built from the bitmap files in DIR. --load PATH takes
// the pages and settings of a configuration file; --plan PATH only writes the stream's pacing
// groups, one "BYTES PAUSE_MS" line each, for a sender of the same stream to follow.
#include <time.h>

#include <cstdio>
#include <cstring>
#include <fstream>
#include <iterator>
#include <memory>
#include <string>

#include "bitmap_folder.h"
#include "document/configuration_file.h"
#include "layout/gauge_catalog.h"
#include "layout/page_layout.h"
#include "link/upload.h"
#include "link/upload_image.h"
#include "platform/clock_posix.h"
#include "platform/serial_port_posix.h"
#include "layout/bitmap_ids.h"

namespace {

class NullPort : public SerialPort {
public:
    int openPort(int, std::uint32_t, Parity) override { return PortOpened; }
    void closePort() override {}
    bool writeByte(std::uint8_t) override { return true; }
    bool drainOutput() override { return true; }
    int readBytes(std::uint8_t*, int) override { return 0; }
};

class NullProgress : public Progress {
public:
    void setRange(int, int) override {}
    void step() override {}
    void setPosition(int) override {}
};

double cpuMs() {
    timespec ts;
    clock_gettime(CLOCK_PROCESS_CPUTIME_ID, &ts);
    return static_cast<double>(ts.tv_sec) * 1000.0 + static_cast<double>(ts.tv_nsec) / 1e6;
}

struct UploadRecords {
    PageLayout layout{};
    PageDirectory directory{};
    VehicleSettings vehicle{};
    CustomSensorCurves curves = startupCustomSensorCurves();
    WarningTable warnings{};
    EngineUnitProfiles profiles = defaultEngineUnitProfiles();
};

// The pages and settings of a configuration file, in place of the built-in ones.
bool loadRecords(const std::string& path, UploadRecords& cfg) {
    std::ifstream f(path, std::ios::binary);
    const std::vector<std::uint8_t> bytes{std::istreambuf_iterator<char>(f), std::istreambuf_iterator<char>()};
    const ParsedConfigurationFile parsed = parseConfigurationFile(bytes);
    if (!f || !parsed.accepted) {
        std::fprintf(stderr, "upload_benchmark: cannot load %s: %s\n", path.c_str(), parsed.reason.c_str());
        return false;
    }
    cfg.layout = parsed.blocks.layout;
    cfg.directory = parsed.blocks.directory;
    if (parsed.blocks.vehicleBlock == VehicleBlock::whole) cfg.vehicle = parsed.blocks.vehicle;
    if (parsed.blocks.hasCurves) cfg.curves = parsed.blocks.curves;
    if (parsed.blocks.hasWarnings) cfg.warnings = parsed.blocks.warnings;
    return true;
}

// One line per group that the sender paces as a unit: its bytes, and the least time from its
// first byte to the next byte (0 for the bytes written without a pause).
bool writePlan(const UploadStream& stream, const std::string& path) {
    std::FILE* f = std::fopen(path.c_str(), "w");
    if (!f) return false;
    for (const StreamPiece& p : stream.pieces) {
        const std::size_t n = p.bytes.size();
        switch (p.pacing) {
            case Pacing::Single: std::fprintf(f, "%zu 0\n", n); break;
            case Pacing::ImageLine: std::fprintf(f, "%zu 30\n", n); break;
            case Pacing::Glyph: std::fprintf(f, "%zu 10\n", n); break;
            case Pacing::Paced:
                for (std::size_t at = 0; at < n; at += kPacedChunkBytes) {
                    const std::size_t len = std::min(kPacedChunkBytes, n - at);
                    std::fprintf(f, "%zu %zu\n", len, 4 * len);
                }
                break;
        }
    }
    return std::fclose(f) == 0;
}

}  // namespace

int main(int argc, char** argv) {
    std::string device;
    std::string bitmapDir;
    std::string loadPath;
    std::string planPath;
    bool gauges = false;
    for (int i = 1; i < argc; ++i) {
        if (!std::strcmp(argv[i], "--device") && i + 1 < argc) device = argv[++i];
        else if (!std::strcmp(argv[i], "--load") && i + 1 < argc) loadPath = argv[++i];
        else if (!std::strcmp(argv[i], "--plan") && i + 1 < argc) planPath = argv[++i];
        else if (!std::strcmp(argv[i], "--gauges")) gauges = true;
        else if (!std::strcmp(argv[i], "--bitmaps") && i + 1 < argc) bitmapDir = argv[++i];
        else {
            std::fprintf(stderr, "usage: upload_benchmark [--device PATH] [--gauges] [--bitmaps DIR] [--load PATH]"
                                 " [--plan PATH]\n");
            return 2;
        }
    }
    auto cfg = std::make_unique<UploadRecords>();
    resetPages(cfg->layout, cfg->directory);
    if (gauges) {
        // On page p, the first gauge of kind p at the corner and an "RPM" text gauge further on.
        for (int page = 0; page < kPageCount; ++page) {
            const GaugeDefinition* defs[] = {gaugeDefinition(page, 0), findGaugeDefinition(0x3109)};
            int column = 0;
            for (const GaugeDefinition* def : defs) {
                GaugePlacement g;
                const PreviewPoint corner = previewPointOf({column, 0}, cfg->directory.pages[page]);
                g.previewX = static_cast<std::int32_t>(corner.x);
                g.previewY = static_cast<std::int32_t>(corner.y);
                g.displayWidth = def->tableWidth;
                g.displayHeight = def->tableHeight;
                g.gaugeId = def->gaugeId;
                g.bitmap = def->bitmapId;
                addPlacement(cfg->layout, cfg->directory, page, g);
                column += (def->tableWidth + 8 + 7) / 8 * 8;
            }
        }
    }
    if (!loadPath.empty() && !loadRecords(loadPath, *cfg)) return 2;
    std::vector<std::uint8_t> pageImage(kPageImageBytes, 0), fontImage(kFontImageBytes, 0);
    if (!bitmapDir.empty()) {
        BitmapFolder folder(bitmapDir);
        pageImage = buildPageImage(cfg->layout, cfg->directory, folder);
        fontImage = buildFontImage(folder.pixels(IDB_CHARACTER_SET));
        for (const std::string& e : folder.errors) std::fprintf(stderr, "upload_benchmark: %s\n", e.c_str());
    }
    const UploadStream stream = buildUploadStream(
        UploadSources{cfg->layout, cfg->directory, cfg->vehicle, cfg->curves, cfg->warnings, cfg->profiles},
        pageImage, fontImage);

    if (!planPath.empty()) return writePlan(stream, planPath) ? 0 : 2;

    PosixClock clock;
    NullProgress progress;
    NullPort nullPort;
    PosixSerialPort devicePort(device);
    SerialPort& port = device.empty() ? static_cast<SerialPort&>(nullPort) : devicePort;

    const double cpu0 = cpuMs();
    const double t0 = clock.nowMs();
    const UploadResult r = runUpload(stream, 0, port, clock, progress);
    const double wall = clock.nowMs() - t0;
    const double cpu = cpuMs() - cpu0;
    const double minimum = minimumDurationMs(stream);
    std::printf("bytes            %zu of %zu sent\n", r.bytesSent, r.bytesTotal);
    std::printf("minimum pauses   %.1f ms\n", minimum);
    std::printf("wall time        %.1f ms\n", wall);
    std::printf("ratio            %.4f\n", wall / minimum);
    std::printf("cpu time         %.1f ms (%.2f%% of wall)\n", cpu, 100.0 * cpu / wall);
    if (r.outcome != UploadOutcome::Sent) {
        std::fprintf(stderr, "upload_benchmark: %s\n", uploadFailureMessage(r, 0).c_str());
        return 1;
    }
    return 0;
}
