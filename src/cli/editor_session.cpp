#include "cli/editor_session.h"

#include "link/upload_image.h"
#include "link/upload_preparation.h"
#include "layout/bitmap_ids.h"
#include "settings/custom_sensor_curves.h"
#include "settings/vehicle_panel.h"

EditorSession::EditorSession() : views_(bitmaps) {
    profiles = defaultEngineUnitProfiles();
    resetPages(config.layout, config.directory);
    setUpVehiclePanel(vehiclePanel, config.vehicle);
    catalog = loadCatalog(views_);
    config.curves = startupCustomSensorCurves();
}

LoadResult EditorSession::load(const std::string& path) {
    const LoadResult result = loadConfiguration(path, config, catalog, views_);
    if (result.loaded && result.vehicleLoaded) fillVehiclePanel(vehiclePanel, config.vehicle);
    return result;
}

void EditorSession::commitVehiclePanel() { readVehiclePanel(vehiclePanel, config.vehicle, profiles); }

SaveResult EditorSession::save(const std::string& path) {
    commitVehiclePanel();
    return saveConfiguration(path, config);
}

UploadStream EditorSession::buildUpload() {
    const std::vector<std::uint8_t> font = buildFontImage(bitmaps.pixels(IDB_CHARACTER_SET));
    const std::vector<std::uint8_t> page = buildPageImage(config.layout, config.directory, bitmaps);
    commitVehiclePanel();
    return prepareUploadStream(config, profiles, page, font);
}

std::vector<std::uint8_t> EditorSession::uploadPageImage() {
    const std::vector<std::uint8_t> stream = flattenStream(buildUpload());
    return std::vector<std::uint8_t>(stream.begin() + 1, stream.begin() + 1 + kPageImageBytes);
}
