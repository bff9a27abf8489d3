#include "support/fake_view_host.h"

#include <stdexcept>

#include "layout/gauge_catalog.h"

namespace {
constexpr BitmapHandle kBitmapHandleBase = 0x10000;
}

BitmapHandle FakeViewHost::bitmapHandleFor(std::uint32_t resourceId) {
    for (const GaugeBitmapSize& bitmapSize : allBitmapIds())
        if (bitmapSize.bitmapId == resourceId) return kBitmapHandleBase + resourceId;
    return 0;
}

LoadedBitmap FakeViewHost::loadBitmap(std::uint32_t resourceId) {
    loadedIds.push_back(resourceId);
    for (const GaugeBitmapSize& bitmapSize : allBitmapIds())
        if (bitmapSize.bitmapId == resourceId)
            return LoadedBitmap{kBitmapHandleBase + resourceId, bitmapSize.width, bitmapSize.height};
    return LoadedBitmap{};
}

ViewHandle FakeViewHost::createView(int x, int y, int width, int height) {
    View v;
    v.x = x;
    v.y = y;
    v.width = width;
    v.height = height;
    views.push_back(v);
    return static_cast<ViewHandle>(views.size());
}

FakeViewHost::View* FakeViewHost::find(ViewHandle handle) {
    if (handle == 0 || handle > views.size() || views[handle - 1].destroyed) {
        ++staleCalls;
        return nullptr;
    }
    return &views[handle - 1];
}

void FakeViewHost::setBitmap(ViewHandle handle, BitmapHandle bitmap) {
    if (View* v = find(handle)) v->bitmap = bitmap;
}

void FakeViewHost::moveView(ViewHandle handle, int x, int y, int width, int height) {
    if (View* v = find(handle)) {
        v->x = x;
        v->y = y;
        v->width = width;
        v->height = height;
        ++v->moves;
    }
}

void FakeViewHost::showView(ViewHandle handle, bool visible) {
    if (View* v = find(handle)) v->visible = visible;
}

void FakeViewHost::destroyView(ViewHandle handle) {
    if (View* v = find(handle)) v->destroyed = true;
}

const FakeViewHost::View& FakeViewHost::view(ViewHandle handle) const {
    if (handle == 0 || handle > views.size()) throw std::out_of_range("no such view");
    return views[handle - 1];
}

int FakeViewHost::liveCount() const {
    int live = 0;
    for (const View& v : views) live += v.destroyed ? 0 : 1;
    return live;
}
