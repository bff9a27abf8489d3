#include <cstdlib>
#include <memory>
#include <ostream>

#include "cli/arguments.h"
#include "cli/commands.h"
#include "cli/editor_session.h"
#include "cli/output_files.h"
#include "link/upload_image.h"
#include "report/png_writer.h"

namespace {

constexpr int kMaxScale = 16;

// Grey pixels, `scale` times enlarged, of a width x height picture whose pixel (x, y) is dark when
// `dark` says so: black on white.
template <typename Dark>
std::vector<std::uint8_t> picture(int width, int height, int scale, Dark dark) {
    std::vector<std::uint8_t> grey(static_cast<std::size_t>(width) * height * scale * scale, 255);
    for (int y = 0; y < height * scale; ++y)
        for (int x = 0; x < width * scale; ++x)
            if (dark(x / scale, y / scale)) grey[static_cast<std::size_t>(y) * width * scale + x] = 0;
    return grey;
}

bool parseScale(const std::string& text, int& scale) {
    char* end = nullptr;
    const long value = std::strtol(text.c_str(), &end, 10);
    if (text.empty() || *end != '\0' || value < 1 || value > kMaxScale) return false;
    scale = static_cast<int>(value);
    return true;
}

}  // namespace

int runRenderCommand(const Invocation& invocation, std::ostream&, std::ostream& err) {
    int scale = 1;
    if (invocation.has("--scale") && !parseScale(invocation.value("--scale"), scale)) {
        err << "veltrana-cli: --scale takes a whole number from 1 to " << kMaxScale << "\n"
            << usageLine(invocation.command) << "\n";
        return ExitUsage;
    }
    const std::string& path = invocation.files[0];
    auto session = std::make_unique<EditorSession>();
    if (!loadForCommand(*session, path, err)) return ExitBadInput;

    // The very bytes the upload sends: the page image follows the start byte, the font image
    // follows the page image.
    const std::vector<std::uint8_t> stream = flattenStream(session->buildUpload());
    const auto pageStart = stream.begin() + 1;
    const std::vector<std::uint8_t> page(pageStart, pageStart + kPageImageBytes);
    const std::vector<std::uint8_t> font(pageStart + kPageImageBytes, pageStart + kPageImageBytes + kFontImageBytes);

    const int width = 8 * kImageLineBytes, height = kPageCount * kPageLines;
    const std::string output = invocation.value("-o");
    const std::string fontOutput = invocation.value("--font");
    const auto pages = picture(width, height, scale, [&](int x, int y) { return displayPixelIsDark(page, x, y); });
    if (!writeOutputFile(output, encodeGreyPng(width * scale, height * scale, pages), err)) return ExitFailed;
    if (invocation.has("--font")) {
        const auto grid = picture(kFontGridPixels, kFontGridPixels, scale,
                                  [&](int x, int y) { return fontGridPixelIsDark(font, x, y); });
        if (!writeOutputFile(fontOutput, encodeGreyPng(kFontGridPixels * scale, kFontGridPixels * scale, grid), err))
            return ExitFailed;
    }
    return ExitOk;
}
