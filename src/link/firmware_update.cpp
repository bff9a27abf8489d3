#include "link/firmware_update.h"

#include "link/firmware_exchange.h"
#include "platform/clock.h"
#include "platform/progress.h"
#include "platform/serial_port.h"

// Drives the exchange's state machine with blocking one-byte reads (the port's one-second
// time-out) and the clock; every rule of the exchange is the machine's.
int runFirmwareUpdate(const std::vector<std::uint8_t>& image, int comPortIndex, SerialPort& port,
                      Progress& progress, Clock& clock, std::size_t* bytesSent) {
    if (bytesSent) *bytesSent = 0;
    progress.setRange(0, 100);
    progress.setPosition(0);
    if (port.openPort(comPortIndex, kFirmwareBaud, Parity::None) != PortOpened) return FirmwarePortFailed;
    FirmwareExchange exchange(image);
    int steps = 0;
    for (FirmwareStep step = exchange.start(clock.nowMs()); step.action != FirmwareStep::Finished;) {
        if (step.action == FirmwareStep::Write) {
            port.writeByte(step.byte);
            step = exchange.wrote(clock.nowMs());
            // The bar only moves forward, one step at a time.
            for (; steps < exchange.progressSteps(); ++steps) progress.step();
            continue;
        }
        std::uint8_t byte = 0;
        const bool came = port.readBytes(&byte, 1) == 1;
        step = came ? exchange.arrived(byte, clock.nowMs()) : exchange.nothingArrived(clock.nowMs());
    }
    if (bytesSent) *bytesSent = exchange.bytesSent();
    port.closePort();
    return exchange.result();
}
