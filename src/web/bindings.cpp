// The web module's binding layer: the web session's commands under JavaScript names, and bytes and
// small records turned into JavaScript values. Nothing is decided here.
#include <emscripten/bind.h>
#include <emscripten/val.h>

#include "document/configuration_check.h"
#include "document/configuration_file.h"
#include "document/recent_files.h"
#include "layout/gauge_catalog.h"
#include "layout/page_arranging.h"
#include "platform/export_path.h"
#include "settings/curve_plot.h"
#include "settings/custom_sensor_curves.h"
#include "settings/number_text.h"
#include "settings/custom_sensor_dialog.h"
#include "settings/custom_sensor_ids.h"
#include "settings/vehicle_fields.h"
#include "settings/warning_setup.h"
#include "layout/page_layout.h"
#include "link/serial_availability.h"
#include "link/upload.h"
#include "link/upload_confirm_text.h"
#include "link/upload_image.h"
#include "platform/serial_port.h"
#include "platform/serial_port_names.h"
#include "web/js_bytes.h"
#include "web/web_session.h"

using emscripten::val;

namespace {

std::string load(WebSession& session, const std::string& name, const val& bytes) {
    return session.load(name, bytesOf(bytes));
}
val saveBytes(WebSession& session) { return arrayOf(session.saveBytes()); }
val pageImage(WebSession& session) { return arrayOf(session.pageImage()); }

val gaugePicture(WebSession& session, int kind, int position) {
    const DarkPixels picture = session.gaugePicture(kind, position);
    val result = val::object();
    result.set("width", picture.width);
    result.set("height", picture.height);
    result.set("dark", arrayOf(picture.dark));
    return result;
}

val marker(const WebSession& session) {
    const PageMarker m = session.marker();
    val result = val::object();
    result.set("ghostShown", m.ghostShown);
    result.set("carrying", m.carrying);
    result.set("fits", m.fits);
    result.set("x", m.x);
    result.set("y", m.y);
    result.set("width", m.width);
    result.set("height", m.height);
    return result;
}

bool pressKey(WebSession& session, const std::string& name) {
    static const std::pair<const char*, PageKey> kKeys[] = {
        {"ArrowLeft", PageKey::left}, {"ArrowRight", PageKey::right}, {"ArrowUp", PageKey::up},
        {"ArrowDown", PageKey::down}, {"Enter", PageKey::place},      {"Delete", PageKey::remove}};
    for (const auto& key : kKeys)
        if (name == key.first) return session.pressKey(key.second);
    return false;
}

// The panel's fields in panel order with what each shows now.
val panelFields(WebSession& session) {
    MemoryForm& panel = session.panel();
    val fields = val::array();
    for (const VehicleField& field : kVehicleFields) {
        val entry = val::object();
        entry.set("id", field.controlId);
        entry.set("label", std::string(field.label));
        entry.set("list", isListField(field));
        if (isListField(field)) {
            const MemoryForm::List& list = panel.lists[field.controlId];
            val items = val::array();
            for (const std::string& item : list.items) items.call<void>("push", item);
            entry.set("items", items);
            entry.set("selection", list.selection);
        } else {
            entry.set("text", panel.texts[field.controlId]);
        }
        fields.call<void>("push", entry);
    }
    return fields;
}

val check(WebSession& session) {
    const std::vector<CheckFinding> findings = session.check();
    val lines = val::array();
    for (const CheckFinding& finding : findings) {
        val entry = val::object();
        entry.set("severity", checkSeverityText(finding.severity));
        entry.set("text", checkFindingLine(finding));
        lines.call<void>("push", entry);
    }
    val result = val::object();
    result.set("summary", checkSummaryText(findings));
    result.set("findings", lines);
    return result;
}

// A form's controls by id as JavaScript values: an edit's text, a list's items and selection, a
// check box's state.
val listOf(MemoryForm& form, int id) {
    const MemoryForm::List& list = form.lists[id];
    val items = val::array();
    for (const std::string& item : list.items) items.call<void>("push", item);
    val result = val::object();
    result.set("items", items);
    result.set("selection", list.selection);
    return result;
}

val curvePoints(WebSession& session) {
    MemoryForm& form = session.curveForm();
    val texts = val::array();
    for (int k = 0; k < kCurvePointCount; ++k) texts.call<void>("push", form.texts[IDC_CURVE_POINT_FIRST + k]);
    return texts;
}

// The plot of the edits in an area of `width` x `height` pixels: each point's pixel and whether
// it reads as typed, and the value axis' labels.
val curvePlot(WebSession& session, int width, int height) {
    const CurvePlot plot = plotCurve(curvePointTexts(session.curveForm()));
    const auto pixels = placeCurvePoints(plot, PlotArea{0, 0, width - 1, height - 1});
    val points = val::array();
    for (int k = 0; k < kCurvePointCount; ++k) {
        val point = val::object();
        point.set("x", pixels[k].x);
        point.set("y", pixels[k].y);
        point.set("asTyped", plot.points[k].asTyped);
        points.call<void>("push", point);
    }
    val result = val::object();
    result.set("points", points);
    result.set("lowest", plot.lowestLabel);
    result.set("highest", plot.highestLabel);
    return result;
}

// The volts of curve point k as the curve's files write them.
std::string curveVolts(int point) { return formatFixed(point * kCurveStepVolts, 0, 5); }

val curveExport(WebSession& session, const std::string& name) {
    std::string content;
    const std::string failure = session.curveExport(name, content);
    val result = val::object();
    result.set("failure", failure);
    result.set("content", content);
    return result;
}

// The 32 warning rows: 8 warnings of 4 rows; each row's controls and what they show.
val warningRows(WebSession& session) {
    MemoryForm& form = session.warningForm();
    val rows = val::array();
    for (int r = 0; r < 32; ++r) {
        const WarningRowControls& controls = warningRowControls(r);
        val row = val::object();
        row.set("pageCheck", controls.pageCheck);
        row.set("checked", form.checks[controls.pageCheck]);
        row.set("parameterList", controls.parameterList);
        row.set("parameter", listOf(form, controls.parameterList));
        row.set("conditionList", controls.conditionList);
        row.set("condition", listOf(form, controls.conditionList));
        row.set("valueEdit", controls.valueEdit);
        row.set("value", form.texts[controls.valueEdit]);
        row.set("unitList", controls.unitList);
        row.set("unit", listOf(form, controls.unitList));
        rows.call<void>("push", row);
    }
    return rows;
}

val compare(WebSession& session, const std::string& name, const val& bytes) {
    std::string summary;
    std::vector<std::string> differences;
    const bool compared = session.compare(name, bytesOf(bytes), summary, differences);
    val lines = val::array();
    for (const std::string& line : differences) lines.call<void>("push", line);
    val result = val::object();
    result.set("compared", compared);
    result.set("summary", summary);
    result.set("differences", lines);
    return result;
}

// The stream "Proceed" sends and its runs, as arrays the upload worker walks: each run's offset,
// length, minimum pause (ms from its first byte) and whether it steps the progress bar.
val uploadPlan(WebSession& session) {
    const UploadPlan plan = session.uploadPlan();
    const std::size_t n = plan.writes.size();
    std::vector<std::uint32_t> offsets(n), lengths(n);
    std::vector<double> pauses(n);
    std::vector<std::uint8_t> steps(n);
    for (std::size_t i = 0; i < n; ++i) {
        offsets[i] = static_cast<std::uint32_t>(plan.writes[i].offset);
        lengths[i] = static_cast<std::uint32_t>(plan.writes[i].length);
        pauses[i] = plan.writes[i].minimumPauseMs;
        steps[i] = plan.writes[i].stepsProgress ? 1 : 0;
    }
    val result = val::object();
    result.set("bytes", arrayOf(plan.bytes));
    result.set("offsets", val::global("Uint32Array").new_(emscripten::typed_memory_view(n, offsets.data())));
    result.set("lengths", val::global("Uint32Array").new_(emscripten::typed_memory_view(n, lengths.data())));
    result.set("pauses", val::global("Float64Array").new_(emscripten::typed_memory_view(n, pauses.data())));
    result.set("steps", arrayOf(steps));
    result.set("progressSteps", plan.progressSteps);
    return result;
}

// The line a link operation opens, in Web Serial's words, with the time a byte takes on it and
// how long a write may take before the port counts as having stopped (as the Windows editor's
// write time-out). The upload asks for odd parity, the firmware update for none.
val serialLine(bool oddParity) {
    const Parity parity = oddParity ? Parity::Odd : Parity::None;
    val line = val::object();
    line.set("baudRate", static_cast<int>(kUploadBaud));
    line.set("dataBits", 8);
    line.set("stopBits", 1);
    line.set("parity", std::string(oddParity ? "odd" : "none"));
    line.set("characterTimeMs", characterTimeMs(kUploadBaud, parity));
    line.set("writeTimeoutMs", static_cast<int>(kWriteTimeoutMs));
    return line;
}

val uploadConfirmTexts() {
    val lines = val::array();
    for (const char* line : kUploadConfirmLines) lines.call<void>("push", std::string(line));
    val texts = val::object();
    texts.set("caption", std::string(kUploadConfirmCaption));
    texts.set("lines", lines);
    texts.set("proceed", std::string(kUploadConfirmProceed));
    texts.set("cancel", std::string(kUploadConfirmCancel));
    texts.set("showProblems", std::string(kUploadConfirmShowProblems));
    return texts;
}

// How an upload ended, from the worker's report: outcome "sent", "not-opened", "stopped" or
// "cancelled", with the bytes the port took of the stream's. Text and caption of its message.
val uploadFailure(const std::string& outcome, double bytesSent, double bytesTotal, const std::string& portName) {
    UploadResult result;
    result.outcome = outcome == "not-opened" ? UploadOutcome::PortNotOpened
                     : outcome == "stopped"  ? UploadOutcome::PortStoppedTaking
                     : outcome == "cancelled" ? UploadOutcome::Cancelled
                                              : UploadOutcome::Sent;
    result.bytesSent = static_cast<std::size_t>(bytesSent);
    result.bytesTotal = static_cast<std::size_t>(bytesTotal);
    val message = val::object();
    message.set("text", uploadFailureMessageNaming(result, portName));
    message.set("caption", uploadFailureCaption(result.outcome));
    return message;
}

val displayPng(WebSession& session) { return arrayOf(session.displayPng()); }

// The recent files' names after one was used or found gone, newest first.
val namesOf(const std::vector<std::string>& names) {
    val result = val::array();
    for (const std::string& name : names) result.call<void>("push", name);
    return result;
}
val withRecent(const val& names, const std::string& name) {
    return namesOf(withRecentFile(emscripten::vecFromJSArray<std::string>(names), name));
}
val withoutRecent(const val& names, const std::string& name) {
    return namesOf(withoutRecentFile(emscripten::vecFromJSArray<std::string>(names), name));
}

val questionOf(const PageQuestion& question) {
    val result = val::object();
    result.set("text", question.text);
    result.set("caption", question.caption);
    return result;
}
val copyQuestion(int from, int to) { return questionOf(copyPageQuestion(from, to)); }
val clearQuestion(int page) { return questionOf(clearPageQuestion(page)); }

// The catalog's and the pages' fixed facts the page lays itself out by.
val catalogKinds() {
    val kinds = val::array();
    for (int kind = 0; kind < kKindCount; ++kind) {
        val gauges = val::array();
        for (int position = 0; position < definitionCount(kind); ++position)
            gauges.call<void>("push", definitionName(kind, position));
        val entry = val::object();
        entry.set("name", kindName(kind));
        entry.set("gauges", gauges);
        kinds.call<void>("push", entry);
    }
    return kinds;
}

val pageGeometry() {
    val pages = val::array();
    for (int page = 0; page < kPageCount; ++page) {
        const PageFrame frame = fixedPageFrame(page);
        val entry = val::object();
        entry.set("x", frame.x);
        entry.set("y", frame.y);
        entry.set("width", frame.width);
        entry.set("height", frame.height);
        pages.call<void>("push", entry);
    }
    val geometry = val::object();
    geometry.set("pages", pages);
    geometry.set("previewScale", kPreviewScale);
    geometry.set("grid", kGhostGrid);
    geometry.set("displayWidth", kPageWidth / kPreviewScale);
    geometry.set("displayHeight", kPageHeight / kPreviewScale);
    geometry.set("imageLineBytes", kImageLineBytes);
    return geometry;
}

}  // namespace

