#pragma once
// A whole configuration for upload tests, owned by the test, with helpers to place gauges by
// display position and an in-memory set of bitmap pixels.
#include <cstdint>
#include <map>
#include <memory>

#include "layout/bitmap_pixels.h"
#include "layout/page_layout.h"
#include "link/upload_stream.h"

struct UploadConfig {
    PageLayout layout{};
    PageDirectory directory{};
    VehicleSettings vehicle{};
    CustomSensorCurves curves{};
    WarningTable warnings{};
    EngineUnitProfiles profiles = defaultEngineUnitProfiles();

    UploadConfig() { resetPages(layout, directory); }
    UploadSources sources() { return UploadSources{layout, directory, vehicle, curves, warnings, profiles}; }

    // Places a gauge with its top-left corner at display column/row of the page.
    void place(int page, std::uint32_t gaugeId, int column, int row, int width, int height,
               BitmapHandle bitmap = 0) {
        GaugePlacement g;
        g.previewX = directory.pages[page].x + 2 * column;
        g.previewY = directory.pages[page].y + 2 * row;
        g.displayWidth = width;
        g.displayHeight = height;
        g.gaugeId = gaugeId;
        g.bitmap = bitmap;
        const int slot = usedSlotCount(directory.pages[page]);
        layout.slots[page][slot] = g;
        directory.pages[page].count = slot + 1;
    }
};

class MemoryBitmaps : public BitmapPixels {
public:
    const PixelImage* pixels(BitmapHandle bitmap) override {
        auto it = images.find(bitmap);
        return it == images.end() ? nullptr : &it->second;
    }
    std::map<BitmapHandle, PixelImage> images;
};

constexpr std::uint32_t kRpmGaugeId = 0x3109;
constexpr std::uint32_t kIndicatorGaugeId = 0x3700;  // "LS1", 24 x 8
