#include "platform/screen_scale.h"

ScreenScale screenScaleFor(int dpi) {
    ScreenScale scale;
    scale.dpi = dpi >= 48 && dpi <= 960 ? dpi : 96;  // a screen's DPI; anything else is a fault
    const int whole = scale.dpi * 2 / 96;
    scale.previewPixel = whole > 2 ? whole : 2;
    return scale;
}
