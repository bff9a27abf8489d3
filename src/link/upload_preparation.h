#pragma once
// What "Proceed" does between building the page and font images and sending the first byte: the
// stream laid out from the configuration as the editor has committed it (the vehicle panel read
// back, which also rewrites the MAP sensor slots of the profiles). The editor and the command-line
// program both build their uploads here, so they send the same bytes for the same state.
#include <cstdint>
#include <vector>

#include "document/configuration.h"
#include "link/upload_stream.h"
#include "profiles/engine_unit_profiles.h"

// Only the warnings' page flags of `config` change: the upload works them out anew.
UploadStream prepareUploadStream(Configuration& config, const EngineUnitProfiles& profiles,
                                 const std::vector<std::uint8_t>& pageImage,
                                 const std::vector<std::uint8_t>& fontImage);
