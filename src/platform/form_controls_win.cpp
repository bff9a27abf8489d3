#include "platform/form_controls_win.h"

#include <vector>

#include "platform/text_win.h"

// Texts are UTF-8 on our side and UTF-16 on the window's, so that what the user typed reaches the
// check, the report and a curve file as typed, whatever the ANSI code page.
void Win32FormControls::setText(int id, const std::string& text) {
    SetDlgItemTextW(parent_, id, wideFromUtf8(text).c_str());
}

std::string Win32FormControls::getText(int id, std::size_t maxChars) {
    // A buffer of maxChars + 1 holds at most maxChars characters and the terminator.
    std::vector<wchar_t> buffer(maxChars + 1, L'\0');
    const UINT length = GetDlgItemTextW(parent_, id, buffer.data(), static_cast<int>(buffer.size()));
    return utf8FromWide(std::wstring(buffer.data(), length < buffer.size() ? length : maxChars));
}

void Win32FormControls::addListItem(int id, const std::string& text) {
    // Wide, so that a port's device name outside the ANSI code page shows whole.
    const std::wstring wide = wideFromUtf8(text);
    SendDlgItemMessageW(parent_, id, CB_ADDSTRING, 0, reinterpret_cast<LPARAM>(wide.c_str()));
}

void Win32FormControls::clearList(int id) {
    SendDlgItemMessageA(parent_, id, CB_RESETCONTENT, 0, 0);
}

void Win32FormControls::selectListItem(int id, int position) {
    // A position outside the list clears the selection; sent as -1 so that no version of the
    // control keeps its old selection instead.
    const LRESULT count = SendDlgItemMessageA(parent_, id, CB_GETCOUNT, 0, 0);
    const bool inside = position >= 0 && count != CB_ERR && position < count;
    SendDlgItemMessageA(parent_, id, CB_SETCURSEL, static_cast<WPARAM>(inside ? position : -1), 0);
}

int Win32FormControls::selectedListItem(int id) {
    const LRESULT selection = SendDlgItemMessageA(parent_, id, CB_GETCURSEL, 0, 0);
    return selection == CB_ERR ? -1 : static_cast<int>(selection);
}

void Win32FormControls::setChecked(int id, bool checked) {
    CheckDlgButton(parent_, id, checked ? BST_CHECKED : BST_UNCHECKED);
}

bool Win32FormControls::isChecked(int id) {
    return IsDlgButtonChecked(parent_, id) == BST_CHECKED;
}

UINT showRecordAgainMessage() {
    static const UINT message = RegisterWindowMessageA("Veltrana.ShowRecordAgain");
    return message;
}
