#include "document/document_name.h"

#include <cstring>

bool isUntitled(const std::string& documentName) { return documentName == kDefaultDocumentName; }

std::string withConfigurationExtension(const std::string& path) {
    if (path.find(kConfigurationExtension) != std::string::npos) return path;
    return path + kConfigurationExtension;
}

std::string captionFor(const std::string& documentName) {
    std::string caption = std::string("Veltrana - ") + documentName;
    if (caption.size() <= kCaptionLimit) return caption;
    // Keep both ends of the path: the drive and first folders, and the file name.
    static const std::string ellipsis = "...";
    const std::size_t keep = kCaptionLimit - ellipsis.size();
    std::size_t head = keep / 2;
    std::size_t tailStart = caption.size() - (keep - head);
    // Names are UTF-8: neither cut may fall inside a character's bytes.
    auto continues = [&](std::size_t at) { return (static_cast<unsigned char>(caption[at]) & 0xC0) == 0x80; };
    while (head > 0 && continues(head)) --head;
    while (tailStart < caption.size() && continues(tailStart)) ++tailStart;
    return caption.substr(0, head) + ellipsis + caption.substr(tailStart);
}

std::string droppedFileRefusal(const std::string& path, bool isFolder) {
    if (isFolder) return path + " is a folder, not a configuration file.";
    const std::size_t extension = std::strlen(kConfigurationExtension);
    bool configuration = path.size() > extension;
    for (std::size_t i = 0; configuration && i < extension; ++i) {
        const char c = path[path.size() - extension + i];
        configuration = (c >= 'A' && c <= 'Z' ? c + 32 : c) == kConfigurationExtension[i];
    }
    if (!configuration) return path + " is not a configuration file (*.vtl).";
    return "";
}
