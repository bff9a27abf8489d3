#include <gtest/gtest.h>

#include <cstdlib>
#include <fstream>
#include <map>
#include <sstream>
#include <string>
#include <vector>

#include "layout/byte_io.h"
#include "layout/gauge_catalog.h"
#include "layout/page_layout.h"
#include "profiles/engine_unit_profiles.h"
#include "settings/filling_controls.h"
#include "settings/warning_setup.h"
#include "settings/warning_table.h"
#include "platform/memory_form.h"

namespace {

constexpr int kOk = 1;
constexpr int kCancel = 2;
constexpr int kSelectionChange = 1;
constexpr int kClicked = 0;

// Parameter list positions: channel number + 1.
constexpr int kCoolant = 4 + 1;
constexpr int kEngineLoad = 7 + 1;
constexpr int kEngineSpeed = 8 + 1;

std::uint32_t textGaugeId(const std::string& name) {
    for (int i = 0; i < definitionCount(3); ++i)
        if (definitionName(3, i) == name) return gaugeDefinition(3, i)->gaugeId;
    ADD_FAILURE() << "no text gauge " << name;
    return 0;
}

struct Pages {
    PageLayout layout{};
    PageDirectory directory{};
    void place(int page, std::uint32_t gaugeId) {
        GaugePlacement& slot = layout.slots[page][directory.pages[page].count++];
        slot.gaugeId = gaugeId;
    }
};

std::vector<int> pageFlags(const WarningTable& table, int warning) {
    std::vector<int> flags;
    for (int page = 0; page < 4; ++page) flags.push_back(table.rows[warningRowIndex(warning, page)].activeOnPage);
    return flags;
}

std::vector<int> checkBoxes(MemoryForm& form, int warning) {
    std::vector<int> flags;
    for (int page = 0; page < 4; ++page)
        flags.push_back(form.isChecked(warningRowControls(warningRowIndex(warning, page)).pageCheck) ? 1 : 0);
    return flags;
}

// A dialog opened on its own table, layout and profile 1, driven like the real one.
struct Dialog {
    WarningTable table{};
    Pages pages;
    EngineUnitProfiles profiles = defaultEngineUnitProfiles();
    MemoryForm form;
    WarningSetupContext context{table, pages.layout, pages.directory, profiles.profiles[0]};

    void open() { openWarningSetupForm(form, context); }
    // The user picks a list position; the list then notifies its selection change.
    bool choose(int listId, int position) {
        form.lists[listId].selection = position;
        return warningSetupCommand(form, context, listId, kSelectionChange);
    }
    bool command(int id, int code = kClicked) { return warningSetupCommand(form, context, id, code); }
};

const WarningRowControls& row(int warning, int j) { return warningRowControls(warningRowIndex(warning, j)); }

}  // namespace

TEST(WarningTable, EncodesTwentyBytesPerRowInFieldOrder) {
    WarningTable table{};
    table.rows[5] = WarningRow{1, 9, 2, 1.5f, -1};
    std::vector<std::uint8_t> bytes;
    ByteWriter out(bytes);
    encodeWarningTable(table, out);
    ASSERT_EQ(bytes.size(), 640u);
    const std::vector<std::uint8_t> row5(bytes.begin() + 100, bytes.begin() + 120);
    EXPECT_EQ(row5, (std::vector<std::uint8_t>{1, 0, 0, 0, 9, 0, 0, 0, 2, 0, 0, 0,
                                               0x00, 0x00, 0xC0, 0x3F, 0xFF, 0xFF, 0xFF, 0xFF}));

    WarningTable back{};
    ByteReader in(bytes.data(), bytes.size());
    ASSERT_TRUE(decodeWarningTable(in, back));
    EXPECT_EQ(back.rows[5].parameter, 9);
    EXPECT_EQ(back.rows[5].value, 1.5f);
    EXPECT_EQ(back.rows[5].unit, -1);
    EXPECT_EQ(back.rows[4].unit, 0);

    ByteReader shortInput(bytes.data(), 639);
    WarningTable untouched{};
    untouched.rows[0].parameter = 3;
    EXPECT_FALSE(decodeWarningTable(shortInput, untouched));
    EXPECT_EQ(untouched.rows[0].parameter, 3);
}

