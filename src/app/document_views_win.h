#pragma once
// The windows that show the document besides the main window's pages: the display preview, the
// check list and every open Upload Confirm. Each is told once after every change of the document
// (an edit, an undo or redo, a Load, a Create), through this one list; a window that is not open
// lets it pass.
#include "app/app_state.h"

void documentViewsFollow(AppState& app);
