#include <gtest/gtest.h>

#include <memory>

#include "document/configuration.h"
#include "link/upload_image.h"
#include "link/upload_summary.h"
#include "platform/export_path.h"
#include "report/display_picture.h"
#include "support/upload_config.h"

TEST(DisplayPicture, PixelsReadFromThePageImage) {
    std::vector<std::uint8_t> image(kPageImageBytes, 0);
    image[0] = 0x80;                // line 0, pixel 0
    image[30 * 64 + 3] = 0x10;      // page 2's top line, pixel 27
    image[30 * 255 + 29] = 0x01;    // the last line's last pixel
    struct Case {
        int x, y;
        bool dark;
    };
    const Case cases[] = {{0, 0, true},   {1, 0, false},    {27, 64, true},   {27, 63, false},
                          {239, 255, true}, {238, 255, false}, {240, 0, false}, {-1, 0, false},
                          {0, 256, false},  {0, -1, false}};
    for (const Case& c : cases)
        EXPECT_EQ(displayPixelIsDark(image, c.x, c.y), c.dark) << "pixel " << c.x << "," << c.y;
    // A page image cut short reads as light beyond its end.
    EXPECT_FALSE(displayPixelIsDark(std::vector<std::uint8_t>(30, 0xFF), 0, 1));

    // The picture file's pixels: black exactly where the display is dark.
    const std::vector<std::uint8_t> grey = displayPictureGrey(image);
    ASSERT_EQ(grey.size(), 240u * 256u);
    std::vector<std::size_t> black;
    for (std::size_t i = 0; i < grey.size(); ++i) {
        if (grey[i] == 0) black.push_back(i);
        else EXPECT_EQ(grey[i], 255) << "pixel " << i;
    }
    EXPECT_EQ(black, (std::vector<std::size_t>{0, 240 * 64 + 27, 240 * 256 - 1}));
}

// An export keeps the typed name only when it already ends in the export's own extension, so it
// never lands on a file of another kind; a configuration file or the open document is refused.
TEST(ExportPath, OwnExtensionKeptAnyOtherAddedAndConfigurationsRefused) {
    struct Case {
        const char* chosen;
        const char* extension;
        const char* written;
        bool refused;  // with the written name not the document's file
    };
    const Case cases[] = {
        {"C:\\out\\display", ".png", "C:\\out\\display.png", false},
        {"C:\\out\\display.png", ".png", "C:\\out\\display.png", false},
        {"C:\\out\\display.PNG", ".png", "C:\\out\\display.PNG", false},
        {"C:\\out\\display.bmp", ".png", "C:\\out\\display.bmp.png", false},
        {"C:\\old.png\\display", ".png", "C:\\old.png\\display.png", false},  // a dot in a folder is no extension
        {"Z:/tmp/v1.2/page", ".png", "Z:/tmp/v1.2/page.png", false},
        {"C:\\cars\\car.vtl", ".html", "C:\\cars\\car.vtl.html", false},
        {"C:\\cars\\car.html", ".html", "C:\\cars\\car.html", false},
        {"C:\\cars\\car.htm", ".html", "C:\\cars\\car.htm.html", false},
        {"C:\\cars\\.csv", ".csv", "C:\\cars\\.csv.csv", false},
        {"curve.CSV", ".csv", "curve.CSV", false},
        {"curve", ".csv", "curve.csv", false},
        {"car.VTL", ".vtl", "car.VTL", true},
        {"car", ".vtl", "car.vtl", true},
    };
    for (const Case& c : cases) {
        const std::string written = exportPath(c.chosen, c.extension);
        EXPECT_EQ(written, c.written) << "case " << c.chosen;
        EXPECT_EQ(!exportRefusal(written, false).empty(), c.refused) << "case " << c.chosen;
    }
    EXPECT_FALSE(exportRefusal("C:\\cars\\notes.html", true).empty()) << "the document's own file";
}

TEST(UploadSummary, TextCountsGaugesBytesAndTenths) {
    EXPECT_EQ(uploadSummaryText(3, 13532, 25432), "3 gauges, 13532 bytes, about 25.4 s");
    EXPECT_EQ(uploadSummaryText(1, 13504, 25320), "1 gauge, 13504 bytes, about 25.3 s");
    EXPECT_EQ(uploadSummaryText(0, 13490, 25264), "0 gauges, 13490 bytes, about 25.3 s");
    EXPECT_EQ(uploadSummaryText(2, 1, 25250), "2 gauges, 1 bytes, about 25.3 s") << "a half rounds up";
    EXPECT_EQ(uploadSummaryText(2, 1, 999.9), "2 gauges, 1 bytes, about 1.0 s");
    EXPECT_EQ(uploadSummaryText(2, 1, 40), "2 gauges, 1 bytes, about 0.0 s");
}

TEST(UploadSummary, ConfigurationAsAnUploadWouldSendItAndUntouched) {
    auto cfg = std::make_unique<UploadConfig>();
    cfg->place(0, kRpmGaugeId, 0, 0, 56, 16);
    cfg->place(1, kRpmGaugeId, 0, 0, 56, 16);
    cfg->place(1, 0xDEAD, 80, 0, 56, 16);  // unknown to the catalog: not sent
    cfg->place(3, kIndicatorGaugeId, 0, 0, 24, 8);
    auto config = std::make_unique<Configuration>();
    config->layout = cfg->layout;
    config->directory = cfg->directory;
    // A page flag that the upload would work out anew (no parameter: shown on no page).
    config->warnings.rows[warningRowIndex(0, 2)].activeOnPage = 1;

    EXPECT_EQ(sentGaugeCount(config->layout, config->directory), 3);
    EXPECT_EQ(uploadSummary(*config, cfg->profiles, std::vector<std::uint8_t>(kPageImageBytes, 0),
                            std::vector<std::uint8_t>(kFontImageBytes, 0)),
              "3 gauges, 13532 bytes, about 25.4 s");
    EXPECT_EQ(config->warnings.rows[warningRowIndex(0, 2)].activeOnPage, 1)
        << "the summary must not change what a save would write";
}
