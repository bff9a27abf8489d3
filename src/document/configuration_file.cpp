#include "document/configuration_file.h"

#include <cstdio>
#include <fstream>
#include <memory>

#include "layout/byte_io.h"
#include "layout/page_codec.h"
#include "platform/file_replace.h"
#include "platform/file_path.h"

namespace {

constexpr std::size_t kVersionBytes = 4;

// What each version holds after the page blocks, lowest version first.
struct VersionShape {
    std::uint32_t word;
    VehicleBlock vehicle;
    bool curves;
    bool warnings;
};

constexpr VersionShape kVersions[] = {
    {kVersionPages, VehicleBlock::none, false, false},
    {kVersionShortVehicle, VehicleBlock::firstBytes, false, false},
    {kVersionCurves, VehicleBlock::firstBytes, true, false},
    {kVersionWarnings, VehicleBlock::firstBytes, true, true},
    {kVersionCurrent, VehicleBlock::whole, true, true},
};

const VersionShape* findVersion(std::uint32_t word) {
    for (const VersionShape& shape : kVersions)
        if (shape.word == word) return &shape;
    return nullptr;
}

std::size_t vehicleBytes(VehicleBlock block) {
    switch (block) {
    case VehicleBlock::none: return 0;
    case VehicleBlock::firstBytes: return kShortVehicleBytes;
    case VehicleBlock::whole: return kVehicleSettingsBytes;
    }
    return 0;
}

// One block of a version's file, for sizes and for naming where a short file ends.
struct BlockSpan {
    const char* name;
    std::size_t offset;
    std::size_t size;
};

int blockSpans(const VersionShape& shape, BlockSpan (&spans)[6]) {
    int n = 0;
    std::size_t offset = 0;
    auto add = [&](const char* name, std::size_t size) {
        spans[n++] = {name, offset, size};
        offset += size;
    };
    add("version word", kVersionBytes);
    add("page layout", kPageLayoutBytes);
    add("page directory", kPageDirectoryBytes);
    if (shape.vehicle != VehicleBlock::none) add("vehicle settings", vehicleBytes(shape.vehicle));
    if (shape.curves) add("custom sensor curves", kCustomSensorCurvesBytes);
    if (shape.warnings) add("warning table", kWarningTableBytes);
    return n;
}

ParsedConfigurationFile refuse(std::string reason) {
    ParsedConfigurationFile result;
    result.reason = std::move(reason);
    return result;
}

std::string hexWord(std::uint32_t word) {
    char text[16];
    std::snprintf(text, sizeof text, "0x%08X", static_cast<unsigned>(word));
    return text;
}

}  // namespace

std::size_t configurationFileSize(std::uint32_t version) {
    const VersionShape* shape = findVersion(version);
    if (!shape) return 0;
    BlockSpan spans[6];
    const int n = blockSpans(*shape, spans);
    return spans[n - 1].offset + spans[n - 1].size;
}

std::vector<std::uint8_t> encodeConfiguration(const Configuration& configuration) {
    std::vector<std::uint8_t> bytes;
    bytes.reserve(kConfigurationFileBytes);
    ByteWriter out(bytes);
    out.u32(kVersionCurrent);
    encodePageLayout(configuration.layout, configuration.directory, out);
    encodePageDirectory(configuration.directory, out);
    encodeVehicleSettings(configuration.vehicle, out);
    encodeCustomSensorCurves(configuration.curves, out);
    encodeWarningTable(configuration.warnings, out);
    return bytes;
}

ParsedConfigurationFile parseConfigurationFile(const std::uint8_t* data, std::size_t size) {
    if (size < kVersionBytes)
        return refuse("The file is too short to be a configuration file (" + std::to_string(size) +
                      " bytes).");
    ByteReader in(data, size);
    const std::uint32_t word = in.u32();
    const VersionShape* shape = findVersion(word);
    if (!shape)
        return refuse("The file is not a configuration file of any version this program reads "
                      "(its version word is " + hexWord(word) + ").");

    BlockSpan spans[6];
    const int n = blockSpans(*shape, spans);
    const std::size_t needed = spans[n - 1].offset + spans[n - 1].size;
    if (size < needed) {
        const char* where = spans[n - 1].name;
        for (int i = 0; i < n; ++i)
            if (size < spans[i].offset + spans[i].size) { where = spans[i].name; break; }
        return refuse("The file is cut short: it ends inside its " + std::string(where) + " (" +
                      std::to_string(size) + " of the " + std::to_string(needed) +
                      " bytes its version needs).");
    }

    ParsedConfigurationFile result;
    LoadedConfiguration& blocks = result.blocks;
    blocks.version = word;
    // The size check above guarantees every decoder below has its bytes.
    if (!decodePageLayout(in, blocks.layout) || !decodePageDirectory(in, blocks.directory))
        return refuse("The file's page blocks cannot be read.");
    for (int page = 0; page < kPageCount; ++page) {
        const std::int32_t count = blocks.directory.pages[page].count;
        if (count < 0 || count > kSlotsPerPage)
            return refuse("The file is damaged: page " + std::to_string(page + 1) + " claims " +
                          std::to_string(count) + " gauges, but a page holds 0 to " +
                          std::to_string(kSlotsPerPage) + ".");
        // The editor only ever writes the fixed frames; with any other geometry no gauge could
        // be placed on the page.
        const PageFrame& frame = blocks.directory.pages[page];
        const PageFrame fixed = fixedPageFrame(page);
        if (frame.x != fixed.x || frame.y != fixed.y || frame.width != fixed.width ||
            frame.height != fixed.height)
            return refuse("The file is damaged: page " + std::to_string(page + 1) + " is " +
                          std::to_string(frame.width) + " x " + std::to_string(frame.height) +
                          " at " + std::to_string(frame.x) + ", " + std::to_string(frame.y) +
                          ", but every configuration file has it " + std::to_string(fixed.width) +
                          " x " + std::to_string(fixed.height) + " at " + std::to_string(fixed.x) +
                          ", " + std::to_string(fixed.y) + ".");
    }

    blocks.vehicleBlock = shape->vehicle;
    if (shape->vehicle == VehicleBlock::whole) {
        if (!decodeVehicleSettings(in, VehicleSettingsForm::Whole, blocks.vehicle))
            return refuse("The file's vehicle settings cannot be read.");
    } else if (shape->vehicle == VehicleBlock::firstBytes) {
        for (std::uint8_t& b : blocks.vehicleFirstBytes) b = in.u8();
    }
    blocks.hasCurves = shape->curves;
    if (shape->curves && !decodeCustomSensorCurves(in, blocks.curves))
        return refuse("The file's custom sensor curves cannot be read.");
    blocks.hasWarnings = shape->warnings;
    if (shape->warnings && !decodeWarningTable(in, blocks.warnings))
        return refuse("The file's warning table cannot be read.");
    if (in.overrun()) return refuse("The file cannot be read.");

    result.accepted = true;
    return result;
}

