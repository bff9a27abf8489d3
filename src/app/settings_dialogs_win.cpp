#include "app/settings_dialogs_win.h"

#include "app/app_state.h"
#include "document/document_commands.h"
#include "settings/custom_sensor_dialog_win.h"
#include "settings/warning_setup_win.h"

HWND openCustomSensorFor(AppState& app, int sensorIndex) {
    return openCustomSensorDialog(app.instance, app.mainWindow, app.config.curves, sensorIndex, app.documentName,
                                  [&app] { recordEdit(documentOf(app)); });
}

HWND openWarningsFor(AppState& app) {
    return openWarningSetup(app.instance, app.mainWindow, app.config.warnings, app.config.layout,
                            app.config.directory, app.profiles.profiles[0],
                            [&app] { recordEdit(documentOf(app)); });
}
