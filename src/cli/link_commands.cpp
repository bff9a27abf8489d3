// upload and flash: the commands that talk to the display over a serial device.
#include <signal.h>

#include <cerrno>
#include <cstring>
#include <memory>
#include <ostream>

#include "cli/arguments.h"
#include "cli/commands.h"
#include "cli/editor_session.h"
#include "cli/terminal_progress.h"
#include "link/firmware_file_check.h"
#include "link/firmware_update.h"
#include "link/upload.h"
#include "platform/clock_posix.h"
#include "platform/serial_port_posix.h"

namespace {

volatile sig_atomic_t interrupted = 0;

void onInterrupt(int) { interrupted = 1; }

// Without SA_RESTART, so Ctrl-C also ends a wait of the port that is under way.
void catchInterrupt() {
    struct sigaction action {};
    action.sa_handler = onInterrupt;
    sigemptyset(&action.sa_mask);
    sigaction(SIGINT, &action, nullptr);
}

// The device at a fixed path, which stops taking and bringing bytes once Ctrl-C is pressed, and
// keeps the step that failed and the system's reason when it does not open.
class DevicePort : public SerialPort {
public:
    explicit DevicePort(const std::string& device) : port_(asPattern(device)) {}
    int openPort(int, std::uint32_t baud, Parity parity) override {
        openResult = port_.openPort(0, baud, parity);
        openError = errno;
        return openResult;
    }
    void closePort() override { port_.closePort(); }
    bool writeByte(std::uint8_t value) override { return !interrupted && port_.writeByte(value); }
    bool drainOutput() override { return !interrupted && port_.drainOutput(); }
    int readBytes(std::uint8_t* buffer, int count) override {
        return interrupted ? 0 : port_.readBytes(buffer, count);
    }
    int openResult = PortOpened;
    int openError = 0;

private:
    // The port names its device by a printf pattern; a path is one without conversions.
    static std::string asPattern(const std::string& device) {
        std::string pattern;
        for (char c : device) pattern += c == '%' ? std::string("%%") : std::string(1, c);
        return pattern;
    }
    PosixSerialPort port_;
};

std::string openFailure(int openResult, int error) {
    std::string what;
    switch (openResult) {
        case PortCannotOpen: what = "cannot be opened"; break;
        case PortCannotGetState: what = "its line settings cannot be read"; break;
        case PortCannotSetState: what = "38400 baud, 8 data bits, 1 stop bit cannot be set"; break;
        default: what = "cannot be set up"; break;
    }
    return error ? what + " (" + std::strerror(error) + ")" : what;
}

int interruptedStatus(std::ostream& err, const char* what, std::size_t sent, std::size_t total) {
    err << "veltrana-cli: " << what << " stopped by Ctrl-C after " << sent << " of " << total
        << " bytes; the port is closed\n";
    return ExitInterrupted;
}

}  // namespace

int runUploadCommand(const Invocation& invocation, std::ostream& out, std::ostream& err) {
    const std::string& path = invocation.files[0];
    const std::string device = invocation.value("--port");
    auto session = std::make_unique<EditorSession>();
    if (!loadForCommand(*session, path, err)) return ExitBadInput;
    const UploadStream stream = session->buildUpload();

    catchInterrupt();
    DevicePort port(device);
    PosixClock clock;
    UploadResult result;
    {
        TerminalProgress progress(stderr, "upload");
        result = runUpload(stream, 0, port, clock, progress);
    }
    if (interrupted) return interruptedStatus(err, "upload", result.bytesSent, result.bytesTotal);
    switch (result.outcome) {
        case UploadOutcome::Sent:
            out << "sent " << result.bytesSent << " bytes to " << device << "\n";
            return ExitOk;
        case UploadOutcome::PortNotOpened:
            return complain(err, device, openFailure(result.openResult, port.openError), ExitPortFailed);
        case UploadOutcome::PortStoppedTaking:
            return complain(err, device,
                            "stopped taking bytes after " + std::to_string(result.bytesSent) + " of " +
                                std::to_string(result.bytesTotal) + "; the upload is incomplete",
                            ExitPortFailed);
        case UploadOutcome::Cancelled:  // runUpload has no Cancel; only the web page's sender does
            break;
    }
    return ExitPortFailed;
}

int runFlashCommand(const Invocation& invocation, std::ostream& out, std::ostream& err) {
    const std::string& path = invocation.files[0];
    const std::string device = invocation.value("--port");
    const CheckedFirmwareFile file = checkFirmwareFile(path);
    if (file.verdict == FirmwareFileVerdict::Refused) return complain(err, path, file.reason, ExitBadInput);
    // The editor asks before it sends only the first part of a longer file; here the option asks.
    if (file.verdict == FirmwareFileVerdict::TooLong && !invocation.has("--allow-cut"))
        return complain(err, path,
                        "It has " + std::to_string(file.size) + " bytes and the display takes only the first " +
                            std::to_string(kFirmwareMaxBytes) + "; nothing was sent (--allow-cut sends them)",
                        ExitBadInput);

    catchInterrupt();
    DevicePort port(device);
    PosixClock clock;
    std::size_t sent = 0;
    int result;
    {
        TerminalProgress progress(stderr, "flash");
        result = runFirmwareUpdate(file.image, 0, port, progress, clock, &sent);
    }
    if (interrupted) return interruptedStatus(err, "firmware update", sent, file.image.size());
    switch (result) {
        case FirmwareUpdated:
            out << "firmware update complete: the display confirmed " << sent << " bytes\n";
            return ExitOk;
        case FirmwarePortFailed:
            return complain(err, device, openFailure(port.openResult, port.openError), ExitPortFailed);
        case FirmwareEchoMismatch:
            return complain(err, device,
                            "the display echoed a wrong byte for byte " + std::to_string(sent - 1) + " of " +
                                path + "; the update failed",
                            ExitWrongEcho);
        default:
            return complain(err, device,
                            "the display did not answer in time after " + std::to_string(sent) + " of " +
                                std::to_string(file.image.size()) + " bytes; the update failed",
                            ExitNoAnswer);
    }
}
