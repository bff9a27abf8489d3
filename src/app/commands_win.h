#pragma once
// The menu commands and the document's life: create, load, save, save as, exit, and the
// commands that open the settings and link dialogs.
#include <cstdint>
#include <string>

#include "app/app_state.h"

// Takes the whole WM_COMMAND wParam; anything that is not a command id (a control notification
// carries its code in the high 16 bits) does nothing.
void executeCommand(AppState& app, std::uint32_t command);

// Save (40003): true when the configuration was written. Untitled documents go through Save as.
bool executeSave(AppState& app);

// The three file choosers; true with the chosen full path when the user confirms.
bool chooseConfigurationToOpen(HWND owner, std::string& path);
bool chooseConfigurationToSave(HWND owner, std::string& path);
bool chooseFirmwareToOpen(HWND owner, std::string& path);
