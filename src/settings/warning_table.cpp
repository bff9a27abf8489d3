#include "settings/warning_table.h"

#include <cstdint>

#include "layout/byte_io.h"
#include "layout/gauge_catalog.h"
#include "layout/page_layout.h"
#include "profiles/engine_unit_profiles.h"

namespace {

constexpr int kUnitNameCount = 50;

// One name for each scaling slot; even slot the first, odd slot the second unit of a value.
const char* const kUnitNames[kUnitNameCount] = {
    "???", "???", "C", "F", "C", "F", "rpm", "rpm", "mph", "kph",
    "t/f", "t/f", "%", "%", "%", "%", "volts", "volts", "volts", "volts",
    "volts", "volts", "lambda", "AFR", "degrees", "degrees", "kPa", "psi", "degrees", "degrees",
    "%", "%", "mpg", "mpg", "whp", "whp", "wtq", "wtq", "kPa", "psi",
    "%", "%", " ", " ", " ", " ", " ", " ", " ", " ",
};

bool placementShowsChannel(const GaugePlacement& placement, int channel) {
    const GaugeDefinition* definition = findGaugeDefinition(placement.gaugeId);
    // A gauge id the catalog does not know (only a damaged file holds one) shows no channel.
    if (definition == nullptr) return false;
    return definition->channel == channel ||
           (definition->secondChannel != kNoChannel && definition->secondChannel == channel);
}

}  // namespace

bool pageShowsChannel(const PageLayout& layout, const PageDirectory& directory, int page, std::int64_t channel) {
    // Positions outside 1..77 name no channel; without this, position 256 would be channel 255,
    // the marker of "no second channel", and match nearly every gauge.
    if (channel < 0 || channel >= kChannelCount) return false;
    const int used = usedSlotCount(directory.pages[page]);
    for (int slot = 0; slot < used; ++slot)
        if (placementShowsChannel(layout.slots[page][slot], static_cast<int>(channel))) return true;
    return false;
}

void encodeWarningTable(const WarningTable& table, ByteWriter& out) {
    for (const WarningRow& row : table.rows) {
        out.i32(row.activeOnPage);
        out.i32(row.parameter);
        out.i32(row.condition);
        out.f32(row.value);
        out.i32(row.unit);
    }
}

bool decodeWarningTable(ByteReader& in, WarningTable& table) {
    WarningTable read;
    for (WarningRow& row : read.rows) {
        row.activeOnPage = in.i32();
        row.parameter = in.i32();
        row.condition = in.i32();
        row.value = in.f32();
        row.unit = in.i32();
    }
    if (in.overrun()) return false;
    table = read;
    return true;
}

bool warningShownOnPage(const int (&parameters)[kRowsPerWarning], const PageLayout& layout,
                        const PageDirectory& directory, int page) {
    int used = 0;
    bool missing = false;
    for (int parameter : parameters) {
        if (parameter == 0) continue;
        ++used;
        // In 64 bits: a damaged file's position can be the least int32.
        if (!pageShowsChannel(layout, directory, page, std::int64_t{parameter} - 1)) missing = true;
    }
    return used > 0 && !missing;
}

void recomputeWarningPages(WarningTable& table, const PageLayout& layout, const PageDirectory& directory) {
    for (int warning = 0; warning < kWarningCount; ++warning) {
        int parameters[kRowsPerWarning];
        for (int row = 0; row < kRowsPerWarning; ++row)
            parameters[row] = table.rows[warningRowIndex(warning, row)].parameter;
        for (int page = 0; page < kPageCount; ++page)
            table.rows[warningRowIndex(warning, page)].activeOnPage =
                warningShownOnPage(parameters, layout, directory, page) ? 1 : 0;
    }
}

std::optional<std::string> scalingUnitName(int slot) {
    if (slot < 0 || slot >= kUnitNameCount) return std::nullopt;
    return std::string(kUnitNames[slot]);
}

std::optional<UnitPair> warningUnitPair(int parameter, const EngineUnitProfile& profile) {
    if (parameter < 1 || parameter > kChannelCount) return std::nullopt;
    const int slot = channelScalingSlot(profile, parameter - 1);
    std::optional<std::string> first = scalingUnitName(slot);
    std::optional<std::string> second = scalingUnitName(slot + 1);
    if (!first || !second) return std::nullopt;
    return UnitPair{*first, *second};
}
