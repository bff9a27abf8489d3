#include "app/compare_and_report_win.h"

#include <memory>
#include <string>
#include <vector>

#include "app/display_preview_win.h"
#include "document/configuration_compare.h"
#include "platform/export_path.h"
#include "platform/file_chooser_win.h"
#include "platform/text_win.h"
#include "platform/tool_window_win.h"
#include "report/configuration_report.h"
#include "report/report_findings.h"
#include "resource_ids.h"
#include "settings/vehicle_panel_win.h"

namespace {

constexpr char kClassName[] = "VeltranaCompare";
constexpr char kCaption[] = "Compare";
constexpr int kMargin = 8;
constexpr int kClientWidth = 640;
constexpr int kClientHeight = 360;
constexpr int kSummaryHeight = 20;
constexpr DWORD kChooserBufferSize = 260;

// The open window's state: its two children.
struct CompareWindow {
    HWND summary = nullptr;
    HWND list = nullptr;
};

const ToolWindowKind kCompareKind{kClassName, DefWindowProcA, 0, reinterpret_cast<HBRUSH>(COLOR_BTNFACE + 1)};

// The open configuration as it would be saved, in the current format: the records committed from
// the panel first, and the panel's fields in the texts it shows for the values it read (a typed
// "3,25" is read as 3, saved and uploaded so, and shown "3.000").
ConfigurationSummary openConfigurationSummary(AppState& app) {
    readVehiclePanel(app.vehiclePanel);
    return summarizeConfiguration(app.config, savedPanelTexts(app.config.vehicle), app.profiles.profiles[0],
                                  kVersionCurrent);
}

HWND makeChild(AppState& app, HWND parent, const char* kind, DWORD style, int top, int height, int id) {
    HWND child = CreateWindowExA(kind[0] == 'L' ? WS_EX_CLIENTEDGE : 0, kind, "", WS_CHILD | WS_VISIBLE | style,
                                 kMargin, top, kClientWidth - 2 * kMargin, height, parent,
                                 reinterpret_cast<HMENU>(static_cast<INT_PTR>(id)), app.instance, nullptr);
    SendMessageA(child, WM_SETFONT, reinterpret_cast<WPARAM>(GetStockObject(DEFAULT_GUI_FONT)), FALSE);
    return child;
}

// The open Compare window, brought forward, or a new one; null when none can be made.
HWND openCompareWindow(AppState& app) {
    if (bringToolWindowForward(kCompareKind)) return openToolWindow(kCompareKind);
    const DWORD style = WS_OVERLAPPED | WS_CAPTION | WS_SYSMENU | WS_MINIMIZEBOX;
    const SIZE outer = outerSizeForClient(style, 0, kClientWidth, kClientHeight);
    HWND window = createToolWindow(app.instance, kCompareKind, {0, kCaption, style, outer.cx, outer.cy, app.mainWindow},
                                   std::make_unique<CompareWindow>());
    if (!window) return nullptr;
    CompareWindow& compareWindow = *toolWindowState<CompareWindow>(window);
    compareWindow.summary =
        makeChild(app, window, "Static", SS_LEFT | SS_NOPREFIX | SS_PATHELLIPSIS, kMargin, kSummaryHeight, IDC_COMPARE_SUMMARY);
    const int listTop = kMargin + kSummaryHeight + kMargin;
    compareWindow.list = makeChild(app, window, "ListBox", WS_VSCROLL | WS_HSCROLL | WS_TABSTOP | LBS_NOINTEGRALHEIGHT,
                                   listTop, kClientHeight - listTop - kMargin, IDC_COMPARE_LIST);
    ShowWindow(window, SW_SHOW);
    return window;
}

void showDifferences(HWND window, const std::string& path, const std::vector<ConfigurationDifference>& differences) {
    const CompareWindow& compareWindow = *toolWindowState<CompareWindow>(window);
    const std::string summary = compareSummaryText(path, differences.size());
    // The path is UTF-8 and may lie outside the ANSI code page.
    setWindowTextUtf8(compareWindow.summary, summary);
    std::vector<std::string> lines;
    for (const ConfigurationDifference& d : differences) lines.push_back(d.text);
    fillListBoxUtf8(compareWindow.list, lines);
    UpdateWindow(window);
}

bool chooseReportToSave(HWND owner, const std::string& documentName, std::string& path) {
    // No folder check in the chooser: a folder that is missing is reported with the reason when
    // the report is written. No remembered folder either: it starts where the platform puts it.
    const FileChooserRequest request{"HTML page (*.html)\0*.html\0", "*.html", true, OFN_HIDEREADONLY,
                                     kChooserBufferSize, nullptr};
    return chooseExportFile(owner, request, ".html", documentName, path);
}

}  // namespace

void compareWithFile(AppState& app) {
    std::string path;
    if (!app.documentShell->chooseFileToOpen(path)) return;
    ConfigurationSummary other;
    std::string reason;
    if (!summarizeConfigurationFile(path, other, reason)) {
        app.documentShell->showFailure(loadFailureMessage(path, reason));
        return;
    }
    // Told as the way from the chosen file to what is open: what changed since that file.
    const std::vector<ConfigurationDifference> differences = compareConfigurations(other, openConfigurationSummary(app));
    if (HWND window = openCompareWindow(app)) showDifferences(window, path, differences);
}

void exportReport(AppState& app) {
    std::string path;
    if (!chooseReportToSave(app.mainWindow, app.documentName, path)) return;
    ReportContents contents;
    contents.file = app.documentName;
    contents.summary = openConfigurationSummary(app);
    contents.pageImage = currentDisplayImages(app).page;
    contents.findings = reportFindings(app.config, typedVehiclePanelTexts(app.vehiclePanel));
    const std::string reason = writeConfigurationReport(path, buildConfigurationReport(contents));
    if (!reason.empty()) app.documentShell->showFailure(exportFailureMessage(path, reason));
}
