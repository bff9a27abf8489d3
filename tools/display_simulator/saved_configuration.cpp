#include "saved_configuration.h"

#include <cstring>
#include <fstream>
#include <iterator>
#include <vector>

namespace {

constexpr std::size_t kFileBytes = 22336;
constexpr std::size_t kLayoutAt = 4, kDirectoryAt = 20484, kVehicleAt = 20580, kCurvesAt = 21168,
                      kWarningsAt = 21696;

class Fields {
public:
    explicit Fields(const std::vector<std::uint8_t>& bytes) : b_(bytes) {}
    std::uint32_t u32(std::size_t at) const {
        return b_[at] | b_[at + 1] << 8 | b_[at + 2] << 16 | static_cast<std::uint32_t>(b_[at + 3]) << 24;
    }
    std::int32_t i32(std::size_t at) const { return static_cast<std::int32_t>(u32(at)); }
    float f32(std::size_t at) const {
        const std::uint32_t bits = u32(at);
        float f;
        std::memcpy(&f, &bits, 4);
        return f;
    }

private:
    const std::vector<std::uint8_t>& b_;
};

}  // namespace

bool readSavedConfiguration(const std::string& path, SavedConfiguration& c, std::string& error) {
    std::ifstream f(path, std::ios::binary);
    if (!f) {
        error = "cannot read " + path;
        return false;
    }
    const std::vector<std::uint8_t> bytes{std::istreambuf_iterator<char>(f), std::istreambuf_iterator<char>()};
    const Fields in(bytes);
    if (bytes.size() != kFileBytes || in.u32(0) != 0xABBADEB1) {
        error = path + " is not a whole configuration file of the current version";
        return false;
    }
    for (int p = 0; p < 4; ++p) {
        SavedPage& page = c.pages[p];
        const std::size_t frame = kDirectoryAt + 24 * p;
        page.x = in.i32(frame + 4);
        page.y = in.i32(frame + 8);
        page.count = in.i32(frame + 20);
        if (page.count < 0 || page.count > 128) {
            error = path + ": page " + std::to_string(p + 1) + " has a count of " + std::to_string(page.count);
            return false;
        }
        for (int s = 0; s < page.count; ++s) {
            const std::size_t at = kLayoutAt + 40 * (128 * p + s);
            page.slots[s] = SavedPlacement{in.i32(at + 4), in.i32(at + 8), in.u32(at + 24)};
        }
    }
    for (int g = 0; g < 6; ++g) c.gearRatio[g] = in.f32(kVehicleAt + 4 * g);
    c.finalDriveRatio = in.f32(kVehicleAt + 24);
    c.revMeterRpmLow = in.i32(kVehicleAt + 28);
    c.revMeterRpmHigh = in.i32(kVehicleAt + 32);
    c.mapScale = in.f32(kVehicleAt + 36);
    c.mapOffset = in.f32(kVehicleAt + 40);
    c.cylinderCount = in.i32(kVehicleAt + 44);
    c.fuelPressure = in.i32(kVehicleAt + 48);
    c.injectorSize = in.i32(kVehicleAt + 52);
    c.rimDiameterIndex = in.i32(kVehicleAt + 64);
    c.tireWidthIndex = in.i32(kVehicleAt + 68);
    c.tireAspectIndex = in.i32(kVehicleAt + 72);
    c.vehicleWeight = in.f32(kVehicleAt + 76);
    c.dragCoefficient = in.f32(kVehicleAt + 80);
    for (std::size_t i = 0; i < c.curves.size(); ++i) c.curves[i] = in.f32(kCurvesAt + 4 * i);
    for (std::size_t r = 0; r < c.warnings.size(); ++r) {
        const std::size_t at = kWarningsAt + 20 * r;
        c.warnings[r] = SavedWarningRow{in.i32(at), in.i32(at + 4), in.i32(at + 8), in.i32(at + 16), in.f32(at + 12)};
    }
    return true;
}
