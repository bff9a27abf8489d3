#pragma once
// The About window "AboutMaster": a small top-level window that names the program. It is made
// once, hidden, before the main window, and is shown and hidden again for the rest of the run.
#include <windows.h>

// Loads the optional picture "plov.bmp" from the working directory, registers the class and
// creates the window hidden. Later calls do nothing.
void createAboutWindow(HINSTANCE instance);
// Sets the caption to "About " and the title, sets the text shown in the window, and shows and
// activates the window (bringing it to the front when it is already shown).
void showAbout(const char* title, const char* text);
// The About command: the program's own title and About text.
void showAbout();
LRESULT CALLBACK aboutWindowProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam);
