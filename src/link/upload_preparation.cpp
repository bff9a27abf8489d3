#include "link/upload_preparation.h"

UploadStream prepareUploadStream(Configuration& config, const EngineUnitProfiles& profiles,
                                 const std::vector<std::uint8_t>& pageImage,
                                 const std::vector<std::uint8_t>& fontImage) {
    return buildUploadStream(UploadSources{config.layout, config.directory, config.vehicle, config.curves,
                                           config.warnings, profiles},
                             pageImage, fontImage);
}