TEST(WarningTable, UnitPairsFollowProfileOnesScalingSlots) {
    const EngineUnitProfiles profiles = defaultEngineUnitProfiles();
    struct Case { const char* key; const char* first; const char* second; };
    const Case cases[] = {
        {"air_temp", "C", "F"},          {"egt_2", "C", "F"},
        {"engine_load", "kPa", "psi"},   {"gear", "mph", "kph"},
        {"o2_target", "lambda", "AFR"},  {"torque", "rpm", "rpm"},
        {"advance_comp", "degrees", "degrees"}, {"knock_retard_2", "degrees", "degrees"},
        {"injector_duty", "%", "%"},     {"o2_fb_2", "%", "%"},
        {"mileage", "mpg", "mpg"},       {"battery", "volts", "volts"},
        {"adcr_18", "volts", "volts"},   {"ls1", " ", " "},
        {"switch7", " ", " "},
    };
    for (const Case& c : cases) {
        int position = 0;
        for (int channel = 0; channel < kChannelCount; ++channel)
            if (channelKey(channel) == c.key) position = channel + 1;
        ASSERT_NE(position, 0) << "case " << c.key;
        const std::optional<UnitPair> pair = warningUnitPair(position, profiles.profiles[0]);
        ASSERT_TRUE(pair.has_value()) << "case " << c.key;
        EXPECT_EQ(pair->first, c.first) << "case " << c.key;
        EXPECT_EQ(pair->second, c.second) << "case " << c.key;
    }
    for (int position : {0, -1, 78, 1000, -1000})
        EXPECT_FALSE(warningUnitPair(position, profiles.profiles[0]).has_value()) << "case " << position;
}

TEST(WarningTable, PagesFollowTheFirstAndSecondChannelsOfPlacedGauges) {
    struct Case {
        const char* name;
        std::vector<std::pair<int, std::string>> gauges;  // page, text gauge name
        std::vector<int> parameters;                      // rows of warning 3
        std::vector<int> flags;
    };
    const Case cases[] = {
        {"rpm on page 2 only", {{1, "RPM"}}, {kEngineSpeed}, {0, 1, 0, 0}},
        {"second row without its gauge", {{1, "RPM"}}, {kEngineSpeed, kCoolant}, {0, 0, 0, 0}},
        {"both gauges on one page", {{1, "RPM"}, {1, "Coolant (C)"}, {2, "Coolant (C)"}},
         {kEngineSpeed, kCoolant}, {0, 1, 0, 0}},
        {"second channel counts", {{2, "Gear"}}, {kEngineSpeed}, {0, 0, 1, 0}},
        {"rows may repeat and skip", {{0, "RPM"}, {3, "RPM"}}, {0, kEngineSpeed, 0, kEngineSpeed}, {1, 0, 0, 1}},
        {"no parameter is never active", {{0, "RPM"}}, {0, 0, 0, 0}, {0, 0, 0, 0}},
        {"no selection is a channel never shown", {{0, "RPM"}}, {kEngineSpeed, -1}, {0, 0, 0, 0}},
    };
    for (const Case& c : cases) {
        Pages pages;
        for (const auto& [page, name] : c.gauges) pages.place(page, textGaugeId(name));
        WarningTable table{};
        for (std::size_t j = 0; j < c.parameters.size(); ++j) table.rows[warningRowIndex(2, j)].parameter = c.parameters[j];
        for (int page = 0; page < 4; ++page) table.rows[warningRowIndex(2, page)].activeOnPage = 1;
        table.rows[warningRowIndex(0, 0)].activeOnPage = 1;
        recomputeWarningPages(table, pages.layout, pages.directory);
        EXPECT_EQ(pageFlags(table, 2), c.flags) << "case " << c.name;
        EXPECT_EQ(pageFlags(table, 0), (std::vector<int>{0, 0, 0, 0})) << "case " << c.name;
    }
}

