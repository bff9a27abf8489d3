#pragma once
// The vehicle panel's Com Port list. "Com 1" to "Com 4" always stand at positions 0 to 3, so
// every stored `comPortIndex` means what it always meant; after them, by number, come each
// further port present on the machine and the stored port when it is not present, as "Com N"
// with the device name where Windows has one. `comPortIndex` is the port number - 1 whatever
// the position.
#include <vector>

#include "settings/com_port_names.h"

class FormControls;

class ComPortList {
public:
    // Refills list `id` for the stored index and selects it (no selection for an index that no
    // port stands for, such as -1).
    void fill(FormControls& form, int id, int comPortIndex);
    // The index the selected position stands for; -1 when nothing is selected.
    int selectedIndex(FormControls& form, int id) const;

private:
    std::vector<int> shown_;
};

// The program's one list, shared by the panel and the shell; it shows the ports that
// setPresentComPorts was last given.
ComPortList& comPortList();
