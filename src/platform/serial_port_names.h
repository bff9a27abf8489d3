#pragma once
// The serial ports present on the machine, as Windows names them, for the Com Port list.
#include <string>
#include <vector>

struct SerialPortName {
    int number = 0;          // 7 for COM7
    std::string deviceName;  // "USB Serial Port"; empty when Windows gives the port no name
};

// The highest port number Windows hands out (COM1 to COM256).
constexpr int kHighestComPortNumber = 256;

// The number in a device name "COM7" (any case, nothing after the digits); 0 for anything else
// or a number outside 1 to kHighestComPortNumber.
int comPortNumber(const std::string& deviceName);

// The port numbers of the "COMn" names in a device list as Windows gives it (QueryDosDevice):
// each name ends with a NUL and the list with one more, "COM1\0COM7\0\0" giving 1 and 7, in
// the list's order. A list cut short ends with its last character, ended or not.
std::vector<int> comPortNumbersInDeviceList(const std::string& list);

// The device name in a port's friendly name "USB Serial Port (COM7)": the text before the
// trailing " (COMn)" of its own number, or the whole text without that ending; "" for no name.
std::string deviceNameOfPort(const std::string& friendlyName, int number);

// The ports present now, each once, by number (Win32: the serial device map and the port
// class's friendly names). Never throws; an empty list when nothing can be read.
std::vector<SerialPortName> presentSerialPorts();

// A port as a browser can name it, which knows no port number: "USB serial port 0403:6001" from
// its USB vendor and product ids (hexadecimal, four digits), "the serial port" when it has none
// (a negative id).
std::string usbSerialPortName(int usbVendorId, int usbProductId);
