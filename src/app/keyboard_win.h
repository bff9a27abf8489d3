#pragma once
// The keyboard before the windows see it: the main window's accelerators, the keys on the
// pages, and the dialog keys (Tab, Shift+Tab, Enter, Esc) of the vehicle panel and of every
// modeless dialog.
#include <windows.h>

#include "app/app_state.h"

// True when the message was handled here; the message loop dispatches it otherwise.
bool routeKeyboardMessage(AppState& app, MSG& message);