TEST(WarningTable, DamagedLayoutsAndParametersMatchNothingAndStayInBounds) {
    struct Case { const char* name; std::uint32_t gaugeId; int count; int parameter; std::vector<int> flags; };
    const std::uint32_t rpm = textGaugeId("RPM");
    const Case cases[] = {
        {"unknown gauge id shows no channel", 0xDEAD, 1, 1, {0, 0, 0, 0}},
        // Channel 255 is the "no second channel" marker that single-channel gauges carry.
        {"parameter 256 is not the no-channel marker", rpm, 1, 256, {0, 0, 0, 0}},
        {"parameter above the channel table", rpm, 1, 78, {0, 0, 0, 0}},
        {"negative parameter", rpm, 1, -5, {0, 0, 0, 0}},
        {"negative count holds no gauges", rpm, -3, kEngineSpeed, {0, 0, 0, 0}},
        {"count above 128 is clamped", rpm, 100000, kEngineSpeed, {1, 1, 1, 1}},
    };
    for (const Case& c : cases) {
        Pages pages;
        for (int page = 0; page < 4; ++page) {
            for (GaugePlacement& slot : pages.layout.slots[page]) slot.gaugeId = 0xDEAD;
            pages.layout.slots[page][0].gaugeId = c.gaugeId;
            pages.layout.slots[page][127].gaugeId = c.gaugeId;
            pages.directory.pages[page].count = c.count;
        }
        WarningTable table{};
        table.rows[0].parameter = c.parameter;
        recomputeWarningPages(table, pages.layout, pages.directory);
        EXPECT_EQ(pageFlags(table, 0), c.flags) << "case " << c.name;
    }
}

TEST(WarningSetup, OpensEmptyAndOkStoresEmptyRows) {
    Dialog dialog;
    dialog.open();
    MemoryForm& form = dialog.form;
    for (int r = 0; r < kWarningRowCount; ++r) {
        const WarningRowControls& ids = warningRowControls(r);
        const MemoryForm::List& parameters = form.lists[ids.parameterList];
        ASSERT_EQ(parameters.items.size(), 78u) << "case row " << r;
        EXPECT_EQ(parameters.items[0], " ") << "case row " << r;
        EXPECT_EQ(parameters.items[1], "advance_comp") << "case row " << r;
        EXPECT_EQ(parameters.items[77], "switch7") << "case row " << r;
        EXPECT_EQ(parameters.selection, 0) << "case row " << r;
        EXPECT_EQ(form.lists[ids.conditionList].items, (std::vector<std::string>{" ", ">", "<"})) << "case row " << r;
        EXPECT_EQ(form.lists[ids.conditionList].selection, 0) << "case row " << r;
        EXPECT_EQ(form.texts[ids.valueEdit], "") << "case row " << r;
        EXPECT_TRUE(form.lists[ids.unitList].items.empty()) << "case row " << r;
        EXPECT_FALSE(form.isChecked(ids.pageCheck)) << "case row " << r;
    }
    EXPECT_FALSE(fillingControls);

    EXPECT_TRUE(dialog.command(kOk));
    for (int r = 0; r < kWarningRowCount; ++r) {
        const WarningRow& stored = dialog.table.rows[r];
        EXPECT_EQ(stored.activeOnPage, 0) << "case row " << r;
        EXPECT_EQ(stored.parameter, 0) << "case row " << r;
        EXPECT_EQ(stored.condition, 0) << "case row " << r;
        EXPECT_EQ(stored.value, 0.0f) << "case row " << r;
        EXPECT_EQ(stored.unit, -1) << "case row " << r;
    }
}

