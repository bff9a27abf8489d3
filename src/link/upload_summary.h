#pragma once
// What an upload of the configuration would send, told in one line before anything is sent.
#include <cstddef>
#include <cstdint>
#include <string>
#include <vector>

#include "document/configuration.h"
#include "profiles/engine_unit_profiles.h"

// "3 gauges, 13532 bytes, about 25.4 s": the gauges sent, the stream's bytes and its minimum
// duration in tenths of a second.
std::string uploadSummaryText(int gauges, std::size_t bytes, double durationMs);

// The gauge records an upload would send: placed gauges whose id is in the catalog.
int sentGaugeCount(const PageLayout& layout, const PageDirectory& directory);

// The summary of the stream an upload would build now from these images. The configuration is
// left as it is: the warnings' page flags, which the upload works out anew, are worked out on a
// copy.
std::string uploadSummary(const Configuration& config, const EngineUnitProfiles& profiles,
                          const std::vector<std::uint8_t>& pageImage,
                          const std::vector<std::uint8_t>& fontImage);
