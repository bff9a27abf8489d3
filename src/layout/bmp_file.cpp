#include "layout/bmp_file.h"

#include <fstream>
#include <iterator>

#include "layout/byte_io.h"
#include "platform/file_path.h"

bool decodeBmp(const std::vector<std::uint8_t>& file, PixelImage& image, std::string& error) {
    ByteReader in(file.data(), file.size());
    if (in.u16() != 0x4D42) { error = "not a BMP file"; return false; }
    in.skip(8);
    const std::uint32_t dataOffset = in.u32();
    const std::uint32_t headerSize = in.u32();
    if (headerSize < 40) { error = "unsupported BMP header"; return false; }
    const std::int32_t width = in.i32();
    const std::int32_t rawHeight = in.i32();
    in.u16();  // planes
    const int bpp = in.u16();
    const std::uint32_t compression = in.u32();
    in.skip(12);
    std::uint32_t paletteCount = in.u32();
    if (in.overrun()) { error = "BMP header cut short"; return false; }
    // Bit fields are accepted for 32 bpp when they are the usual layout, which ours are.
    if (compression != 0 && !(compression == 3 && bpp == 32)) {
        error = "compressed BMP";
        return false;
    }
    if (bpp != 1 && bpp != 4 && bpp != 8 && bpp != 24 && bpp != 32) {
        error = "unsupported BMP depth " + std::to_string(bpp);
        return false;
    }
    const bool topDown = rawHeight < 0;
    const std::int64_t height = topDown ? -static_cast<std::int64_t>(rawHeight) : rawHeight;
    if (width <= 0 || height <= 0 || width > 16384 || height > 16384) {
        error = "implausible BMP size";
        return false;
    }
    std::vector<std::uint32_t> palette;
    if (bpp <= 8) {
        if (paletteCount == 0 || paletteCount > (1u << bpp)) paletteCount = 1u << bpp;
        const std::size_t paletteAt = 14 + headerSize;
        if (paletteAt + 4ull * paletteCount > file.size()) { error = "BMP palette cut short"; return false; }
        ByteReader pal(file.data() + paletteAt, 4ull * paletteCount);
        for (std::uint32_t i = 0; i < paletteCount; ++i) palette.push_back(pal.u32() & 0xFFFFFF);
    }
    const std::size_t stride = ((static_cast<std::size_t>(width) * bpp + 31) / 32) * 4;
    if (dataOffset > file.size() || stride * height > file.size() - dataOffset) {
        error = "BMP pixel data cut short";
        return false;
    }
    image.width = width;
    image.height = static_cast<int>(height);
    image.pixels.assign(static_cast<std::size_t>(width) * height, 0);
    for (std::int64_t row = 0; row < height; ++row) {
        const std::uint8_t* src = file.data() + dataOffset + stride * (topDown ? row : height - 1 - row);
        std::uint32_t* dst = image.pixels.data() + row * width;
        for (std::int32_t x = 0; x < width; ++x) {
            std::uint32_t colour = 0;
            if (bpp == 32) {
                colour = src[4 * x] | (src[4 * x + 1] << 8) | (src[4 * x + 2] << 16);
            } else if (bpp == 24) {
                colour = src[3 * x] | (src[3 * x + 1] << 8) | (src[3 * x + 2] << 16);
            } else {
                const std::size_t bit = static_cast<std::size_t>(x) * bpp;
                const int shift = 8 - bpp - static_cast<int>(bit % 8);
                const std::uint32_t index = (src[bit / 8] >> shift) & ((1u << bpp) - 1);
                colour = index < palette.size() ? palette[index] : 0;
            }
            dst[x] = colour;
        }
    }
    return true;
}

bool readBmpFile(const std::string& path, PixelImage& image, std::string& error) {
    std::ifstream f(filePath(path), std::ios::binary);
    if (!f) { error = "cannot open " + path; return false; }
    const std::vector<std::uint8_t> bytes((std::istreambuf_iterator<char>(f)), std::istreambuf_iterator<char>());
    if (!decodeBmp(bytes, image, error)) { error = path + ": " + error; return false; }
    return true;
}
