#pragma once
// Moves a finished file over its target in one step, replacing any file already there.
#include <cstdint>
#include <string>
#include <vector>

// True when `to` now holds what `from` held and `from` is gone. On failure both files stay as
// they were.
bool replaceFile(const std::string& from, const std::string& to);

// The temporary file beside `path` that writeWholeFile fills first.
std::string temporaryWritePath(const std::string& path);

// Writes `bytes` to the temporary file beside `path`, then moves it over `path`: a failure
// leaves no partial file and an old file at `path` whole. Empty on success, else the reason in
// plain words.
std::string writeWholeFile(const std::string& path, const std::vector<std::uint8_t>& bytes);
