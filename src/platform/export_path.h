#pragma once
// Where an export (report, picture, curve) is written, and what it must never write over.
#include <string>

// The file an export writes for the name the user chose: the name as typed when its extension
// is the export's own (`extension` with its point, in any case), else with that extension added
// ("car.vtl" gives "car.vtl.html", "car" gives "car.html"), so that an export never lands on a
// file of another kind.
std::string exportPath(const std::string& chosen, const std::string& extension);

// Why an export must not write `path`, in plain words, or empty when it may: a configuration file
// (a name ending in ".vtl", in any case) or, when `isDocumentFile`, the open document's own file
// under whatever name.
std::string exportRefusal(const std::string& path, bool isDocumentFile);

// The question before an export replaces a file that is there.
std::string replaceQuestion(const std::string& path);

// The message box text for an export that could not be written, naming the file and the reason.
std::string exportFailureMessage(const std::string& path, const std::string& reason);
