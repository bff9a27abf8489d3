// libFuzzer target for the configuration loader. Any input must be either refused with a reason
// or accepted and applied; an accepted file saved again must read back as the same blocks.
#include <cstddef>
#include <cstdint>
#include <cstdlib>
#include <memory>
#include <vector>

#include "document/configuration_file.h"
#include "layout/gauge_catalog.h"
#include "support/fake_view_host.h"

namespace {

void check(bool condition) {
    if (!condition) std::abort();
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
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
    auto configuration = std::make_unique<Configuration>();
    const bool vehicle = applyLoadedConfiguration(parsed->blocks, *configuration, catalog, host);
    check(vehicle == (parsed->blocks.vehicleBlock != VehicleBlock::none));
    check(host.staleCalls == 0);

    // What was accepted saves as a current file that is accepted again with the same pages.
    const std::vector<std::uint8_t> saved = encodeConfiguration(*configuration);
    check(saved.size() == kConfigurationFileBytes);
    auto again = std::make_unique<ParsedConfigurationFile>(parseConfigurationFile(saved));
    check(again->accepted);
    for (int page = 0; page < kPageCount; ++page)
        check(again->blocks.directory.pages[page].count == parsed->blocks.directory.pages[page].count);
    return 0;
}
