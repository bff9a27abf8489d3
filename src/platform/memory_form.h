#pragma once
// An in-memory form: edits hold texts, lists hold items and a selection, check boxes hold a
// state. The settings logic runs against it where there is no window (the command-line program,
// the tests) exactly as against a dialog. Every write is counted so tests can tell what the
// logic touched.
#include <map>
#include <string>
#include <vector>

#include "platform/form_controls.h"

class MemoryForm : public FormControls {
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

    // The text a list shows: its selected item, "" when none is selected.
    std::string selectedListText(int id);

    // Direct access, without counting as the logic's writes.
    std::map<int, std::string> texts;
    std::map<int, List> lists;
    std::map<int, bool> checks;
    int writes = 0;
};
