#include "bitmap_folder.h"

#include <dirent.h>

#include "layout/bmp_file.h"

const PixelImage* BitmapFolder::pixels(BitmapHandle id) {
    auto it = cache_.find(id);
    if (it != cache_.end()) return it->second.width ? &it->second : nullptr;
    PixelImage& image = cache_[id];
    const std::string prefix = std::to_string(id) + "_";
    if (DIR* d = opendir(dir_.c_str())) {
        while (dirent* e = readdir(d)) {
            std::string error;
            if (std::string(e->d_name).rfind(prefix, 0) == 0 && !readBmpFile(dir_ + "/" + e->d_name, image, error))
                errors.push_back(error);
        }
        closedir(d);
    }
    if (!image.width) errors.push_back("no bitmap " + std::to_string(id) + " in " + dir_);
    return image.width ? &image : nullptr;
}
