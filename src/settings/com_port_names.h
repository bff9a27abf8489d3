#pragma once
// How the program names a serial port: "Com 1" to "Com 4" always, then each further port
// present on the machine, as "Com N" with the device name where Windows has one.
// `comPortIndex` is the port number - 1.
#include <string>
#include <vector>

#include "platform/serial_port_names.h"

// The port indexes (number - 1) that the Com Port list shows, position by position: the four
// fixed ports, then the further present ones and the stored one, by number.
std::vector<int> comPortListIndexes(const std::vector<SerialPortName>& present, int storedIndex);

// "Com N", or "Com N (device name)" when a present port of that number has one.
std::string comPortText(const std::vector<SerialPortName>& present, int comPortIndex);

// The ports present on the machine, as the shell found them; none until it says (the tests,
// the command-line program).
void setPresentComPorts(std::vector<SerialPortName> ports);
const std::vector<SerialPortName>& presentComPorts();

// The port as the Com Port list names it, for messages.
inline std::string comPortName(int comPortIndex) { return comPortText(presentComPorts(), comPortIndex); }
