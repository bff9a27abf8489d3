#include "platform/screen_scale.h"

ScreenScale screenScaleFor(int dpi) {
    ScreenScale scale;
    scale.dpi = dpi >= 48 && dpi <= 960 ? dpi : 96;  // a screen's DPI; anything else is a fault
    // At 96 DPI a preview pixel is a screen pixel.
    const int whole = scale.dpi * kPreviewScale / 96;
    scale.previewPixel = whole > kPreviewScale ? whole : kPreviewScale;
    return scale;
}
