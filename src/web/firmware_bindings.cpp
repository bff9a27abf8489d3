// The firmware update's part of the binding layer: the file check and its texts, the dialog's
// and the notices' texts, and the exchange's state machine, which the page's
// serial worker drives byte by byte. Nothing is decided here; the page shows and sends what
// these return.
#include <emscripten/bind.h>
#include <emscripten/val.h>

#include "link/firmware_exchange.h"
#include "link/firmware_file_check.h"
#include "link/firmware_texts.h"
#include "link/firmware_update.h"
#include "web/js_bytes.h"

using emscripten::val;

namespace {

const char* verdictName(FirmwareFileVerdict verdict) {
    switch (verdict) {
    case FirmwareFileVerdict::Ready: return "ready";
    case FirmwareFileVerdict::TooLong: return "tooLong";
    case FirmwareFileVerdict::Refused: break;
    }
    return "refused";
}

// The chosen file checked as the Windows editor checks it: the verdict, the message that goes
// with it (the refusal, or the question before a file that is too long), the dialog's lines
// about the file and the image the transfer sends.
val checkFirmware(const std::string& name, const val& bytes) {
    const CheckedFirmwareFile file = checkFirmwareBytes(name, bytesOf(bytes));
    val result = val::object();
    result.set("verdict", std::string(verdictName(file.verdict)));
    result.set("caption", std::string(kFirmwareFileCaption));
    if (file.verdict == FirmwareFileVerdict::Refused) result.set("message", firmwareRefusalMessage(file));
    if (file.verdict == FirmwareFileVerdict::TooLong) result.set("message", firmwareTooLongWarning(file));
    const FirmwareFileSummary summary = summarizeFirmwareFile(file);
    val lines = val::array();
    for (const std::string* line : {&summary.name, &summary.size, &summary.crc}) lines.call<void>("push", *line);
    result.set("summary", lines);
    result.set("image", arrayOf(file.image));
    return result;
}

val firmwareDialog() {
    const FirmwareDialogTexts texts = firmwareDialogTexts();
    val lines = val::array();
    for (const std::string& line : texts.lines) lines.call<void>("push", line);
    val result = val::object();
    result.set("title", texts.title);
    result.set("lines", lines);
    result.set("proceed", texts.proceed);
    result.set("cancel", texts.cancel);
    return result;
}

val noticeOf(int transferResult) {
    const FirmwareNotice notice = firmwareNotice(transferResult);
    val result = val::object();
    result.set("succeeded", notice.succeeded);
    result.set("title", notice.title);
    result.set("text", notice.text);
    result.set("button", notice.button);
    return result;
}

// A step as a JavaScript value: {action: "write", byte}, {action: "read", timeoutMs} or
// {action: "finished", result}.
val stepOf(const FirmwareExchange& exchange, const FirmwareStep& step) {
    val result = val::object();
    switch (step.action) {
    case FirmwareStep::Write:
        result.set("action", std::string("write"));
        result.set("byte", static_cast<int>(step.byte));
        break;
    case FirmwareStep::Read:
        result.set("action", std::string("read"));
        result.set("timeoutMs", kFirmwareReadTimeoutMs);
        break;
    case FirmwareStep::Finished:
        result.set("action", std::string("finished"));
        result.set("result", exchange.result());
        break;
    }
    return result;
}

// The machine under the page's names; every call answers with the next step.
class WebFirmwareExchange {
public:
    explicit WebFirmwareExchange(const val& image) : exchange_(bytesOf(image)) {}
    val start(double nowMs) { return stepOf(exchange_, exchange_.start(nowMs)); }
    val wrote(double nowMs) { return stepOf(exchange_, exchange_.wrote(nowMs)); }
    val arrived(int byte, double nowMs) {
        return stepOf(exchange_, exchange_.arrived(static_cast<std::uint8_t>(byte), nowMs));
    }
    val nothingArrived(double nowMs) { return stepOf(exchange_, exchange_.nothingArrived(nowMs)); }
    int result() const { return exchange_.result(); }
    double bytesSent() const { return static_cast<double>(exchange_.bytesSent()); }
    double imageSize() const { return static_cast<double>(exchange_.imageSize()); }
    int progress() const { return exchange_.progressSteps(); }

private:
    FirmwareExchange exchange_;
};

}  // namespace

EMSCRIPTEN_BINDINGS(veltrana_firmware) {
    emscripten::function("checkFirmware", &checkFirmware);
    emscripten::function("firmwareDialog", &firmwareDialog);
    emscripten::function("firmwareNotice", &noticeOf);
    // The result of a port that cannot be opened, for the notice.
    emscripten::constant("firmwarePortFailed", static_cast<int>(FirmwarePortFailed));
    emscripten::class_<WebFirmwareExchange>("FirmwareExchange")
        .constructor<const val&>()
        .function("start", &WebFirmwareExchange::start)
        .function("wrote", &WebFirmwareExchange::wrote)
        .function("arrived", &WebFirmwareExchange::arrived)
        .function("nothingArrived", &WebFirmwareExchange::nothingArrived)
        .function("result", &WebFirmwareExchange::result)
        .function("bytesSent", &WebFirmwareExchange::bytesSent)
        .function("imageSize", &WebFirmwareExchange::imageSize)
        .function("progress", &WebFirmwareExchange::progress);
}
