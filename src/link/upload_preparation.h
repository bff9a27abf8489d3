#pragma once
// What "Proceed" does between building the page and font images and sending the first byte: the
// vehicle panel read back (which also rewrites the MAP sensor slots of the profiles) and the
// stream laid out. The editor and the command-line program both build their uploads here, so they
// send the same bytes for the same state.
#include <cstdint>
#include <vector>

#include "document/configuration.h"
#include "link/upload_stream.h"
#include "profiles/engine_unit_profiles.h"

class FormControls;

// `vehiclePanel` is the panel showing config.vehicle (nullptr: no panel, the record is sent as it
// is).
UploadStream prepareUploadStream(Configuration& config, EngineUnitProfiles& profiles,
                                 FormControls* vehiclePanel, const std::vector<std::uint8_t>& pageImage,
                                 const std::vector<std::uint8_t>& fontImage);