EMSCRIPTEN_BINDINGS(veltrana) {
    emscripten::function("catalogKinds", &catalogKinds);
    emscripten::function("pageGeometry", &pageGeometry);
    emscripten::function("copyPageQuestion", &copyQuestion);
    emscripten::function("curveVolts", &curveVolts);
    emscripten::function("exportPath", &exportPath);
    // No more of a file is ever read: what lies after the current version's last block is unused.
    emscripten::constant("configurationFileBytes", kConfigurationFileBytes);
    emscripten::function("withRecentFile", &withRecent);
    emscripten::function("withoutRecentFile", &withoutRecent);
    emscripten::function("recentFileGoneMessage", &recentFileGoneMessage);
    emscripten::function("clearPageQuestion", &clearQuestion);
    emscripten::constant("createQuestion", std::string(kCreateQuestion));
    emscripten::function("serialLine", &serialLine);
    emscripten::function("serialPortName", &usbSerialPortName);
    emscripten::function("serialUnavailableReason", &serialUnavailableReason);
    emscripten::function("uploadConfirmTexts", &uploadConfirmTexts);
    emscripten::function("uploadFailure", &uploadFailure);
    emscripten::class_<WebSession>("Session")
        .constructor<>()
        .function("create", &WebSession::create)
        .function("load", &load)
        .function("saveBytes", &saveBytes)
        .function("saved", &WebSession::saved)
        .function("name", &WebSession::name)
        .function("modified", &WebSession::modified)
        .function("replaceQuestion", &WebSession::replaceQuestion)
        .function("saveFailure", &WebSession::saveFailure)
        .function("select", &WebSession::select)
        .function("selectedKind", &WebSession::selectedKind)
        .function("selectedGauge", &WebSession::selectedGauge)
        .function("gaugePicture", &gaugePicture)
        .function("pointTo", &WebSession::pointTo)
        .function("pressLeft", &WebSession::pressLeft)
        .function("releaseLeft", &WebSession::releaseLeft)
        .function("pressRight", &WebSession::pressRight)
        .function("pressKey", &pressKey)
        .function("cancelCarry", &WebSession::cancelCarry)
        .function("marker", &marker)
        .function("pageImage", &pageImage)
        .function("undo", &WebSession::undo)
        .function("redo", &WebSession::redo)
        .function("canUndo", &WebSession::canUndo)
        .function("canRedo", &WebSession::canRedo)
        .function("placedCount", &WebSession::placedCount)
        .function("copyGauge", &WebSession::copyGauge)
        .function("cutGauge", &WebSession::cutGauge)
        .function("pasteGauge", &WebSession::pasteGauge)
        .function("copyPage", &WebSession::copyPage)
        .function("clearPage", &WebSession::clearPage)
        .function("gaugeCount", &WebSession::gaugeCount)
        .function("pageUnderGhost", &WebSession::pageUnderGhost)
        .function("panelFields", &panelFields)
        .function("typeInPanel", &WebSession::typeInPanel)
        .function("leavePanelField", &WebSession::leavePanelField)
        .function("chooseInPanel", &WebSession::chooseInPanel)
        .function("check", &check)
        .function("openCurve", &WebSession::openCurve)
        .function("curvePoints", &curvePoints)
        .function("curvePlot", &curvePlot)
        .function("typeCurvePoint", &WebSession::typeCurvePoint)
        .function("curveLine", &WebSession::curveLine)
        .function("curveCopyFrom", &WebSession::curveCopyFrom)
        .function("curveImport", &WebSession::curveImport)
        .function("curveExport", &curveExport)
        .function("curveOk", &WebSession::curveOk)
        .function("openWarnings", &WebSession::openWarnings)
        .function("warningRows", &warningRows)
        .function("chooseInWarnings", &WebSession::chooseInWarnings)
        .function("typeInWarnings", &WebSession::typeInWarnings)
        .function("warningsOk", &WebSession::warningsOk)
        .function("compare", &compare)
        .function("report", &WebSession::report)
        .function("uploadSummary", &WebSession::uploadSummaryLine)
        .function("uploadProblems", &WebSession::uploadProblems)
        .function("uploadPlan", &uploadPlan)
        .function("displayPng", &displayPng);
}
