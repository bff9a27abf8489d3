#pragma once
// The shell's program-wide state: the configuration records, the constant data beside them, the
// editing state and the runtime handles. One instance lives for the whole run; the logic gets
// the parts it needs by reference.
#include <windows.h>

#include <memory>
#include <string>
#include <vector>

#include "app/view_host_win.h"
#include "document/configuration.h"
#include "document/document_commands.h"
#include "document/document_shell.h"
#include "document/edit_history.h"
#include "layout/gauge_catalog.h"
#include "layout/page_arranging.h"
#include "layout/page_editing.h"
#include "profiles/engine_unit_profiles.h"
#include "link/upload_win.h"
#include "platform/screen_scale.h"
#include "platform/serial_port_win.h"

struct AppState {
    HINSTANCE instance = nullptr;
    HWND mainWindow = nullptr;
    std::string documentName;
    EditHistory history;
    // The document commands' way to the user (a Win32DocumentShell, made at start-up).
    std::unique_ptr<DocumentShell> documentShell;
    HACCEL accelerators = nullptr;
    // The control that had the focus when the main window was last deactivated.
    HWND focusBeforeDeactivation = nullptr;

    Configuration config;
    EngineUnitProfiles profiles;
    GaugeCatalog catalog;
    EditingState editing;
    GaugeCarry carry;  // a placed gauge being moved

    HBITMAP pageBackground = nullptr;
    HBITMAP uploadPicture = nullptr;
    int screenBitsPerPixel = 0;
    // The screen's DPI, the previews' pixel size and the scroll offset of the window's contents.
    ScreenScale scale;
    HWND pagePreviews[kPageCount] = {};
    HWND kindSelector = nullptr;
    HWND gaugeSelector = nullptr;
    HWND vehiclePanel = nullptr;
    std::unique_ptr<Win32ViewHost> views;
    // The one serial device; the upload and the firmware update open and close it in turn.
    Win32SerialPort port;
    UploadContext upload;
    // The File menu's recent files, newest first, and whether the separator below them is in.
    std::vector<std::string> recentFiles;
    bool recentSeparator = false;
};

// The one instance, owned by the shell.
AppState& appState();

// The program's document as the commands take it.
inline Document documentOf(AppState& app) {
    return Document{app.config, app.documentName, app.history, app.catalog, *app.views, *app.documentShell};
}
