#pragma once
// "Export Display Image": the four pages as the display will show them, saved as a PNG picture.
#include <string>

#include "app/app_state.h"

// Asks for a file name ("PNG image (*.png)"), then writes the 240 x 256 picture, ".png" added
// unless the name ends in it; never over a configuration file, and over another file only after
// asking. A failed write is reported naming the file and the reason, and leaves no partial file.
void exportDisplayImage(AppState& app);

// The save chooser for the picture; true with the full path to write when the user confirms.
bool chooseDisplayImageToSave(HWND owner, const std::string& documentName, std::string& path);
