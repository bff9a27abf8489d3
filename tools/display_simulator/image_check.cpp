#include "image_check.h"

#include <cstdio>

#include "bitmap_folder.h"
#include "display_rules.h"
#include "expected_images.h"
#include "layout/gauge_catalog.h"

namespace {

std::string firstImageDifference(const char* what, const std::vector<std::uint8_t>& got,
                                 const std::vector<std::uint8_t>& want, const char* unit, std::size_t unitBytes) {
    for (std::size_t i = 0; i < want.size() && i < got.size(); ++i) {
        if (got[i] == want[i]) continue;
        std::size_t differing = 0;
        for (std::size_t j = i; j < want.size(); ++j) differing += got[j] != want[j];
        char text[200];
        std::snprintf(text, sizeof text, "%s: byte %zu (%s %zu, byte %zu) is 0x%02X, the bitmaps give 0x%02X; %zu bytes differ",
                      what, i, unit, i / unitBytes, i % unitBytes, got[i], want[i], differing);
        return text;
    }
    return got.size() == want.size() ? std::string() : std::string(what) + ": wrong length";
}

bool gaugesOverlap(const std::vector<DecodedGauge>& gauges) {
    for (std::size_t i = 0; i < gauges.size(); ++i)
        for (std::size_t j = i + 1; j < gauges.size(); ++j) {
            const DecodedGauge& a = gauges[i];
            const DecodedGauge& b = gauges[j];
            const GaugeDefinition* da = lookUpGauge(a.gaugeId);
            const GaugeDefinition* db = lookUpGauge(b.gaugeId);
            if (!da || !db || a.page != b.page) continue;
            if (a.column < b.column + db->tableWidth && b.column < a.column + da->tableWidth &&
                a.row < b.row + db->tableHeight && b.row < a.row + da->tableHeight)
                return true;
        }
    return false;
}

}  // namespace

std::vector<std::string> checkImagesAgainstBitmaps(const DecodedUpload& upload, const std::string& bitmapDir) {
    std::vector<std::string> errors;
    if (upload.pageImage.size() != kPageImageSize || upload.fontImage.size() != kFontImageSize) return errors;
    std::vector<PlacedGauge> placed;
    for (const DecodedGauge& g : upload.gauges) placed.push_back(PlacedGauge{g.page, g.gaugeId, g.column, g.row});
    BitmapFolder folder(bitmapDir);
    // Gauges that overlap (only a damaged file holds them) have no one right picture.
    const bool overlap = gaugesOverlap(upload.gauges);
    if (overlap) std::printf("gauges overlap: the page image is not judged\n");
    const std::string page = overlap ? std::string() :
        firstImageDifference("page image", upload.pageImage, expectedPageImage(placed, folder, errors), "line", 30);
    const std::string font =
        firstImageDifference("font image", upload.fontImage, expectedFontImage(folder, errors), "glyph", 8);
    errors.insert(errors.end(), folder.errors.begin(), folder.errors.end());
    if (!page.empty()) errors.push_back(page);
    if (!font.empty()) errors.push_back(font);
    return errors;
}

std::vector<std::string> checkGaugeRecords(const DecodedUpload& upload, const std::string& expected) {
    std::vector<DecodedGauge> want;
    std::size_t at = expected == "none" ? expected.size() : 0;
    while (at < expected.size()) {
        std::size_t end = expected.find('/', at);
        if (end == std::string::npos) end = expected.size();
        const std::string item = expected.substr(at, end - at);
        DecodedGauge g;
        if (std::sscanf(item.c_str(), "%d:%x@%d,%d", &g.page, &g.gaugeId, &g.column, &g.row) != 4)
            return {"not a gauge record: " + item};
        --g.page;
        want.push_back(g);
        at = end + 1;
    }
    std::vector<std::string> errors;
    const auto show = [](const DecodedGauge& g) {
        char text[80];
        std::snprintf(text, sizeof text, "%d:%X@%d,%d", g.page + 1, g.gaugeId, g.column, g.row);
        return std::string(text);
    };
    for (std::size_t i = 0; i < want.size() || i < upload.gauges.size(); ++i) {
        const std::string w = i < want.size() ? show(want[i]) : "none";
        const std::string got = i < upload.gauges.size() ? show(upload.gauges[i]) : "none";
        if (w != got) errors.push_back("gauge record " + std::to_string(i + 1) + ": expected " + w + ", received " + got);
    }
    return errors;
}
