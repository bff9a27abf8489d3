#include "link/firmware_file_check_win.h"

#include "link/firmware_file_check.h"
#include "link/firmware_texts.h"
#include "platform/text_win.h"

bool acceptFirmwareFile(HWND owner, const CheckedFirmwareFile& file) {
    switch (file.verdict) {
    case FirmwareFileVerdict::Ready:
        return true;
    case FirmwareFileVerdict::TooLong:
        // Cancel is the default: a hasty Enter must not send a file that is probably wrong.
        return messageBoxUtf8(owner, firmwareTooLongWarning(file), kFirmwareFileCaption,
                           MB_OKCANCEL | MB_ICONWARNING | MB_DEFBUTTON2) == IDOK;
    case FirmwareFileVerdict::Refused:
        break;
    }
    messageBoxUtf8(owner, firmwareRefusalMessage(file), kFirmwareFileCaption, MB_OK | MB_ICONERROR);
    return false;
}
