#include "platform/stored_settings_win.h"

#include <windows.h>

#include <vector>

#include "platform/text_win.h"

namespace {

const wchar_t kKey[] = L"Software\\Veltrana";

}  // namespace

bool readStoredText(const std::string& name, std::size_t maxChars, std::string& text) {
    HKEY key;
    if (RegOpenKeyExW(HKEY_CURRENT_USER, kKey, 0, KEY_READ, &key) != ERROR_SUCCESS) return false;
    const std::wstring valueName = wideFromUtf8(name);
    DWORD type = 0, size = 0;
    bool read = RegQueryValueExW(key, valueName.c_str(), nullptr, &type, nullptr, &size) ==
                    ERROR_SUCCESS &&
                type == REG_SZ && size <= (maxChars + 1) * sizeof(wchar_t);
    if (read) {
        std::vector<wchar_t> buffer(size / sizeof(wchar_t) + 1, L'\0');
        DWORD got = size;
        read = RegQueryValueExW(key, valueName.c_str(), nullptr, &type,
                                reinterpret_cast<BYTE*>(buffer.data()), &got) == ERROR_SUCCESS &&
               type == REG_SZ && got <= size;
        // The stored text need not end with a terminator; the buffer's extra zero ends it.
        if (read) text = utf8FromWide(buffer.data());
    }
    RegCloseKey(key);
    return read;
}

void writeStoredText(const std::string& name, const std::string& text) {
    HKEY key;
    if (RegCreateKeyExW(HKEY_CURRENT_USER, kKey, 0, nullptr, 0, KEY_WRITE, nullptr, &key,
                        nullptr) != ERROR_SUCCESS)
        return;
    const std::wstring value = wideFromUtf8(text);
    RegSetValueExW(key, wideFromUtf8(name).c_str(), 0, REG_SZ,
                   reinterpret_cast<const BYTE*>(value.c_str()),
                   static_cast<DWORD>((value.size() + 1) * sizeof(wchar_t)));
    RegCloseKey(key);
}

void deleteStoredValue(const std::string& name) {
    HKEY key;
    if (RegOpenKeyExW(HKEY_CURRENT_USER, kKey, 0, KEY_WRITE, &key) != ERROR_SUCCESS) return;
    RegDeleteValueW(key, wideFromUtf8(name).c_str());
    RegCloseKey(key);
}
