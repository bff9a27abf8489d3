#include "settings/vehicle_settings.h"

#include <cmath>

#include "layout/byte_io.h"
#include "profiles/display_encoding.h"

const std::int32_t kRimDiameterList[] = {11, 12, 13, 14, 15, 16, 17, 18, 19, 20, 21,
                                         22, 23, 24, 25, 26, 27, 28, 29, 30, -1};
const std::int32_t kTireWidthList[] = {
    140, 145, 150, 155, 160, 165, 170, 175, 180, 185, 190, 195, 200, 205, 210, 215, 220, 225,
    230, 235, 240, 245, 250, 255, 260, 265, 270, 275, 280, 285, 290, 295, 300, 305, 310, 315,
    320, 325, 330, 335, 340, 345, 350, 355, 360, 365, 370, 375, 380, 385, 390, 395, -1};
const std::int32_t kTireAspectList[] = {5,  10, 15, 20, 25, 30, 35, 40, 45, 50,
                                        55, 60, 65, 70, 75, 80, 85, 90, 95, -1};

namespace {

// Constants that the display's values have always been computed with, given as the bits of
// single-precision floats. Products are formed in double precision and rounded to single once.
const float kLoadScalarShown = singleFromBits(0x4423D666);      // 655.35
const float kKpaPerScalar = singleFromBits(0x3AC800C8);         // 100 / 65535
const float kPsiPerKpa = 14.5f;
const float kPerRawCount = singleFromBits(0x37800080);          // 1 / 65535
const float kPsiPerKpaGauge = singleFromBits(0x3E147AE1);       // 0.145
const float kInjectorFlowFactor = singleFromBits(0x398A846E);   // 0.0002642008
const float kPressureFactor = singleFromBits(0x3CB60B61);       // about 1 / 45
constexpr double kAtmosphereKpa = 100.0;

}  // namespace

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

std::int32_t vehicleListValue(const std::int32_t* list, int position) {
    if (position < 0) return 0;
    for (int i = 0; list[i] >= 0; ++i)
        if (i == position) return list[i];
    return 0;
}

void setStartRevMeterRange(VehicleSettings& settings) {
    settings.revMeterRpmLow = 0;
    settings.revMeterRpmHigh = kRevMeterRpmHighStart;
}

double loadScalarOf(float mapScale) {
    return static_cast<double>(mapScale) * static_cast<double>(kLoadScalarShown);
}

MapSensorScaling mapSensorScaling(double loadScalar, float loadOffset) {
    MapSensorScaling m;
    m.kpaScale = static_cast<float>(loadScalar * static_cast<double>(kKpaPerScalar));
    m.kpaOffset = loadOffset;
    m.psiScale = static_cast<float>(loadScalar * static_cast<double>(kPsiPerKpa) *
                                    static_cast<double>(kPerRawCount));
    m.psiOffset = static_cast<float>((static_cast<double>(loadOffset) - kAtmosphereKpa) *
                                     static_cast<double>(kPsiPerKpaGauge));
    return m;
}

std::int32_t wholeNumberOf(double entry) {
    if (!(entry > -2147483649.0 && entry < 2147483648.0)) return INT32_MIN;
    return static_cast<std::int32_t>(entry);
}

void setFuelSystem(VehicleSettings& s, double cylinders, float injector, float pressure) {
    s.fuelPressure = wholeNumberOf(pressure);
    s.injectorSize = wholeNumberOf(injector);
    s.cylinderCount = wholeNumberOf(cylinders);
    s.fuelFlowFactor = computeFuelFlowFactor(cylinders, injector, pressure);
}

float computeFuelFlowFactor(double cylinders, float injector, float pressure) {
    // Unguarded on purpose: a pressure of 0 or below gives NaN or infinity, which is stored and
    // sent, as the display has always received it.
    const double flow = cylinders * static_cast<double>(injector) *
                        static_cast<double>(kInjectorFlowFactor);
    const double pressureRoot =
        std::sqrt(static_cast<double>(pressure) * static_cast<double>(kPressureFactor));
    const double factor = flow / pressureRoot;
    // The display has always received the NaN 0xFFC00000, which is x86's default NaN; other
    // processors make a NaN of another sign (ARM's is 0x7FC00000), so the bits are set here.
    if (std::isnan(factor)) return singleFromBits(0xFFC00000);
    return static_cast<float>(factor);
}
