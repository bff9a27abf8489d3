#include "link/upload.h"

#include <algorithm>
#include <cstdio>

namespace {

struct Sender {
    SerialPort& port;
    Clock& clock;
    Progress& progress;
    UploadResult& result;

    // False when the port refused the byte.
    bool put(std::uint8_t value, bool step) {
        if (!port.writeByte(value)) return false;
        ++result.bytesSent;
        if (step) progress.step();
        return true;
    }

    bool group(const std::uint8_t* bytes, std::size_t length, double pauseMs) {
        const double start = clock.nowMs();
        for (std::size_t i = 0; i < length; ++i)
            if (!put(bytes[i], true)) return false;
        waitSince(clock, start, pauseMs);
        return true;
    }

    bool piece(const StreamPiece& piece) {
        const std::uint8_t* bytes = piece.bytes.data();
        const std::size_t length = piece.bytes.size();
        switch (piece.pacing) {
            case Pacing::Single:
                for (std::size_t i = 0; i < length; ++i)
                    if (!put(bytes[i], false)) return false;
                return true;
            case Pacing::ImageLine: return group(bytes, length, 30.0);
            case Pacing::Glyph: return group(bytes, length, 10.0);
            case Pacing::Paced:
                // Chunks never span two pieces: each piece starts a fresh run of 16.
                for (std::size_t at = 0; at < length; at += kPacedChunkBytes) {
                    const std::size_t n = std::min(kPacedChunkBytes, length - at);
                    if (!group(bytes + at, n, 4.0 * static_cast<double>(n))) return false;
                }
                return true;
        }
        return true;
    }
};

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
    Sender sender{port, clock, progress, result};
    for (const StreamPiece& piece : stream.pieces) {
        if (!sender.piece(piece)) {
            result.outcome = UploadOutcome::PortStoppedTaking;
            break;
        }
    }
    port.closePort();
    return result;
}

std::string uploadFailureMessage(const UploadResult& result, int comPortIndex) {
    char text[160];
    switch (result.outcome) {
        case UploadOutcome::Sent: return "";
        case UploadOutcome::PortNotOpened:
            std::snprintf(text, sizeof text, "Failed to access Com %d", comPortIndex + 1);
            return text;
        case UploadOutcome::PortStoppedTaking:
            std::snprintf(text, sizeof text,
                          "Upload failed: Com %d stopped taking bytes after %zu of %zu.",
                          comPortIndex + 1, result.bytesSent, result.bytesTotal);
            return text;
    }
    return "";
}
