#include "layout/page_codec.h"

#include <memory>

#include "layout/byte_io.h"

void encodeGaugePlacement(const GaugePlacement& placement, ByteWriter& out) {
    out.u32(0);  // the view handle means nothing outside the run
    out.i32(placement.previewX);
    out.i32(placement.previewY);
    out.i32(placement.displayWidth);
    out.i32(placement.displayHeight);
    out.u32(0);  // the bitmap handle likewise
    out.u32(placement.gaugeId);
    out.u8(placement.hidden);
    out.zeros(3);
    out.f32(placement.rangeMin);
    out.f32(placement.rangeMax);
}

GaugePlacement decodeGaugePlacement(ByteReader& in) {
    GaugePlacement p;
    in.skip(4);
    p.previewX = in.i32();
    p.previewY = in.i32();
    p.displayWidth = in.i32();
    p.displayHeight = in.i32();
    in.skip(4);
    p.gaugeId = in.u32();
    p.hidden = in.u8();
    in.skip(3);
    p.rangeMin = in.f32();
    p.rangeMax = in.f32();
    return p;
}

void encodePageLayout(const PageLayout& layout, const PageDirectory& directory, ByteWriter& out) {
    const GaugePlacement unused{};
    for (int page = 0; page < kPageCount; ++page) {
        const int used = usedSlotCount(directory.pages[page]);
        for (int s = 0; s < kSlotsPerPage; ++s)
            encodeGaugePlacement(s < used ? layout.slots[page][s] : unused, out);
    }
}

bool decodePageLayout(ByteReader& in, PageLayout& layout) {
    // 20 KB: built on the heap so that a caller with a small stack (a fuzzer thread) is safe.
    auto read = std::make_unique<PageLayout>();
    for (auto& page : read->slots)
        for (GaugePlacement& slot : page) slot = decodeGaugePlacement(in);
    if (in.overrun()) return false;
    layout = *read;
    return true;
}

void encodePageDirectory(const PageDirectory& directory, ByteWriter& out) {
    for (const PageFrame& frame : directory.pages) {
        out.u32(0);  // the preview's handle means nothing outside the run
        out.i32(frame.x);
        out.i32(frame.y);
        out.i32(frame.width);
        out.i32(frame.height);
        out.i32(frame.count);
    }
}

bool decodePageDirectory(ByteReader& in, PageDirectory& directory) {
    PageDirectory read{};
    for (PageFrame& frame : read.pages) {
        in.skip(4);
        frame.x = in.i32();
        frame.y = in.i32();
        frame.width = in.i32();
        frame.height = in.i32();
        frame.count = in.i32();
    }
    if (in.overrun()) return false;
    directory = read;
    return true;
}
