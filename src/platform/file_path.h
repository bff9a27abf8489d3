#pragma once
// Paths are UTF-8 text throughout the program. These turn one into what the platform's file
// calls take, so a name that the Windows ANSI code page cannot spell ("Öl-Kühler ñ 日本.vtl")
// opens as well as any other: on Windows the path becomes UTF-16 and the wide calls are used.
#include <cstdio>
#include <filesystem>
#include <string>

// For the standard streams: std::ifstream file(filePath(path), std::ios::binary).
std::filesystem::path filePath(const std::string& utf8Path);

// std::fopen of a UTF-8 path (sets errno as fopen does).
std::FILE* openFile(const std::string& utf8Path, const char* mode);
