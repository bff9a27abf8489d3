#include "document/document_name.h"

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
    const std::size_t head = keep / 2;
    const std::size_t tail = keep - head;
    return caption.substr(0, head) + ellipsis + caption.substr(caption.size() - tail);
}