TEST(WarningSetup, ChoosingAParameterDerivesThePagesAndOffersItsUnits) {
    Dialog dialog;
    dialog.pages.place(1, textGaugeId("RPM"));
    dialog.open();

    EXPECT_FALSE(dialog.choose(row(0, 0).parameterList, kEngineSpeed));
    EXPECT_EQ(checkBoxes(dialog.form, 0), (std::vector<int>{0, 1, 0, 0}));
    EXPECT_EQ(dialog.form.lists[row(0, 0).unitList].items, (std::vector<std::string>{"rpm", "rpm"}));
    // The table waits for OK.
    EXPECT_EQ(pageFlags(dialog.table, 0), (std::vector<int>{0, 0, 0, 0}));
    EXPECT_EQ(dialog.table.rows[0].parameter, 0);

    dialog.choose(row(0, 1).parameterList, kCoolant);
    EXPECT_EQ(checkBoxes(dialog.form, 0), (std::vector<int>{0, 0, 0, 0}));
    EXPECT_EQ(dialog.form.lists[row(0, 1).unitList].items, (std::vector<std::string>{"C", "F"}));
    dialog.choose(row(0, 1).parameterList, 0);
    EXPECT_TRUE(dialog.command(kOk));
    EXPECT_EQ(pageFlags(dialog.table, 0), (std::vector<int>{0, 1, 0, 0}));
    EXPECT_EQ(dialog.table.rows[0].parameter, kEngineSpeed);
}

TEST(WarningSetup, EveryRefreshReselectsTheStoredUnit) {
    Dialog dialog;
    dialog.open();
    const WarningRowControls& ids = row(4, 2);
    dialog.choose(ids.parameterList, kEngineLoad);
    EXPECT_EQ(dialog.form.lists[ids.unitList].items, (std::vector<std::string>{"kPa", "psi"}));
    EXPECT_EQ(dialog.form.lists[ids.unitList].selection, 0);

    // Picking a unit changes nothing until OK; a unit list's own notification is no refresh.
    dialog.form.lists[ids.unitList].selection = 1;
    EXPECT_FALSE(dialog.command(ids.unitList, kSelectionChange));
    EXPECT_EQ(dialog.form.lists[ids.unitList].selection, 1);
    EXPECT_TRUE(dialog.command(kOk));
    EXPECT_EQ(dialog.table.rows[warningRowIndex(4, 2)].unit, 1);

    // Later picks return to the stored unit at the next parameter or condition change.
    dialog.form.lists[ids.unitList].selection = 0;
    dialog.choose(row(7, 3).conditionList, 2);
    EXPECT_EQ(dialog.form.lists[ids.unitList].selection, 1);
}

TEST(WarningSetup, CancelDiscardsEveryChange) {
    Dialog dialog;
    dialog.pages.place(0, textGaugeId("RPM"));
    dialog.table.rows[warningRowIndex(1, 0)].value = 4.0f;
    dialog.table.rows[warningRowIndex(1, 2)].activeOnPage = 1;  // not what the layout derives
    dialog.table.rows[warningRowIndex(6, 0)] = WarningRow{0, 200, 1, 2.0f, 1};  // a damaged file's
    const WarningTable before = dialog.table;
    dialog.open();
    dialog.form.texts[row(1, 0).valueEdit] = "99";
    dialog.form.lists[row(1, 0).conditionList].selection = 1;
    dialog.choose(row(1, 0).parameterList, kEngineSpeed);
    dialog.choose(row(3, 3).parameterList, kCoolant);
    dialog.choose(row(3, 3).parameterList, kEngineLoad);

    EXPECT_TRUE(dialog.command(kCancel));
    for (int r = 0; r < kWarningRowCount; ++r) {
        const WarningRow& stored = dialog.table.rows[r];
        const WarningRow& was = before.rows[r];
        EXPECT_EQ(stored.activeOnPage, was.activeOnPage) << "case row " << r;
        EXPECT_EQ(stored.parameter, was.parameter) << "case row " << r;
        EXPECT_EQ(stored.condition, was.condition) << "case row " << r;
        EXPECT_EQ(stored.value, was.value) << "case row " << r;
        EXPECT_EQ(stored.unit, was.unit) << "case row " << r;
    }
}

