#include "web/web_session.h"

#include <memory>

#include "document/configuration_check.h"
#include "document/configuration_compare.h"
#include "document/configuration_file.h"
#include "document/document_name.h"
#include "layout/bitmap_ids.h"
#include "link/upload_image.h"
#include "link/upload_preparation.h"
#include "link/upload_summary.h"
#include "report/configuration_report.h"
#include "report/display_picture.h"
#include "report/png_writer.h"
#include "report/report_findings.h"
#include "settings/curve_csv.h"
#include "settings/custom_sensor_curves.h"
#include "settings/custom_sensor_dialog.h"
#include "settings/custom_sensor_ids.h"
#include "settings/vehicle_panel.h"

namespace {

// The selectors' lists on their own form; only the two of them live there.
constexpr int kKindList = 1;
constexpr int kGaugeList = 2;

}  // namespace

WebSession::WebSession() {
    // As the editor starts: the pages, the panel, the catalog and the first ghost, then the
    // start-up curves, and the history from there.
    name_ = kDefaultDocumentName;
    profiles_ = defaultEngineUnitProfiles();
    resetPages(config_.layout, config_.directory);
    setUpVehiclePanel(panel_, config_.vehicle);
    catalog_ = loadCatalog(*this);
    for (int kind = 0; kind < kKindCount; ++kind) selectors_.addListItem(kKindList, kindName(kind));
    selectors_.selectListItem(kKindList, 0);
    selectKind(editing_, catalog_, *this, GaugeSelectors{selectors_, kKindList, kGaugeList});
    config_.curves = startupCustomSensorCurves();
    startHistory(document());
    savedBytes_ = documentBytes(document());
}

Document WebSession::document() {
    return Document{config_, name_, history_, catalog_, *this, *this};
}

void WebSession::readEditors() { readVehiclePanel(panel_, config_.vehicle, profiles_); }

void WebSession::showDocument(bool vehicleChanged) {
    if (vehicleChanged) fillVehiclePanel(panel_, config_.vehicle);
}

ViewHandle WebSession::createView(int, int, int, int) {
    shown_[++lastView_] = true;
    return lastView_;
}

std::string WebSession::load(const std::string& name, const std::vector<std::uint8_t>& bytes) {
    failure_.clear();
    cancelCarry();
    if (!loadDocumentBytes(document(), name, bytes)) return failure_;
    // As the panel reads back what it shows, which is what a save would write.
    readEditors();
    savedBytes_ = documentBytes(document());
    return "";
}

void WebSession::create() {
    cancelCarry();
    createDocument(document());
}

std::vector<std::uint8_t> WebSession::saveBytes() {
    readEditors();
    return documentBytes(document());
}

void WebSession::saved(const std::string& name) {
    name_ = withConfigurationExtension(name);
    savedBytes_ = documentBytes(document());
}

bool WebSession::modified() {
    readEditors();
    return documentBytes(document()) != savedBytes_;
}

std::string WebSession::replaceQuestion() const {
    return "\"" + name_ + "\" has changes that are not saved. Open another file all the same?";
}

std::string WebSession::saveFailure(const std::string& name, const std::string& reason) const {
    return saveFailureMessage(name, reason);
}

void WebSession::select(int kind, int position) {
    cancelCarry();  // the new ghost is the selection's, not a carried gauge's
    const GaugeSelectors selectors{selectors_, kKindList, kGaugeList};
    if (kind != editing_.selectedKind) {
        selectors_.selectListItem(kKindList, kind);
        selectKind(editing_, catalog_, *this, selectors);
    }
    if (position != editing_.selectedGauge) {
        selectors_.selectListItem(kGaugeList, position);
        selectGauge(editing_, catalog_, *this, selectors);
    }
}

DarkPixels WebSession::gaugePicture(int kind, int position) {
    DarkPixels picture;
    const CatalogEntry* entry = catalogEntry(catalog_, kind, position);
    const PixelImage* image = entry ? bitmaps_.pixels(entry->bitmap) : nullptr;
    if (!image) return picture;
    picture.width = image->width;
    picture.height = image->height;
    picture.dark.reserve(image->pixels.size());
    for (std::uint32_t colour : image->pixels) picture.dark.push_back(isDarkPixel(colour) ? 1 : 0);
    return picture;
}

void WebSession::pointTo(int x, int y) {
    auto mouse = [](int v) { return static_cast<std::uint16_t>(v < 0 ? 0 : v > 0xFFFF ? 0xFFFF : v); };
    moveGhost(editing_, config_.directory, *this, mouse(x), mouse(y));
    // While a gauge is carried the outline stands in for the ghost.
    if (carry_.active && editing_.ghost.window != 0) showView(editing_.ghost.window, false);
}

