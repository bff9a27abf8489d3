#pragma once
// The document's commands: Create, Load, Save, Save as, Undo, Redo, the steps that edits take,
// and the exit sequence. They work on the program's configuration and name through the shell's
// choosers and questions, so every route runs in tests on fakes.
#include <cstdint>
#include <string>
#include <vector>

#include "document/configuration.h"
#include "document/edit_history.h"

class DocumentShell;
class ViewHost;
struct GaugeCatalog;

// The parts of the program that the commands work on; the shell owns them all.
struct Document {
    Configuration& config;
    std::string& name;
    EditHistory& history;
    const GaugeCatalog& catalog;
    ViewHost& views;
    DocumentShell& shell;
};

// The configuration's bytes as the file holds them: what the steps compare and keep.
ConfigurationBytes documentBytes(const Document& document);

// Starts the history at the document as the editors show it (the program's start).
void startHistory(const Document& document);
// An edit has ended (a gauge placed or removed, a panel field left, a dialog's OK): a step when
// the configuration changed since the last one.
void recordEdit(const Document& document);

// "Create a configuration": after a Yes to this question, forgets the name; what is on screen
// stays, and the next save asks where to write it.
inline constexpr const char* kCreateQuestion = "Are you sure you wish to create a new file?";
inline constexpr const char* kCreateCaption = "Create new file?";
void createDocument(const Document& document);
// "Load an existing configuration": a file that cannot be read or is refused changes nothing,
// takes no step and is reported by name and reason.
void loadDocument(const Document& document);
// Loads `path` as Load does once a file is chosen (the command line, a dropped file, a recent
// file): one step, or the Load message and nothing changed. True when it was loaded.
bool loadDocumentFrom(const Document& document, const std::string& path);
// The same for a file's contents read elsewhere (a browser's chosen or dropped file); `name`
// becomes the document's name and is the one the Load message gives.
bool loadDocumentBytes(const Document& document, const std::string& name,
                       const std::vector<std::uint8_t>& bytes);
// "Save confuguration": untitled documents go through Save as. True when the file was written.
bool saveDocument(const Document& document);
// "Save configuration as": the chosen name with ".vtl" added when it lacks it.
bool saveDocumentAs(const Document& document);
// Undo and Redo; nothing happens when there is no step.
void undoEdit(const Document& document);
void redoEdit(const Document& document);
// The save prompt at exit, and when Windows asks whether the session may end (log-off,
// shut-down). True when the program is to end: No, or Yes and the save happened. A cancelled
// chooser or a failed save keeps the program open with the work unsaved.
bool confirmExit(const Document& document);
