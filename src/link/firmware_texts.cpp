#include "link/firmware_texts.h"

#include "link/firmware_update.h"

const char kFirmwareFileCaption[] = "Firmware File";

FirmwareDialogTexts firmwareDialogTexts() {
    return {"Firmware Update",
            {"1) Connect display via null modem cable", "2) Press Proceed",
             "3) Press Top and Bottom buttons on display to start"},
            "Proceed",
            "Cancel"};
}

FirmwareNotice firmwareNotice(int result) {
    if (result == FirmwareUpdated) return {true, "!SUCCESS!", "FIRMWARE UPDATE COMPLETE!", "Continue"};
    return {false, "!ALERT!", "FIRMWARE UPDATE FAILED", "Continue"};
}
