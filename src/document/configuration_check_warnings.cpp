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

namespace {

using Parameters = int[kRowsPerWarning];

bool namesChannel(int parameter) { return parameter >= 1 && parameter <= kChannelCount; }

// One row of warning `w` on its own: a condition without a parameter, a parameter that names no
// channel, and a channel tested without a condition, against no number or in no unit of its pair.
void checkWarningRow(const WarningRow& row, int w, int r, const EngineUnitProfile& unitProfile,
                     Findings& out) {
    const std::string name = "Warning " + std::to_string(w + 1);
    const CheckPlace place = warningPlace(w, r);
    const bool hasCondition = row.condition == 1 || row.condition == 2;
    if (row.parameter == 0) {
        if (hasCondition)
            out.add(CheckSeverity::Problem, CheckKind::WarningNoParameter, place,
                    name + " has a condition in row " + std::to_string(r + 1) +
                        " but no parameter, so that row tests nothing.");
        return;
    }
    if (!namesChannel(row.parameter)) {
        out.add(CheckSeverity::Problem, CheckKind::WarningUnknownChannel, place,
                name + " tests parameter " + formatInt(row.parameter) +
                    ", which names no channel, so the warning is never active.");
        return;
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

// Whether a warning that tests a channel can never go off: no page shows all it tests, the
// pages taken as the upload derives them from the layout. A parameter that names no channel has
// its own finding, which already says the warning is never active.
bool neverActive(const Parameters& parameters, const Configuration& config) {
    bool tests = false;
    bool unknown = false;
    bool active = false;
    for (int parameter : parameters) {
        tests = tests || namesChannel(parameter);
        unknown = unknown || (parameter != 0 && !namesChannel(parameter));
    }
    for (int page = 0; page < kPageCount; ++page)
        active = active || warningShownOnPage(parameters, config.layout, config.directory, page);
    return tests && !unknown && !active;
}

// The tested channels that no page shows, each once, in row order; `firstRow` becomes the row of
// the first of them.
std::vector<std::string> channelsOnNoPage(const Parameters& parameters, const Configuration& config,
                                          int& firstRow) {
    std::vector<std::string> onNoPage;
    for (int r = 0; r < kRowsPerWarning; ++r) {
        if (!namesChannel(parameters[r])) continue;
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
    return onNoPage;
}

// "page 1 lacks engine_speed" for each page that shows some of the tested channels; `firstRow`
// becomes, where unset, the first row whose channel a page lacks (pages in order).
std::vector<std::string> whatPagesLack(const Parameters& parameters, const Configuration& config,
                                       int& firstRow) {
    std::vector<std::string> lacks;
    for (int page = 0; page < kPageCount; ++page) {
        std::vector<std::string> missing;
        bool showsSome = false;
        for (int r = 0; r < kRowsPerWarning; ++r) {
            if (!namesChannel(parameters[r])) continue;
            const std::string key = channelKey(parameters[r] - 1);
            if (pageShowsChannel(config.layout, config.directory, page, parameters[r] - 1))
                showsSome = true;
            else if (std::find(missing.begin(), missing.end(), key) == missing.end())
                missing.push_back(key);
            if (firstRow < 0 && !missing.empty()) firstRow = r;
        }
        if (showsSome) lacks.push_back(pageName(page) + " lacks " + joinWords(missing));
    }
    return lacks;
}

// Which tested channel is missing where: first the channels on no page at all, else the pages
// that show some of them and what each lacks. The finding points at the row of the first
// channel it names.
void checkNeverActive(const Parameters& parameters, int w, const Configuration& config, Findings& out) {
    if (!neverActive(parameters, config)) return;
    int firstRow = -1;
    const std::vector<std::string> onNoPage = channelsOnNoPage(parameters, config, firstRow);
    std::string why;
    if (!onNoPage.empty()) {
        why = "no page shows " + joinWords(onNoPage) + "; place a gauge of it on the page "
              "where the warning should show.";
    } else {
        why = "no page shows every channel it tests (" + joinWords(whatPagesLack(parameters, config, firstRow)) +
              ").";
    }
    out.add(CheckSeverity::Problem, CheckKind::WarningNeverActive, warningPlace(w, std::max(firstRow, 0)),
            "Warning " + std::to_string(w + 1) + " can never be active: " + why);
}

}  // namespace

// Warning by warning: its rows, then whether it can go off at all.
void checkWarnings(const Configuration& config, Findings& out) {
    const EngineUnitProfile unitProfile = defaultEngineUnitProfiles().profiles[0];
    for (int w = 0; w < kWarningCount; ++w) {
        Parameters parameters;
        for (int r = 0; r < kRowsPerWarning; ++r) {
            const WarningRow& row = config.warnings.rows[warningRowIndex(w, r)];
            parameters[r] = row.parameter;
            checkWarningRow(row, w, r, unitProfile, out);
        }
        checkNeverActive(parameters, w, config, out);
    }
}

}  // namespace check_parts
