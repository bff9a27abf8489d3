#include "platform/file_chooser_win.h"

#include <commdlg.h>

#include <vector>

#include "platform/export_path.h"
#include "platform/file_identity.h"
#include "platform/stored_settings_win.h"
#include "platform/text_win.h"

namespace {

constexpr std::size_t kLongestFolder = 1024;

std::wstring wideFilter(const char* filter) {
    std::wstring wide;
    const char* at = filter;
    while (*at) {
        while (*at) wide += static_cast<wchar_t>(static_cast<unsigned char>(*at++));
        wide += L'\0';
        ++at;
    }
    wide += L'\0';
    return wide;
}

std::string folderOf(const std::string& path) {
    const std::size_t slash = path.find_last_of("\\/");
    return slash == std::string::npos ? std::string() : path.substr(0, slash);
}

}  // namespace

bool runFileChooser(HWND owner, const FileChooserRequest& request, std::string& path) {
    std::vector<wchar_t> buffer(request.bufferSize, L'\0');
    const std::wstring initial = wideFromUtf8(request.initialName);
    lstrcpynW(buffer.data(), initial.c_str(), static_cast<int>(buffer.size()));
    const std::wstring filter = wideFilter(request.filter);
    const std::string folderValue = request.folderName ? std::string("Folder ") + request.folderName : std::string();
    std::string folder;
    std::wstring initialFolder;
    if (request.folderName && readStoredText(folderValue, kLongestFolder, folder)) initialFolder = wideFromUtf8(folder);

    OPENFILENAMEW chooser{};
    chooser.lStructSize = sizeof chooser;
    chooser.hwndOwner = owner;
    chooser.lpstrFilter = filter.c_str();
    chooser.nFilterIndex = 1;
    chooser.lpstrFile = buffer.data();
    chooser.nMaxFile = request.bufferSize;
    chooser.lpstrInitialDir = initialFolder.empty() ? nullptr : initialFolder.c_str();
    chooser.Flags = request.flags;
    const std::wstring title = request.title ? wideFromUtf8(request.title) : std::wstring();
    const std::wstring extension =
        request.defaultExtension ? wideFromUtf8(request.defaultExtension) : std::wstring();
    if (request.title) chooser.lpstrTitle = title.c_str();
    if (request.defaultExtension) chooser.lpstrDefExt = extension.c_str();
    const BOOL confirmed = request.save ? GetSaveFileNameW(&chooser) : GetOpenFileNameW(&chooser);
    if (confirmed != TRUE) return false;
    path = utf8FromWide(buffer.data());
    const std::string chosenFolder = folderOf(path);
    if (request.folderName && !chosenFolder.empty() && chosenFolder.size() <= kLongestFolder)
        writeStoredText(folderValue, chosenFolder);
    return true;
}

bool chooseExportFile(HWND owner, FileChooserRequest request, const std::string& extension,
                      const std::string& documentName, std::string& path) {
    // The chooser's own prompt would ask about the typed name, not about the one written when the
    // extension is added; the question is asked below, for the file that is written.
    request.save = true;
    request.flags &= ~static_cast<DWORD>(OFN_OVERWRITEPROMPT);
    std::string chosen;
    if (!runFileChooser(owner, request, chosen)) return false;
    const std::string target = exportPath(chosen, extension);
    const std::string refusal = exportRefusal(target, isSameExistingFile(target, documentName));
    const std::string title = request.title ? request.title : "Save As";
    if (!refusal.empty()) {
        messageBoxUtf8(owner, exportFailureMessage(target, refusal), request.title ? request.title : "Veltrana",
                       MB_OK | MB_ICONEXCLAMATION);
        return false;
    }
    const DWORD attributes = GetFileAttributesW(wideFromUtf8(target).c_str());
    if (attributes != INVALID_FILE_ATTRIBUTES &&
        messageBoxUtf8(owner, replaceQuestion(target), "Confirm " + title,
                       MB_YESNO | MB_ICONWARNING | MB_DEFBUTTON2) != IDYES)
        return false;
    path = target;
    return true;
}
