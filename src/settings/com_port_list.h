#pragma once
// The vehicle panel's Com Port list. "Com 1" to "Com 4" always stand at positions 0 to 3, so
// every stored `comPortIndex` means what it always meant; after them, by number, come each
// further port present on the machine and the stored port when it is not present, as "Com N"
// with the device name where Windows has one. `comPortIndex` is the port number - 1 whatever
// the position.
#include <string>
#include <vector>

#include "platform/serial_port_names.h"

class FormControls;

// The port indexes (number - 1) that the list shows, position by position.
std::vector<int> comPortListIndexes(const std::vector<SerialPortName>& present, int storedIndex);

// "Com N", or "Com N (device name)" when a present port of that number has one.
std::string comPortText(const std::vector<SerialPortName>& present, int comPortIndex);

class ComPortList {
public:
    void setPresentPorts(std::vector<SerialPortName> ports) { present_ = std::move(ports); }
    // Refills list `id` for the stored index and selects it (no selection for an index that no
    // port stands for, such as -1).
    void fill(FormControls& form, int id, int comPortIndex);
    // The index the selected position stands for; -1 when nothing is selected.
    int selectedIndex(FormControls& form, int id) const;
    // The port as the list names it, for messages.
    std::string text(int comPortIndex) const { return comPortText(present_, comPortIndex); }

private:
    std::vector<SerialPortName> present_;
    std::vector<int> shown_;
};

// The program's one list, shared by the panel and the link's messages; the shell tells it the
// present ports. Without that (the tests, the command-line program) it knows none.
ComPortList& comPortList();
