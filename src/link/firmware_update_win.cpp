#include "link/firmware_update_win.h"

#include "link/firmware_file_check.h"
#include "link/firmware_update.h"
#include "link/firmware_update_ids.h"
#include "platform/busy_window_win.h"
#include "platform/clock_win.h"
#include "platform/modeless_dialog_win.h"
#include "platform/progress_bar_win.h"
#include "platform/progress_throttle.h"
#include "platform/serial_port.h"
#include "platform/text_win.h"
#include "settings/vehicle_settings.h"

namespace {

struct FirmwareDialog {
    HINSTANCE instance;
    HWND mainWindow;
    CheckedFirmwareFile file;
    SerialPort& port;
    const VehicleSettings& vehicle;
};

// Only one transfer at a time: a second "Proceed" reaching us through the pump is ignored.
bool transferRunning = false;

// Passes every call on to the real port and keeps the windows painted before each read, which
// is where the transfer spends its time waiting for the display.
class PumpingPort : public SerialPort {
public:
    PumpingPort(SerialPort& port, BusyWindows& busy) : port_(port), busy_(busy) {}
    int openPort(int index, std::uint32_t baud, Parity parity) override {
        return port_.openPort(index, baud, parity);
    }
    void closePort() override { port_.closePort(); }
    bool writeByte(std::uint8_t value) override { return port_.writeByte(value); }
    bool drainOutput() override { return port_.drainOutput(); }
    int readBytes(std::uint8_t* buffer, int count) override {
        busy_.pump();
        return port_.readBytes(buffer, count);
    }

private:
    SerialPort& port_;
    BusyWindows& busy_;
};

INT_PTR CALLBACK noticeProc(HWND notice, UINT message, WPARAM wParam, LPARAM) {
    switch (message) {
    case WM_INITDIALOG:
        return TRUE;
    case WM_COMMAND:
        if (LOWORD(wParam) == IDOK || LOWORD(wParam) == IDCANCEL) {
            destroyModelessDialog(notice);
            return TRUE;
        }
        break;
    }
    return FALSE;
}

void showNotice(HINSTANCE instance, HWND mainWindow, int result) {
    const int templateId = result == FirmwareUpdated ? IDD_FIRMWARE_SUCCEEDED : IDD_FIRMWARE_FAILED;
    HWND notice = createModelessDialog(instance, templateId, mainWindow, noticeProc);
    if (notice) ShowWindow(notice, SW_SHOW);
}

int transferWithProgress(HWND mainWindow, HWND dialog, const std::vector<std::uint8_t>& image,
                         SerialPort& port, int comPortIndex) {
    Win32ProgressBar bar = mainWindowProgressBar(mainWindow);
    UpdateWindow(bar.handle());
    BusyWindows busy{L"Updating the display's firmware", {mainWindow, dialog}};
    PumpingPort pumping(port, busy);
    Win32Clock clock;
    ThrottledProgress progress(bar, bar.drawnWidth(), &clock);
    return runFirmwareUpdate(image, comPortIndex, pumping, progress, clock);
}

void proceed(HWND dialog, FirmwareDialog& state) {
    if (transferRunning) return;
    // Everything needed after the dialog is gone is copied first: destroying it frees state.
    const HINSTANCE instance = state.instance;
    const HWND mainWindow = state.mainWindow;
    // The image was read and checked when the file was chosen: what the dialog shows is sent.
    transferRunning = true;
    const int result = transferWithProgress(mainWindow, dialog, state.file.image, state.port,
                                            state.vehicle.comPortIndex);
    transferRunning = false;
    destroyModelessDialog(dialog);
    showNotice(instance, mainWindow, result);
}

INT_PTR CALLBACK firmwareDialogProc(HWND dialog, UINT message, WPARAM wParam, LPARAM lParam) {
    auto* state = modelessDialogState<FirmwareDialog>(dialog);
    switch (message) {
    case WM_INITDIALOG: {
        const FirmwareFileSummary summary =
            summarizeFirmwareFile(reinterpret_cast<FirmwareDialog*>(lParam)->file);
        setWindowTextUtf8(GetDlgItem(dialog, IDC_FIRMWARE_FILE_NAME), summary.name);
        SetDlgItemTextA(dialog, IDC_FIRMWARE_FILE_SIZE, summary.size.c_str());
        SetDlgItemTextA(dialog, IDC_FIRMWARE_FILE_CRC, summary.crc.c_str());
        return TRUE;
    }
    case WM_COMMAND:
        if (!state) break;
        if (LOWORD(wParam) == IDOK) {
            proceed(dialog, *state);
            return TRUE;
        }
        if (LOWORD(wParam) == IDCANCEL) {
            if (!transferRunning) destroyModelessDialog(dialog);
            return TRUE;
        }
        break;
    }
    return FALSE;
}

}  // namespace

HWND openFirmwareUpdate(HINSTANCE instance, HWND mainWindow, const CheckedFirmwareFile& file,
                        SerialPort& port, const VehicleSettings& vehicle) {
    HWND dialog = createModelessDialog(instance, IDD_FIRMWARE_UPDATE, mainWindow, firmwareDialogProc,
                                       std::make_unique<FirmwareDialog>(FirmwareDialog{instance, mainWindow, file, port, vehicle}));
    if (!dialog) return nullptr;
    ShowWindow(dialog, SW_SHOW);
    return dialog;
}
