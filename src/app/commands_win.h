#pragma once
// The menu commands: the document's (create, load, save, save as, undo, redo, exit) go to its
// logic; the others open the settings and link dialogs.
#include <cstdint>

#include "app/app_state.h"

// Takes the whole WM_COMMAND wParam; anything that is not a command id (a control notification
// carries its code in the high 16 bits) does nothing.
void executeCommand(AppState& app, std::uint32_t command);
