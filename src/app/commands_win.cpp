#include "app/commands_win.h"

#include "app/about_window_win.h"
#include "app/configuration_check_win.h"
#include "app/compare_and_report_win.h"
#include "app/display_image_export_win.h"
#include "app/display_preview_win.h"
#include "app/document_shell_win.h"
#include "app/page_arranging_win.h"
#include "app/settings_dialogs_win.h"
#include "document/configuration_check.h"
#include "app/start_and_recent_win.h"
#include "document/document_commands.h"
#include "link/firmware_file_check.h"
#include "link/firmware_file_check_win.h"
#include "link/firmware_update_win.h"
#include "link/upload_win.h"
#include "resource_ids.h"
#include "settings/vehicle_panel_win.h"

namespace {

void openUpload(AppState& app) {
    app.upload.instance = app.instance;
    app.upload.mainWindow = app.mainWindow;
    app.upload.vehiclePanel = app.vehiclePanel;
    app.upload.commitEditors = [&app] { readVehiclePanel(app.vehiclePanel); };
    app.upload.config = &app.config;
    app.upload.profiles = &app.profiles;
    app.upload.uploadPicture = app.uploadPicture;
    app.upload.gaugeBitmap = [&app](BitmapHandle bitmap) { return app.views->originalBitmap(bitmap); };
    app.upload.port = &app.port;
    // The user decides: the count only tells, and Proceed works whatever it says.
    app.upload.countProblems = [&app] {
        return problemCount(checkConfiguration(app.config, typedVehiclePanelTexts(app.vehiclePanel)));
    };
    app.upload.showProblems = [&app] { openConfigurationCheck(app); };
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

}  // namespace

void executeCommand(AppState& app, std::uint32_t command) {
    Document document = documentOf(app);
    // A gauge being moved stays where it was: every command starts from a settled layout.
    if (HIWORD(command) == 0) cancelGaugeCarry(app);
    switch (command) {
    case IDM_CREATE_CONFIGURATION: createDocument(document); break;
    case IDM_LOAD_CONFIGURATION: loadDocument(document); break;
    case IDM_SAVE_CONFIGURATION: saveDocument(document); break;
    case IDM_SAVE_CONFIGURATION_AS: saveDocumentAs(document); break;
    case IDM_UNDO: undoEdit(document); break;
    case IDM_REDO: redoEdit(document); break;
    case IDM_EXPORT_DISPLAY_IMAGE: exportDisplayImage(app); break;
    case IDM_COMPARE_WITH: compareWithFile(app); break;
    case IDM_EXPORT_REPORT: exportReport(app); break;
    case IDM_EXIT: SendMessageA(app.mainWindow, WM_CLOSE, 0, 0); break;
    case IDM_ABOUT: showAbout(); break;
    case IDM_UPLOAD_CONFIGURATION: openUpload(app); break;
    case IDM_DASHES: break;
    case IDM_UPGRADE_FIRMWARE: upgradeFirmware(app); break;
    case IDM_PREVIEW_DISPLAY: openDisplayPreview(app); break;
    case IDM_CUSTOM_SENSOR_1:
    case IDM_CUSTOM_SENSOR_2:
    case IDM_CUSTOM_SENSOR_3:
    case IDM_CUSTOM_SENSOR_4: openCustomSensorFor(app, static_cast<int>(command - IDM_CUSTOM_SENSOR_1)); break;
    case IDM_SETUP_WARNINGS: openWarningsFor(app); break;
    case IDM_CHECK_CONFIGURATION: openConfigurationCheck(app); break;
    case IDM_COPY_GAUGE: copyGauge(app); break;
    case IDM_CUT_GAUGE: cutGauge(app); break;
    case IDM_PASTE_GAUGE: pasteGauge(app); break;
    case IDM_COPY_PAGE: openCopyPage(app); break;
    case IDM_CLEAR_PAGE: openClearPage(app); break;
    case IDM_RECENT_FILE_1:
    case IDM_RECENT_FILE_2:
    case IDM_RECENT_FILE_3:
    case IDM_RECENT_FILE_4: openRecentFile(app, static_cast<int>(command - IDM_RECENT_FILE_1)); break;
    default: break;
    }
}
