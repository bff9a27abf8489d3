#pragma once
// The main window's size and layout at the DPI of its screen: the page background at the
// previews' scale, the window fitted to what its contents came out as, and the whole layout made
// again when the window moves to a screen of another DPI.
#include <windows.h>

#include "app/app_state.h"

// The contents' laid-out size at 96 DPI (they grow with the screen's).
constexpr int kMainWindowWidth = 1024;
constexpr int kMainWindowHeight = 768;

// The page background at the previews' pixel size (it comes at 2 screen pixels per display
// pixel): `background` itself at that scale, else a stretched copy.
HBITMAP pageBackgroundFor(const ScreenScale& scale, HBITMAP background);

// Sizes the window to hold its contents as they came out, within the work area of its screen;
// where they do not fit, the window takes the work area and scrolls. `wanted` is the rectangle
// Windows suggests for the window (on a DPI change); null: the top left of the work area.
void fitToContents(AppState& app, HWND window, const RECT* wanted);

// The DPI of the screen the window is on (the system's where Windows cannot tell per screen).
int windowDpi(HWND window);

// Lays the main window out again for `dpi`: the previews and gauges at the new whole-pixel scale,
// every other control and its font grown or shrunk by the change, the window fitted again.
void relayoutForDpi(AppState& app, int dpi, const RECT* suggested);
