#pragma once
// How the main window scales with the screen's DPI (the program is system DPI aware): controls
// and the window grow with the DPI, text is drawn at it, and the page previews grow by whole
// screen pixels per display pixel, so every display pixel stays a sharp square. When the window
// does not fit the work area it scrolls; the previews then move by the scroll offset.
#include "platform/preview_scale.h"
#include "platform/window_placement.h"

struct ScreenScale {
    int dpi = 96;
    int previewPixel = kPreviewScale;  // screen pixels per display pixel in the previews
    int scrollX = 0;
    int scrollY = 0;

    // A layout length given for 96 DPI, at this DPI.
    int controls(int length) const { return (length * dpi + 48) / 96; }
    // Preview pixels to client pixels and back, scroll included.
    int previewLength(int length) const { return length * previewPixel / kPreviewScale; }
    int clientX(int previewX) const { return previewLength(previewX) - scrollX; }
    int clientY(int previewY) const { return previewLength(previewY) - scrollY; }
    int previewX(int clientX) const { return floorDiv((clientX + scrollX) * kPreviewScale, previewPixel); }
    int previewY(int clientY) const { return floorDiv((clientY + scrollY) * kPreviewScale, previewPixel); }

private:
    static int floorDiv(int a, int b) { return a >= 0 ? a / b : -((-a + b - 1) / b); }
};

// A length laid out at `fromDpi`, at `toDpi` (rounded to the nearest pixel, halves away from 0).
int rescaledLength(int length, int fromDpi, int toDpi);
// A control's rectangle when the screen's DPI changes: its edges move, so that controls that met
// still meet.
ScreenRect rescaledRect(const ScreenRect& rect, int fromDpi, int toDpi);

// The scale for a DPI: previews at the largest whole number of screen pixels per display pixel
// that does not pass the DPI's own scale (2 at 96 and 120 DPI, 3 at 144, 4 at 192), never below 2.
ScreenScale screenScaleFor(int dpi);
