#include "app/start_and_recent_win.h"

#include <shellapi.h>

#include <vector>

#include "document/document_commands.h"
#include "document/document_name.h"
#include "document/recent_files.h"
#include "platform/file_path.h"
#include "platform/stored_settings_win.h"
#include "platform/text_win.h"
#include "platform/window_placement.h"
#include "resource_ids.h"

namespace {

const char kPlacementValue[] = "Window Placement";
constexpr std::size_t kLongestPlacementText = 64;

std::string recentValueName(std::size_t position) {
    return "Recent File " + std::to_string(position + 1);
}

// The File menu and Exit's place in it.
bool findExit(HMENU menuBar, HMENU& fileMenu, int& exitPosition) {
    for (int top = 0; top < GetMenuItemCount(menuBar); ++top) {
        HMENU sub = GetSubMenu(menuBar, top);
        if (!sub) continue;
        for (int item = 0; item < GetMenuItemCount(sub); ++item) {
            if (GetMenuItemID(sub, item) == IDM_EXIT) {
                fileMenu = sub;
                exitPosition = item;
                return true;
            }
        }
    }
    return false;
}

// The recent items and the separator below them go right above Exit.
void showRecentFiles(AppState& app) {
    HMENU fileMenu = nullptr;
    int exitPosition = 0;
    if (!findExit(GetMenu(app.mainWindow), fileMenu, exitPosition)) return;
    for (int id = IDM_RECENT_FILE_1; id <= IDM_RECENT_FILE_4; ++id) DeleteMenu(fileMenu, id, MF_BYCOMMAND);
    if (app.recentSeparator) {
        // Our separator is the item right above Exit; separators have no id of their own.
        findExit(GetMenu(app.mainWindow), fileMenu, exitPosition);
        DeleteMenu(fileMenu, static_cast<UINT>(exitPosition - 1), MF_BYPOSITION);
        app.recentSeparator = false;
    }
    if (app.recentFiles.empty()) return;
    findExit(GetMenu(app.mainWindow), fileMenu, exitPosition);
    UINT at = static_cast<UINT>(exitPosition);
    for (std::size_t i = 0; i < app.recentFiles.size(); ++i) {
        const std::wstring text = wideFromUtf8(recentFileMenuText(i, app.recentFiles[i]));
        InsertMenuW(fileMenu, at++, MF_BYPOSITION | MF_STRING,
                    static_cast<UINT_PTR>(IDM_RECENT_FILE_1 + i), text.c_str());
    }
    InsertMenuW(fileMenu, at, MF_BYPOSITION | MF_SEPARATOR, 0, nullptr);
    app.recentSeparator = true;
}

void storeRecentFiles(const AppState& app) {
    for (std::size_t i = 0; i < kRecentFileCount; ++i) {
        if (i < app.recentFiles.size())
            writeStoredText(recentValueName(i), app.recentFiles[i]);
        else
            deleteStoredValue(recentValueName(i));
    }
}

bool fileExists(const std::string& path, bool& isFolder) {
    const DWORD attributes = GetFileAttributesW(wideFromUtf8(path).c_str());
    isFolder = attributes != INVALID_FILE_ATTRIBUTES && (attributes & FILE_ATTRIBUTE_DIRECTORY);
    return attributes != INVALID_FILE_ATTRIBUTES;
}

// A path given relative to the working folder becomes a full one, as a chooser gives it.
std::string fullPath(const std::string& path) {
    const std::wstring wide = wideFromUtf8(path);
    const DWORD length = GetFullPathNameW(wide.c_str(), 0, nullptr, nullptr);
    if (length == 0) return path;
    std::vector<wchar_t> buffer(length + 1, L'\0');
    if (GetFullPathNameW(wide.c_str(), length + 1, buffer.data(), nullptr) == 0) return path;
    return utf8FromWide(buffer.data());
}

std::vector<ScreenRect> workAreas() {
    std::vector<ScreenRect> areas;
    EnumDisplayMonitors(
        nullptr, nullptr,
        [](HMONITOR monitor, HDC, LPRECT, LPARAM data) -> BOOL {
            MONITORINFO info{};
            info.cbSize = sizeof info;
            if (GetMonitorInfoW(monitor, &info)) {
                const RECT& r = info.rcWork;
                reinterpret_cast<std::vector<ScreenRect>*>(data)->push_back(
                    ScreenRect{r.left, r.top, r.right, r.bottom});
            }
            return TRUE;
        },
        reinterpret_cast<LPARAM>(&areas));
    return areas;
}

}  // namespace

