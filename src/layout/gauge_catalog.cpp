#include "layout/gauge_catalog.h"

#include <array>

namespace {

constexpr std::uint8_t N = kNoChannel;

// One row of a kind's table as the catalog lists it.
struct Row {
    const char* name;
    std::uint32_t gaugeId;
    std::uint32_t bitmapId;
    int width;
    int height;
    std::uint8_t channel;
    std::uint8_t secondChannel;
    float rangeMin;
    float rangeMax;
};

const Row kRadial[] = {
    {"Radial Rev Meter", 0x0000, 123, 64, 64, 8, N, 0, 10000},
    {"300kPa Boost", 0x0001, 117, 64, 64, 7, N, 0, 300},
    {"350kPa Boost", 0x0002, 171, 64, 64, 7, N, 0, 350},
};

const Row kHorizontalBar[] = {
    {"Knock #1", 0x1008, 153, 80, 16, 11, N, 0, 5},
    {"Knock #2", 0x1009, 169, 80, 16, 16, N, 0, 5},
    {"Knock #1 Raw", 0x100A, 161, 80, 16, 13, N, 0, 5},
    {"Knock #2 Raw", 0x100B, 162, 80, 16, 18, N, 0, 5},
    {"Knock #1 Volts", 0x100C, 164, 80, 16, 15, N, 0, 5},
    {"Knock #2 Volts", 0x100D, 163, 80, 16, 20, N, 0, 5},
    {"Knock #1 Fuel", 0x100E, 165, 80, 16, 12, N, 0, 20},
    {"Knock #2 Fuel", 0x100F, 166, 80, 16, 17, N, 0, 20},
    {"Knock #1 Retard", 0x1010, 168, 80, 16, 14, N, 0, 10},
    {"Knock #2 Retard", 0x1011, 167, 80, 16, 19, N, 0, 10},
    {"Injector Duty", 0x1007, 151, 80, 16, 10, N, 0, 100},
    {"O2 #2 (Lambda)", 0x1001, 145, 80, 16, 25, N, 0.7f, 1.3f},
    {"O2 #1 (Lambda)", 0x1002, 146, 80, 16, 24, N, 0.7f, 1.3f},
    {"O2 Target (Lambda)", 0x1003, 147, 80, 16, 28, N, 0.7f, 1.3f},
    {"O2 #2 (A/F Ratio)", 0x9004, 149, 80, 16, 25, N, 10, 20},
    {"O2 #1 (A/F Ratio)", 0x9005, 150, 80, 16, 24, N, 10, 20},
    {"O2 Target (A/F Ratio)", 0x9006, 148, 80, 16, 28, N, 10, 20},
    {"Throttle", 0x1000, 152, 80, 16, 31, N, 0, 100},
    {"350kPa Map", 0x1012, 158, 80, 16, 7, N, 0, 350},
};

const Row kVerticalBar[] = {
    {"Throttle", 0x2000, 131, 16, 64, 31, N, 0, 100},
    {"350kPa Boost", 0x2001, 132, 16, 64, 7, N, 0, 350},
    {"O2 #1", 0x2002, 154, 16, 64, 24, N, 0.7f, 1.3f},
    {"O2 #2", 0x2003, 155, 16, 64, 25, N, 0.7f, 1.3f},
    {"O2 Target", 0x2004, 156, 16, 64, 28, N, 0.7f, 1.3f},
};

// The named text gauges; the 72 custom sensor text gauges follow them (textDefinitions).
const Row kText[] = {
    {"Air Temp (C)", 0x3105, 138, 56, 16, 2, N, -999, 999},
    {"Air Temp (F)", 0xB105, 138, 56, 16, 2, N, -999, 999},
    {"Battery", 0x3104, 137, 56, 16, 3, N, 0, 20},
    {"Coolant (C)", 0x3106, 139, 56, 16, 4, N, -999, 999},
    {"Coolant (F)", 0xB106, 139, 56, 16, 4, N, -999, 999},
    {"EGT #1 (C)", 0x3107, 141, 56, 16, 5, N, 0, 9999},
    {"EGT #1 (F)", 0xB107, 141, 56, 16, 5, N, 0, 9999},
    {"EGT #2 (C)", 0x3108, 140, 56, 16, 6, N, 0, 9999},
    {"EGT #2 (F)", 0xB108, 140, 56, 16, 6, N, 0, 9999},
    {"Engine Load (kPa)", 0x3118, 177, 56, 16, 7, N, 0, 500},
    {"Engine Load (psi)", 0xB118, 177, 56, 16, 7, N, -20, 99},
    {"Gear", 0x310E, 175, 56, 16, 35, 8, 0, 6},
    {"Idle (%)", 0x3119, 185, 56, 16, 9, N, 0, 100},
    {"Ignition Advance", 0x3103, 143, 56, 16, 0, N, -10, 100},
    {"Injectory Duty (%)", 0x310F, 176, 56, 16, 10, N, 0, 250},
    {"Knock #1", 0x310B, 159, 56, 16, 11, N, 0, 5},
    {"Knock #2", 0x310C, 160, 56, 16, 16, N, 0, 5},
    {"Knock Raw #1", 0x3110, 216, 56, 16, 13, N, 0, 5},
    {"Knock Raw #2", 0x3111, 220, 56, 16, 18, N, 0, 5},
    {"Knock Volts #1", 0x3112, 218, 56, 16, 15, N, 0, 5},
    {"Knock Volts #2", 0x3113, 222, 56, 16, 20, N, 0, 5},
    {"Knock Fuel #1", 0x3114, 215, 56, 16, 12, N, 0, 100},
    {"Knock Fuel #2", 0x3115, 219, 56, 16, 17, N, 0, 100},
    {"Knock Retard #1", 0x3116, 217, 56, 16, 14, N, 0, 100},
    {"Knock Retard #2", 0x3117, 221, 56, 16, 19, N, 0, 100},
    {"Mileage (mpg)", 0x310D, 174, 56, 16, 23, 32, 0, 100},
    {"O2 #1 (Lambda)", 0x3100, 133, 56, 16, 24, N, 0, 2},
    {"O2 #1 (A/F Ratio)", 0xB100, 133, 56, 16, 24, N, 0, 25},
    {"O2 #2 (Lambda)", 0x3101, 135, 56, 16, 25, N, 0, 2},
    {"O2 #2 (A/F Ratio)", 0xB101, 135, 56, 16, 25, N, 0, 25},
    {"O2 FB #1", 0x311A, 187, 56, 16, 26, N, -50, 50},
    {"O2 FB #2", 0x311B, 188, 56, 16, 27, N, -50, 50},
    {"O2 Target (Lambda)", 0x3102, 134, 56, 16, 28, N, 0, 2},
    {"O2 Target (A/F Ratio)", 0xB102, 134, 56, 16, 28, N, 0, 25},
    {"RPM", 0x3109, 142, 56, 16, 8, N, 0, 26000},
    {"SPEED (mph)", 0x310A, 136, 56, 16, 32, N, 0, 999},
    {"SPEED (kph)", 0x310A, 136, 56, 16, 32, N, 0, 999},
    {"Throttle (%)", 0x311C, 186, 56, 16, 31, N, 0, 100},
    {"HP", 0x312F, 211, 56, 16, 33, 32, 0, 26000},
    {"Torque", 0x3130, 212, 56, 16, 34, 32, 0, 26000},
};

const Row kBigRevMeters[] = {
    {"Rev Meter (10K)", 0x3200, 116, 176, 32, 8, N, 0, 10000},
    {"Big Rev Meter (10K)", 0x3501, 180, 176, 48, 8, N, 0, 10000},
    {"Bigger Rev Meter (10K)", 0x3601, 181, 240, 48, 8, N, 0, 10000},
    {"Big Rev Meter (12K)", 0x3500, 178, 176, 48, 8, N, 0, 12000},
    {"Bigger Rev Meter (12K)", 0x3600, 179, 240, 48, 8, N, 0, 12000},
};

const Row kIndicators[] = {
    {"LS1", 0x3700, 223, 24, 8, 54, N, -999, 999},
    {"LS2", 0x3701, 224, 24, 8, 55, N, -999, 999},
    {"LS3", 0x3702, 225, 24, 8, 56, N, -999, 999},
    {"LS4", 0x3703, 226, 24, 8, 57, N, -999, 999},
    {"LS5", 0x3704, 227, 24, 8, 58, N, -999, 999},
    {"LS6", 0x3705, 228, 24, 8, 59, N, -999, 999},
    {"LS7", 0x3706, 229, 24, 8, 60, N, -999, 999},
    {"LS8", 0x3707, 230, 24, 8, 61, N, -999, 999},
    {"LS9", 0x3708, 231, 24, 8, 62, N, -999, 999},
    {"LS10", 0x3709, 232, 24, 8, 63, N, -999, 999},
    {"LS11", 0x370A, 233, 24, 8, 64, N, -999, 999},
    {"LS12", 0x370B, 234, 24, 8, 65, N, -999, 999},
    {"HS1", 0x370C, 235, 24, 8, 66, N, -999, 999},
    {"HS2", 0x370D, 236, 24, 8, 67, N, -999, 999},
    {"HS3", 0x370E, 237, 24, 8, 68, N, -999, 999},
    {"HS4", 0x370F, 238, 24, 8, 69, N, -999, 999},
    {"SWITCH1", 0x3710, 239, 24, 8, 70, N, -999, 999},
    {"SWITCH2", 0x3711, 240, 24, 8, 71, N, -999, 999},
    {"SWITCH3", 0x3712, 241, 24, 8, 72, N, -999, 999},
    {"SWITCH4", 0x3713, 242, 24, 8, 73, N, -999, 999},
    {"SWITCH5", 0x3714, 243, 24, 8, 74, N, -999, 999},
    {"SWITCH6", 0x3715, 244, 24, 8, 75, N, -999, 999},
    {"SWITCH7", 0x3716, 245, 24, 8, 76, N, -999, 999},
};

const char* const kKindNames[kKindCount] = {
    "Radial", "Horizontal Bar", "Vertical Bar", "Text", "Big Rev Meters", "Indicators",
};

// Channels 0..35 by name; 36..76 follow a numbering rule (channelKeys).
const char* const kNamedChannels[] = {
    "advance_comp", "air_temp_raw", "air_temp", "battery", "coolant", "egt_1",
    "egt_2", "engine_load", "engine_speed", "idle_percent", "injector_duty", "knock_1",
    "knock_fuel_1", "knock_raw_1", "knock_retard_1", "knock_volt_1", "knock_2", "knock_fuel_2",
    "knock_raw_2", "knock_retard_2", "knock_volt_2", "map_load", "map_raw", "mileage",
    "o2_1", "o2_2", "o2_fb_1", "o2_fb_2", "o2_target", "o2_raw_1",
    "o2_raw_2", "throttle", "vehicle_speed", "hp", "torque", "gear",
};

constexpr int kCustomSensorCount = 4;
constexpr int kAnalogueInputCount = 18;

GaugeDefinition toDefinition(const Row& row) {
    GaugeDefinition d;
    d.name = row.name;
    d.bitmapId = row.bitmapId;
    d.gaugeId = row.gaugeId;
    d.channel = row.channel;
    d.secondChannel = row.secondChannel;
    d.rangeMin = row.rangeMin;
    d.rangeMax = row.rangeMax;
    d.tableWidth = row.width;
    d.tableHeight = row.height;
    return d;
}

template <std::size_t Count>
std::vector<GaugeDefinition> toDefinitions(const Row (&rows)[Count]) {
    std::vector<GaugeDefinition> out;
    for (const Row& row : rows) out.push_back(toDefinition(row));
    return out;
}

// Bits 14 and 15 of a custom sensor text gauge's identifier carry the sensor (0..3).
std::uint32_t customSensorGaugeId(int sensor, int input) {
    return 0x311Cu + static_cast<std::uint32_t>(input) + 0x4000u * static_cast<std::uint32_t>(sensor);
}

// The custom sensor text gauges: for sensor k (1..4) and analogue input n (1..18), bits 14 and
// 15 of the identifier carry k - 1; the sensors share one bitmap per input.
std::vector<GaugeDefinition> textDefinitions() {
    std::vector<GaugeDefinition> out = toDefinitions(kText);
    for (int k = 1; k <= kCustomSensorCount; ++k) {
        for (int n = 1; n <= kAnalogueInputCount; ++n) {
            GaugeDefinition d;
            d.name = "ADCR " + std::to_string(n) + " (Custom" + std::to_string(k) + ")";
            d.gaugeId = customSensorGaugeId(k - 1, n);
            d.bitmapId = 190u + static_cast<std::uint32_t>(n);
            d.channel = static_cast<std::uint8_t>(35 + n);
            d.secondChannel = kNoChannel;
            d.rangeMin = 0;
            d.rangeMax = 9999;
            d.tableWidth = 56;
            d.tableHeight = 16;
            out.push_back(d);
        }
    }
    return out;
}

using DefinitionTables = std::array<std::vector<GaugeDefinition>, kKindCount>;

const DefinitionTables& definitions() {
    static const DefinitionTables tables = {
        toDefinitions(kRadial),       toDefinitions(kHorizontalBar), toDefinitions(kVerticalBar),
        textDefinitions(),            toDefinitions(kBigRevMeters),  toDefinitions(kIndicators),
    };
    return tables;
}

std::vector<std::string> buildChannelKeys() {
    std::vector<std::string> keys(std::begin(kNamedChannels), std::end(kNamedChannels));
    for (int n = 1; n <= kAnalogueInputCount; ++n)
        keys.push_back((n < 10 ? "adcr_0" : "adcr_") + std::to_string(n));
    for (int n = 1; n <= 12; ++n) keys.push_back("ls" + std::to_string(n));
    for (int n = 1; n <= 4; ++n) keys.push_back("hs" + std::to_string(n));
    for (int n = 1; n <= 7; ++n) keys.push_back("switch" + std::to_string(n));
    return keys;
}

bool validKind(int kind) { return kind >= 0 && kind < kKindCount; }

}  // namespace

