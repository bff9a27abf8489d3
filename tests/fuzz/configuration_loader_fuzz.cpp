// libFuzzer target for the configuration loader and what reads a loaded configuration. Any input
// must be either refused with a reason or accepted and applied; an accepted file saved again must
// read back as the same blocks. The page image is built from every input's page blocks as they
// stand, refused or not, so that damaged geometry reaches the image builder under the
// sanitizers; every accepted input then goes, as the command-line program holds it, through the
// upload stream (its page image and every encoder) and info's report in words and in JSON.
#include <cstddef>
#include <cstdint>
#include <cstdlib>
#include <memory>
#include <vector>

#include "cli/editor_session.h"
#include "cli/info_report.h"
#include "document/configuration_check.h"
#include "document/configuration_compare.h"
#include "document/configuration_file.h"
#include "layout/byte_io.h"
#include "layout/gauge_catalog.h"
#include "layout/page_codec.h"
#include "link/upload_image.h"
#include "link/upload_stream.h"
#include "settings/vehicle_panel.h"
#include "support/fake_view_host.h"

namespace {

void check(bool condition) {
    if (!condition) std::abort();
}

// Every handle names the same solid dark bitmap, larger than any gauge a page can show.
class DarkBitmaps : public BitmapPixels {
public:
    DarkBitmaps() {
        image_.width = 240;
        image_.height = 256;
        image_.pixels.assign(240 * 256, 0);
    }
    const PixelImage* pixels(BitmapHandle) override { return &image_; }

private:
    PixelImage image_;
};

void buildImageFromRawPages(const std::uint8_t* data, std::size_t size) {
    if (size < 4 + kPageLayoutBytes + kPageDirectoryBytes) return;
    ByteReader in(data + 4, size - 4);
    auto layout = std::make_unique<PageLayout>();
    PageDirectory directory{};
    check(decodePageLayout(in, *layout) && decodePageDirectory(in, directory));
    static DarkBitmaps bitmaps;
    check(buildPageImage(*layout, directory, bitmaps).size() == kPageImageBytes);
}

// The command-line program's session, made once (its catalog and bitmaps take long to load) and
// given its start-up state back for each input.
EditorSession& startedSession() {
    static EditorSession* const session = new EditorSession;
    static const Configuration startConfig = session->config;
    static const EngineUnitProfiles startProfiles = session->profiles;
    static const MemoryForm startPanel = session->vehiclePanel;
    session->config = startConfig;
    session->profiles = startProfiles;
    session->vehiclePanel = startPanel;
    return *session;
}

// The upload as "Proceed", stream and render build it: page and font image, then every section.
void buildUpload(EditorSession& session) {
    const std::size_t bytes = streamByteCount(session.buildUpload());
    check(bytes >= kEmptyUploadBytes && (bytes - kEmptyUploadBytes) % kGaugeRecordBytes == 0);
}

void reportInfo(EditorSession& session, std::uint32_t version) {
    const InfoReport report = buildInfoReport(session, "fuzz.vtl", version);
    check(!formatInfoText(report).empty());
    check(!formatInfoJson(report).empty());
}

// The check names every finding in words; a configuration compared with itself differs in nothing.
void checkAndCompare(EditorSession& session, std::uint32_t version) {
    for (const CheckFinding& finding : checkConfiguration(session.config)) check(!finding.text.empty());
    const ConfigurationSummary summary = summarizeSession(session, version);
    check(compareConfigurations(summary, summary).empty());
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    buildImageFromRawPages(data, size);
    auto parsed = std::make_unique<ParsedConfigurationFile>(parseConfigurationFile(data, size));
    if (!parsed->accepted) {
        check(!parsed->reason.empty());
        return 0;
    }
    check(parsed->reason.empty());
    check(size >= configurationFileSize(parsed->blocks.version));

    FakeViewHost host;
    static const GaugeCatalog catalog = [] {
        FakeViewHost loader;
        return loadCatalog(loader);
    }();
    EditorSession& session = startedSession();
    Configuration& configuration = session.config;
    const bool vehicle = applyLoadedConfiguration(parsed->blocks, configuration, catalog, host);
    check(vehicle == (parsed->blocks.vehicleBlock != VehicleBlock::none));
    check(host.staleCalls == 0);
    // As the session's load does: a loaded vehicle block is shown in the panel.
    if (vehicle) fillVehiclePanel(session.vehiclePanel, configuration.vehicle);

    // What was accepted saves as a current file that is accepted again with the same pages.
    const std::vector<std::uint8_t> saved = encodeConfiguration(configuration);
    check(saved.size() == kConfigurationFileBytes);
    auto again = std::make_unique<ParsedConfigurationFile>(parseConfigurationFile(saved));
    check(again->accepted);
    for (int page = 0; page < kPageCount; ++page)
        check(again->blocks.directory.pages[page].count == parsed->blocks.directory.pages[page].count);

    // Each reader of a loaded configuration, one call each, on the session holding it.
    buildUpload(session);
    reportInfo(session, parsed->blocks.version);
    checkAndCompare(session, parsed->blocks.version);
    return 0;
}
