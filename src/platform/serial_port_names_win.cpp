#include "platform/serial_port_names.h"

#include <windows.h>
#include <setupapi.h>
#include <initguid.h>
#include <devguid.h>

#include <algorithm>
#include <map>

#include "platform/text_win.h"

namespace {

using PortMap = std::map<int, std::string>;  // number -> device name

void addPortNumber(PortMap& ports, int number) {
    if (number == 0) return;
    ports.emplace(number, std::string());  // a name found for it already stays
}

void addPort(PortMap& ports, const std::string& portName) { addPortNumber(ports, comPortNumber(portName)); }

// The serial device map: one value per port driver, its data the port's name.
void addDeviceMap(PortMap& ports) {
    HKEY key;
    if (RegOpenKeyExW(HKEY_LOCAL_MACHINE, L"HARDWARE\\DEVICEMAP\\SERIALCOMM", 0, KEY_READ, &key) !=
        ERROR_SUCCESS)
        return;
    for (DWORD i = 0;; ++i) {
        wchar_t valueName[256];
        wchar_t data[64] = {};
        DWORD nameLength = 256, dataSize = sizeof data - sizeof(wchar_t), type = 0;
        const LONG status = RegEnumValueW(key, i, valueName, &nameLength, nullptr, &type,
                                          reinterpret_cast<BYTE*>(data), &dataSize);
        if (status == ERROR_NO_MORE_ITEMS) break;
        if (status != ERROR_SUCCESS || type != REG_SZ) continue;
        addPort(ports, utf8FromWide(data));
    }
    RegCloseKey(key);
}

// The port class's devices give the names Windows shows ("USB Serial Port (COM7)").
void addFriendlyNames(PortMap& ports) {
    HDEVINFO devices = SetupDiGetClassDevsW(&GUID_DEVCLASS_PORTS, nullptr, nullptr, DIGCF_PRESENT);
    if (devices == INVALID_HANDLE_VALUE) return;
    SP_DEVINFO_DATA device{};
    device.cbSize = sizeof device;
    for (DWORD i = 0; SetupDiEnumDeviceInfo(devices, i, &device); ++i) {
        HKEY key = SetupDiOpenDevRegKey(devices, &device, DICS_FLAG_GLOBAL, 0, DIREG_DEV, KEY_READ);
        if (key == INVALID_HANDLE_VALUE) continue;
        wchar_t portName[64] = {};
        DWORD size = sizeof portName - sizeof(wchar_t), type = 0;
        const bool named = RegQueryValueExW(key, L"PortName", nullptr, &type,
                                            reinterpret_cast<BYTE*>(portName), &size) == ERROR_SUCCESS &&
                           type == REG_SZ;
        RegCloseKey(key);
        if (!named) continue;
        wchar_t friendly[256] = {};
        if (!SetupDiGetDeviceRegistryPropertyW(devices, &device, SPDRP_FRIENDLYNAME, nullptr,
                                               reinterpret_cast<BYTE*>(friendly),
                                               sizeof friendly - sizeof(wchar_t), nullptr))
            friendly[0] = 0;
        const int number = comPortNumber(utf8FromWide(portName));
        if (number == 0) continue;
        ports[number] = deviceNameOfPort(utf8FromWide(friendly), number);
    }
    SetupDiDestroyDeviceInfoList(devices);
}

// The DOS device names: every "COMn" link, which also covers ports that only a mapping makes
// (Wine's port map).
void addDosDevices(PortMap& ports) {
    std::vector<wchar_t> names(65536);
    const DWORD length = QueryDosDeviceW(nullptr, names.data(), static_cast<DWORD>(names.size()));
    // The conversion keeps the NULs between the names: it takes the whole length.
    for (int number : comPortNumbersInDeviceList(utf8FromWide(std::wstring(names.data(), length))))
        addPortNumber(ports, number);
}

}  // namespace

std::vector<SerialPortName> presentSerialPorts() {
    PortMap ports;
    addFriendlyNames(ports);
    addDeviceMap(ports);
    addDosDevices(ports);
    std::vector<SerialPortName> list;
    for (const auto& [number, name] : ports) list.push_back(SerialPortName{number, name});
    return list;
}
