#include "platform/export_path.h"

#include <cstddef>

namespace {

bool endsWithIgnoringCase(const std::string& text, const std::string& ending) {
    if (text.size() < ending.size()) return false;
    const std::size_t start = text.size() - ending.size();
    for (std::size_t i = 0; i < ending.size(); ++i) {
        auto fold = [](unsigned char c) { return c >= 'A' && c <= 'Z' ? c + 32 : c; };
        if (fold(static_cast<unsigned char>(text[start + i])) != fold(static_cast<unsigned char>(ending[i])))
            return false;
    }
    return true;
}

}  // namespace

std::string exportPath(const std::string& chosen, const std::string& extension) {
    // Only the file name counts: a point in a folder's name is no extension.
    const std::size_t nameStart = chosen.find_last_of("\\/:") + 1;  // npos + 1 is 0
    const std::string name = chosen.substr(nameStart);
    if (name.size() > extension.size() && endsWithIgnoringCase(name, extension)) return chosen;
    return chosen + extension;
}

std::string exportRefusal(const std::string& path, bool isDocumentFile) {
    if (isDocumentFile) return "It is the open configuration's own file; an export never replaces it.";
    if (endsWithIgnoringCase(path, ".vtl")) return "It is a configuration file (.vtl); an export never replaces one.";
    return {};
}

std::string replaceQuestion(const std::string& path) {
    return path + " already exists.\r\nDo you want to replace it?";
}

std::string exportFailureMessage(const std::string& path, const std::string& reason) {
    return "Could not export \"" + path + "\".\r\n\r\n" + reason;
}
