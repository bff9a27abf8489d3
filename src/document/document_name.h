#pragma once
// The document's name and the rules that depend on it: the untitled default, the ".vtl"
// extension that a save appends, and the main window's caption.
#include <cstddef>
#include <string>

inline constexpr const char* kDefaultDocumentName = "Untitled1.vtl";
inline constexpr const char* kConfigurationExtension = ".vtl";
// The caption never grows past this many characters; longer names are shortened in the middle.
inline constexpr std::size_t kCaptionLimit = 100;

// True for exactly the default name (case-sensitive): saving such a document asks for a name.
bool isUntitled(const std::string& documentName);

// Appends ".vtl" unless the four characters occur anywhere in the path (case-sensitive, folders
// included).
std::string withConfigurationExtension(const std::string& path);

// "Veltrana - <name>", shortened in its middle with "..." so that it never passes kCaptionLimit.
std::string captionFor(const std::string& documentName);

// What a file dropped on the window gets instead of a Load: a message naming a folder or a file
// whose name does not end in ".vtl" (any case); "" for a configuration file.
std::string droppedFileRefusal(const std::string& path, bool isFolder);
