#include "image_encoders.h"

#include "canvas.h"
#include "layout/byte_io.h"

namespace {

constexpr std::uint32_t kFileHeaderSize = 14;
constexpr std::uint32_t kInfoHeaderSize = 40;
constexpr std::int32_t kPixelsPerMetre = 2835;  // 72 dots per inch

// Rows of a device-independent bitmap are padded to whole 32-bit words.
std::uint32_t rowStride(int width, int bitsPerPixel) {
    return ((static_cast<std::uint32_t>(width) * bitsPerPixel + 31) / 32) * 4;
}

void writeInfoHeader(ByteWriter& w, int width, int heightField, int bitsPerPixel,
                     std::uint32_t imageSize, std::uint32_t coloursUsed) {
    w.u32(kInfoHeaderSize);
    w.i32(width);
    w.i32(heightField);  // positive: rows are stored bottom-up
    w.u16(1);            // planes
    w.u16(static_cast<std::uint16_t>(bitsPerPixel));
    w.u32(0);  // BI_RGB, no compression
    w.u32(imageSize);
    w.i32(kPixelsPerMetre);
    w.i32(kPixelsPerMetre);
    w.u32(coloursUsed);
    w.u32(0);  // all colours important
}

void writePalette(ByteWriter& w, const std::vector<Rgb>& palette, std::size_t entries) {
    for (std::size_t i = 0; i < entries; ++i) {
        const Rgb c = i < palette.size() ? palette[i] : Rgb{0, 0, 0};
        w.u8(c.b);
        w.u8(c.g);
        w.u8(c.r);
        w.u8(0);
    }
}

}  // namespace

std::vector<std::uint8_t> encodeBitmap8(const Canvas& indices, const std::vector<Rgb>& palette) {
    const int width = indices.width();
    const int height = indices.height();
    const std::uint32_t stride = rowStride(width, 8);
    const std::uint32_t imageSize = stride * static_cast<std::uint32_t>(height);
    const std::uint32_t pixelOffset = kFileHeaderSize + kInfoHeaderSize + 256 * 4;

    std::vector<std::uint8_t> out;
    ByteWriter w(out);
    w.u8('B');
    w.u8('M');
    w.u32(pixelOffset + imageSize);
    w.u16(0);
    w.u16(0);
    w.u32(pixelOffset);
    writeInfoHeader(w, width, height, 8, imageSize, 256);
    writePalette(w, palette, 256);
    for (int y = height - 1; y >= 0; --y) {
        for (int x = 0; x < width; ++x) w.u8(indices.at(x, y));
        w.zeros(stride - static_cast<std::uint32_t>(width));
    }
    return out;
}

std::vector<std::uint8_t> encodeIcon4(const Canvas& indices, const Canvas& transparent,
                                      const std::vector<Rgb>& palette) {
    const int size = indices.width();
    const std::uint32_t colourStride = rowStride(size, 4);
    const std::uint32_t maskStride = rowStride(size, 1);
    const std::uint32_t colourBytes = colourStride * static_cast<std::uint32_t>(size);
    const std::uint32_t maskBytes = maskStride * static_cast<std::uint32_t>(size);
    const std::uint32_t imageBytes = kInfoHeaderSize + 16 * 4 + colourBytes + maskBytes;
    const std::uint32_t directorySize = 6 + 16;

    std::vector<std::uint8_t> out;
    ByteWriter w(out);
    // Icon directory with its one entry.
    w.u16(0);  // reserved
    w.u16(1);  // type: icon
    w.u16(1);  // image count
    w.u8(static_cast<std::uint8_t>(size));
    w.u8(static_cast<std::uint8_t>(size));
    w.u8(16);  // colour count
    w.u8(0);   // reserved
    w.u16(1);  // planes
    w.u16(4);  // bits per pixel
    w.u32(imageBytes);
    w.u32(directorySize);

    // The image: its header counts the colour and mask bitmaps together, hence twice the height.
    writeInfoHeader(w, size, 2 * size, 4, colourBytes + maskBytes, 16);
    writePalette(w, palette, 16);
    for (int y = size - 1; y >= 0; --y) {
        for (int x = 0; x < size; x += 2) {
            auto nibble = [&](int px) -> std::uint8_t {
                if (px >= size || transparent.at(px, y)) return 0;
                return static_cast<std::uint8_t>(indices.at(px, y) & 0x0F);
            };
            w.u8(static_cast<std::uint8_t>((nibble(x) << 4) | nibble(x + 1)));
        }
        w.zeros(colourStride - static_cast<std::uint32_t>((size + 1) / 2));
    }
    for (int y = size - 1; y >= 0; --y) {
        for (int x = 0; x < size; x += 8) {
            std::uint8_t bits = 0;
            for (int b = 0; b < 8 && x + b < size; ++b)
                if (transparent.at(x + b, y)) bits = static_cast<std::uint8_t>(bits | (0x80 >> b));
            w.u8(bits);
        }
        w.zeros(maskStride - static_cast<std::uint32_t>((size + 7) / 8));
    }
    return out;
}
