#include "link/upload.h"

#include <algorithm>
#include <cstdio>

#include "settings/com_port_names.h"

namespace {

// Called right after a paced group's first byte was written: sets `start` to the clock reading
// from which the group's pause counts. The display times a pause from the arrival of the group's
// first byte, and the next byte takes at least one character time from its write to its arrival.
// A write may return with its byte still queued behind unpaced bytes written just before it (the
// start byte, a separator, a count), so the pause starts when the port has sent everything it
// holds, less the time this byte took on the line: when it began to leave. A port that returns
// from a write only once the byte is on its way, or that has no sending time, sent it no earlier
// than the write returned, so the pause never starts before that either. False when the port did
// not send its bytes within its write time-out.
bool pauseStart(SerialPort& port, Clock& clock, double& start) {
    const double written = clock.nowMs();
    if (!port.drainOutput()) return false;
    start = std::max(written, clock.nowMs() - characterTimeMs(kUploadBaud, Parity::Odd));
    return true;
}

// Hands `write`'s bytes to the port one by one and waits out its pause; false when the port
// refused a byte or did not send it.
bool send(const std::vector<std::uint8_t>& bytes, const PacedWrite& write, SerialPort& port, Clock& clock,
          Progress& progress, UploadResult& result) {
    const bool paced = write.minimumPauseMs > 0;
    double start = 0.0;
    for (std::size_t i = write.offset; i < write.offset + write.length; ++i) {
        if (!port.writeByte(bytes[i])) return false;
        ++result.bytesSent;
        // The pause's start is read before the bar is stepped: drawing the bar takes time that
        // must not count as part of the pause.
        if (i == write.offset && paced && !pauseStart(port, clock, start)) return false;
        if (write.stepsProgress) progress.step();
    }
    if (paced) waitSince(clock, start, write.minimumPauseMs);
    return true;
}

}  // namespace

void waitSince(Clock& clock, double startMs, double minimumMs) {
    // The start was read up to one step late and every reading may lag by one step, so the
    // counter must show the minimum plus one step before the true pause is surely long enough.
    // The end is one reading, so what is left to wait adds up to it exactly whatever the start.
    const double end = startMs + minimumMs + clock.resolutionMs();
    for (;;) {
        const double now = clock.nowMs();
        if (now >= end) return;
        clock.waitMs(end - now);
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
    return uploadFailureMessageNaming(result, comPortName(comPortIndex));
}

std::string uploadFailureMessageNaming(const UploadResult& result, const std::string& portName) {
    char text[400];
    switch (result.outcome) {
        case UploadOutcome::Sent: return "";
        case UploadOutcome::PortNotOpened:
            return "Failed to access " + portName;
        case UploadOutcome::PortStoppedTaking:
            std::snprintf(text, sizeof text, "Upload failed: %s stopped taking bytes after %zu of %zu.",
                          portName.c_str(), result.bytesSent, result.bytesTotal);
            return text;
        case UploadOutcome::Cancelled:
            std::snprintf(text, sizeof text,
                          "Upload cancelled after %zu of %zu bytes. The display holds only part of the "
                          "configuration: upload it again before you use the display.",
                          result.bytesSent, result.bytesTotal);
            return text;
    }
    return "";
}

std::string uploadFailureCaption(UploadOutcome outcome) {
    switch (outcome) {
        case UploadOutcome::PortStoppedTaking: return "Upload failed";
        case UploadOutcome::Cancelled: return "Upload cancelled";
        default: return "";
    }
}
