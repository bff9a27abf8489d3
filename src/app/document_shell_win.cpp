#include "app/document_shell_win.h"

#include "app/app_state.h"
#include "app/document_views_win.h"
#include "app/page_arranging_win.h"
#include "app/start_and_recent_win.h"
#include "document/document_name.h"
#include "layout/page_layout.h"
#include "platform/file_chooser_win.h"
#include "platform/form_controls_win.h"
#include "platform/text_win.h"
#include "resource_ids.h"
#include "settings/vehicle_panel_win.h"

namespace {

// The chooser's buffer: a chosen path has at most 199 characters.
constexpr DWORD kChooserBufferSize = 200;
const char kConfigurationFilter[] = "Veltrana\0*.vtl\0ALL\0*.*\0";
const char kFirmwareFilter[] = "Firmware\0*.bin\0ALL\0*.*\0";

bool runChooser(HWND owner, const char* filter, const char* initialName, bool save,
                const char* folderName, std::string& path) {
    const FileChooserRequest request{filter, initialName, save,
                                     OFN_PATHMUSTEXIST | OFN_FILEMUSTEXIST, kChooserBufferSize,
                                     folderName};
    return runFileChooser(owner, request, path);
}

// Every open settings dialog of this program shows its record again.
BOOL CALLBACK showRecordAgain(HWND window, LPARAM) {
    SendMessageA(window, showRecordAgainMessage(), 0, 0);
    return TRUE;
}

}  // namespace

bool Win32DocumentShell::chooseFileToOpen(std::string& path) {
    return runChooser(app_.mainWindow, kConfigurationFilter, "*.vtl", false, "Load", path);
}

bool Win32DocumentShell::chooseFileToSave(std::string& path) {
    return runChooser(app_.mainWindow, kConfigurationFilter, "*.vtl", true, "Save", path);
}

bool Win32DocumentShell::askYesNo(const std::string& question, const std::string& caption) {
    return messageBoxUtf8(nullptr, question, caption, MB_YESNO | MB_ICONQUESTION) == IDYES;
}

void Win32DocumentShell::showFailure(const std::string& message) {
    messageBoxUtf8(app_.mainWindow, message, "Veltrana", MB_OK | MB_ICONEXCLAMATION);
}

void Win32DocumentShell::readEditors() { readVehiclePanel(app_.vehiclePanel); }

void Win32DocumentShell::showDocument(bool vehicleChanged) {
    // A gauge carried or dragged belonged to the document that was there before: its slot may
    // hold another gauge now, so the carry ends (by keys, a drag or a drop alike).
    cancelGaugeCarry(app_);
    if (vehicleChanged) {
        // The panel shows the record, and the record then holds what the panel shows, as it
        // would after the next keystroke; so the next step compares like with like.
        fillVehiclePanel(app_.vehiclePanel);
        readVehiclePanel(app_.vehiclePanel);
    }
    refreshPlacedGauges(app_);
    EnumThreadWindows(GetCurrentThreadId(), showRecordAgain, 0);
}

void Win32DocumentShell::showName() { updateCaption(app_); }

void Win32DocumentShell::showHistory(bool canUndo, bool canRedo) {
    HMENU menu = GetMenu(app_.mainWindow);
    EnableMenuItem(menu, IDM_UNDO, MF_BYCOMMAND | (canUndo ? MF_ENABLED : MF_GRAYED));
    EnableMenuItem(menu, IDM_REDO, MF_BYCOMMAND | (canRedo ? MF_ENABLED : MF_GRAYED));
}

void Win32DocumentShell::documentChanged() { documentViewsFollow(app_); }

void Win32DocumentShell::fileUsed(const std::string& path) { rememberRecentFile(app_, path); }

bool chooseFirmwareToOpen(HWND owner, std::string& path) {
    return runChooser(owner, kFirmwareFilter, "*.bin", false, "Firmware", path);
}

void updateCaption(AppState& app) { setWindowTextUtf8(app.mainWindow, captionFor(app.documentName)); }

void refreshPlacedGauges(AppState& app) {
    refreshPlacedGauges(app.config.layout, app.config.directory, *app.views);
}