bool WebSession::pressLeft() {
    if (carry_.active) return pressKey(PageKey::place);  // carried from the keyboard: put down
    if (pickUpGauge(carry_, editing_, config_.layout, config_.directory, *this, true)) return false;
    placeGhost(editing_, config_.layout, config_.directory, catalog_, *this);
    recordDocumentEdit();
    return true;
}

bool WebSession::releaseLeft(bool inside) {
    if (!carry_.active || !carry_.byMouse) return false;
    if (!inside) {
        cancelCarry();
        return false;
    }
    const bool moved = putDownGauge(carry_, editing_, config_.layout, config_.directory, *this);
    if (moved) recordDocumentEdit();
    return moved;
}

bool WebSession::pressRight() {
    cancelCarry();
    removeGaugeAtGhost(editing_, config_.layout, config_.directory, *this);
    recordDocumentEdit();
    return true;
}

bool WebSession::pressKey(PageKey key) {
    if (key == PageKey::place) {
        const bool changed = pressEnterOnPages(carry_, editing_, config_.layout, config_.directory,
                                               catalog_, *this);
        if (!carry_.active && changed) recordDocumentEdit();
        return changed;
    }
    if (key == PageKey::remove && carry_.active) return false;
    pressPageKey(editing_, config_.layout, config_.directory, catalog_, *this, key);
    if (carry_.active && editing_.ghost.window != 0) showView(editing_.ghost.window, false);
    if (key == PageKey::remove) recordDocumentEdit();
    return key == PageKey::remove;
}

bool WebSession::cancelCarry() {
    if (!carry_.active) return false;
    ::cancelCarry(carry_, editing_, *this);
    return true;
}

PageMarker WebSession::marker() const {
    PageMarker marker;
    if (carry_.active) {
        const CarryOutline outline = carryOutline(carry_, editing_, config_.layout, config_.directory);
        marker.carrying = true;
        marker.fits = outline.fits;
        marker.x = outline.x;
        marker.y = outline.y;
        marker.width = outline.width;
        marker.height = outline.height;
        return marker;
    }
    const GaugePlacement& ghost = editing_.ghost;
    const auto shown = shown_.find(ghost.window);
    marker.ghostShown = shown != shown_.end() && shown->second;
    marker.x = ghost.previewX;
    marker.y = ghost.previewY;
    marker.width = viewLength(ghost.displayWidth);
    marker.height = viewLength(ghost.displayHeight);
    return marker;
}

bool WebSession::copyGauge() {
    return copyGaugeAtGhost(editing_, config_.layout, config_.directory, catalog_, *this,
                            GaugeSelectors{selectors_, kKindList, kGaugeList});
}

bool WebSession::cutGauge() {
    cancelCarry();
    const bool cut = cutGaugeAtGhost(editing_, config_.layout, config_.directory, catalog_, *this,
                                     GaugeSelectors{selectors_, kKindList, kGaugeList});
    if (cut) recordDocumentEdit();
    return cut;
}

bool WebSession::pasteGauge() {
    cancelCarry();
    ::pasteGauge(editing_, config_.layout, config_.directory, catalog_, *this,
                 GaugeSelectors{selectors_, kKindList, kGaugeList});
    recordDocumentEdit();
    return true;
}

bool WebSession::copyPage(int from, int to) {
    cancelCarry();
    if (!::copyPage(config_.layout, config_.directory, *this, from, to)) return false;
    recordDocumentEdit();
    return true;
}

bool WebSession::clearPage(int page) {
    cancelCarry();
    if (page < 0 || page >= kPageCount || gaugeCount(page) == 0) return false;
    ::clearPage(config_.layout, config_.directory, *this, page);
    recordDocumentEdit();
    return true;
}

int WebSession::pageUnderGhost() const {
    const std::optional<int> page = pageAt(config_.directory, editing_.ghost.previewX, editing_.ghost.previewY);
    return page ? *page : 0;
}

void WebSession::typeInPanel(int controlId, const std::string& text) {
    panel_.setText(controlId, text);
    onVehiclePanelCommand(panel_, controlId, config_.vehicle, profiles_);
}

void WebSession::leavePanelField(int controlId) {
    onVehiclePanelCommand(panel_, controlId, config_.vehicle, profiles_);
    recordDocumentEdit();
}

void WebSession::chooseInPanel(int controlId, int position) {
    panel_.selectListItem(controlId, position);
    onVehiclePanelCommand(panel_, controlId, config_.vehicle, profiles_);
    recordDocumentEdit();
}

void WebSession::openCurve(int sensor) {
    curveForm_ = MemoryForm{};
    curveFilled_ = FilledCurvePoints{};
    curveSensor_ = sensor;
    fillCustomSensorDialog(curveForm_, curveFilled_, config_.curves, sensor);
}

void WebSession::typeCurvePoint(int point, const std::string& text) {
    curveForm_.setText(IDC_CURVE_POINT_FIRST + point, text);
}

void WebSession::curveLine(const std::string& at0V, const std::string& at5V) {
    fillCurveLine(curveForm_, curveFilled_, at0V, at5V);
}

