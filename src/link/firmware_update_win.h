#pragma once
// The firmware update dialog (template 214) and its result notices (221, 220).
#include <windows.h>

class SerialPort;
struct CheckedFirmwareFile;
struct VehicleSettings;

// Creates and shows a new firmware update dialog owned by mainWindow, showing the file's name,
// size and CRC-32; the handle, or nullptr when the template cannot be made. "Proceed" shows the
// progress bar in the main window, sends the file's image on the port vehicle.comPortIndex names
// at that moment (the settings are read then, not now), keeps painting while refusing input, and
// then replaces the dialog with the success or failure notice. port and vehicle must outlive the
// dialog.
HWND openFirmwareUpdate(HINSTANCE instance, HWND mainWindow, const CheckedFirmwareFile& file,
                        SerialPort& port, const VehicleSettings& vehicle);
