#include "settings/vehicle_settings.h"

#include "layout/byte_io.h"

void encodeVehicleSettings(const VehicleSettings& s, ByteWriter& out) {
    for (float ratio : s.gearRatio) out.f32(ratio);
    out.f32(s.finalDriveRatio);
    out.i32(s.revMeterRpmLow);
    out.i32(s.revMeterRpmHigh);
    out.f32(s.mapScale);
    out.f32(s.mapOffset);
    out.i32(s.cylinderCount);
    out.i32(s.fuelPressure);
    out.i32(s.injectorSize);
    out.f32(s.fuelFlowFactor);
    out.i32(s.comPortIndex);
    out.i32(s.rimDiameterIndex);
    out.i32(s.tireWidthIndex);
    out.i32(s.tireAspectIndex);
    out.f32(s.vehicleWeight);
    out.f32(s.dragCoefficient);
    out.bytes(s.reserved.data(), s.reserved.size());
}

std::vector<std::uint8_t> encodeVehicleSettings(const VehicleSettings& settings) {
    std::vector<std::uint8_t> bytes;
    bytes.reserve(kVehicleSettingsBytes);
    ByteWriter out(bytes);
    encodeVehicleSettings(settings, out);
    return bytes;
}

bool decodeVehicleSettings(ByteReader& in, VehicleSettingsForm form, VehicleSettings& settings) {
    const bool whole = form == VehicleSettingsForm::Whole;
    if (in.remaining() < (whole ? kVehicleSettingsBytes : kVehicleSettingsShortBytes)) return false;

    VehicleSettings s = settings;  // the short form keeps every field after fuelFlowFactor
    for (float& ratio : s.gearRatio) ratio = in.f32();
    s.finalDriveRatio = in.f32();
    s.revMeterRpmLow = in.i32();
    s.revMeterRpmHigh = in.i32();
    s.mapScale = in.f32();
    s.mapOffset = in.f32();
    s.cylinderCount = in.i32();
    s.fuelPressure = in.i32();
    s.injectorSize = in.i32();
    s.fuelFlowFactor = in.f32();
    if (whole) {
        s.comPortIndex = in.i32();
        s.rimDiameterIndex = in.i32();
        s.tireWidthIndex = in.i32();
        s.tireAspectIndex = in.i32();
        s.vehicleWeight = in.f32();
        s.dragCoefficient = in.f32();
        for (std::uint8_t& b : s.reserved) b = in.u8();
    }
    settings = s;
    return true;
}
