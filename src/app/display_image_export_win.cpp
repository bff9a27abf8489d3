#include "app/display_image_export_win.h"

#include <cstdint>
#include <vector>

#include "app/display_preview_win.h"
#include "platform/export_path.h"
#include "platform/file_chooser_win.h"
#include "platform/file_replace.h"
#include "platform/text_win.h"
#include "report/display_picture.h"
#include "report/png_writer.h"

namespace {

constexpr DWORD kChooserBufferSize = 260;
const char kPictureFilter[] = "PNG image (*.png)\0*.png\0";

// Encoded in memory first, by the same writer as the command line's render (so both give the
// same bytes), then written in one piece beside the target and moved over it.
std::string writeDisplayImage(AppState& app, const std::string& path) {
    const std::vector<std::uint8_t> grey = displayPictureGrey(currentDisplayImages(app).page);
    return writeWholeFile(path, encodeGreyPng(kDisplayPictureWidth, kDisplayPictureHeight, grey));
}

}  // namespace

bool chooseDisplayImageToSave(HWND owner, const std::string& documentName, std::string& path) {
    // No folder check in the chooser: a folder that is missing is reported with the reason when
    // the picture is written.
    const FileChooserRequest request{kPictureFilter, "*.png", true, OFN_HIDEREADONLY,
                                     kChooserBufferSize, "Display Image"};
    return chooseExportFile(owner, request, ".png", documentName, path);
}

void exportDisplayImage(AppState& app) {
    std::string path;
    if (!chooseDisplayImageToSave(app.mainWindow, app.documentName, path)) return;
    const std::string reason = writeDisplayImage(app, path);
    if (!reason.empty())
        messageBoxUtf8(app.mainWindow, exportFailureMessage(path, reason), "Veltrana",
                       MB_OK | MB_ICONEXCLAMATION);
}
