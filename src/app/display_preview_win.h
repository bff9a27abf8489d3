#pragma once
// The "Display Preview" window: the four pages as the display will show them, built from the
// page image an upload would send now, and one line on what the upload would take.
#include "app/app_state.h"
#include "link/display_images_win.h"

// "Preview Display": opens the window, or brings the open one to the front.
void openDisplayPreview(AppState& app);

// The document changed (see document_views_win.h): an open preview redraws at once.
void displayPreviewFollows(AppState& app);

// The page and font images from the loaded bitmaps, exactly as an upload would build them now.
DisplayImages currentDisplayImages(AppState& app);