GaugeCatalog loadCatalog(ViewHost& host) {
    GaugeCatalog catalog;
    for (int kind = 0; kind < kKindCount; ++kind) {
        for (const GaugeDefinition& d : definitions()[kind]) {
            const LoadedBitmap image = host.loadBitmap(d.bitmapId);
            CatalogEntry e;
            e.name = d.name;
            e.gaugeId = d.gaugeId;
            e.channel = d.channel;
            e.secondChannel = d.secondChannel;
            e.rangeMin = d.rangeMin;
            e.rangeMax = d.rangeMax;
            e.bitmap = image.handle;
            e.bitmapWidth = image.width;
            e.bitmapHeight = image.height;
            catalog.kinds[kind].push_back(e);
        }
    }
    return catalog;
}

std::string kindName(int kind) { return validKind(kind) ? kKindNames[kind] : ""; }

int definitionCount(int kind) {
    return validKind(kind) ? static_cast<int>(definitions()[kind].size()) : 0;
}

const GaugeDefinition* gaugeDefinition(int kind, int position) {
    if (position < 0 || position >= definitionCount(kind)) return nullptr;
    return &definitions()[kind][position];
}

std::string definitionName(int kind, int position) {
    const GaugeDefinition* d = gaugeDefinition(kind, position);
    return d ? d->name : "";
}

