#include "link/upload_stream.h"

#include <algorithm>
#include <cmath>
#include <cstring>

#include "layout/gauge_catalog.h"
#include "profiles/display_encoding.h"
#include "link/upload_image.h"

namespace {

void putFloat(std::vector<std::uint8_t>& out, float value) {
    const auto b = toDisplayFloat(value);
    out.insert(out.end(), b.begin(), b.end());
}

void putU16(std::vector<std::uint8_t>& out, std::uint32_t value) {
    out.push_back(static_cast<std::uint8_t>(value));
    out.push_back(static_cast<std::uint8_t>(value >> 8));
}

void addPiece(UploadStream& s, Pacing pacing, std::vector<std::uint8_t> bytes) {
    s.pieces.push_back(StreamPiece{pacing, std::move(bytes)});
}

}  // namespace

bool encodeGaugeRecord(const GaugePlacement& placement, const PageFrame& frame,
                       std::uint8_t (&record)[kGaugeRecordBytes]) {
    const GaugeDefinition* def = findGaugeDefinition(placement.gaugeId);
    if (!def) return false;
    std::vector<std::uint8_t> out;
    putU16(out, placement.gaugeId);
    out.push_back(def->channel);
    out.push_back(def->secondChannel);
    putFloat(out, def->rangeMin);
    putFloat(out, def->rangeMax);
    // Rounded toward zero, as the display's column and row expect.
    const DisplayPoint corner = displayPointOf(placement, frame, PixelRounding::towardZero);
    out.push_back(static_cast<std::uint8_t>(corner.column));
    out.push_back(static_cast<std::uint8_t>(corner.row));
    std::memcpy(record, out.data(), kGaugeRecordBytes);
    return true;
}

float tyreValue(const VehicleSettings& v) {
    // The sizes the panel's lists show at the stored positions.
    const std::int32_t rim = vehicleListValue(kRimDiameterList, v.rimDiameterIndex);
    const std::int32_t width = vehicleListValue(kTireWidthList, v.tireWidthIndex);
    const std::int32_t aspect = vehicleListValue(kTireAspectList, v.tireAspectIndex);
    const double oneOver1270 = singleFromBits(0x3A4E69A0);
    const double oneOver24 = singleFromBits(0x3D2AAAAB);
    // Two sidewalls (width x aspect / 100, in mm / 25.4) plus the rim give the diameter in
    // inches; divided by 24 that is the radius in feet.
    return static_cast<float>((static_cast<std::int32_t>(aspect * width) * oneOver1270 + rim) * oneOver24);
}

std::vector<std::uint8_t> encodeVehicleRecord(const VehicleSettings& v) {
    std::vector<std::uint8_t> out;
    putU16(out, static_cast<std::uint32_t>(v.revMeterRpmLow));
    putU16(out, static_cast<std::uint32_t>(v.revMeterRpmHigh));
    putFloat(out, v.fuelFlowFactor);
    const double factor = singleFromBits(0x414DEB85);  // 12.87
    for (float gear : v.gearRatio)
        putFloat(out, static_cast<float>(static_cast<double>(v.finalDriveRatio) * gear * factor));
    putFloat(out, tyreValue(v));
    putFloat(out, v.vehicleWeight);
    putFloat(out, v.dragCoefficient);
    return out;
}

std::vector<std::uint8_t> encodeCustomSensorSection(const CustomSensorCurves& curves) {
    std::vector<std::uint8_t> out;
    for (const auto& curve : curves.points)
        for (float point : curve) putFloat(out, point);
    return out;
}

std::vector<std::uint8_t> encodeWarningPageMasks(const WarningTable& warnings) {
    std::vector<std::uint8_t> masks(kPageCount, 0);
    for (int page = 0; page < kPageCount; ++page)
        for (int w = 0; w < kWarningCount; ++w)
            if (warnings.rows[warningRowIndex(w, page)].activeOnPage == 1)
                masks[page] = static_cast<std::uint8_t>(masks[page] | (1u << w));
    return masks;
}

std::vector<std::uint8_t> encodeWarningRecord(const WarningTable& warnings, int warning) {
    std::vector<std::uint8_t> out;
    const WarningRow* rows = &warnings.rows[warningRowIndex(warning, 0)];
    for (int r = 0; r < kRowsPerWarning; ++r) out.push_back(static_cast<std::uint8_t>(rows[r].parameter));
    for (int r = 0; r < kRowsPerWarning; ++r) {
        // The second unit (and no selection) is sent as the negated condition.
        const std::uint32_t c = static_cast<std::uint32_t>(rows[r].condition);
        out.push_back(static_cast<std::uint8_t>(rows[r].unit != 0 ? 0u - c : c));
    }
    for (int r = 0; r < kRowsPerWarning; ++r) putFloat(out, rows[r].value);
    return out;
}