void WebSession::curveCopyFrom(int sensor) { fillCustomSensorDialog(curveForm_, curveFilled_, config_.curves, sensor); }

std::string WebSession::curveImport(const std::string& name, const std::string& content) {
    return importCurveText(curveForm_, curveFilled_, name, content);
}

std::string WebSession::curveExport(const std::string& name, std::string& content) {
    std::string reason;
    CurvePointsKept kept{};
    const CurvePointTexts texts = exportedCurveTexts(curveForm_, curveFilled_, kept);
    if (formatCurveCsv(texts, content, reason, kept)) return "";
    return curveExportMessage(name, reason);
}

void WebSession::curveOk() {
    // OK is command 1 of the dialog.
    customSensorCommand(curveForm_, curveFilled_, config_.curves, curveSensor_, 1);
    recordDocumentEdit();
}

WarningSetupContext WebSession::warningContext() {
    return WarningSetupContext{config_.warnings, config_.layout, config_.directory, profiles_.profiles[0]};
}

void WebSession::openWarnings() {
    warningForm_ = MemoryForm{};
    openWarningSetupForm(warningForm_, warningContext());
}

void WebSession::chooseInWarnings(int controlId, int position) {
    warningForm_.selectListItem(controlId, position);
    constexpr int kSelectionChange = 1;  // a list's selection changed
    warningSetupCommand(warningForm_, warningContext(), controlId, kSelectionChange);
}

void WebSession::typeInWarnings(int controlId, const std::string& text) { warningForm_.setText(controlId, text); }

void WebSession::warningsOk() {
    warningSetupCommand(warningForm_, warningContext(), 1, 0);
    recordDocumentEdit();
}

std::vector<CheckFinding> WebSession::check() {
    readEditors();
    return checkConfiguration(config_, typedVehiclePanelTexts(panel_));
}

ConfigurationSummary WebSession::openSummary() {
    readEditors();
    return summarizeConfiguration(config_, savedPanelTexts(config_.vehicle), profiles_.profiles[0], kVersionCurrent);
}

bool WebSession::compare(const std::string& name, const std::vector<std::uint8_t>& bytes, std::string& summary,
                         std::vector<std::string>& differences) {
    auto other = std::make_unique<ConfigurationSummary>();
    std::string reason;
    if (!summarizeConfigurationBytes(bytes, *other, reason)) {
        summary = loadFailureMessage(name, reason);
        return false;
    }
    // Told as the way from the chosen file to what is open: what changed since that file.
    const std::vector<ConfigurationDifference> found = compareConfigurations(*other, openSummary());
    summary = compareSummaryText(name, found.size());
    for (const ConfigurationDifference& difference : found) differences.push_back(difference.text);
    return true;
}

std::string WebSession::report() {
    auto contents = std::make_unique<ReportContents>();
    contents->file = name_;
    contents->summary = openSummary();
    contents->pageImage = pageImage();
    contents->findings = reportFindings(config_, typedVehiclePanelTexts(panel_));
    return buildConfigurationReport(*contents);
}

std::string WebSession::uploadSummaryLine() {
    readEditors();
    const std::vector<std::uint8_t> font = buildFontImage(bitmaps_.pixels(IDB_CHARACTER_SET));
    return uploadSummary(config_, profiles_, pageImage(), font);
}

std::string WebSession::uploadProblems() {
    const int problems = problemCount(check());
    return problems > 0 ? problemsFoundText(problems) : "";
}

UploadPlan WebSession::uploadPlan() {
    // In the Windows editor's order: the images, the panel read back, the stream.
    const std::vector<std::uint8_t> font = buildFontImage(bitmaps_.pixels(IDB_CHARACTER_SET));
    const std::vector<std::uint8_t> page = pageImage();
    readEditors();
    const UploadStream stream = prepareUploadStream(config_, profiles_, page, font);
    UploadPlan plan;
    plan.bytes = flattenStream(stream);
    plan.writes = pacedWrites(stream);
    plan.progressSteps = progressStepCount(stream);
    return plan;
}

std::vector<std::uint8_t> WebSession::displayPng() {
    return encodeGreyPng(kDisplayPictureWidth, kDisplayPictureHeight, displayPictureGrey(pageImage()));
}

std::vector<std::uint8_t> WebSession::pageImage() {
    return buildPageImage(config_.layout, config_.directory, bitmaps_);
}

bool WebSession::undo() {
    if (!history_.canUndo()) return false;
    cancelCarry();
    undoEdit(document());
    return true;
}

bool WebSession::redo() {
    if (!history_.canRedo()) return false;
    cancelCarry();
    redoEdit(document());
    return true;
}

int WebSession::placedCount() const {
    int count = 0;
    for (const PageFrame& frame : config_.directory.pages) count += usedSlotCount(frame);
    return count;
}

void WebSession::recordDocumentEdit() { recordEdit(document()); }

