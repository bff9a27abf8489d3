#pragma once
// Files that reach the editor other than through Load: the command line, a drop on the main
// window and the File menu's recent files; and what the program keeps across runs (the recent
// files, the window's place).
#include <windows.h>

#include <string>

#include "app/app_state.h"

// The recent files from the stored values, into the File menu.
void restoreRecentFiles(AppState& app);
// A file was loaded or saved: to the front of the list, stored and shown.
void rememberRecentFile(AppState& app, const std::string& path);
// IDM_RECENT_FILE_1 to _4: loads that file; one that is gone is named in a message and leaves
// the list.
void openRecentFile(AppState& app, int position);

// The first command-line argument, when there is one, loaded as Load does.
void loadCommandLineFile(AppState& app);
// WM_DROPFILES: the first file loaded as Load does, a folder or another kind of file named in a
// message; the rest are left.
void loadDroppedFile(AppState& app, HDROP drop);

// The stored place of the main window, brought onto a screen; the window keeps its size.
void restoreWindowPlace(HWND window);
void storeWindowPlace(HWND window);
