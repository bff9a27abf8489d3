#include "app/commands_win.h"

#include "app/about_window_win.h"
#include "app/display_image_export_win.h"
#include "app/display_preview_win.h"
#include "app/main_window_win.h"
#include "document/configuration_file.h"
#include "document/document_name.h"
#include "link/firmware_file_check.h"
#include "link/firmware_file_check_win.h"
#include "link/firmware_update_win.h"
#include "link/upload_win.h"
#include "resource_ids.h"
#include "settings/custom_sensor_dialog_win.h"
#include "settings/warning_setup_win.h"
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

bool ask(const char* question, const char* caption) {
    return MessageBoxA(nullptr, question, caption, MB_YESNO | MB_ICONQUESTION) == IDYES;
}

void showFailure(AppState& app, const std::string& message) {
    MessageBoxA(app.mainWindow, message.c_str(), "Veltrana", MB_OK | MB_ICONEXCLAMATION);
}

// "Create a configuration" only forgets the name: what is on screen stays.
void createConfiguration(AppState& app) {
    if (!ask("Are you sure you wish to create a new file?", "Create new file?")) return;
    app.documentName = kDefaultDocumentName;
    refreshPlacedGauges(app);
    updateCaption(app);
    layoutChanged(app);
}

// Writes the configuration to `path`; the document takes the name only once the file is whole,
// so a failed save leaves both the old file and the name as they were.
bool saveTo(AppState& app, const std::string& path) {
    readVehiclePanel(app.vehiclePanel);
    const SaveResult result = saveConfiguration(path, app.config);
    if (!result.saved) {
        showFailure(app, saveFailureMessage(path, result.reason));
        return false;
    }
    app.documentName = path;
    updateCaption(app);
    return true;
}

bool saveAs(AppState& app) {
    std::string path;
    if (!chooseConfigurationToSave(app.mainWindow, path)) return false;
    return saveTo(app, withConfigurationExtension(path));
}

// A file that cannot be read or is refused changes nothing: not the configuration, not the name.
void loadExisting(AppState& app) {
    std::string path;
    if (!chooseConfigurationToOpen(app.mainWindow, path)) return;
    const LoadResult result = loadConfiguration(path, app.config, app.catalog, *app.views);
    if (!result.loaded) {
        showFailure(app, loadFailureMessage(path, result.reason));
        return;
    }
    app.documentName = path;
    if (result.vehicleLoaded) fillVehiclePanel(app.vehiclePanel);
    updateCaption(app);
    refreshPlacedGauges(app);
    layoutChanged(app);
}

void openUpload(AppState& app) {
    app.upload.instance = app.instance;
    app.upload.mainWindow = app.mainWindow;
    app.upload.vehiclePanel = app.vehiclePanel;
    app.upload.config = &app.config;
    app.upload.profiles = &app.profiles;
    app.upload.uploadPicture = app.uploadPicture;
    app.upload.gaugeBitmap = [&app](BitmapHandle bitmap) { return app.views->originalBitmap(bitmap); };
    app.upload.port = &app.port;
    openUploadConfirm(app.upload);
}

void upgradeFirmware(AppState& app) {
    std::string path;
    if (!chooseFirmwareToOpen(app.mainWindow, path)) return;
    // Checked before any dialog opens, so nothing can start with an empty or unreadable file.
    const CheckedFirmwareFile file = checkFirmwareFile(path);
    if (!acceptFirmwareFile(app.mainWindow, file)) return;
    openFirmwareUpdate(app.instance, app.mainWindow, file, app.port, app.config.vehicle);
}

void openCustomSensor(AppState& app, std::uint32_t command) {
    const int sensorIndex = static_cast<int>(command - IDM_CUSTOM_SENSOR_1);
    openCustomSensorDialog(app.instance, app.mainWindow, app.config.curves, sensorIndex);
}

void openWarnings(AppState& app) {
    openWarningSetup(app.instance, app.mainWindow, app.config.warnings, app.config.layout,
                     app.config.directory, app.profiles.profiles[0]);
}

}  // namespace

bool chooseConfigurationToOpen(HWND owner, std::string& path) {
    return runChooser(owner, kConfigurationFilter, "*.vtl", false, path);
}

bool chooseConfigurationToSave(HWND owner, std::string& path) {
    return runChooser(owner, kConfigurationFilter, "*.vtl", true, path);
}

bool chooseFirmwareToOpen(HWND owner, std::string& path) {
    return runChooser(owner, kFirmwareFilter, "*.bin", false, path);
}

bool executeSave(AppState& app) {
    if (isUntitled(app.documentName)) return saveAs(app);
    return saveTo(app, withConfigurationExtension(app.documentName));
}

void executeCommand(AppState& app, std::uint32_t command) {
    switch (command) {
    case IDM_CREATE_CONFIGURATION: createConfiguration(app); break;
    case IDM_LOAD_CONFIGURATION: loadExisting(app); break;
    case IDM_SAVE_CONFIGURATION: executeSave(app); break;
    case IDM_SAVE_CONFIGURATION_AS: saveAs(app); break;
    case IDM_EXPORT_DISPLAY_IMAGE: exportDisplayImage(app); break;
    case IDM_EXIT: SendMessageA(app.mainWindow, WM_CLOSE, 0, 0); break;
    case IDM_ABOUT: showAbout(); break;
    case IDM_UPLOAD_CONFIGURATION: openUpload(app); break;
    case IDM_DASHES: break;
    case IDM_UPGRADE_FIRMWARE: upgradeFirmware(app); break;
    case IDM_PREVIEW_DISPLAY: openDisplayPreview(app); break;
    case IDM_CUSTOM_SENSOR_1:
    case IDM_CUSTOM_SENSOR_2:
    case IDM_CUSTOM_SENSOR_3:
    case IDM_CUSTOM_SENSOR_4: openCustomSensor(app, command); break;
    case IDM_SETUP_WARNINGS: openWarnings(app); break;
    default: break;
    }
}
