#include <windows.h>

#include "app/about_window_win.h"
#include "app/app_state.h"
#include "app/document_shell_win.h"
#include "app/keyboard_win.h"
#include "app/main_window_win.h"
#include "app/start_and_recent_win.h"
#include "document/document_commands.h"
#include "document/document_name.h"
#include "platform/message_loop.h"
#include "resource_ids.h"
#include "settings/com_port_names.h"
#include "settings/custom_sensor_curves.h"

AppState& appState() {
    static AppState app;
    return app;
}

int WINAPI WinMain(HINSTANCE instance, HINSTANCE, LPSTR, int) {
    AppState& app = appState();
    createAboutWindow(instance);  // hidden until the About command

    app.documentShell = std::make_unique<Win32DocumentShell>(app);
    app.documentName = kDefaultDocumentName;
    app.instance = instance;
    app.profiles = defaultEngineUnitProfiles();
    setPresentComPorts(presentSerialPorts());
    createMainWindow(app);
    restoreRecentFiles(app);
    updateCaption(app);
    app.config.curves = startupCustomSensorCurves();
    app.accelerators = LoadAcceleratorsA(instance, MAKEINTRESOURCEA(IDA_MAIN_ACCELERATORS));
    startHistory(documentOf(app));
    // After the start-up document is in the history, so that the file is one step like Load.
    loadCommandLineFile(app);

    MSG message{};
    return runMessageLoop([&] { return static_cast<int>(GetMessageA(&message, nullptr, 0, 0)); },
                          [&] {
                              if (routeKeyboardMessage(app, message)) return;
                              TranslateMessage(&message);
                              DispatchMessageA(&message);
                          },
                          [&] { return static_cast<int>(message.wParam); });
}
