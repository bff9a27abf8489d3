#pragma once
// The firmware update dialog (template 214) and its result notices (221, 220).
#include <windows.h>

#include <string>

class SerialPort;
struct VehicleSettings;

// Creates and shows a new firmware update dialog owned by mainWindow; the handle, or nullptr
// when the template cannot be made. "Proceed" reads firmwarePath, shows the progress bar in the
// main window, runs the update on the port vehicle.comPortIndex names at that moment (the
// settings are read then, not now), keeps painting while refusing input, and then replaces the
// dialog with the success or failure notice. A file that cannot be read is reported by name.
// port and vehicle must outlive the dialog.
HWND openFirmwareUpdate(HINSTANCE instance, HWND mainWindow, const std::string& firmwarePath,
                        SerialPort& port, const VehicleSettings& vehicle);
