#include "expected_stream.h"

#include <cmath>
#include <cstdio>
#include <cstdlib>
#include <cstring>

#include "display_rules.h"
#include "expected_images.h"
#include "layout/gauge_catalog.h"
#include "profiles/engine_unit_profiles.h"

namespace {

float single(std::uint32_t bits) {
    float f;
    std::memcpy(&f, &bits, 4);
    return f;
}

void put16(std::vector<std::uint8_t>& out, std::uint32_t v) {
    out.push_back(static_cast<std::uint8_t>(v));
    out.push_back(static_cast<std::uint8_t>(v >> 8));
}

// What the panel shows for a value ("%1.3f" unless said) read back as the panel reads it: at most
// 9 characters.
double shownAndReadBack(double value, const char* format = "%1.3f") {
    char text[64];
    std::snprintf(text, sizeof text, format, value);
    text[9] = '\0';
    return std::strtod(text, nullptr);
}

// The profiles as sent, with the MAP slots that the panel gives for the file's settings: it shows
// Load Scalar as mapScale x 655.35 and Load Offset as mapOffset, and reads them back into slot 38
// (kPa) and slot 39 (psi, gauge pressure).
std::vector<ExpectedSection> profileSections(const SavedConfiguration& c) {
    const double scalar = shownAndReadBack(static_cast<double>(c.mapScale) * single(0x4423D666));
    const float offset = static_cast<float>(shownAndReadBack(c.mapOffset));
    const float kpaScale = static_cast<float>(scalar * single(0x3AC800C8));
    const float psiScale = static_cast<float>(scalar * 14.5 * single(0x37800080));
    const float psiOffset = static_cast<float>((static_cast<double>(offset) - 100.0) * single(0x3E147AE1));

    std::vector<ExpectedSection> out;
    const EngineUnitProfiles table = defaultEngineUnitProfiles();  // constant data only
    for (int p = 0; p < 4; ++p) {
        const EngineUnitProfile& profile = table.profiles[p];
        ExpectedSection s{"profile " + std::to_string(p + 1), {}};
        for (const FirmwareId& id : profile.firmwareIds) {
            s.bytes.insert(s.bytes.end(), id.text.begin(), id.text.end());
            s.bytes.insert(s.bytes.end(), id.tail.begin(), id.tail.end());
        }
        s.bytes.insert(s.bytes.end(), profile.profileBytes.begin(), profile.profileBytes.end());
        for (int slot = 0; slot < 54; ++slot)
            appendDisplayFloat(s.bytes, slot == 38 ? kpaScale : slot == 39 ? psiScale : profile.scales[slot]);
        for (int slot = 0; slot < 54; ++slot)
            appendDisplayFloat(s.bytes, slot == 38 ? offset : slot == 39 ? psiOffset : profile.offsets[slot]);
        for (std::uint16_t address : profile.channelAddresses) put16(s.bytes, address);
        s.bytes.insert(s.bytes.end(), profile.channelSlots.begin(), profile.channelSlots.end());
        out.push_back(std::move(s));
    }
    return out;
}

// The size a list position stands for (rim inches, tyre width mm, aspect %); 0 for none.
int listSize(std::int32_t position, int first, int step, int entries) {
    return position >= 0 && position < entries ? first + step * position : 0;
}

std::vector<std::uint8_t> vehicleRecord(const SavedConfiguration& c) {
    std::vector<std::uint8_t> v;
    put16(v, static_cast<std::uint32_t>(c.revMeterRpmLow));
    put16(v, static_cast<std::uint32_t>(c.revMeterRpmHigh));
    // The fuel flow factor as the panel derives it again from the whole numbers it shows.
    const double flow = static_cast<double>(c.cylinderCount) * static_cast<float>(c.injectorSize) * single(0x398A846E);
    const float factor = static_cast<float>(flow / std::sqrt(static_cast<double>(static_cast<float>(c.fuelPressure)) *
                                                            single(0x3CB60B61)));
    appendDisplayFloat(v, std::isnan(factor) ? single(0xFFC00000) : factor);
    const auto shown = [](float value) { return static_cast<float>(shownAndReadBack(value)); };
    for (float gear : c.gearRatio)
        appendDisplayFloat(v, static_cast<float>(static_cast<double>(shown(c.finalDriveRatio)) * shown(gear) *
                                                 single(0x414DEB85)));
    const std::int32_t sidewalls = listSize(c.tireAspectIndex, 5, 5, 19) * listSize(c.tireWidthIndex, 140, 5, 52);
    const double rim = listSize(c.rimDiameterIndex, 11, 1, 20);
    appendDisplayFloat(v, static_cast<float>((sidewalls * static_cast<double>(single(0x3A4E69A0)) + rim) *
                                             single(0x3D2AAAAB)));
    appendDisplayFloat(v, static_cast<float>(shownAndReadBack(c.vehicleWeight, "%5.0f")));
    appendDisplayFloat(v, shown(c.dragCoefficient));
    return v;
}

// Whether a gauge on the page shows the channel of a warning row's parameter (1 to 77).
bool pageShows(const SavedPage& page, std::int32_t parameter) {
    if (parameter < 1 || parameter > 77) return false;
    for (int s = 0; s < page.count; ++s) {
        const GaugeDefinition* def = lookUpGauge(page.slots[s].gaugeId);
        if (def && (def->channel == parameter - 1 || def->secondChannel == parameter - 1)) return true;
    }
    return false;
}

// A warning is active on a page when it tests a channel and every channel it tests is shown there.
std::vector<std::uint8_t> warningMasks(const SavedConfiguration& c) {
    std::vector<std::uint8_t> masks(4, 0);
    for (int p = 0; p < 4; ++p)
        for (int w = 0; w < 8; ++w) {
            int used = 0;
            bool missing = false;
            for (int j = 0; j < 4; ++j) {
                const std::int32_t parameter = c.warnings[4 * w + j].parameter;
                if (parameter == 0) continue;
                ++used;
                if (!pageShows(c.pages[p], parameter)) missing = true;
            }
            if (used > 0 && !missing) masks[p] = static_cast<std::uint8_t>(masks[p] | 1 << w);
        }
    return masks;
}

std::vector<std::uint8_t> warningRecord(const SavedConfiguration& c, int w) {
    std::vector<std::uint8_t> r;
    const SavedWarningRow* rows = &c.warnings[4 * w];
    for (int j = 0; j < 4; ++j) r.push_back(static_cast<std::uint8_t>(rows[j].parameter));
    for (int j = 0; j < 4; ++j) {
        const auto condition = static_cast<std::uint8_t>(rows[j].condition);
        r.push_back(rows[j].unit != 0 ? static_cast<std::uint8_t>(256 - condition) : condition);
    }
    for (int j = 0; j < 4; ++j) appendDisplayFloat(r, rows[j].value);
    return r;
}

}  // namespace

