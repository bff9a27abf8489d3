#pragma once
// The program's values kept across runs, under HKCU\Software\Veltrana, as UTF-8 texts stored as
// REG_SZ. A value that is missing, of another type or longer than asked reads as absent.
#include <string>

bool readStoredText(const std::string& name, std::size_t maxChars, std::string& text);
void writeStoredText(const std::string& name, const std::string& text);
void deleteStoredValue(const std::string& name);
