#pragma once
// The display's firmware update: the file read and the byte-by-byte exchange that the display
// drives (it asks for every byte with a request byte and echoes it back).
#include <cstddef>
#include <cstdint>
#include <vector>

#include "link/firmware_exchange.h"

class Clock;
class SerialPort;
class Progress;

// Runs the whole exchange on the port comPortIndex (0 for COM1) at 38400 baud without parity:
// a driver of FirmwareExchange (firmware_exchange.h), the state machine that holds its rules and
// that the web page drives too.
// The progress bar gets the range 0..100 and advances to floor(100 k / n) as byte k goes out.
// The port is closed on every path on which it was opened. The clock bounds the waits for the
// display (kFirmwareAwaitLimitMs). `bytesSent`, when given, receives the number of image bytes
// sent, so after an echo mismatch the wrong byte is bytesSent - 1.
int runFirmwareUpdate(const std::vector<std::uint8_t>& image, int comPortIndex, SerialPort& port,
                      Progress& progress, Clock& clock, std::size_t* bytesSent = nullptr);
