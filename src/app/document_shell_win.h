#pragma once
// The document commands' way to the user: common file choosers, message boxes, and the
// windows that show the document (caption, gauge views, vehicle panel, open settings dialogs,
// the Edit menu).
#include <windows.h>

#include <string>

#include "document/document_commands.h"
#include "document/document_shell.h"

struct AppState;

class Win32DocumentShell : public DocumentShell {
public:
    explicit Win32DocumentShell(AppState& app) : app_(app) {}

    bool chooseFileToOpen(std::string& path) override;
    bool chooseFileToSave(std::string& path) override;
    bool askYesNo(const std::string& question, const std::string& caption) override;
    void showFailure(const std::string& message) override;
    void readEditors() override;
    void showDocument(bool vehicleChanged) override;
    void showName() override;
    void showHistory(bool canUndo, bool canRedo) override;
    void documentChanged() override;
    void fileUsed(const std::string& path) override;

private:
    AppState& app_;
};

// The main window's caption: "Veltrana - <documentName>", shortened in the middle when long.
void updateCaption(AppState& app);
// Every placed gauge's view in line with its record, shown.
void refreshPlacedGauges(AppState& app);

// The firmware file chooser; true with the chosen full path when the user confirms.
bool chooseFirmwareToOpen(HWND owner, std::string& path);
