#pragma once
// The built-in gauge catalog: six kinds of gauges in fixed order, each entry naming its bitmap,
// its gauge identifier, the channels it shows and its scale. The constant definitions are
// platform-free; the runtime catalog adds the loaded bitmaps and their sizes.
#include <cstdint>
#include <string>
#include <vector>

#include "platform/view_host.h"

constexpr int kKindCount = 6;
constexpr int kChannelCount = 77;
constexpr int kCatalogEntryCount = 167;
// A secondChannel of this value means the gauge uses one channel only.
constexpr std::uint8_t kNoChannel = 255;

struct GaugeDefinition {
    std::string name;  // at most 31 characters
    std::uint32_t bitmapId = 0;
    std::uint32_t gaugeId = 0;  // every value fits in 16 bits
    std::uint8_t channel = 0;
    std::uint8_t secondChannel = kNoChannel;
    float rangeMin = 0;
    float rangeMax = 0;
    // The bitmap's size in display pixels as the catalog states it; the runtime entry takes its
    // size from the loaded image instead, so these let a generator or a test check the images.
    int tableWidth = 0;
    int tableHeight = 0;
};

struct CatalogEntry {
    std::string name;
    std::uint32_t gaugeId = 0;
    std::uint8_t channel = 0;
    std::uint8_t secondChannel = kNoChannel;
    float rangeMin = 0;
    float rangeMax = 0;
    BitmapHandle bitmap = 0;
    int bitmapWidth = 0;   // pixels of the loaded image (one pixel is one display pixel)
    int bitmapHeight = 0;
};

// The runtime catalog: one table per kind, position i of kind k is definition i of kind k.
struct GaugeCatalog {
    std::vector<CatalogEntry> kinds[kKindCount];
};

// One distinct gauge bitmap with the size the catalog states for it.
struct GaugeBitmapSize {
    std::uint32_t bitmapId = 0;
    int width = 0;
    int height = 0;
};

// Builds the runtime catalog, loading every entry's bitmap through the host.
GaugeCatalog loadCatalog(ViewHost& host);

// The "Gauge Types" text of a kind; "" for a kind outside 0..5.
std::string kindName(int kind);
// Number of entries of a kind; 0 for a kind outside 0..5.
int definitionCount(int kind);
// The "Gauges" text of an entry; "" outside the table.
std::string definitionName(int kind, int position);
// The constant definition at a list position; nullptr outside the table.
const GaugeDefinition* gaugeDefinition(int kind, int position);

// The runtime entry at a list position; nullptr outside the table.
const CatalogEntry* catalogEntry(const GaugeCatalog& catalog, int kind, int position);
// First entry (kinds in order, positions in order) with this identifier; nullptr for none.
const CatalogEntry* findCatalogEntry(const GaugeCatalog& catalog, std::uint32_t gaugeId);
// The same scan over the constant definitions, for code that needs channels and ranges only.
const GaugeDefinition* findGaugeDefinition(std::uint32_t gaugeId);

// The custom sensor (0..3) whose curve a gauge of this identifier shows (the "ADCR n (Customk)"
// text gauges); -1 for every other identifier.
int customSensorOfGauge(std::uint32_t gaugeId);

// The key of a channel, "advance_comp" (0) to "switch7" (76); "" outside 0..76.
std::string channelKey(int index);

// Every distinct gauge bitmap id in catalog order of first use, with its stated size.
std::vector<GaugeBitmapSize> allBitmapIds();
