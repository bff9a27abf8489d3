#pragma once
// "Export Display Image": the four pages as the display will show them, saved as a PNG picture.
#include <string>

#include "app/app_state.h"

// Asks for a file name ("PNG image (*.png)"), then writes the 240 x 256 picture, ".png" added
// when the name has no extension. A failed write is reported naming the file and the reason,
// and leaves no partial file.
void exportDisplayImage(AppState& app);

// The save chooser for the picture; true with the chosen full path when the user confirms.
bool chooseDisplayImageToSave(HWND owner, std::string& path);
