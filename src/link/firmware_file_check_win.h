#pragma once
// The messages about a chosen firmware file, before the update dialog opens.
#include <windows.h>

struct CheckedFirmwareFile;

// Tells the user about a checked file before any dialog opens: a refused file gets a message
// naming it and the reason; a file longer than the transfer takes gets a warning whose default
// answer is Cancel. True when the file may go on to the update dialog.
bool acceptFirmwareFile(HWND owner, const CheckedFirmwareFile& file);
