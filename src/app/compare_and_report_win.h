#pragma once
// "Compare with..." and "Export Report..." in the File menu: the open configuration, committed
// from the panel first, compared with a chosen file in a window of its own, or written out as the
// printable report.
#include "app/app_state.h"

// Asks for a configuration file and lists what differs in the open one (from the file's value to
// the open one's) in the "Compare" window
// (opened, or brought to the front and refilled). A file Load refuses is reported as Load reports
// it, and the window is left as it was.
void compareWithFile(AppState& app);

// Asks for a file name ("HTML page (*.html)"), ".html" added when the name has no extension, and
// writes the report there through a temporary file, so a failed write leaves an old file whole.
// A failure is reported naming the file and the reason.
void exportReport(AppState& app);
