#include "app/document_shell_win.h"

#include "app/app_state.h"
#include "app/configuration_check_win.h"
#include "app/display_preview_win.h"
#include "app/main_window_win.h"
#include "platform/form_controls_win.h"
#include "resource_ids.h"
#include "settings/vehicle_panel_win.h"

namespace {

// The chooser's buffer: a chosen path has at most 199 characters.
constexpr DWORD kChooserBufferSize = 200;
const char kConfigurationFilter[] = "Veltrana\0*.vtl\0ALL\0*.*\0";
const char kFirmwareFilter[] = "Firmware\0*.bin\0ALL\0*.*\0";

bool runChooser(HWND owner, const char* filter, const char* initialName, bool save,
                std::string& path) {
    char buffer[kChooserBufferSize] = {};
    lstrcpynA(buffer, initialName, kChooserBufferSize);
    OPENFILENAMEA chooser{};
    chooser.lStructSize = sizeof chooser;
    chooser.hwndOwner = owner;
    chooser.lpstrFilter = filter;
    chooser.nFilterIndex = 1;
    chooser.lpstrFile = buffer;
    chooser.nMaxFile = kChooserBufferSize;
    chooser.Flags = OFN_PATHMUSTEXIST | OFN_FILEMUSTEXIST;
    const BOOL confirmed = save ? GetSaveFileNameA(&chooser) : GetOpenFileNameA(&chooser);
    if (confirmed != 1) return false;
    path = buffer;
    return true;
}

// Every open settings dialog of this program shows its record again.
BOOL CALLBACK showRecordAgain(HWND window, LPARAM) {
    SendMessageA(window, showRecordAgainMessage(), 0, 0);
    return TRUE;
}

}  // namespace

bool Win32DocumentShell::chooseFileToOpen(std::string& path) {
    return runChooser(app_.mainWindow, kConfigurationFilter, "*.vtl", false, path);
}

bool Win32DocumentShell::chooseFileToSave(std::string& path) {
    return runChooser(app_.mainWindow, kConfigurationFilter, "*.vtl", true, path);
}

bool Win32DocumentShell::askYesNo(const std::string& question, const std::string& caption) {
    return MessageBoxA(nullptr, question.c_str(), caption.c_str(), MB_YESNO | MB_ICONQUESTION) ==
           IDYES;
}

void Win32DocumentShell::showFailure(const std::string& message) {
    MessageBoxA(app_.mainWindow, message.c_str(), "Veltrana", MB_OK | MB_ICONEXCLAMATION);
}

void Win32DocumentShell::readEditors() { readVehiclePanel(app_.vehiclePanel); }

void Win32DocumentShell::showDocument(bool vehicleChanged) {
    if (vehicleChanged) {
        // The panel shows the record, and the record then holds what the panel shows, as it
        // would after the next keystroke; so the next step compares like with like.
        fillVehiclePanel(app_.vehiclePanel);
        readVehiclePanel(app_.vehiclePanel);
    }
    refreshPlacedGauges(app_);
    layoutChanged(app_);
    EnumThreadWindows(GetCurrentThreadId(), showRecordAgain, 0);
}

void Win32DocumentShell::showName() { updateCaption(app_); }

void Win32DocumentShell::showHistory(bool canUndo, bool canRedo) {
    HMENU menu = GetMenu(app_.mainWindow);
    EnableMenuItem(menu, IDM_UNDO, MF_BYCOMMAND | (canUndo ? MF_ENABLED : MF_GRAYED));
    EnableMenuItem(menu, IDM_REDO, MF_BYCOMMAND | (canRedo ? MF_ENABLED : MF_GRAYED));
    // Every step, undo, redo and Load passes here, so the check's list follows them all.
    configurationCheckFollows(app_);
}

Document documentOf(AppState& app) {
    return Document{app.config, app.documentName, app.history, app.catalog, *app.views,
                    app.documentShell};
}

bool chooseFirmwareToOpen(HWND owner, std::string& path) {
    return runChooser(owner, kFirmwareFilter, "*.bin", false, path);
}
