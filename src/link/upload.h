#pragma once
// Sends an upload stream to the display through the serial port with the minimum pauses between
// its pieces, advancing the progress bar by one step per image or paced byte.
#include <cstddef>
#include <string>

#include "link/upload_stream.h"
#include "platform/clock.h"
#include "platform/progress.h"
#include "platform/serial_port.h"

constexpr std::uint32_t kUploadBaud = 38400;

enum class UploadOutcome {
    Sent,
    PortNotOpened,      // openResult tells why; nothing was written
    PortStoppedTaking,  // a byte was refused; the upload stopped there
    Cancelled,          // the user stopped it between two runs (the web page's Cancel)
};

struct UploadResult {
    UploadOutcome outcome = UploadOutcome::Sent;
    int openResult = PortOpened;
    std::size_t bytesSent = 0;   // bytes the port took
    std::size_t bytesTotal = 0;  // bytes of the stream
};

// Sets the progress range, opens port comPortIndex at 38400 baud with odd parity, sends the
// stream and closes the port. A refused byte, or bytes the port does not send within its write
// time-out, end the upload: the display would misread everything after them.
UploadResult runUpload(const UploadStream& stream, int comPortIndex, SerialPort& port, Clock& clock,
                       Progress& progress);

// Waits until at least minimumMs have passed since `startMs`, allowing for the clock's step.
void waitSince(Clock& clock, double startMs, double minimumMs);

// The message for a failed upload: "Failed to access Com %d" when the port did not open, an
// "Upload failed" text naming the port when it stopped taking bytes; "" after success.
std::string uploadFailureMessage(const UploadResult& result, int comPortIndex);
// The same messages with the port named as the caller can name it: the web page has no port
// number, only what the browser tells of the device (usbSerialPortName). A cancelled upload
// says that the display now holds part of a configuration.
std::string uploadFailureMessageNaming(const UploadResult& result, const std::string& portName);
// The message box's caption: "" for the platform's default (the port did not open), else
// "Upload failed" or "Upload cancelled".
std::string uploadFailureCaption(UploadOutcome outcome);
