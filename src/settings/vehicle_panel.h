#pragma once
// The vehicle settings panel's logic, written against FormControls so it drives the real dialog
// and an in-memory form alike. The controls are the editing surface: every user edit copies the
// whole panel back into VehicleSettings and into the MAP sensor slots of the engine unit profiles.
// Its fields, their labels and texts are the plain table of vehicle_fields.h.
#include <string>
#include <vector>

#include "platform/serial_port_names.h"
#include "settings/panel_text.h"
#include "settings/vehicle_fields.h"

class FormControls;
class MemoryForm;
struct EngineUnitProfiles;
struct VehicleSettings;

// The texts of the panel's edits as the user left them, up to 64 characters each, in panel
// order; the lists have none.
std::vector<PanelText> typedVehiclePanelTexts(FormControls& form);

// The panel's fields with the texts an in-memory panel shows.
std::vector<PanelText> panelTexts(MemoryForm& panel);

// Fills the four lists, gives the rev meter range its start values (0 to 8000) and fills the
// controls from `settings`. The panel's creation calls it once, before showing the panel.
void setUpVehiclePanel(FormControls& form, VehicleSettings& settings);

// Writes every field of `settings` into its control, with fillingControls set throughout.
void fillVehiclePanel(FormControls& form, const VehicleSettings& settings);

// Reads every control back into `settings`, sets slots 38 and 39 of all four profiles from the
// MAP sensor entries and derives fuelFlowFactor, by the rules of vehicle_settings.h.
void readVehiclePanel(FormControls& form, VehicleSettings& settings, EngineUnitProfiles& profiles);

// A command notification from control `controlId` (an edit change, a focus change, a list
// selection...). Ids 1, 7 and 1002 are ignored, and so is everything while fillingControls is
// set; any other control reads the whole panel back.
void onVehiclePanelCommand(FormControls& form, int controlId, VehicleSettings& settings,
                           EngineUnitProfiles& profiles);

// Takes the ports present now and rebuilds the Com Port list around them, keeping the port
// shown selected (as the list is opened, so an adapter plugged in since shows up).
void refreshComPortList(FormControls& form, const std::vector<SerialPortName>& present);
