#pragma once
// The editor's state for the web page: the configuration with its name and undo steps, the
// catalog over the built-in bitmaps, the gauge selection with its ghost and a carried gauge, and
// the vehicle panel as an in-memory form. Every command runs the function the Windows editor's
// shell calls for it, in the same order, so the page edits, refuses and saves as the editor does.
// Positions are preview pixels (page_layout.h); the page turns its own pixels into them.
#include <cstdint>
#include <map>
#include <string>
#include <vector>

#include "document/check_finding.h"
#include "document/configuration.h"
#include "document/configuration_summary.h"
#include "document/document_commands.h"
#include "document/document_shell.h"
#include "document/edit_history.h"
#include "layout/built_in_bitmaps.h"
#include "layout/gauge_catalog.h"
#include "layout/page_arranging.h"
#include "layout/page_editing.h"
#include "link/upload_stream.h"
#include "platform/memory_form.h"
#include "platform/view_host.h"
#include "profiles/engine_unit_profiles.h"
#include "settings/filled_curve_points.h"
#include "settings/warning_setup.h"

// What "Proceed" sends, as the Windows editor builds it for the same document: the stream's
// bytes and the runs the sender hands to the port, each with its minimum pause.
struct UploadPlan {
    std::vector<std::uint8_t> bytes;
    std::vector<PacedWrite> writes;
    int progressSteps = 0;
};

// The ghost or the carried gauge's outline as the page draws it over the previews.
struct PageMarker {
    bool ghostShown = false;  // the selected gauge at the pointer
    bool carrying = false;    // a placed gauge is carried; the outline below is its target
    bool fits = false;        // the carried gauge would fit at the outline
    int x = 0;                // preview pixels
    int y = 0;
    int width = 0;
    int height = 0;
};

// A picture in display pixels, one byte a pixel: 1 dark, 0 light (as the display shows it).
struct DarkPixels {
    int width = 0;
    int height = 0;
    std::vector<std::uint8_t> dark;
};

class WebSession : private DocumentShell, private ViewHost {
public:
    WebSession();
    WebSession(const WebSession&) = delete;
    WebSession& operator=(const WebSession&) = delete;

    // Load with the file's contents: "" when loaded (one undo step), else the Load message with
    // the file's name and the reason, and nothing changed.
    std::string load(const std::string& name, const std::vector<std::uint8_t>& bytes);
    // "Create a configuration" once the page has asked: the default name, the contents kept,
    // one undo step.
    void create();
    // What Save writes: the panel read back, then the file's bytes.
    std::vector<std::uint8_t> saveBytes();
    // The bytes were written under `name`: the document takes the name and counts as saved.
    void saved(const std::string& name);
    const std::string& name() const { return name_; }
    // Whether the document differs from what was last loaded, saved or started with.
    bool modified();
    // The question before a modified document is replaced by an opened one.
    std::string replaceQuestion() const;
    // The message when the browser could not write the file.
    std::string saveFailure(const std::string& name, const std::string& reason) const;

    // The selectors: a kind, then one of its entries; the ghost becomes that gauge.
    void select(int kind, int position);
    int selectedKind() const { return editing_.selectedKind; }
    int selectedGauge() const { return editing_.selectedGauge; }
    // A catalog entry's bitmap as the display shows it; empty when there is none.
    DarkPixels gaugePicture(int kind, int position);

    // The pointer moved to preview point (x, y): the ghost follows on the grid, a carried
    // gauge's outline with it.
    void pointTo(int x, int y);
    // The left button went down: on a placed gauge it is picked up, elsewhere the ghost is
    // placed where it fits. True when the layout may have changed.
    bool pressLeft();
    // The left button came up: a gauge carried by the pointer goes down where it fits; `inside`
    // false (released off the pages' area) puts it back.
    bool releaseLeft(bool inside);
    // The right button: removes the gauge under the ghost.
    bool pressRight();
    // The arrows move the ghost (or carry) one grid step; Enter places, picks up or puts down;
    // Delete removes. Returns whether the layout may have changed.
    bool pressKey(PageKey key);
    // Esc: a carried gauge goes back; false when none was carried.
    bool cancelCarry();
    PageMarker marker() const;

    // Copy, Cut and Paste on the gauge under the ghost; Cut and Paste are a step each.
    bool copyGauge();
    bool cutGauge();
    bool pasteGauge();
    // "Copy Page To..." and "Clear Page...": one step each. The page asks the question first
    // (copyPageQuestion / clearPageQuestion) where the Windows editor asks it.
    bool copyPage(int from, int to);
    bool clearPage(int page);
    int gaugeCount(int page) const { return usedSlotCount(config_.directory.pages[page]); }
    // The page the ghost stands on, page 1 elsewhere: the page commands' first choice.
    int pageUnderGhost() const;

