#include "platform/serial_port_names.h"

#include <algorithm>
#include <cctype>
#include <cstdio>

int comPortNumber(const std::string& deviceName) {
    if (deviceName.size() < 4 || deviceName.size() > 6) return 0;
    for (int i = 0; i < 3; ++i)
        if (std::toupper(static_cast<unsigned char>(deviceName[i])) != "COM"[i]) return 0;
    if (deviceName[3] == '0') return 0;
    int number = 0;
    for (std::size_t i = 3; i < deviceName.size(); ++i) {
        if (!std::isdigit(static_cast<unsigned char>(deviceName[i]))) return 0;
        number = number * 10 + (deviceName[i] - '0');
    }
    return number <= kHighestComPortNumber ? number : 0;
}

std::vector<int> comPortNumbersInDeviceList(const std::string& list) {
    std::vector<int> numbers;
    for (std::size_t at = 0; at < list.size() && list[at] != '\0';) {
        const std::size_t end = std::min(list.find('\0', at), list.size());
        if (const int number = comPortNumber(list.substr(at, end - at))) numbers.push_back(number);
        at = end + 1;  // past the name's NUL
    }
    return numbers;
}

std::string deviceNameOfPort(const std::string& friendlyName, int number) {
    std::string name = friendlyName;
    const std::string ending = " (COM" + std::to_string(number) + ")";
    if (name.size() >= ending.size() &&
        name.compare(name.size() - ending.size(), ending.size(), ending) == 0)
        name.erase(name.size() - ending.size());
    while (!name.empty() && std::isspace(static_cast<unsigned char>(name.back()))) name.pop_back();
    return name;
}

std::string usbSerialPortName(int usbVendorId, int usbProductId) {
    if (usbVendorId < 0 || usbProductId < 0) return "the serial port";
    char text[40];
    std::snprintf(text, sizeof text, "USB serial port %04X:%04X", usbVendorId & 0xFFFF, usbProductId & 0xFFFF);
    return text;
}
