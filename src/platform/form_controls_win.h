#pragma once
// FormControls over a real dialog (or any window with child controls), by child control id.
#include <windows.h>

#include "platform/form_controls.h"

// Sent to the open settings dialogs when their records changed underneath them (an undo or a
// redo): each shows its record again. A registered message, so no other window mistakes it.
UINT showRecordAgainMessage();

class Win32FormControls : public FormControls {
public:
    explicit Win32FormControls(HWND parent) : parent_(parent) {}

    void setText(int id, const std::string& text) override;
    std::string getText(int id, std::size_t maxChars) override;
    void addListItem(int id, const std::string& text) override;
    void clearList(int id) override;
    void selectListItem(int id, int position) override;
    int selectedListItem(int id) override;
    void setChecked(int id, bool checked) override;
    bool isChecked(int id) override;

private:
    HWND parent_;
};