TEST(WarningSetup, OpeningBuildsEachUnitListOnce) {
    // Counts how often each list is emptied.
    struct CountingForm : MemoryForm {
        void clearList(int id) override {
            MemoryForm::clearList(id);
            ++clears[id];
        }
        std::map<int, int> clears;
    };
    WarningTable table{};
    table.rows[warningRowIndex(2, 1)] = WarningRow{0, kEngineLoad, 1, 3.0f, 1};
    Pages pages;
    const EngineUnitProfiles profiles = defaultEngineUnitProfiles();
    CountingForm form;
    openWarningSetupForm(form, WarningSetupContext{table, pages.layout, pages.directory, profiles.profiles[0]});
    for (int r = 0; r < kWarningRowCount; ++r)
        EXPECT_EQ(form.clears[warningRowControls(r).unitList], 1) << "case row " << r;
    const WarningRowControls& ids = row(2, 1);
    EXPECT_EQ(form.lists[ids.unitList].items, (std::vector<std::string>{"kPa", "psi"}));
    EXPECT_EQ(form.lists[ids.unitList].selection, 1);
}

TEST(WarningSetup, FillShowsValuesOnlyForRowsWithAParameter) {
    struct Case { const char* name; int parameter; float value; int unit; const char* text;
                  std::vector<std::string> units; int unitSelection; };
    const Case cases[] = {
        {"no parameter hides the value", 0, 7.5f, 0, "", {}, -1},
        {"parameter shows %5.2f", kEngineLoad, 7.5f, 1, " 7.50", {"kPa", "psi"}, 1},
        {"wide value", kCoolant, 1234.5f, 0, "1234.50", {"C", "F"}, 0},
        {"no selection still shows the value", -1, -2.0f, 0, "-2.00", {}, -1},
        {"damaged parameter has no units", 200, 1.0f, 0, " 1.00", {}, -1},
        {"unit beyond the pair selects nothing", kCoolant, 0.0f, 5, " 0.00", {"C", "F"}, -1},
    };
    for (const Case& c : cases) {
        Dialog dialog;
        WarningRow& stored = dialog.table.rows[warningRowIndex(6, 1)];
        stored.parameter = c.parameter;
        stored.value = c.value;
        stored.unit = c.unit;
        prepareWarningSetupLists(dialog.form);
        fillWarningSetup(dialog.form, dialog.table, dialog.profiles.profiles[0]);
        const WarningRowControls& ids = row(6, 1);
        EXPECT_EQ(dialog.form.texts[ids.valueEdit], c.text) << "case " << c.name;
        EXPECT_EQ(dialog.form.lists[ids.unitList].items, c.units) << "case " << c.name;
        EXPECT_EQ(dialog.form.lists[ids.unitList].selection, c.unitSelection) << "case " << c.name;
        EXPECT_FALSE(fillingControls) << "case " << c.name;
    }
}

TEST(WarningSetup, OkReadsEveryFieldWithTheNineCharacterCut) {
    Dialog dialog;
    dialog.open();
    const WarningRowControls& ids = row(3, 3);
    dialog.choose(ids.parameterList, kEngineSpeed);
    dialog.form.lists[ids.conditionList].selection = 2;
    dialog.form.lists[ids.unitList].selection = 0;
    dialog.form.texts[ids.valueEdit] = "6500.1234567";
    dialog.form.checks[ids.pageCheck] = true;  // ticked by hand: OK stores it as it is
    dialog.form.texts[row(0, 0).valueEdit] = "fast";

    EXPECT_TRUE(dialog.command(kOk));
    const WarningRow& stored = dialog.table.rows[warningRowIndex(3, 3)];
    EXPECT_EQ(stored.activeOnPage, 1);
    EXPECT_EQ(stored.parameter, kEngineSpeed);
    EXPECT_EQ(stored.condition, 2);
    EXPECT_EQ(stored.value, static_cast<float>(6500.1234));
    EXPECT_EQ(stored.unit, 0);
    EXPECT_EQ(dialog.table.rows[0].value, 0.0f);
}

