#pragma once
// A scripted DocumentShell: the choosers return the queued paths (an empty queue is a cancelled
// chooser), the questions take the queued answers, and everything shown is recorded.
#include <deque>
#include <functional>
#include <string>
#include <vector>

#include "document/document_shell.h"

class FakeDocumentShell : public DocumentShell {
public:
    bool chooseFileToOpen(std::string& path) override { return take(openPaths, path); }
    bool chooseFileToSave(std::string& path) override { return take(savePaths, path); }
    bool askYesNo(const std::string& question, const std::string& caption) override;
    void showFailure(const std::string& message) override { failures.push_back(message); }
    void readEditors() override {
        if (editorTexts) editorTexts();
    }
    void showDocument(bool vehicleChanged) override {
        ++documentsShown;
        if (vehicleChanged) ++panelsFilled;
    }
    void showName() override { ++namesShown; }
    void fileUsed(const std::string& path) override { filesUsed.push_back(path); }
    void showHistory(bool undo, bool redo) override {
        canUndo = undo;
        canRedo = redo;
    }

    std::deque<std::string> openPaths;
    std::deque<std::string> savePaths;
    std::deque<bool> answers;                // Yes is true; a question without one is a fault
    std::vector<std::string> questions;      // "caption: question", in order
    std::vector<std::string> failures;
    std::vector<std::string> filesUsed;      // loaded or saved, in order
    std::function<void()> editorTexts;       // what reading the editors puts into the record
    int documentsShown = 0;
    int panelsFilled = 0;
    int namesShown = 0;
    bool canUndo = false;
    bool canRedo = false;

private:
    static bool take(std::deque<std::string>& queue, std::string& path);
};
