#include "link/upload_preparation.h"

#include "settings/vehicle_panel.h"

UploadStream prepareUploadStream(Configuration& config, EngineUnitProfiles& profiles,
                                 FormControls* vehiclePanel, const std::vector<std::uint8_t>& pageImage,
                                 const std::vector<std::uint8_t>& fontImage) {
    if (vehiclePanel) readVehiclePanel(*vehiclePanel, config.vehicle, profiles);
    return buildUploadStream(UploadSources{config.layout, config.directory, config.vehicle, config.curves,
                                           config.warnings, profiles},
                             pageImage, fontImage);
}
