#pragma once
// Byte codecs of the two page blocks of a configuration file: the page layout (4 pages x 128
// slots of 40-byte placements, 20480 bytes) and the page directory (4 frames of 24 bytes).
// Writers put zero in the runtime-only handles and in the slots a page does not use; readers
// never take a handle from the bytes.
#include <cstddef>

#include "layout/page_layout.h"

class ByteReader;
class ByteWriter;

constexpr std::size_t kGaugePlacementBytes = 40;
constexpr std::size_t kPageFrameBytes = 24;
constexpr std::size_t kPageLayoutBytes = kPageCount * kSlotsPerPage * kGaugePlacementBytes;
constexpr std::size_t kPageDirectoryBytes = kPageCount * kPageFrameBytes;

// One placement: window (zero), x, y, width, height, bitmap (zero), gaugeId, hidden, three
// zero bytes of padding, rangeMin, rangeMax.
void encodeGaugePlacement(const GaugePlacement& placement, ByteWriter& out);
// Reads 40 bytes; the handles come back as 0 and the padding is ignored.
GaugePlacement decodeGaugePlacement(ByteReader& in);

// Page 0's 128 slots first. Slots at and beyond a page's count (clamped to 0..128) are zero.
void encodePageLayout(const PageLayout& layout, const PageDirectory& directory, ByteWriter& out);
// Reads 20480 bytes. On running out of input returns false and leaves `layout` untouched.
bool decodePageLayout(ByteReader& in, PageLayout& layout);

// Four frames: window (zero), x, y, width, height, count.
void encodePageDirectory(const PageDirectory& directory, ByteWriter& out);
// Reads 96 bytes, counts as they stand (the caller checks them). On running out of input
// returns false and leaves `directory` untouched.
bool decodePageDirectory(ByteReader& in, PageDirectory& directory);
