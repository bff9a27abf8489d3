#pragma once
// Texts are UTF-8 throughout the program, but a file name is whatever bytes the file system
// holds: on Linux and macOS it may be in another encoding (Latin-1 "caf\xE9.vtl"). What the
// programs write for others to read (JSON, the report's HTML) takes it through this first.
#include <string>

// `text` with each byte that is no part of a well-formed UTF-8 character (a stray continuation
// byte, a cut or overlong sequence, a surrogate, a value above U+10FFFF) replaced by U+FFFD; the
// characters, control characters included, stay as they are.
std::string validUtf8(const std::string& text);
