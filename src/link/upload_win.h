#pragma once
// The upload confirm dialog (template 213) and the upload it starts.
#include <windows.h>

#include <functional>

#include "platform/view_host.h"

class SerialPort;
struct Configuration;
struct EngineUnitProfiles;

// What an upload reads and where it reports. Everything referred to must outlive the dialog.
struct UploadContext {
    HINSTANCE instance = nullptr;
    HWND mainWindow = nullptr;
    HWND vehiclePanel = nullptr;          // refuses input, as the main window does, while sending
    // Commits what the editors show into `config` and `profiles`, so that they are the finished
    // records; "Proceed" runs it once, before the stream is laid out from them.
    std::function<void()> commitEditors;
    Configuration* config = nullptr;
    const EngineUnitProfiles* profiles = nullptr;
    HBITMAP uploadPicture = nullptr;      // the 128 x 128 character-set picture
    std::function<HBITMAP(BitmapHandle)> gaugeBitmap;  // a placed gauge's bitmap at its own size
    SerialPort* port = nullptr;
    // Problems the configuration check found; above 0 the dialog says so and offers a button
    // that runs `showProblems`.
    int problemCount = 0;
    std::function<void()> showProblems;
};

// Creates and shows a new confirm dialog owned by the main window (every call opens another
// one); nullptr when the template cannot be made. "Proceed" runs the upload and then destroys
// the dialog; "Cancel" destroys it.
HWND openUploadConfirm(const UploadContext& context);

// The upload itself, as "Proceed" runs it: progress bar, images, editors committed, stream, port.
// While it runs the program keeps painting and its windows refuse input. Failures are reported
// in a message box owned by the main window.
void runUploadWithProgress(const UploadContext& context, HWND dialog);
