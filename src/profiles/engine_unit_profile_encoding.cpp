// The profiles' wire form. Kept apart from the tables so that a tool may read the tables as data
// without linking the product's encoders.
#include "profiles/engine_unit_profiles.h"

#include "layout/byte_io.h"
#include "profiles/display_encoding.h"

namespace {

void writeDisplayFloat(ByteWriter& out, float value) {
    const std::array<std::uint8_t, 4> bytes = toDisplayFloat(value);
    out.bytes(bytes.data(), bytes.size());
}

}  // namespace

void encodeEngineUnitProfile(const EngineUnitProfile& profile, ByteWriter& out) {
    for (const FirmwareId& id : profile.firmwareIds) {
        for (char c : id.text) out.u8(static_cast<std::uint8_t>(c));
        out.bytes(id.tail.data(), id.tail.size());
    }
    out.bytes(profile.profileBytes.data(), profile.profileBytes.size());
    // The display floats are made from the table's values; the table keeps its own.
    for (float scale : profile.scales) writeDisplayFloat(out, scale);
    for (float offset : profile.offsets) writeDisplayFloat(out, offset);
    for (std::uint16_t address : profile.channelAddresses) out.u16(address);
    out.bytes(profile.channelSlots.data(), profile.channelSlots.size());
}

std::vector<std::uint8_t> encodeEngineUnitProfile(const EngineUnitProfile& profile) {
    std::vector<std::uint8_t> bytes;
    bytes.reserve(kEngineUnitProfileBytes);
    ByteWriter out(bytes);
    encodeEngineUnitProfile(profile, out);
    return bytes;
}