UploadStream buildUploadStream(const UploadSources& src, const std::vector<std::uint8_t>& pageImage,
                               const std::vector<std::uint8_t>& fontImage) {
    recomputeWarningPages(src.warnings, src.layout, src.directory);
    UploadStream s;
    addPiece(s, Pacing::Single, {kUploadStartByte});

    std::vector<std::uint8_t> page(pageImage);
    page.resize(kPageImageBytes, 0);
    for (std::size_t at = 0; at < kPageImageBytes; at += kImageLineBytes)
        addPiece(s, Pacing::ImageLine, {page.begin() + at, page.begin() + at + kImageLineBytes});
    std::vector<std::uint8_t> font(fontImage);
    font.resize(kFontImageBytes, 0);
    for (std::size_t at = 0; at < kFontImageBytes; at += kGlyphBytes)
        addPiece(s, Pacing::Glyph, {font.begin() + at, font.begin() + at + kGlyphBytes});

    addPiece(s, Pacing::Single, {kUploadSeparatorByte});

    // Each profile goes as its four pieces: firmware ids, profile bytes, scaling table, map.
    static const std::size_t pieceEnds[] = {76, 82, 514, kEngineUnitProfileBytes};
    for (const EngineUnitProfile& profile : src.profiles.profiles) {
        const std::vector<std::uint8_t> bytes = encodeEngineUnitProfile(profile);
        std::size_t from = 0;
        for (std::size_t end : pieceEnds) {
            addPiece(s, Pacing::Paced, {bytes.begin() + from, bytes.begin() + end});
            from = end;
        }
    }

    for (int p = 0; p < kPageCount; ++p) {
        const PageFrame& frame = src.directory.pages[p];
        std::vector<std::vector<std::uint8_t>> records;
        std::uint16_t check = 0;
        for (int slot = 0; slot < usedSlotCount(frame); ++slot) {
            std::uint8_t record[kGaugeRecordBytes];
            if (!encodeGaugeRecord(src.layout.slots[p][slot], frame, record)) continue;
            check = displayCrc(record, kGaugeRecordBytes, check);
            records.emplace_back(record, record + kGaugeRecordBytes);
        }
        addPiece(s, Pacing::Single, {static_cast<std::uint8_t>(records.size())});
        for (auto& r : records) addPiece(s, Pacing::Paced, std::move(r));
        std::vector<std::uint8_t> checkBytes;
        putU16(checkBytes, check);
        addPiece(s, Pacing::Paced, checkBytes);
    }

    addPiece(s, Pacing::Paced, encodeVehicleRecord(src.vehicle));
    addPiece(s, Pacing::Paced, encodeCustomSensorSection(src.curves));
    addPiece(s, Pacing::Paced, encodeWarningPageMasks(src.warnings));
    for (int w = 0; w < kWarningCount; ++w) addPiece(s, Pacing::Paced, encodeWarningRecord(src.warnings, w));
    return s;
}

std::vector<std::uint8_t> flattenStream(const UploadStream& stream) {
    std::vector<std::uint8_t> out;
    for (const StreamPiece& p : stream.pieces) out.insert(out.end(), p.bytes.begin(), p.bytes.end());
    return out;
}

std::size_t streamByteCount(const UploadStream& stream) {
    std::size_t n = 0;
    for (const StreamPiece& p : stream.pieces) n += p.bytes.size();
    return n;
}

int progressStepCount(const UploadStream& stream) {
    std::size_t n = 0;
    for (const StreamPiece& p : stream.pieces)
        if (p.pacing != Pacing::Single) n += p.bytes.size();
    return static_cast<int>(n);
}

std::vector<PacedWrite> pacedWrites(const UploadStream& stream) {
    std::vector<PacedWrite> writes;
    std::size_t offset = 0;
    for (const StreamPiece& p : stream.pieces) {
        const std::size_t length = p.bytes.size();
        switch (p.pacing) {
            case Pacing::Single: writes.push_back(PacedWrite{offset, length, 0.0, false}); break;
            case Pacing::ImageLine: writes.push_back(PacedWrite{offset, length, 30.0, true}); break;
            case Pacing::Glyph: writes.push_back(PacedWrite{offset, length, 10.0, true}); break;
            case Pacing::Paced:
                for (std::size_t at = 0; at < length; at += kPacedChunkBytes) {
                    const std::size_t n = std::min(kPacedChunkBytes, length - at);
                    writes.push_back(PacedWrite{offset + at, n, 4.0 * static_cast<double>(n), true});
                }
                break;
        }
        offset += length;
    }
    return writes;
}

double minimumDurationMs(const UploadStream& stream) {
    double ms = 0;
    for (const PacedWrite& w : pacedWrites(stream)) ms += w.minimumPauseMs;
    return ms;
}
