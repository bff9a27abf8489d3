#include "link/upload.h"

#include <cstdio>

#include "settings/com_port_list.h"

namespace {

// Hands `write`'s bytes to the port one by one and waits out its pause; false when the port
// refused a byte.
bool send(const std::vector<std::uint8_t>& bytes, const PacedWrite& write, SerialPort& port, Clock& clock,
          Progress& progress, UploadResult& result) {
    double start = write.minimumPauseMs > 0 ? clock.nowMs() : 0.0;
    for (std::size_t i = write.offset; i < write.offset + write.length; ++i) {
        if (!port.writeByte(bytes[i])) return false;
        // The pause counts from when the first byte has been handed over in full: a write that
        // takes a while would otherwise come out of the pause that the display sees on the line.
        if (i == write.offset && write.minimumPauseMs > 0) start = clock.nowMs();
        ++result.bytesSent;
        if (write.stepsProgress) progress.step();
    }
    if (write.minimumPauseMs > 0) waitSince(clock, start, write.minimumPauseMs);
    return true;
}

}  // namespace

void waitSince(Clock& clock, double startMs, double minimumMs) {
    // The start was read up to one step late and every reading may lag by one step, so the
    // counter must show the minimum plus one step before the true pause is surely long enough.
    const double target = minimumMs + clock.resolutionMs();
    for (;;) {
        const double elapsed = clock.nowMs() - startMs;
        if (elapsed >= target) return;
        clock.waitMs(target - elapsed);
    }
}

UploadResult runUpload(const UploadStream& stream, int comPortIndex, SerialPort& port, Clock& clock,
                       Progress& progress) {
    UploadResult result;
    result.bytesTotal = streamByteCount(stream);
    progress.setRange(0, progressStepCount(stream));
    result.openResult = port.openPort(comPortIndex, kUploadBaud, Parity::Odd);
    if (result.openResult != PortOpened) {
        result.outcome = UploadOutcome::PortNotOpened;
        return result;
    }
    const std::vector<std::uint8_t> bytes = flattenStream(stream);
    for (const PacedWrite& write : pacedWrites(stream)) {
        if (!send(bytes, write, port, clock, progress, result)) {
            result.outcome = UploadOutcome::PortStoppedTaking;
            break;
        }
    }
    port.closePort();
    return result;
}

std::string uploadFailureMessage(const UploadResult& result, int comPortIndex) {
    char text[400];
    switch (result.outcome) {
        case UploadOutcome::Sent: return "";
        case UploadOutcome::PortNotOpened:
            return "Failed to access " + comPortList().text(comPortIndex);
        case UploadOutcome::PortStoppedTaking:
            std::snprintf(text, sizeof text,
                          "Upload failed: %s stopped taking bytes after %zu of %zu.",
                          comPortList().text(comPortIndex).c_str(), result.bytesSent,
                          result.bytesTotal);
            return text;
    }
    return "";
}
