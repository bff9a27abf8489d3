#pragma once
// What the document's commands need from the window system: the file choosers, the yes/no
// questions and failure messages, and telling the windows that the document changed. The
// Win32 shell implements it; tests use a scripted fake.
#include <string>

class DocumentShell {
public:
    virtual ~DocumentShell() = default;

    // The choosers of a configuration file; true with the chosen path when the user confirms.
    virtual bool chooseFileToOpen(std::string& path) = 0;
    virtual bool chooseFileToSave(std::string& path) = 0;
    // A question with Yes and No; true for Yes.
    virtual bool askYesNo(const std::string& question, const std::string& caption) = 0;
    virtual void showFailure(const std::string& message) = 0;

    // The editors' texts into the configuration (the vehicle panel, before a save).
    virtual void readEditors() = 0;
    // The configuration changed underneath the windows: views, caption, open dialogs, and the
    // vehicle panel when `vehicleChanged`.
    virtual void showDocument(bool vehicleChanged) = 0;
    // The document name changed: the caption.
    virtual void showName() = 0;
    // Whether Undo and Redo have a step to take (their menu items).
    virtual void showHistory(bool canUndo, bool canRedo) = 0;
    // The document changed (an edit, an undo or redo, a Load, a Create): once after each, when
    // the record is final, so that every window showing the document can follow.
    virtual void documentChanged() {}
    // A file was loaded from or saved to `path` (the recent files list).
    virtual void fileUsed(const std::string& /*path*/) {}
};
