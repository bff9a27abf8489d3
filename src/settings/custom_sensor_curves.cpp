#include "settings/custom_sensor_curves.h"

#include "layout/byte_io.h"

CustomSensorCurves startupCustomSensorCurves() {
    CustomSensorCurves curves{};
    for (int sensor = 0; sensor < kCustomSensorCount; ++sensor) {
        const float step = sensor == 1 ? 3.125f : static_cast<float>(kCurveStepVolts);
        for (int k = 0; k < kCurvePointCount; ++k) curves.points[sensor][k] = static_cast<float>(k) * step;
    }
    return curves;
}

void encodeCustomSensorCurves(const CustomSensorCurves& curves, ByteWriter& out) {
    for (const auto& curve : curves.points)
        for (float point : curve) out.f32(point);
}

bool decodeCustomSensorCurves(ByteReader& in, CustomSensorCurves& curves) {
    CustomSensorCurves read{};
    for (auto& curve : read.points)
        for (float& point : curve) point = in.f32();
    if (in.overrun()) return false;
    curves = read;
    return true;
}
