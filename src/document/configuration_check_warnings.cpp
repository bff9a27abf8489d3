// The configuration check's warnings part: each warning's rows, then whether any page lets it go
// off.
#include <algorithm>
#include <cmath>
#include <optional>

#include "document/configuration.h"
#include "document/configuration_check_parts.h"
#include "layout/gauge_catalog.h"
#include "profiles/engine_unit_profiles.h"
#include "settings/number_text.h"

namespace check_parts {

void checkWarnings(const Configuration& config, Findings& out) {
    const EngineUnitProfile unitProfile = defaultEngineUnitProfiles().profiles[0];
    for (int w = 0; w < kWarningCount; ++w) {
        const std::string name = "Warning " + std::to_string(w + 1);
        int parameters[kRowsPerWarning];
        for (int r = 0; r < kRowsPerWarning; ++r) {
            const WarningRow& row = config.warnings.rows[warningRowIndex(w, r)];
            parameters[r] = row.parameter;
            const CheckPlace place = warningPlace(w, r);
            const bool hasCondition = row.condition == 1 || row.condition == 2;
            if (row.parameter == 0) {
                if (hasCondition)
                    out.add(CheckSeverity::Problem, CheckKind::WarningNoParameter, place,
                            name + " has a condition in row " + std::to_string(r + 1) +
                                " but no parameter, so that row tests nothing.");
                continue;
            }
            if (row.parameter < 1 || row.parameter > kChannelCount) {
                out.add(CheckSeverity::Problem, CheckKind::WarningUnknownChannel, place,
                        name + " tests parameter " + formatInt(row.parameter) +
                            ", which names no channel, so the warning is never active.");
                continue;
            }
            const std::string channel = channelKey(row.parameter - 1);
            const std::optional<UnitPair> units = warningUnitPair(row.parameter, unitProfile);
            if (!hasCondition)
                out.add(CheckSeverity::Problem, CheckKind::WarningNoCondition, place,
                        name + " tests " + channel + " without a condition (> or <), so the display "
                                                     "cannot tell when to warn.");
            if (!std::isfinite(row.value))
                out.add(CheckSeverity::Problem, CheckKind::WarningValueNotFinite, place,
                        name + " compares " + channel + " with a value that is not a number, so it "
                                                        "never goes off.");
            if (units && row.unit != 0 && row.unit != 1)
                out.add(CheckSeverity::Problem, CheckKind::WarningUnitNotInPair, place,
                        name + " has no unit for " + channel + " (it takes " + units->first + " or " +
                            units->second + "), so the threshold is read in the wrong unit.");
        }

        // The pages as the upload derives them from the layout. A parameter that names no channel
        // has its own finding, which already says the warning is never active.
        bool tests = false;
        bool unknown = false;
        bool active = false;
        for (int parameter : parameters) {
            tests = tests || (parameter >= 1 && parameter <= kChannelCount);
            unknown = unknown || (parameter != 0 && (parameter < 1 || parameter > kChannelCount));
        }
        for (int page = 0; page < kPageCount; ++page)
            active = active || warningShownOnPage(parameters, config.layout, config.directory, page);
        if (!tests || unknown || active) continue;
        // Which tested channel is missing where: first the channels on no page at all, else the
        // pages that show some of them and what each lacks.
        std::vector<std::string> onNoPage;
        int firstRow = -1;
        for (int r = 0; r < kRowsPerWarning; ++r) {
            if (parameters[r] < 1 || parameters[r] > kChannelCount) continue;
            const int channel = parameters[r] - 1;
            bool shown = false;
            for (int page = 0; page < kPageCount; ++page)
                shown = shown || pageShowsChannel(config.layout, config.directory, page, channel);
            if (shown) continue;
            const std::string key = channelKey(channel);
            if (std::find(onNoPage.begin(), onNoPage.end(), key) != onNoPage.end()) continue;
            onNoPage.push_back(key);
            if (firstRow < 0) firstRow = r;
        }
        std::string why;
        if (!onNoPage.empty()) {
            why = "no page shows " + joinWords(onNoPage) + "; place a gauge of it on the page "
                  "where the warning should show.";
        } else {
            std::vector<std::string> lacks;
            for (int page = 0; page < kPageCount; ++page) {
                std::vector<std::string> missing;
                bool showsSome = false;
                for (int r = 0; r < kRowsPerWarning; ++r) {
                    if (parameters[r] < 1 || parameters[r] > kChannelCount) continue;
                    const std::string key = channelKey(parameters[r] - 1);
                    if (pageShowsChannel(config.layout, config.directory, page, parameters[r] - 1))
                        showsSome = true;
                    else if (std::find(missing.begin(), missing.end(), key) == missing.end())
                        missing.push_back(key);
                    if (firstRow < 0 && !missing.empty()) firstRow = r;
                }
                if (showsSome) lacks.push_back(pageName(page) + " lacks " + joinWords(missing));
            }
            why = "no page shows every channel it tests (" + joinWords(lacks) + ").";
        }
        out.add(CheckSeverity::Problem, CheckKind::WarningNeverActive, warningPlace(w, std::max(firstRow, 0)),
                name + " can never be active: " + why);
    }
}

}  // namespace check_parts
