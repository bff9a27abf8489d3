#pragma once
// The configuration file: a 4-byte little-endian version word and the configuration's blocks in
// a fixed order (layout, directory, vehicle settings, curves, warnings), without names, lengths
// or checksums. Five versions exist; each older one holds a prefix of the blocks, and the three
// middle ones hold only the first 60 bytes of the vehicle settings.
//
// Loading is two steps so that a bad file changes nothing: parseConfigurationFile reads and
// checks every byte first, and only an accepted file is applied to the configuration.
#include <cstddef>
#include <cstdint>
#include <string>
#include <vector>

#include "document/configuration.h"

struct GaugeCatalog;
class ViewHost;

constexpr std::uint32_t kVersionPages = 0xABBADEAD;         // layout, directory
constexpr std::uint32_t kVersionShortVehicle = 0xABBADEAE;  // + first 60 bytes of the vehicle
constexpr std::uint32_t kVersionCurves = 0xABBADEAF;        // + curves
constexpr std::uint32_t kVersionWarnings = 0xABBADEB0;      // + warnings
constexpr std::uint32_t kVersionCurrent = 0xABBADEB1;       // the whole vehicle settings

constexpr std::size_t kShortVehicleBytes = kVehicleSettingsShortBytes;
constexpr std::size_t kConfigurationFileBytes = 22336;  // a file of the current version

// The file size each version needs; 0 for a word that is none of the five.
std::size_t configurationFileSize(std::uint32_t version);

// The current version's bytes: 22336 of them, beginning B1 DE BA AB. Runtime-only handles and
// the slots a page does not use are written as zeros.
std::vector<std::uint8_t> encodeConfiguration(const Configuration& configuration);

enum class VehicleBlock { none, firstBytes, whole };

// The blocks an accepted file holds. Blocks the version lacks are left default.
struct LoadedConfiguration {
    std::uint32_t version = 0;
    PageLayout layout{};
    PageDirectory directory{};  // every count is within 0..128, every frame the fixed one
    VehicleBlock vehicleBlock = VehicleBlock::none;
    VehicleSettings vehicle{};                                 // when whole
    std::uint8_t vehicleFirstBytes[kShortVehicleBytes] = {};  // when firstBytes
    bool hasCurves = false;
    CustomSensorCurves curves{};
    bool hasWarnings = false;
    WarningTable warnings{};
};

struct ParsedConfigurationFile {
    bool accepted = false;
    std::string reason;  // why the file was refused, in plain words; empty when accepted
    LoadedConfiguration blocks;
};

// Reads and checks a whole file. Refused: a version word that is none of the five, a file
// shorter than its version needs, a page count outside 0..128, a page frame other than the
// fixed one. Bytes after the last block of the version are ignored.
ParsedConfigurationFile parseConfigurationFile(const std::uint8_t* data, std::size_t size);
ParsedConfigurationFile parseConfigurationFile(const std::vector<std::uint8_t>& bytes);

// Replaces the blocks the file held and nothing else: the placed gauges' views are destroyed and
// remade for the loaded pages (the page previews keep their handles), and of a short vehicle
// block only the first 60 bytes of the record change. Returns whether the vehicle block was
// present, which is when the vehicle panel needs refilling.
bool applyLoadedConfiguration(const LoadedConfiguration& loaded, Configuration& configuration,
                              const GaugeCatalog& catalog, ViewHost& host);

struct SaveResult {
    bool saved = false;
    std::string reason;  // when not saved, in plain words
};

struct LoadResult {
    bool loaded = false;
    std::string reason;          // when not loaded, in plain words
    bool vehicleLoaded = false;  // the file carried vehicle settings: refill the vehicle panel
    std::uint32_t version = 0;   // the loaded file's version word
};

// Writes the current version to a temporary file beside `path` and only then puts it in place
// of `path`, so a failed save leaves any old file whole. The caller reads the vehicle panel back
// into the configuration first.
SaveResult saveConfiguration(const std::string& path, const Configuration& configuration);
// Reads and checks the whole file, then applies it; a file that cannot be read or is refused
// changes nothing.
LoadResult loadConfiguration(const std::string& path, Configuration& configuration,
                             const GaugeCatalog& catalog, ViewHost& host);
// The same for a file's bytes already read (a browser hands over the chosen file's contents).
LoadResult loadConfigurationBytes(const std::vector<std::uint8_t>& bytes, Configuration& configuration,
                                  const GaugeCatalog& catalog, ViewHost& host);

// Message box texts naming the file and the reason.
std::string saveFailureMessage(const std::string& path, const std::string& reason);
std::string loadFailureMessage(const std::string& path, const std::string& reason);