TEST(WarningSetup, OnlyParameterAndConditionChangesRefresh) {
    struct Case { const char* name; int id; int code; bool closes; bool refreshes; };
    const Case cases[] = {
        {"condition change", row(2, 1).conditionList, kSelectionChange, false, true},
        {"check box click", row(2, 1).pageCheck, kClicked, false, false},
        {"unit list change", row(2, 1).unitList, kSelectionChange, false, false},
        {"value edit change", row(2, 1).valueEdit, 0x300, false, false},
        {"command 7", 7, kClicked, false, false},
    };
    for (const Case& c : cases) {
        Dialog dialog;
        dialog.open();
        dialog.form.lists[row(5, 0).parameterList].selection = kCoolant;  // not yet notified
        EXPECT_EQ(dialog.command(c.id, c.code), c.closes) << "case " << c.name;
        EXPECT_EQ(dialog.form.lists[row(5, 0).unitList].items.size(), c.refreshes ? 2u : 0u) << "case " << c.name;
    }
}

TEST(WarningSetup, OkWhileTheProgramFillsClosesWithoutReading) {
    Dialog dialog;
    dialog.open();
    dialog.form.lists[row(0, 0).conditionList].selection = 1;
    FillingControls filling;
    EXPECT_TRUE(dialog.command(kOk));
    EXPECT_EQ(dialog.table.rows[0].condition, 0);
}

// The dialog template must hold every control the logic addresses, of the right kind.
TEST(WarningSetup, DialogTemplateHoldsEveryRowsControls) {
    std::ifstream file(std::string(VELTRANA_SOURCE_DIR) + "/resources/warning_setup.rc");
    ASSERT_TRUE(file.is_open());
    std::map<int, std::string> kinds;  // id -> statement
    std::map<int, std::string> labels;
    std::string line;
    while (std::getline(file, line)) {
        std::istringstream words(line);
        std::string statement;
        words >> statement;
        if (statement != "AUTOCHECKBOX" && statement != "COMBOBOX" && statement != "EDITTEXT") continue;
        std::string rest;
        std::getline(words, rest);
        std::string label;
        if (!rest.empty() && rest.find('"') != std::string::npos) {
            const std::size_t open = rest.find('"'), close = rest.find('"', open + 1);
            label = rest.substr(open + 1, close - open - 1);
            rest = rest.substr(rest.find(',', close) + 1);
        }
        const int id = std::atoi(rest.c_str());
        if (id > 0) {
            EXPECT_EQ(kinds.count(id), 0u) << "case id " << id << " twice";
            kinds[id] = statement;
            labels[id] = label;
        }
    }
    for (int r = 0; r < kWarningRowCount; ++r) {
        const WarningRowControls& ids = warningRowControls(r);
        EXPECT_EQ(kinds[ids.pageCheck], "AUTOCHECKBOX") << "case row " << r;
        EXPECT_EQ(labels[ids.pageCheck], "Page " + std::to_string(r % 4 + 1)) << "case row " << r;
        EXPECT_EQ(kinds[ids.parameterList], "COMBOBOX") << "case row " << r;
        EXPECT_EQ(kinds[ids.conditionList], "COMBOBOX") << "case row " << r;
        EXPECT_EQ(kinds[ids.valueEdit], "EDITTEXT") << "case row " << r;
        EXPECT_EQ(kinds[ids.unitList], "COMBOBOX") << "case row " << r;
        EXPECT_LT(ids.parameterList, 1200) << "case row " << r;
        EXPECT_LT(ids.conditionList, 1200) << "case row " << r;
        EXPECT_GE(ids.unitList, 1200) << "case row " << r;
    }
    EXPECT_EQ(kinds.size(), 160u);
}
