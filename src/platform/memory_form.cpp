#include "platform/memory_form.h"

void MemoryForm::setText(int id, const std::string& text) {
    ++writes;
    texts[id] = text;
}

std::string MemoryForm::getText(int id, std::size_t maxChars) {
    const std::string& text = texts[id];
    return text.substr(0, maxChars);
}

void MemoryForm::addListItem(int id, const std::string& text) {
    ++writes;
    lists[id].items.push_back(text);
}

void MemoryForm::clearList(int id) {
    ++writes;
    lists[id] = List{};
}

void MemoryForm::selectListItem(int id, int position) {
    ++writes;
    List& list = lists[id];
    const bool inside = position >= 0 && position < static_cast<int>(list.items.size());
    list.selection = inside ? position : -1;
}

int MemoryForm::selectedListItem(int id) { return lists[id].selection; }

void MemoryForm::setChecked(int id, bool checked) {
    ++writes;
    checks[id] = checked;
}

bool MemoryForm::isChecked(int id) { return checks[id]; }

std::string MemoryForm::selectedListText(int id) {
    const List& list = lists[id];
    return list.selection < 0 ? std::string() : list.items[static_cast<std::size_t>(list.selection)];
}
