#pragma once
// The vehicle settings panel's logic, written against FormControls so it drives the real dialog
// and an in-memory form alike. The controls are the editing surface: every user edit copies the
// whole panel back into VehicleSettings and into the MAP sensor slots of the engine unit profiles.
#include <string>
#include <vector>

#include "platform/serial_port_names.h"
#include "settings/panel_text.h"

class FormControls;
struct EngineUnitProfiles;
struct VehicleSettings;

// One field of the panel: its label, its control and whether that control is a list.
struct VehiclePanelField {
    const char* label;
    int controlId;
    bool isList;
};
// The panel's 20 fields in the order the panel shows them.
constexpr int kVehiclePanelFieldCount = 20;
extern const VehiclePanelField kVehiclePanelFields[kVehiclePanelFieldCount];
// The label of a field's control; "" for an id that is no field of the panel.
const char* vehiclePanelLabel(int controlId);

// The texts of the panel's edits as the user left them, up to 64 characters each, in panel
// order; the lists have none.
std::vector<PanelText> typedVehiclePanelTexts(FormControls& form);

// Whether the panel reads the edit of field `controlId` as a whole number (the rev meter range);
// it reads the others as decimals.
bool panelEditIsInteger(int controlId);

// Whether the panel reads `text`, typed into the edit of field `controlId`, as what it says: the
// value read from its first 9 characters (a whole number for the rev meter range, a decimal
// elsewhere, as float32) is the one number the whole text states. Not for a comma ("3,25" is
// read as 3), trailing characters, a number the 9-character limit changes, or one too large for
// float32. A blank text is: it reads 0, which is what an emptied field means.
bool panelReadsAsTyped(int controlId, const std::string& text);

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
