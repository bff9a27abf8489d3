#pragma once
// The eight warnings, four rows each: block 5 of the configuration file, 640 bytes. Row
// 4w + j belongs to warning w and carries, besides its own condition, the flag of page j + 1.
#include <cstddef>
#include <cstdint>
#include <optional>
#include <string>

class ByteReader;
class ByteWriter;
struct EngineUnitProfile;
struct PageDirectory;
struct PageLayout;

constexpr int kWarningCount = 8;
constexpr int kRowsPerWarning = 4;
constexpr int kWarningRowCount = kWarningCount * kRowsPerWarning;
constexpr std::size_t kWarningRowBytes = 20;
constexpr std::size_t kWarningTableBytes = kWarningRowCount * kWarningRowBytes;

struct WarningRow {
    std::int32_t activeOnPage = 0;  // 1 when the row's warning is active on page (row j) + 1
    std::int32_t parameter = 0;     // 0 none, k = channel k - 1, -1 no selection
    std::int32_t condition = 0;     // 0 none, 1 ">", 2 "<", -1 no selection
    float value = 0;                // threshold
    std::int32_t unit = 0;          // 0 first, 1 second name of the unit pair, -1 no selection
};

struct WarningTable {
    WarningRow rows[kWarningRowCount];
};

inline int warningRowIndex(int warning, int row) { return warning * kRowsPerWarning + row; }

void encodeWarningTable(const WarningTable& table, ByteWriter& out);
// Reads 640 bytes. On running out of input returns false and leaves `table` untouched.
bool decodeWarningTable(ByteReader& in, WarningTable& table);

// Whether a gauge placed on `page` shows `channel` (0..76) as its channel or second channel.
// Channels outside 0..76 and gauges outside the catalog show on no page.
bool pageShowsChannel(const PageLayout& layout, const PageDirectory& directory, int page, std::int64_t channel);

// Whether a warning whose rows test these parameter positions is active on a page: it tests
// at least one channel (any position other than 0) and each tested channel is the channel or
// second channel of a gauge placed on the page. Positions outside 1..77 match no gauge.
bool warningShownOnPage(const int (&parameters)[kRowsPerWarning], const PageLayout& layout,
                        const PageDirectory& directory, int page);

// Sets every activeOnPage from the stored parameters and the current layout.
void recomputeWarningPages(WarningTable& table, const PageLayout& layout, const PageDirectory& directory);

// The unit name of a channel scaling slot 0..49; nullopt outside.
std::optional<std::string> scalingUnitName(int slot);

struct UnitPair {
    std::string first;
    std::string second;
};
// The units offered for a parameter position: the names of the channel's scaling slot s and
// s + 1 in the given profile's channel map (profile 1 in the program). nullopt for 0, for no
// selection and for positions above 77, which a damaged file may hold.
std::optional<UnitPair> warningUnitPair(int parameter, const EngineUnitProfile& profile);