const CatalogEntry* catalogEntry(const GaugeCatalog& catalog, int kind, int position) {
    if (!validKind(kind)) return nullptr;
    const std::vector<CatalogEntry>& table = catalog.kinds[kind];
    if (position < 0 || position >= static_cast<int>(table.size())) return nullptr;
    return &table[position];
}

const CatalogEntry* findCatalogEntry(const GaugeCatalog& catalog, std::uint32_t gaugeId) {
    for (const std::vector<CatalogEntry>& table : catalog.kinds)
        for (const CatalogEntry& e : table)
            if (e.gaugeId == gaugeId) return &e;
    return nullptr;
}

const GaugeDefinition* findGaugeDefinition(std::uint32_t gaugeId) {
    for (const std::vector<GaugeDefinition>& table : definitions())
        for (const GaugeDefinition& d : table)
            if (d.gaugeId == gaugeId) return &d;
    return nullptr;
}

std::string channelKey(int index) {
    static const std::vector<std::string> keys = buildChannelKeys();
    if (index < 0 || index >= static_cast<int>(keys.size())) return "";
    return keys[index];
}

std::vector<GaugeBitmapSize> allBitmapIds() {
    std::vector<GaugeBitmapSize> out;
    for (const std::vector<GaugeDefinition>& table : definitions()) {
        for (const GaugeDefinition& d : table) {
            bool seen = false;
            for (const GaugeBitmapSize& s : out) seen = seen || s.bitmapId == d.bitmapId;
            if (!seen) out.push_back({d.bitmapId, d.tableWidth, d.tableHeight});
        }
    }
    return out;
}

int customSensorOfGauge(std::uint32_t gaugeId) {
    for (int sensor = 0; sensor < kCustomSensorCount; ++sensor)
        for (int n = 1; n <= kAnalogueInputCount; ++n)
            if (gaugeId == customSensorGaugeId(sensor, n)) return sensor;
    return -1;
}
