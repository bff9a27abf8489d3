#include "support/fake_form.h"

void FakeForm::setText(int id, const std::string& text) {
    ++writes;
    texts[id] = text;
}

std::string FakeForm::getText(int id, std::size_t maxChars) {
    const std::string& text = texts[id];
    return text.substr(0, maxChars);
}

void FakeForm::addListItem(int id, const std::string& text) {
    ++writes;
    lists[id].items.push_back(text);
}

void FakeForm::clearList(int id) {
    ++writes;
    lists[id] = List{};
}

void FakeForm::selectListItem(int id, int position) {
    ++writes;
    List& list = lists[id];
    const bool inside = position >= 0 && position < static_cast<int>(list.items.size());
    list.selection = inside ? position : -1;
}

int FakeForm::selectedListItem(int id) { return lists[id].selection; }

void FakeForm::setChecked(int id, bool checked) {
    ++writes;
    checks[id] = checked;
}

bool FakeForm::isChecked(int id) { return checks[id]; }
