#pragma once
// The main window "RARADAZ": page previews, gauge selectors, vehicle panel; message routing.
#include <windows.h>

#include "app/app_state.h"

// Loads the bitmaps, reads the screen depth, registers the class, creates, shows and paints the
// main window. The window's contents are made while this runs.
HWND createMainWindow(AppState& app);
// The save prompt, the optional save, then the end of the message loop.
void runExitSequence(AppState& app);
LRESULT CALLBACK mainWindowProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam);
