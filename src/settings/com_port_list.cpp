#include "settings/com_port_list.h"

#include "platform/form_controls.h"

void ComPortList::fill(FormControls& form, int id, int comPortIndex) {
    shown_ = comPortListIndexes(presentComPorts(), comPortIndex);
    form.clearList(id);
    int selection = -1;
    for (std::size_t position = 0; position < shown_.size(); ++position) {
        form.addListItem(id, comPortName(shown_[position]));
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