void restoreRecentFiles(AppState& app) {
    std::vector<std::string> stored;
    for (std::size_t i = 0; i < kRecentFileCount; ++i) {
        std::string text;
        // An overlong value is not read at all; it counts as missing.
        if (readStoredText(recentValueName(i), kLongestRecentPath, text)) stored.push_back(text);
    }
    app.recentFiles = recentFilesFromStored(stored);
    showRecentFiles(app);
}

void rememberRecentFile(AppState& app, const std::string& path) {
    app.recentFiles = withRecentFile(app.recentFiles, path);
    storeRecentFiles(app);
    showRecentFiles(app);
}

void openRecentFile(AppState& app, int position) {
    if (position < 0 || position >= static_cast<int>(app.recentFiles.size())) return;
    const std::string path = app.recentFiles[static_cast<std::size_t>(position)];
    bool isFolder = false;
    if (!fileExists(path, isFolder) || isFolder) {
        app.recentFiles = withoutRecentFile(app.recentFiles, path);
        storeRecentFiles(app);
        showRecentFiles(app);
        messageBoxUtf8(app.mainWindow, recentFileGoneMessage(path),
                       "Veltrana", MB_OK | MB_ICONEXCLAMATION);
        return;
    }
    loadDocumentFrom(documentOf(app), path);
}

void loadCommandLineFile(AppState& app) {
    int count = 0;
    LPWSTR* arguments = CommandLineToArgvW(GetCommandLineW(), &count);
    if (!arguments) return;
    const std::string path = count > 1 ? utf8FromWide(arguments[1]) : std::string();
    LocalFree(arguments);
    if (!path.empty()) loadDocumentFrom(documentOf(app), fullPath(path));
}

void loadDroppedFile(AppState& app, HDROP drop) {
    const UINT length = DragQueryFileW(drop, 0, nullptr, 0);
    std::vector<wchar_t> buffer(length + 1, L'\0');
    const UINT got = DragQueryFileW(drop, 0, buffer.data(), length + 1);
    DragFinish(drop);
    if (got == 0) return;
    const std::string path = utf8FromWide(buffer.data());
    bool isFolder = false;
    fileExists(path, isFolder);
    const std::string refusal = droppedFileRefusal(path, isFolder);
    if (!refusal.empty()) {
        messageBoxUtf8(app.mainWindow, refusal, "Veltrana", MB_OK | MB_ICONEXCLAMATION);
        return;
    }
    loadDocumentFrom(documentOf(app), path);
}

void restoreWindowPlace(HWND window) {
    std::string text;
    ScreenRect stored;
    if (!readStoredText(kPlacementValue, kLongestPlacementText, text) ||
        !parseStoredWindowRect(text, stored))
        return;
    RECT now{};
    GetWindowRect(window, &now);
    const std::vector<ScreenRect> areas = workAreas();
    MONITORINFO primary{};
    primary.cbSize = sizeof primary;
    const POINT origin{0, 0};
    if (!GetMonitorInfoW(MonitorFromPoint(origin, MONITOR_DEFAULTTOPRIMARY), &primary)) return;
    const RECT& p = primary.rcWork;
    const ScreenRect placed = placeWindow(stored, now.right - now.left, now.bottom - now.top, areas,
                                          ScreenRect{p.left, p.top, p.right, p.bottom});
    SetWindowPos(window, nullptr, placed.left, placed.top, 0, 0,
                 SWP_NOSIZE | SWP_NOZORDER | SWP_NOACTIVATE);
}

void storeWindowPlace(HWND window) {
    WINDOWPLACEMENT placement{};
    placement.length = sizeof placement;
    RECT rect{};
    if (IsIconic(window)) {
        if (!GetWindowPlacement(window, &placement)) return;
        rect = placement.rcNormalPosition;
    } else if (!GetWindowRect(window, &rect)) {
        return;
    }
    writeStoredText(kPlacementValue,
                    storedWindowRect(ScreenRect{rect.left, rect.top, rect.right, rect.bottom}));
}
