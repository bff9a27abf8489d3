#include "document/configuration_compare.h"

#include <cstddef>

#include "settings/warning_table.h"

namespace {

std::string gaugeName(const GaugeInfo& g) {
    return g.inCatalog ? g.name : "the unknown gauge " + hexWord(g.gaugeId, 4);
}

std::string position(const GaugeInfo& g) {
    return "column " + std::to_string(g.column) + ", row " + std::to_string(g.row);
}

bool samePlace(const GaugeInfo& a, const GaugeInfo& b) {
    return a.gaugeId == b.gaugeId && a.column == b.column && a.row == b.row;
}

// A text without the spaces around it: the panel pads some numbers ("%5.0f" shows 0 as
// "    0"), which says nothing in a line of words.
std::string trimmed(const std::string& text) {
    const std::size_t first = text.find_first_not_of(' ');
    if (first == std::string::npos) return "";
    return text.substr(first, text.find_last_not_of(' ') - first + 1);
}

// An empty text in words, so that a line never ends in nothing.
std::string shown(const std::string& text, const char* whenEmpty) { return text.empty() ? whenEmpty : text; }

class Differences {
public:
    void add(const std::string& kind, const std::string& place, const std::string& from, const std::string& to,
             const std::string& text) {
        list.push_back(ConfigurationDifference{kind, place, from, to, text});
    }
    void change(const std::string& kind, const std::string& place, const std::string& from, const std::string& to,
                const char* whenEmpty) {
        add(kind, place, from, to, place + ": " + shown(from, whenEmpty) + " -> " + shown(to, whenEmpty));
    }
    std::vector<ConfigurationDifference> list;
};

void compareGauges(const std::vector<GaugeInfo>& first, const std::vector<GaugeInfo>& second, Differences& out) {
    for (int page = 1; page <= kPageCount; ++page) {
        std::vector<GaugeInfo> removed, added;
        for (const GaugeInfo& g : first)
            if (g.page == page) removed.push_back(g);
        for (const GaugeInfo& g : second)
            if (g.page == page) added.push_back(g);
        // A gauge at the same place on both sides is unchanged, whatever its slot.
        for (auto r = removed.begin(); r != removed.end();) {
            auto match = added.begin();
            while (match != added.end() && !samePlace(*r, *match)) ++match;
            if (match == added.end()) {
                ++r;
                continue;
            }
            added.erase(match);
            r = removed.erase(r);
        }
        const std::string place = "Page " + std::to_string(page);
        // What is left of one gauge on both sides has moved within the page.
        for (auto r = removed.begin(); r != removed.end();) {
            auto match = added.begin();
            while (match != added.end() && match->gaugeId != r->gaugeId) ++match;
            if (match == added.end()) {
                ++r;
                continue;
            }
            out.add("gauge", place, gaugeName(*r) + " at " + position(*r), gaugeName(*match) + " at " + position(*match),
                    place + ": " + gaugeName(*r) + " moved from " + position(*r) + " to " + position(*match));
            added.erase(match);
            r = removed.erase(r);
        }
        for (const GaugeInfo& g : removed)
            out.add("gauge", place, gaugeName(g) + " at " + position(g), "",
                    place + ": " + gaugeName(g) + " removed from " + position(g));
        for (const GaugeInfo& g : added)
            out.add("gauge", place, "", gaugeName(g) + " at " + position(g),
                    place + ": " + gaugeName(g) + " added at " + position(g));
    }
}

const WarningInfo* findWarning(const std::vector<WarningInfo>& warnings, int warning) {
    for (const WarningInfo& w : warnings)
        if (w.warning == warning) return &w;
    return nullptr;
}

}  // namespace

std::vector<ConfigurationDifference> compareConfigurations(const ConfigurationSummary& first,
                                                           const ConfigurationSummary& second) {
    Differences out;
    if (first.version != second.version)
        out.change("version", "Format version", hexWord(first.version, 8), hexWord(second.version, 8), "");

    compareGauges(first.gauges, second.gauges, out);

    // Compared as the panel shows them, told without the padding.
    for (std::size_t i = 0; i < first.vehicle.size() && i < second.vehicle.size(); ++i)
        if (first.vehicle[i].text != second.vehicle[i].text)
            out.change("vehicle", first.vehicle[i].label, trimmed(first.vehicle[i].text),
                       trimmed(second.vehicle[i].text), "(no selection)");

    for (int sensor = 0; sensor < kCustomSensorCount; ++sensor)
        for (int point = 0; point < kCurvePointCount; ++point) {
            // Compared as the numbers read: two NaNs are alike, 0 and -0 are not.
            const std::string from = shortestNumber(first.curves.points[sensor][point]);
            const std::string to = shortestNumber(second.curves.points[sensor][point]);
            if (from != to)
                out.change("curve", "Sensor " + std::to_string(sensor + 1) + " at " + curvePointVolts(point) + " V",
                           from, to, "");
        }

    for (int w = 0; w < kWarningCount; ++w) {
        const std::string warning = "Warning " + std::to_string(w + 1);
        for (int r = 0; r < kRowsPerWarning; ++r) {
            const std::size_t i = static_cast<std::size_t>(warningRowIndex(w, r));
            if (i < first.warningRows.size() && i < second.warningRows.size() &&
                first.warningRows[i] != second.warningRows[i])
                out.change("warning", warning + ", row " + std::to_string(r + 1), first.warningRows[i],
                           second.warningRows[i], "(empty)");
        }
        // Where a warning in use on both sides shows follows from the gauges: said once more
        // here, since that is what the driver notices.
        const WarningInfo* a = findWarning(first.warnings, w + 1);
        const WarningInfo* b = findWarning(second.warnings, w + 1);
        if (a && b && a->pages != b->pages) out.change("warning", warning, pagesText(a->pages), pagesText(b->pages), "");
    }
    return out.list;
}

std::string compareSummaryText(const std::string& path, std::size_t differences) {
    if (differences == 0) return "No differences from " + path + " to the open configuration";
    return std::to_string(differences) + (differences == 1 ? " difference" : " differences") + " from " + path +
           " to the open configuration";
}