    // The vehicle panel: its fields in panel order, and the edits a user makes in it. Typing
    // reads the panel back as the Windows panel does at every change; leaving a changed field
    // and choosing in a list are a step.
    MemoryForm& panel() { return panel_; }
    void typeInPanel(int controlId, const std::string& text);
    void leavePanelField(int controlId);
    void chooseInPanel(int controlId, int position);

    // "Setup Custom Sensor": the 33 point edits of one sensor's curve, filled as the dialog
    // opens. Line and Copy from change only the edits; Import refuses a CSV that does not fit
    // with the editor's message (returned; "" when imported); OK stores the curve as one step.
    void openCurve(int sensor);
    MemoryForm& curveForm() { return curveForm_; }
    void typeCurvePoint(int point, const std::string& text);
    void curveLine(const std::string& at0V, const std::string& at5V);
    void curveCopyFrom(int sensor);
    std::string curveImport(const std::string& name, const std::string& content);
    // The CSV of the edits in `content` (""), else the editor's message why a file `name`
    // cannot be written.
    std::string curveExport(const std::string& name, std::string& content);
    void curveOk();

    // "Setup Warnings": the 32 rows, filled as the dialog opens; a parameter or condition chosen
    // refreshes the pages and units as in the editor; OK stores the rows as one step.
    void openWarnings();
    MemoryForm& warningForm() { return warningForm_; }
    void chooseInWarnings(int controlId, int position);
    void typeInWarnings(int controlId, const std::string& text);
    void warningsOk();

    // The configuration check of the document as it stands, the panel's texts as typed.
    std::vector<CheckFinding> check();

    // "Compare with...": what changed from the file's bytes to the open configuration, with the
    // line over them in `summary`; false with the Load message in `summary` for a refused file.
    bool compare(const std::string& name, const std::vector<std::uint8_t>& bytes, std::string& summary,
                 std::vector<std::string>& differences);
    // "Export Report...": the HTML page for the open configuration.
    std::string report();
    // "Preview Display": what an upload would send, in one line.
    std::string uploadSummaryLine();
    // "Upload Gauge Configuration": the confirm dialog's problem line ("" without problems), and
    // the stream "Proceed" sends, built as the Windows editor builds it (the panel read back, the
    // warnings' pages worked out anew, the page and font images).
    std::string uploadProblems();
    UploadPlan uploadPlan();
    // "Export Display Image...": the four pages as the display shows them, as PNG bytes.
    std::vector<std::uint8_t> displayPng();

    // The four pages as the display shows them: the page image of an upload (7680 bytes).
    std::vector<std::uint8_t> pageImage();

    bool undo();
    bool redo();
    bool canUndo() const { return history_.canUndo(); }
    bool canRedo() const { return history_.canRedo(); }
    int placedCount() const;

private:
    Document document();
    // The open configuration as it would be saved: the panel read back, its texts as it shows
    // the values it read.
    ConfigurationSummary openSummary();
    WarningSetupContext warningContext();
    void recordDocumentEdit();

    // DocumentShell: the page asks its own questions and shows its own messages, so the
    // choosers are never reached; a failure is kept for the caller.
    bool chooseFileToOpen(std::string&) override { return false; }
    bool chooseFileToSave(std::string&) override { return false; }
    bool askYesNo(const std::string&, const std::string&) override { return true; }
    void showFailure(const std::string& message) override { failure_ = message; }
    void readEditors() override;
    void showDocument(bool vehicleChanged) override;
    void showName() override {}
    void showHistory(bool, bool) override {}

    // ViewHost: the page draws from the records, so a view is only whether it shows.
    LoadedBitmap loadBitmap(std::uint32_t resourceId) override { return bitmaps_.load(resourceId); }
    ViewHandle createView(int, int, int, int) override;
    void setBitmap(ViewHandle, BitmapHandle) override {}
    void moveView(ViewHandle, int, int, int, int) override {}
    void showView(ViewHandle view, bool visible) override { shown_[view] = visible; }
    void destroyView(ViewHandle view) override { shown_.erase(view); }

    BuiltInBitmaps bitmaps_;
    Configuration config_;
    EngineUnitProfiles profiles_;
    GaugeCatalog catalog_;
    MemoryForm selectors_;  // the kind and gauge lists
    MemoryForm panel_;      // the vehicle panel
    MemoryForm curveForm_;  // the open "Setup Custom Sensor"
    FilledCurvePoints curveFilled_{};  // what the program wrote into its edits, and the values behind it
    int curveSensor_ = 0;
    MemoryForm warningForm_;  // the open "Setup Warnings"
    EditHistory history_;
    EditingState editing_;
    GaugeCarry carry_;
    std::string name_;
    std::string failure_;
    ConfigurationBytes savedBytes_;
    std::map<ViewHandle, bool> shown_;
    ViewHandle lastView_ = 0;
};