ParsedConfigurationFile parseConfigurationFile(const std::vector<std::uint8_t>& bytes) {
    return parseConfigurationFile(bytes.data(), bytes.size());
}

bool applyLoadedConfiguration(const LoadedConfiguration& loaded, Configuration& configuration,
                              const GaugeCatalog& catalog, ViewHost& host) {
    clearPages(configuration.layout, configuration.directory, host);
    // The page previews stay the windows they are; only their geometry and counts come from the
    // file.
    ViewHandle previews[kPageCount];
    for (int page = 0; page < kPageCount; ++page)
        previews[page] = configuration.directory.pages[page].window;
    configuration.layout = loaded.layout;
    configuration.directory = loaded.directory;
    for (int page = 0; page < kPageCount; ++page)
        configuration.directory.pages[page].window = previews[page];
    attachPlacementViews(configuration.layout, configuration.directory, catalog, host);

    switch (loaded.vehicleBlock) {
    case VehicleBlock::none:
        break;
    case VehicleBlock::firstBytes: {
        ByteReader in(loaded.vehicleFirstBytes, kShortVehicleBytes);
        decodeVehicleSettings(in, VehicleSettingsForm::Short, configuration.vehicle);
        break;
    }
    case VehicleBlock::whole:
        configuration.vehicle = loaded.vehicle;
        break;
    }
    if (loaded.hasCurves) configuration.curves = loaded.curves;
    if (loaded.hasWarnings) configuration.warnings = loaded.warnings;
    return loaded.vehicleBlock != VehicleBlock::none;
}

SaveResult saveConfiguration(const std::string& path, const Configuration& configuration) {
    SaveResult result;
    result.reason = writeWholeFile(path, encodeConfiguration(configuration));
    result.saved = result.reason.empty();
    return result;
}

LoadResult loadConfiguration(const std::string& path, Configuration& configuration,
                             const GaugeCatalog& catalog, ViewHost& host) {
    LoadResult result;
    std::ifstream file(filePath(path), std::ios::binary);
    if (!file) {
        result.reason = "The file cannot be opened.";
        return result;
    }
    // Nothing after the current version's last block is ever used, so no more is read: a huge
    // file chosen by mistake costs no memory.
    std::vector<std::uint8_t> bytes(kConfigurationFileBytes);
    file.read(reinterpret_cast<char*>(bytes.data()), static_cast<std::streamsize>(bytes.size()));
    if (file.bad()) {
        result.reason = "The file cannot be read.";
        return result;
    }
    bytes.resize(static_cast<std::size_t>(file.gcount()));
    return loadConfigurationBytes(bytes, configuration, catalog, host);
}

LoadResult loadConfigurationBytes(const std::vector<std::uint8_t>& bytes, Configuration& configuration,
                                  const GaugeCatalog& catalog, ViewHost& host) {
    LoadResult result;
    // 22 KB of blocks: kept on the heap.
    auto parsed = std::make_unique<ParsedConfigurationFile>(parseConfigurationFile(bytes));
    if (!parsed->accepted) {
        result.reason = parsed->reason;
        return result;
    }
    result.vehicleLoaded = applyLoadedConfiguration(parsed->blocks, configuration, catalog, host);
    result.version = parsed->blocks.version;
    result.loaded = true;
    return result;
}

std::string saveFailureMessage(const std::string& path, const std::string& reason) {
    return "Could not save \"" + path + "\".\r\n\r\n" + reason;
}

std::string loadFailureMessage(const std::string& path, const std::string& reason) {
    return "Could not load \"" + path + "\".\r\n\r\n" + reason + "\r\n\r\nNothing was changed.";
}
