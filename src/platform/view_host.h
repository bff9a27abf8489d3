#pragma once
// The bitmap views of placed gauges and of the ghost. The layout model keeps only the opaque
// handles that the host gives out; the Win32 host maps them to "Static" SS_BITMAP child windows.
#include <cstdint>

using ViewHandle = std::uint32_t;    // 0: no view
using BitmapHandle = std::uint32_t;  // 0: no bitmap

struct LoadedBitmap {
    BitmapHandle handle = 0;
    int width = 0;
    int height = 0;
};

class ViewHost {
public:
    virtual ~ViewHost() = default;

    // Loads a bitmap resource by its numeric id; the bitmap lives until the process ends.
    virtual LoadedBitmap loadBitmap(std::uint32_t resourceId) = 0;

    // Makes a view at the rectangle, visible unless the caller hides it.
    virtual ViewHandle createView(int x, int y, int width, int height) = 0;
    virtual void setBitmap(ViewHandle view, BitmapHandle bitmap) = 0;
    // Moves and resizes the view and repaints it.
    virtual void moveView(ViewHandle view, int x, int y, int width, int height) = 0;
    virtual void showView(ViewHandle view, bool visible) = 0;
    virtual void destroyView(ViewHandle view) = 0;
};
