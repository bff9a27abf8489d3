#pragma once
// A vehicle panel field in words, apart from the panel's form logic, for those that only pass
// texts on (the check, the summary, the report).
#include <string>

// One vehicle panel control: its label and the text it shows (a list's selected entry).
struct PanelText {
    std::string label;
    std::string text;
};
