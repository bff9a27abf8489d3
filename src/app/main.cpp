#include <windows.h>

#include "app/app_state.h"
#include "app/main_window_win.h"
#include "layout/document_name.h"
#include "settings/custom_sensor_curves.h"

AppState& appState() {
    static AppState app;
    return app;
}

int WINAPI WinMain(HINSTANCE instance, HINSTANCE, LPSTR, int) {
    AppState& app = appState();

    app.documentName = kDefaultDocumentName;
    app.instance = instance;
    app.profiles = defaultEngineUnitProfiles();
    createMainWindow(app);
    updateCaption(app);
    app.config.curves = startupCustomSensorCurves();

    MSG message;
    while (GetMessageA(&message, nullptr, 0, 0) > 0) {
        TranslateMessage(&message);
        DispatchMessageA(&message);
    }
    return static_cast<int>(message.wParam);
}
