#pragma once
// The Win32 side of arranging the pages: carrying a placed gauge by mouse drag or from the
// keyboard with its outline, copy, cut and paste of the gauge under the ghost, and the
// "Copy Page To..." and "Clear Page..." commands. Each change is one undo step.
#include <windows.h>

#include "app/app_state.h"

// Left button down on the pages: puts a gauge carried from the keyboard down, or picks up the
// gauge under the ghost to drag it. False when neither applies (the click places the ghost).
bool pressLeftToCarry(AppState& app);
// Left button up at (x, y) of the client area (signed; outside it when the drag left the
// window): ends a drag, moving the gauge where its outline fits.
void releaseLeftFromCarry(AppState& app, int x, int y);
// After the ghost moved: the outline follows it.
void showCarryOutline(AppState& app);
// Enter on the pages: puts down, picks up or places (see pressEnterOnPages).
void pressEnterToCarry(AppState& app);
// Esc, another command, or the mouse captured elsewhere: the carried gauge stays where it was.
// False when nothing was carried.
bool cancelGaugeCarry(AppState& app);
bool isCarryingGauge(const AppState& app);

// The main window's kind and gauge selectors on `form` (a form over the main window).
GaugeSelectors mainWindowSelectors(FormControls& form);

void copyGauge(AppState& app);
void cutGauge(AppState& app);
void pasteGauge(AppState& app);
void openCopyPage(AppState& app);
void openClearPage(AppState& app);
