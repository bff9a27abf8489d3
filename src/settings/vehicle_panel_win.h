#pragma once
// The vehicle settings panel as a window: dialog template IDD_VEHICLE_PANEL as a borderless,
// modeless child of the main window. Its dialog procedure only forwards to the panel's logic.
#include <windows.h>

#include <functional>
#include <vector>

#include "settings/panel_text.h"

struct EngineUnitProfiles;
struct VehicleSettings;

// Creates the panel, fills its lists, sets the rev meter's start range, fills it from `settings`
// and shows it. `settings` and `profiles` must outlive the panel: every user edit reads the
// panel back into them.
// `fieldLeft` runs when the user is done with a field: an edit lost the focus, or a list's
// selection changed.
HWND createVehiclePanel(HINSTANCE instance, HWND mainWindow, VehicleSettings& settings,
                        EngineUnitProfiles& profiles, std::function<void()> fieldLeft);

// The panel's controls from the records it was created with (after a file was loaded).
void fillVehiclePanel(HWND panel);
// The records it was created with from the panel's controls (before a save or an upload).
void readVehiclePanel(HWND panel);
// The texts of the panel's edits as the user left them, for the configuration check.
std::vector<PanelText> typedVehiclePanelTexts(HWND panel);
