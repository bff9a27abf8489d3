#pragma once
// The logic of the "Setup Custom Sensor" dialog: one column of 33 edits (ids 1018 to 1050),
// one per curve point, for the sensor that the dialog was opened for.
class FormControls;
struct CustomSensorCurves;

// Writes curve `selectedSensor` into the 33 edits as "%5.2f" texts. A sensor outside 0..3
// writes nothing.
void fillCustomSensorDialog(FormControls& form, const CustomSensorCurves& curves, int selectedSensor);

// Rewrites all 33 points of curve `selectedSensor` from the edits: the first 9 characters of
// each, read as a decimal number (no number gives 0). A sensor outside 0..3 changes nothing.
void readCustomSensorDialog(FormControls& form, CustomSensorCurves& curves, int selectedSensor);

// A command (WM_COMMAND control id) from the dialog. OK (1) stores the edits unless the
// program is filling a form; OK and Cancel (2) close the dialog. Returns true when the dialog
// is to be closed; every other command does nothing.
bool customSensorCommand(FormControls& form, CustomSensorCurves& curves, int selectedSensor, int commandId);
