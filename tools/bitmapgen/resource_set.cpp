#include "resource_set.h"

#include <set>

#include "app_icon.h"
#include "character_set.h"
#include "gauge_art.h"
#include "layout/gauge_catalog.h"
#include "layout/bitmap_ids.h"

namespace {

constexpr int kPageBackgroundWidth = 480;
constexpr int kPageBackgroundHeight = 128;

std::string bitmapPath(std::uint32_t id, const std::string& stem) {
    return "bitmaps/" + std::to_string(id) + "_" + stem + ".bmp";
}

}  // namespace

std::vector<GeneratedFile> generateResources() {
    struct Entry {
        std::uint32_t id;
        std::string path;
        std::vector<std::uint8_t> bytes;
    };
    std::vector<Entry> bitmaps;
    const std::vector<Rgb> palette = gaugePalette();

    bitmaps.push_back({IDB_PAGE_BACKGROUND, bitmapPath(IDB_PAGE_BACKGROUND, "page_background"),
                       encodeBitmap8(Canvas(kPageBackgroundWidth, kPageBackgroundHeight, kGround),
                                     palette)});
    bitmaps.push_back({IDB_CHARACTER_SET, bitmapPath(IDB_CHARACTER_SET, "character_set"),
                       encodeBitmap8(drawCharacterSet(), palette)});

    std::set<std::uint32_t> used;
    for (const GaugeBitmapSize& bitmapSize : allBitmapIds()) {
        const GaugeArt* art = findGaugeArt(bitmapSize.bitmapId);
        if (!art)
            throw std::runtime_error("catalog bitmap " + std::to_string(bitmapSize.bitmapId) +
                                     " has no drawing");
        used.insert(bitmapSize.bitmapId);
        try {
            bitmaps.push_back({bitmapSize.bitmapId, bitmapPath(bitmapSize.bitmapId, art->fileStem),
                               encodeBitmap8(drawGauge(*art, bitmapSize.width, bitmapSize.height), palette)});
        } catch (const std::invalid_argument& e) {
            throw std::runtime_error(e.what());
        }
    }
    for (const GaugeArt& art : gaugeArtTable())
        if (!used.count(art.bitmapId))
            throw std::runtime_error("drawing for bitmap " + std::to_string(art.bitmapId) +
                                     " is not in the catalog");

    std::string script =
        "// Every bitmap the program carries, under its numeric resource id.\n"
        "// Written by the bitmap generator (tools/bitmapgen) together with the pictures.\n";
    std::vector<GeneratedFile> files;
    for (Entry& e : bitmaps) {
        script += std::to_string(e.id) + " BITMAP \"" + e.path + "\"\n";
        files.push_back({e.path, std::move(e.bytes)});
    }
    files.push_back({std::string("bitmaps/") + kBitmapScriptName,
                     std::vector<std::uint8_t>(script.begin(), script.end())});
    files.push_back({"veltrana.ico", encodeAppIcon()});
    return files;
}
