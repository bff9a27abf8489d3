#pragma once
// The settings dialogs as the menu and the configuration check open them: each works on the
// program's configuration and makes an undo step of what it changes.
#include <windows.h>

struct AppState;

// "Setup Custom Sensor 1" to "4" (sensor 0..3) and "Setup Warnings": a further dialog, filled and
// shown; nullptr when it could not be made.
HWND openCustomSensorFor(AppState& app, int sensorIndex);
HWND openWarningsFor(AppState& app);
