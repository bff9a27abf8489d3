// upload_benchmark: sends an upload of an empty configuration (or one with a gauge on every page,
// --gauges) through the paced sender on a real monotonic clock, and prints the wall time against
// the sum of the minimum pauses and the processor time used. By default the bytes go to a null
// port; --device PATH sends them to a serial device or a pseudo-terminal (e.g. the display
// simulator's) instead, which also makes it a native end-to-end check of the simulator; with
// --bitmaps DIR the page and font images are built from the bitmap files in DIR.
#include <time.h>

#include <cstdio>
#include <cstring>
#include <memory>
#include <string>

#include "bitmap_folder.h"
#include "layout/gauge_catalog.h"
#include "layout/page_layout.h"
#include "link/upload.h"
#include "link/upload_image.h"
#include "platform/clock_posix.h"
#include "platform/serial_port_posix.h"
#include "resource_ids.h"

namespace {

class NullPort : public SerialPort {
public:
    int openPort(int, std::uint32_t, Parity) override { return PortOpened; }
    void closePort() override {}
    bool writeByte(std::uint8_t) override { return true; }
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

struct Configuration {
    PageLayout layout{};
    PageDirectory directory{};
    VehicleSettings vehicle{};
    CustomSensorCurves curves = startupCustomSensorCurves();
    WarningTable warnings{};
    EngineUnitProfiles profiles = defaultEngineUnitProfiles();
};

}  // namespace

int main(int argc, char** argv) {
    std::string device;
    std::string bitmapDir;
    bool gauges = false;
    for (int i = 1; i < argc; ++i) {
        if (!std::strcmp(argv[i], "--device") && i + 1 < argc) device = argv[++i];
        else if (!std::strcmp(argv[i], "--gauges")) gauges = true;
        else if (!std::strcmp(argv[i], "--bitmaps") && i + 1 < argc) bitmapDir = argv[++i];
        else {
            std::fprintf(stderr, "usage: upload_benchmark [--device PATH] [--gauges] [--bitmaps DIR]\n");
            return 2;
        }
    }
    auto cfg = std::make_unique<Configuration>();
    resetPages(cfg->layout, cfg->directory);
    if (gauges) {
        // On page p, the first gauge of kind p at the corner and an "RPM" text gauge further on.
        for (int page = 0; page < kPageCount; ++page) {
            const GaugeDefinition* defs[] = {gaugeDefinition(page, 0), findGaugeDefinition(0x3109)};
            int column = 0;
            for (const GaugeDefinition* def : defs) {
                GaugePlacement g;
                g.x = cfg->directory.pages[page].x + 2 * column;
                g.y = cfg->directory.pages[page].y;
                g.width = def->tableWidth;
                g.height = def->tableHeight;
                g.gaugeId = def->gaugeId;
                g.bitmap = def->bitmapId;
                addPlacement(cfg->layout, cfg->directory, page, g);
                column += (def->tableWidth + 8 + 7) / 8 * 8;
            }
        }
    }
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
