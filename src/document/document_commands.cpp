#include "document/document_commands.h"

#include "document/configuration_file.h"
#include "document/document_name.h"
#include "document/document_shell.h"

namespace {

// After every step, undo, redo, Load and Create: the Edit menu and every window that shows the
// document.
void documentChanged(const Document& d) {
    d.shell.showHistory(d.history.canUndo(), d.history.canRedo());
    d.shell.documentChanged();
}

// Writes the configuration to `path`; the document takes the name only once the file is whole,
// so a failed save leaves both the old file and the name as they were.
bool saveTo(const Document& d, const std::string& path) {
    d.shell.readEditors();
    const SaveResult result = saveConfiguration(path, d.config);
    if (!result.saved) {
        d.shell.showFailure(saveFailureMessage(path, result.reason));
        return false;
    }
    d.name = path;
    d.shell.showName();
    d.shell.fileUsed(path);
    return true;
}

// Puts back the state of an undo or redo, as a Load of the kept bytes would.
void restore(const Document& d, const RestoredState& state) {
    if (state.configuration == nullptr) return;
    const ParsedConfigurationFile parsed = parseConfigurationFile(*state.configuration);
    if (!parsed.accepted) return;  // our own bytes: always accepted
    applyLoadedConfiguration(parsed.blocks, d.config, d.catalog, d.views);
    if (state.name != nullptr) d.name = *state.name;
    d.shell.showDocument(true);
    d.shell.showName();
}

// Edits that ended without a step of their own (a field still being typed in) become a step
// before a command that takes one, so that undoing the command brings them back.
void recordPendingEdit(const Document& d) {
    d.shell.readEditors();
    recordEdit(d);
}

}  // namespace

ConfigurationBytes documentBytes(const Document& document) {
    return encodeConfiguration(document.config);
}

void startHistory(const Document& document) {
    document.shell.readEditors();
    document.history.start(documentBytes(document));
    documentChanged(document);
}

void recordEdit(const Document& document) {
    if (document.history.record(documentBytes(document))) documentChanged(document);
}

void createDocument(const Document& d) {
    if (!d.shell.askYesNo(kCreateQuestion, kCreateCaption))
        return;
    recordPendingEdit(d);
    const std::string before = d.name;
    d.name = kDefaultDocumentName;
    d.shell.showDocument(false);
    d.shell.showName();
    if (d.history.recordRename(documentBytes(d), before, d.name)) documentChanged(d);
}

void loadDocument(const Document& d) {
    std::string path;
    if (!d.shell.chooseFileToOpen(path)) return;
    loadDocumentFrom(d, path);
}

namespace {

// Load once the file is chosen: `read` loads it into the configuration or says why not.
template <typename Read>
bool loadDocumentWith(const Document& d, const std::string& path, Read read) {
    recordPendingEdit(d);
    const std::string before = d.name;
    const LoadResult result = read();
    if (!result.loaded) {
        d.shell.showFailure(loadFailureMessage(path, result.reason));
        return false;
    }
    d.name = path;
    d.shell.showName();
    d.shell.showDocument(result.vehicleLoaded);
    if (d.history.recordRename(documentBytes(d), before, d.name)) documentChanged(d);
    d.shell.fileUsed(path);
    return true;
}

}  // namespace

bool loadDocumentFrom(const Document& d, const std::string& path) {
    return loadDocumentWith(d, path, [&] { return loadConfiguration(path, d.config, d.catalog, d.views); });
}

bool loadDocumentBytes(const Document& d, const std::string& name, const std::vector<std::uint8_t>& bytes) {
    return loadDocumentWith(d, name, [&] { return loadConfigurationBytes(bytes, d.config, d.catalog, d.views); });
}

bool saveDocument(const Document& d) {
    if (isUntitled(d.name)) return saveDocumentAs(d);
    return saveTo(d, withConfigurationExtension(d.name));
}

bool saveDocumentAs(const Document& d) {
    std::string path;
    if (!d.shell.chooseFileToSave(path)) return false;
    return saveTo(d, withConfigurationExtension(path));
}

void undoEdit(const Document& d) {
    recordPendingEdit(d);
    restore(d, d.history.undo(d.name));
    documentChanged(d);
}

void redoEdit(const Document& d) {
    // A value typed since the undo is a new step, which leaves nothing to redo: it stays.
    recordPendingEdit(d);
    restore(d, d.history.redo(d.name));
    documentChanged(d);
}

bool confirmExit(const Document& d) {
    if (!d.shell.askYesNo("Do you wish to save before exit?", "Save?")) return true;
    return saveDocument(d);
}
