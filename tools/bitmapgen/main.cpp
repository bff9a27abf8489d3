// Writes the program's bitmaps, their resource script fragment and the icon into a resources
// folder: bitmapgen <resources-folder>. Output is byte-for-byte the same on every run.
#include <cstdio>
#include <exception>
#include <filesystem>
#include <fstream>

#include "resource_set.h"

int main(int argc, char** argv) {
    if (argc != 2) {
        std::fprintf(stderr, "usage: %s <resources-folder>\n", argv[0]);
        return 2;
    }
    const std::filesystem::path root = argv[1];
    try {
        const std::vector<GeneratedFile> files = generateResources();
        for (const GeneratedFile& f : files) {
            const std::filesystem::path target = root / f.path;
            std::filesystem::create_directories(target.parent_path());
            std::ofstream out(target, std::ios::binary | std::ios::trunc);
            out.write(reinterpret_cast<const char*>(f.bytes.data()),
                      static_cast<std::streamsize>(f.bytes.size()));
            if (!out) {
                std::fprintf(stderr, "bitmapgen: cannot write %s\n", target.string().c_str());
                return 1;
            }
        }
        std::printf("bitmapgen: wrote %zu files into %s\n", files.size(), root.string().c_str());
    } catch (const std::exception& e) {
        std::fprintf(stderr, "bitmapgen: %s\n", e.what());
        return 1;
    }
    return 0;
}