std::vector<ExpectedSection> expectedUpload(const SavedConfiguration& c, BitmapFolder& bitmaps,
                                            std::vector<std::string>& errors) {
    std::vector<PlacedGauge> placed;
    std::vector<ExpectedSection> pageSections;
    for (int p = 0; p < 4; ++p) {
        const SavedPage& page = c.pages[p];
        ExpectedSection s{"page " + std::to_string(p + 1) + " section", {0}};
        std::uint16_t check = 0;
        for (int slot = 0; slot < page.count; ++slot) {
            const SavedPlacement& g = page.slots[slot];
            const GaugeDefinition* def = lookUpGauge(g.gaugeId);
            if (!def) continue;  // a damaged file's unknown gauge is left out, and out of the count
            const int column = (g.x - page.x) / 2, row = (g.y - page.y) / 2;
            placed.push_back(PlacedGauge{p, g.gaugeId, column, row});
            std::vector<std::uint8_t> record;
            put16(record, g.gaugeId);
            record.push_back(def->channel);
            record.push_back(def->secondChannel);
            appendDisplayFloat(record, def->rangeMin);
            appendDisplayFloat(record, def->rangeMax);
            record.push_back(static_cast<std::uint8_t>(column));
            record.push_back(static_cast<std::uint8_t>(row));
            check = checkValue(record.data(), record.size(), check);
            s.bytes.insert(s.bytes.end(), record.begin(), record.end());
            ++s.bytes[0];
        }
        put16(s.bytes, check);
        pageSections.push_back(std::move(s));
    }

    std::vector<ExpectedSection> out;
    out.push_back({"start byte", {0xB1}});
    out.push_back({"page image", expectedPageImage(placed, bitmaps, errors)});
    out.push_back({"font image", expectedFontImage(bitmaps, errors)});
    out.push_back({"separator", {0x04}});
    for (ExpectedSection& s : profileSections(c)) out.push_back(std::move(s));
    for (ExpectedSection& s : pageSections) out.push_back(std::move(s));
    out.push_back({"vehicle record", vehicleRecord(c)});
    ExpectedSection curves{"custom sensor section", {}};
    for (float point : c.curves) appendDisplayFloat(curves.bytes, point);
    out.push_back(std::move(curves));
    out.push_back({"warning page masks", warningMasks(c)});
    for (int w = 0; w < 8; ++w) out.push_back({"warning record " + std::to_string(w + 1), warningRecord(c, w)});
    return out;
}

std::string firstDifference(const std::vector<ExpectedSection>& expected, const std::vector<std::uint8_t>& received) {
    std::size_t at = 0;
    char text[200];
    for (const ExpectedSection& s : expected) {
        for (std::size_t i = 0; i < s.bytes.size(); ++i, ++at) {
            if (at >= received.size()) {
                std::snprintf(text, sizeof text, "the stream ended at byte %zu, in the %s (byte %zu of %zu)", at,
                              s.name.c_str(), i, s.bytes.size());
                return text;
            }
            if (received[at] != s.bytes[i]) {
                std::snprintf(text, sizeof text, "%s, byte %zu (stream byte %zu): expected 0x%02X, received 0x%02X",
                              s.name.c_str(), i, at, s.bytes[i], received[at]);
                return text;
            }
        }
    }
    if (at != received.size()) {
        std::snprintf(text, sizeof text, "%zu bytes received, the configuration gives %zu", received.size(), at);
        return text;
    }
    return "";
}
