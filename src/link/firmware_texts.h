#pragma once
// What the user reads around a firmware update, in one place for every shell: the Windows
// editor's dialog templates (resources/firmware.rc, which a unit test holds to these texts) and
// the web page, which shows them as they are.
#include <array>
#include <string>

// The firmware update dialog: its title, its three steps and its two buttons.
struct FirmwareDialogTexts {
    std::string title;
    std::array<std::string, 3> lines;
    std::string proceed;
    std::string cancel;
};
FirmwareDialogTexts firmwareDialogTexts();

// The notice that ends a transfer: success for result FirmwareUpdated, failure for any other.
struct FirmwareNotice {
    bool succeeded = false;
    std::string title;
    std::string text;
    std::string button;
};
FirmwareNotice firmwareNotice(int result);

// The caption of the messages about the chosen file (refused, or too long).
extern const char kFirmwareFileCaption[];
