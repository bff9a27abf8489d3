#include "link/upload_win.h"

#include <algorithm>
#include <string>
#include <vector>

#include "document/configuration.h"
#include "document/configuration_check.h"
#include "link/display_images_win.h"
#include "link/upload.h"
#include "link/upload_ids.h"
#include "link/upload_preparation.h"
#include "platform/busy_window_win.h"
#include "platform/clock_win.h"
#include "platform/modeless_dialog_win.h"
#include "platform/progress_bar_win.h"
#include "platform/progress_throttle.h"
#include "platform/text_win.h"

namespace {

// An upload already running ignores a second "Proceed" that reaches us through the pump.
bool uploadRunning = false;

// The confirm dialogs that are open, each of which counts again when the document changes.
std::vector<HWND> openConfirms;

// The problem line and its button show while the check finds a problem, and go when none is left.
void showProblemCount(HWND dialog, const UploadContext& context) {
    const int problems = context.countProblems ? context.countProblems() : 0;
    SetDlgItemTextA(dialog, IDC_UPLOAD_PROBLEMS, problemsFoundText(problems).c_str());
    ShowWindow(GetDlgItem(dialog, IDC_UPLOAD_PROBLEMS), problems > 0 ? SW_SHOW : SW_HIDE);
    ShowWindow(GetDlgItem(dialog, IDC_UPLOAD_SHOW_PROBLEMS), problems > 0 ? SW_SHOW : SW_HIDE);
}

INT_PTR CALLBACK uploadConfirmProc(HWND dialog, UINT message, WPARAM wParam, LPARAM lParam) {
    switch (message) {
        case WM_INITDIALOG: {
            const auto* context = reinterpret_cast<const UploadContext*>(lParam);
            if (context) showProblemCount(dialog, *context);
            openConfirms.push_back(dialog);
            return TRUE;
        }
        case WM_DESTROY:
            openConfirms.erase(std::remove(openConfirms.begin(), openConfirms.end(), dialog), openConfirms.end());
            return FALSE;
        case WM_COMMAND: {
            auto* context = modelessDialogState<UploadContext>(dialog);
            if (LOWORD(wParam) == IDOK) {
                if (uploadRunning) return TRUE;
                if (context) runUploadWithProgress(*context, dialog);
                destroyModelessDialog(dialog);
                return TRUE;
            }
            if (LOWORD(wParam) == IDC_UPLOAD_SHOW_PROBLEMS) {
                if (context && context->showProblems && !uploadRunning) context->showProblems();
                return TRUE;
            }
            if (LOWORD(wParam) == IDCANCEL) {
                if (!uploadRunning) destroyModelessDialog(dialog);
                return TRUE;
            }
            return FALSE;
        }
        default:
            return FALSE;
    }
}

}  // namespace

void uploadConfirmsFollow() {
    // A running upload has its windows disabled and its stream laid out: nothing to count then.
    if (uploadRunning) return;
    for (HWND dialog : openConfirms)
        if (const auto* context = modelessDialogState<UploadContext>(dialog)) showProblemCount(dialog, *context);
}

HWND openUploadConfirm(const UploadContext& context) {
    HWND dialog = createModelessDialog(context.instance, IDD_UPLOAD_CONFIRM, context.mainWindow, uploadConfirmProc,
                                       std::make_unique<UploadContext>(context));
    if (!dialog) return nullptr;
    ShowWindow(dialog, SW_SHOW);
    return dialog;
}

void runUploadWithProgress(const UploadContext& context, HWND dialog) {
    if (uploadRunning || !context.config || !context.profiles || !context.port) return;
    uploadRunning = true;
    Configuration& config = *context.config;
    {
        Win32ProgressBar bar = mainWindowProgressBar(context.mainWindow);
        BusyWindows busy{L"Uploading the gauge configuration to the display", {context.mainWindow, dialog, context.vehiclePanel}};

        const DisplayImages images = buildDisplayImages(config, context.uploadPicture, context.gaugeBitmap);
        if (context.commitEditors) context.commitEditors();
        const UploadStream stream = prepareUploadStream(config, *context.profiles, images.page, images.font);

        // The clock's waits keep the windows painted; the bar is redrawn only when it changes.
        Win32Clock clock([&busy] { busy.pumpNow(); });
        ThrottledProgress progress(bar, bar.drawnWidth(), &clock);
        const int comPortIndex = config.vehicle.comPortIndex;
        const UploadResult result = runUpload(stream, comPortIndex, *context.port, clock, progress);
        if (result.outcome != UploadOutcome::Sent) {
            const std::string text = uploadFailureMessage(result, comPortIndex);
            // The failure to open keeps the platform's default caption; a broken-off upload says so.
            const char* caption = result.outcome == UploadOutcome::PortNotOpened ? nullptr : "Upload failed";
            // Wide: the port's device name may lie outside the ANSI code page.
            const std::wstring wideCaption = caption ? wideFromUtf8(caption) : std::wstring();
            MessageBoxW(context.mainWindow, wideFromUtf8(text).c_str(),
                        caption ? wideCaption.c_str() : nullptr,
                        result.outcome == UploadOutcome::PortNotOpened ? MB_OK : MB_OK | MB_ICONERROR);
        }
    }
    uploadRunning = false;
}
