#pragma once
// A form's controls addressed by control id. The settings forms' logic runs against this, so the
// same code drives a real dialog (Win32) or an in-memory fake (tests).
#include <cstddef>
#include <string>

class FormControls {
public:
    virtual ~FormControls() = default;

    virtual void setText(int id, const std::string& text) = 0;
    // The edit's text, cut to at most maxChars characters (as a buffer of maxChars + 1 would).
    virtual std::string getText(int id, std::size_t maxChars) = 0;

    virtual void addListItem(int id, const std::string& text) = 0;
    virtual void clearList(int id) = 0;
    // A position outside the list leaves no item selected.
    virtual void selectListItem(int id, int position) = 0;
    // The selected position, -1 when none.
    virtual int selectedListItem(int id) = 0;

    virtual void setChecked(int id, bool checked) = 0;
    virtual bool isChecked(int id) = 0;
};
