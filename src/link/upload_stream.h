#pragma once
// The configuration upload as bytes: every section the display receives, in order, split into
// the pieces that are paced as one unit. Platform-free; runUpload (upload.h) sends it.
#include <cstddef>
#include <cstdint>
#include <vector>

#include "layout/page_layout.h"
#include "profiles/engine_unit_profiles.h"
#include "settings/custom_sensor_curves.h"
#include "settings/vehicle_settings.h"
#include "settings/warning_table.h"

constexpr std::uint8_t kUploadStartByte = 0xB1;
constexpr std::uint8_t kUploadSeparatorByte = 0x04;
constexpr std::size_t kGaugeRecordBytes = 14;
constexpr std::size_t kVehicleRecordBytes = 44;
constexpr std::size_t kWarningRecordBytes = 24;
constexpr std::size_t kEmptyUploadBytes = 13490;  // plus 14 per gauge sent
constexpr std::size_t kPagesOffset = 12710;         // first page section

// How a piece is handed to the port.
enum class Pacing {
    Single,     // bytes written with no pause and no progress step (start, separator, counts)
    ImageLine,  // 30 bytes, then at least 30 ms since its first byte
    Glyph,      // 8 bytes, then at least 10 ms since its first byte
    Paced,      // chunks of at most 16 bytes, each followed by 4 ms per byte since its start
};

struct StreamPiece {
    Pacing pacing = Pacing::Single;
    std::vector<std::uint8_t> bytes;
};

struct UploadStream {
    std::vector<StreamPiece> pieces;
};

// Paced pieces go in chunks of at most this many bytes; chunks never span two pieces.
constexpr std::size_t kPacedChunkBytes = 16;

// One run of bytes handed to the port in a row: where it lies in the stream, how long it is,
// the least time from its first byte until the next run may start (0: none), and whether its
// bytes advance the progress bar. The sender and the dry run's schedule both follow these.
struct PacedWrite {
    std::size_t offset = 0;
    std::size_t length = 0;
    double minimumPauseMs = 0;
    bool stepsProgress = false;
};
std::vector<PacedWrite> pacedWrites(const UploadStream& stream);

// Everything the stream is made from. The shell owns the records; the builder reads them and
// only updates the warnings' page flags.
struct UploadSources {
    const PageLayout& layout;
    const PageDirectory& directory;
    const VehicleSettings& vehicle;
    const CustomSensorCurves& curves;
    WarningTable& warnings;
    const EngineUnitProfiles& profiles;
};

// The 14-byte record of a placed gauge; false (nothing written) when its gauge id is not in the
// catalog, as only a damaged file can make it.
bool encodeGaugeRecord(const GaugePlacement& placement, const PageFrame& frame,
                       std::uint8_t (&record)[kGaugeRecordBytes]);
// The tyre radius in feet from the sizes the list positions stand for (rim inches, width mm,
// aspect percent); a position with no size (none selected, or outside its list) counts as 0.
float tyreValue(const VehicleSettings& vehicle);
std::vector<std::uint8_t> encodeVehicleRecord(const VehicleSettings& vehicle);
std::vector<std::uint8_t> encodeCustomSensorSection(const CustomSensorCurves& curves);
std::vector<std::uint8_t> encodeWarningPageMasks(const WarningTable& warnings);
std::vector<std::uint8_t> encodeWarningRecord(const WarningTable& warnings, int warning);

// Runs recomputeWarningPages, then lays out the whole stream from the two images.
UploadStream buildUploadStream(const UploadSources& sources,
                               const std::vector<std::uint8_t>& pageImage,
                               const std::vector<std::uint8_t>& fontImage);

std::vector<std::uint8_t> flattenStream(const UploadStream& stream);
std::size_t streamByteCount(const UploadStream& stream);
// Steps of the progress bar: every byte except those of Single pieces.
int progressStepCount(const UploadStream& stream);
// The sum of the minimum pauses, what an upload takes on an ideal line.
double minimumDurationMs(const UploadStream& stream);
