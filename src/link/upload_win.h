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
    // How many problems the configuration check finds in the document as it is now; above 0 the
    // dialog says so and offers a button that runs `showProblems`. Counted when the dialog opens
    // and again whenever the document changes while it is open (uploadConfirmsFollow).
    std::function<int()> countProblems;
    std::function<void()> showProblems;
};

// Creates and shows a new confirm dialog owned by the main window (every call opens another
// one); nullptr when the template cannot be made. "Proceed" runs the upload and then destroys
// the dialog; "Cancel" destroys it.
HWND openUploadConfirm(const UploadContext& context);

// Every open confirm dialog counts the problems again: the document changed (an edit, an undo or
// redo, a load), perhaps through the list that "Show Problems" brought forward.
void uploadConfirmsFollow();

// The upload itself, as "Proceed" runs it: progress bar, images, editors committed, stream, port.
// While it runs the program keeps painting and its windows refuse input. Failures are reported
// in a message box owned by the main window.
void runUploadWithProgress(const UploadContext& context, HWND dialog);
