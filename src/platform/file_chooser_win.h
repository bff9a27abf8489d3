#pragma once
// The common file choosers over their wide calls, each remembering the folder it was last
// confirmed in across runs when it has a folder name.
#include <windows.h>

#include <string>

struct FileChooserRequest {
    const char* filter;       // pairs of ASCII texts, each ending with \0, the last pair with \0\0
    const char* initialName;  // the name field's start text ("*.vtl")
    bool save = false;
    DWORD flags = 0;          // OFN_ flags
    DWORD bufferSize = 200;   // characters, the terminator included
    const char* folderName;   // this chooser's stored last folder ("Load", "Firmware"...), or null
                              // for a chooser that starts where the platform puts it
    const char* title = nullptr;             // the chooser's own ("Open", "Save As") when null
    const char* defaultExtension = nullptr;  // added to a name typed without one
};

// True with the chosen path (UTF-8) when the user confirms.
bool runFileChooser(HWND owner, const FileChooserRequest& request, std::string& path);

// The chooser of the file an export writes (report, picture, curve): the name gets the export's
// `extension` unless it ends in it already, a configuration file or the open document's file
// (`documentName`) is refused with a message, and a file that is there is replaced only after the
// user says Yes. True with the path to write.
bool chooseExportFile(HWND owner, FileChooserRequest request, const std::string& extension,
                      const std::string& documentName, std::string& path);
