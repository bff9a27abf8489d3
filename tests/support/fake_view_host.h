#pragma once
// An in-memory ViewHost: views are records of their rectangle, bitmap and visibility that stay
// listed after they are destroyed; bitmaps are served with the sizes the gauge catalog states.
#include <cstdint>
#include <vector>

#include "platform/view_host.h"

class FakeViewHost : public ViewHost {
public:
    struct View {
        int x = 0;
        int y = 0;
        int width = 0;
        int height = 0;
        BitmapHandle bitmap = 0;
        bool visible = true;
        bool destroyed = false;
        int moves = 0;  // moveView calls
    };

    // The handle this host gives the bitmap resource; unknown resource ids load as handle 0.
    static BitmapHandle bitmapHandleFor(std::uint32_t resourceId);

    LoadedBitmap loadBitmap(std::uint32_t resourceId) override;
    ViewHandle createView(int x, int y, int width, int height) override;
    void setBitmap(ViewHandle view, BitmapHandle bitmap) override;
    void moveView(ViewHandle view, int x, int y, int width, int height) override;
    void showView(ViewHandle view, bool visible) override;
    void destroyView(ViewHandle view) override;

    // The record of a view handed out (handles run 1, 2, ...); an unknown handle is a test fault.
    const View& view(ViewHandle handle) const;
    int createdCount() const { return static_cast<int>(views.size()); }
    int liveCount() const;

    std::vector<View> views;                 // index handle - 1
    std::vector<std::uint32_t> loadedIds;    // every loadBitmap request, in order
    // Calls on handle 0, unknown handles or destroyed views: a model that counts these is
    // using views it does not own.
    int staleCalls = 0;

private:
    View* find(ViewHandle handle);
};
