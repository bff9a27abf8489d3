#pragma once
// The "Check Configuration" window: the check's findings on the configuration as it is now. It
// follows every edit, undo and redo; a double-click on a finding goes to its place.
#include "app/app_state.h"

// Opens the window, or brings the open one to the front.
void openConfigurationCheck(AppState& app);

// The configuration changed (a step, an undo or a redo, a Load): an open window lists again.
void configurationCheckFollows(AppState& app);
