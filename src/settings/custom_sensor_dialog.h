#pragma once
// The logic of the "Setup Custom Sensor" dialog: one column of 33 edits (ids 1018 to 1050),
// one per curve point, for the sensor that the dialog was opened for.
#include <string>

#include "settings/custom_sensor_curves.h"
#include "settings/curve_csv.h"
#include "settings/curve_point_text.h"
#include "settings/filled_curve_points.h"

class FormControls;

// Every function that writes the edits remembers in `filled` what it wrote and the value it
// stands for; one `filled` goes with each open dialog.

// Writes curve `selectedSensor` into the 33 edits as "%5.2f" texts (also "Copy from...", with
// another sensor's curve). A sensor outside 0..3 writes nothing.
void fillCustomSensorDialog(FormControls& form, FilledCurvePoints& filled, const CustomSensorCurves& curves,
                            int selectedSensor);

// Rewrites all 33 points of curve `selectedSensor` from the edits: an edit that still shows what
// it was filled with gives the value it was filled from, any other the first 9 characters of its
// text read as a decimal number (no number gives 0). A sensor outside 0..3 changes nothing.
void readCustomSensorDialog(FormControls& form, const FilledCurvePoints& filled, CustomSensorCurves& curves,
                            int selectedSensor);

// A command (WM_COMMAND control id) from the dialog. OK (1) stores the edits unless the
// program is filling a form; OK and Cancel (2) close the dialog. Returns true when the dialog
// is to be closed; every other command does nothing.
bool customSensorCommand(FormControls& form, const FilledCurvePoints& filled, CustomSensorCurves& curves,
                         int selectedSensor, int commandId);

// The edits' whole texts (up to 64 characters each, enough to see what the 9-character read
// would cut).
CurvePointTexts curvePointTexts(FormControls& form);

// "Import...": reads a CSV curve file into the edits, not yet into the curve (OK decides). Each
// edit keeps the file's value in full, whatever its text could show. Returns the message for
// the user when the file is refused; the edits are then unchanged.
std::string importCurveFile(FormControls& form, FilledCurvePoints& filled, const std::string& path);
// The same for a file's contents read elsewhere (a browser's chosen file), named `name`.
std::string importCurveText(FormControls& form, FilledCurvePoints& filled, const std::string& name,
                            const std::string& content);

// "Export...": writes the edits as a CSV curve file: an edit that still shows what it was filled
// with as the value it was filled from (in full), any other as it shows it. Returns the message
// for the user when nothing was written (a field that is not a number, or a file that cannot be
// written).
std::string exportCurveFile(FormControls& form, const FilledCurvePoints& filled, const std::string& path);
// The texts Export writes, as above; the ones that are kept values are marked in `kept`.
CurvePointTexts exportedCurveTexts(FormControls& form, const FilledCurvePoints& filled, CurvePointsKept& kept);

// "Line...": the 33 edits on the straight line from the value at 0 V to the value at 5 V, shown
// as the edits show numbers. Each end text is read as OK reads a point; one that is what the
// edit of its point was filled with gives that point's value. Only the edits change.
void fillCurveLine(FormControls& form, FilledCurvePoints& filled, const std::string& at0V, const std::string& at5V);
