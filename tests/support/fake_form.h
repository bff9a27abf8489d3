#pragma once
// An in-memory form for the settings logic: edits hold texts, lists hold items and a selection,
// check boxes hold a state. Every write is counted so tests can tell what the logic touched.
#include <map>
#include <string>
#include <vector>

#include "platform/form_controls.h"

class FakeForm : public FormControls {
public:
    struct List {
        std::vector<std::string> items;
        int selection = -1;
    };

    void setText(int id, const std::string& text) override;
    std::string getText(int id, std::size_t maxChars) override;
    void addListItem(int id, const std::string& text) override;
    void clearList(int id) override;
    void selectListItem(int id, int position) override;
    int selectedListItem(int id) override;
    void setChecked(int id, bool checked) override;
    bool isChecked(int id) override;

    // Direct access for tests, without counting as the logic's writes.
    std::map<int, std::string> texts;
    std::map<int, List> lists;
    std::map<int, bool> checks;
    int writes = 0;
};
