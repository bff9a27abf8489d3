#pragma once
// The four custom sensor curves: for each sensor, the value to show for an input of
// k x 0.15625 V, k = 0 to 32 (0 V to 5 V). Block 4 of the configuration file, 528 bytes.
#include <cstddef>

class ByteReader;
class ByteWriter;

constexpr int kCustomSensorCount = 4;
constexpr int kCurvePointCount = 33;
constexpr std::size_t kCustomSensorCurvesBytes = kCustomSensorCount * kCurvePointCount * 4;
// The input voltage between two curve points: point k stands for k x kCurveStepVolts, 0 V to 5 V.
// Exact in float32 and double alike.
constexpr double kCurveStepVolts = 0.15625;

struct CustomSensorCurves {
    float points[kCustomSensorCount][kCurvePointCount];
};

// Start-up values: sensor 2 shows the input as a percentage of 5 V (k x 3.125), the others
// show the voltage itself (k x 0.15625). All are exact in float32.
CustomSensorCurves startupCustomSensorCurves();

// 528 bytes: sensor 1's 33 little-endian float32 points first.
void encodeCustomSensorCurves(const CustomSensorCurves& curves, ByteWriter& out);
// Reads 528 bytes. On running out of input returns false and leaves `curves` untouched.
bool decodeCustomSensorCurves(ByteReader& in, CustomSensorCurves& curves);
