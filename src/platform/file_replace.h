#pragma once
// Moves a finished file over its target in one step, replacing any file already there.
#include <string>

// True when `to` now holds what `from` held and `from` is gone. On failure both files stay as
// they were.
bool replaceFile(const std::string& from, const std::string& to);
