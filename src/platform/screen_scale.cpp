#include "platform/screen_scale.h"

ScreenScale screenScaleFor(int dpi) {
    ScreenScale scale;
    scale.dpi = dpi >= 48 && dpi <= 960 ? dpi : 96;  // a screen's DPI; anything else is a fault
    // At 96 DPI a preview pixel is a screen pixel.
    const int whole = scale.dpi * kPreviewScale / 96;
    scale.previewPixel = whole > kPreviewScale ? whole : kPreviewScale;
    return scale;
}

int rescaledLength(int length, int fromDpi, int toDpi) {
    if (fromDpi <= 0) return length;
    const long long scaled = static_cast<long long>(length) * toDpi;
    const long long half = fromDpi / 2;
    return static_cast<int>(scaled >= 0 ? (scaled + half) / fromDpi : -((-scaled + half) / fromDpi));
}

ScreenRect rescaledRect(const ScreenRect& rect, int fromDpi, int toDpi) {
    return ScreenRect{rescaledLength(rect.left, fromDpi, toDpi), rescaledLength(rect.top, fromDpi, toDpi),
                      rescaledLength(rect.right, fromDpi, toDpi), rescaledLength(rect.bottom, fromDpi, toDpi)};
}
