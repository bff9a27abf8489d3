#pragma once
// The modeless "Setup Custom Sensor" dialog (template IDD_CUSTOM_SENSOR).
#include <windows.h>

#include <functional>
#include <string>

struct CustomSensorCurves;

// Opens a further dialog for sensor `sensorIndex` (0 to 3), filled from its curve and shown.
// Several may be open at once; each edits the sensor it was opened for, and its OK stores into
// `curves`, which must outlive the dialog, as must `documentName` (the open configuration's file,
// which the curve's Export never replaces). `closed` runs after OK or Cancel has closed it.
// Returns the dialog, or nullptr when it could not be made.
HWND openCustomSensorDialog(HINSTANCE instance, HWND owner, CustomSensorCurves& curves, int sensorIndex,
                            const std::string& documentName, std::function<void()> closed);
