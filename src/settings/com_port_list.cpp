#include "settings/com_port_list.h"

#include <algorithm>

#include "platform/form_controls.h"

namespace {

constexpr int kFixedPortCount = 4;

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

void ComPortList::fill(FormControls& form, int id, int comPortIndex) {
    shown_ = comPortListIndexes(present_, comPortIndex);
    form.clearList(id);
    int selection = -1;
    for (std::size_t position = 0; position < shown_.size(); ++position) {
        form.addListItem(id, comPortText(present_, shown_[position]));
        if (shown_[position] == comPortIndex) selection = static_cast<int>(position);
    }
    form.selectListItem(id, selection);
}

int ComPortList::selectedIndex(FormControls& form, int id) const {
    const int position = form.selectedListItem(id);
    if (position < 0 || position >= static_cast<int>(shown_.size())) return -1;
    return shown_[static_cast<std::size_t>(position)];
}

ComPortList& comPortList() {
    static ComPortList list;
    return list;
}
