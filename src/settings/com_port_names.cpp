#include "settings/com_port_names.h"

#include <algorithm>

namespace {

constexpr int kFixedPortCount = 4;

std::vector<SerialPortName>& presentPorts() {
    static std::vector<SerialPortName> ports;
    return ports;
}

}  // namespace

std::vector<int> comPortListIndexes(const std::vector<SerialPortName>& present, int storedIndex) {
    std::vector<int> further;
    for (const SerialPortName& port : present)
        if (port.number > kFixedPortCount && port.number <= kHighestComPortNumber)
            further.push_back(port.number - 1);
    if (storedIndex >= kFixedPortCount && storedIndex < kHighestComPortNumber)
        further.push_back(storedIndex);
    std::sort(further.begin(), further.end());
    further.erase(std::unique(further.begin(), further.end()), further.end());
    std::vector<int> indexes;
    for (int index = 0; index < kFixedPortCount; ++index) indexes.push_back(index);
    indexes.insert(indexes.end(), further.begin(), further.end());
    return indexes;
}

std::string comPortText(const std::vector<SerialPortName>& present, int comPortIndex) {
    std::string text = "Com " + std::to_string(comPortIndex + 1);
    for (const SerialPortName& port : present)
        if (port.number == comPortIndex + 1 && !port.deviceName.empty())
            return text + " (" + port.deviceName + ")";
    return text;
}

void setPresentComPorts(std::vector<SerialPortName> ports) { presentPorts() = std::move(ports); }

const std::vector<SerialPortName>& presentComPorts() { return presentPorts(); }
