#include <cmath>
#include <cstdint>
#include <cstring>
#include <limits>
#include <string>
#include <vector>

#include <gtest/gtest.h>

#include "profiles/engine_unit_profiles.h"
#include "settings/vehicle_panel_ids.h"
#include "settings/filling_controls.h"
#include "settings/vehicle_panel.h"
#include "settings/vehicle_settings.h"
#include "platform/memory_form.h"
#include "support/float_bits.h"

namespace {

// A panel as the program has it after start-up: set up from a zero record.
struct Panel {
    MemoryForm form;
    VehicleSettings settings;
    EngineUnitProfiles profiles = defaultEngineUnitProfiles();

    Panel() { setUpVehiclePanel(form, settings); }
    void type(int id, const std::string& text) {
        form.texts[id] = text;
        onVehiclePanelCommand(form, id, settings, profiles);
    }
};

TEST(VehiclePanelStart, ShowsTheStartValues) {
    Panel panel;
    struct Case {
        int id;
        const char* text;
    };
    const Case cases[] = {
        {IDC_LOAD_OFFSET, "0.000"},      {IDC_LOAD_SCALAR, "0.000"},
        {IDC_REV_METER_RPM_LOW, "0"},    {IDC_REV_METER_RPM_HIGH, "8000"},
        {IDC_VEHICLE_WEIGHT, "    0"},   {IDC_DRAG_COEFFICIENT, "0.000"},
        {IDC_GEAR_RATIO_FIRST, "0.000"}, {IDC_GEAR_RATIO_LAST, "0.000"},
        {IDC_FINAL_DRIVE_RATIO, "0.000"}, {IDC_CYLINDER_COUNT, "0"},
        {IDC_INJECTOR_SIZE, "0"},        {IDC_FUEL_PRESSURE, "0"},
    };
    for (const Case& c : cases) EXPECT_EQ(panel.form.texts[c.id], c.text) << "case control " << c.id;
    EXPECT_EQ(panel.settings.revMeterRpmHigh, 8000);

    struct ListCase {
        int id;
        std::size_t count;
        const char* first;
        const char* last;
    };
    const ListCase lists[] = {{IDC_COM_PORT, 4, "Com 1", "Com 4"},
                              {IDC_RIM_DIAMETER, 20, "11", "30"},
                              {IDC_TIRE_WIDTH, 52, "140", "395"},
                              {IDC_TIRE_ASPECT, 19, "5", "95"}};
    for (const ListCase& c : lists) {
        const MemoryForm::List& list = panel.form.lists[c.id];
        ASSERT_EQ(list.items.size(), c.count) << "case list " << c.id;
        EXPECT_EQ(list.items.front(), c.first) << "case list " << c.id;
        EXPECT_EQ(list.items.back(), c.last) << "case list " << c.id;
        EXPECT_EQ(list.selection, 0) << "case list " << c.id;
    }
    EXPECT_EQ(panel.form.lists[IDC_COM_PORT].items[2], "Com 3");
    EXPECT_EQ(panel.form.lists[IDC_TIRE_WIDTH].items[1], "145");
}

TEST(VehiclePanelStart, ListValuesOfPositions) {
    struct Case {
        const char* name;
        const std::int32_t* list;
        int position;
        std::int32_t value;
    };
    const Case cases[] = {
        {"rim first", kRimDiameterList, 0, 11},      {"rim last", kRimDiameterList, 19, 30},
        {"rim beyond", kRimDiameterList, 20, 0},     {"rim none", kRimDiameterList, -1, 0},
        {"width position 3", kTireWidthList, 3, 155}, {"width last", kTireWidthList, 51, 395},
        {"aspect last", kTireAspectList, 18, 95},    {"aspect beyond", kTireAspectList, 19, 0},
    };
    for (const Case& c : cases)
        EXPECT_EQ(vehicleListValue(c.list, c.position), c.value) << "case " << c.name;
}

TEST(VehiclePanelReadBack, FirstReadBackOfStartValues) {
    Panel panel;
    readVehiclePanel(panel.form, panel.settings, panel.profiles);
    for (int p = 0; p < kEngineUnitProfileCount; ++p) {
        const EngineUnitProfile& profile = panel.profiles.profiles[p];
        EXPECT_EQ(bitsOf(profile.scales[38]), 0u) << "profile " << p + 1;
        EXPECT_EQ(bitsOf(profile.offsets[38]), 0u) << "profile " << p + 1;
        EXPECT_EQ(bitsOf(profile.scales[39]), 0u) << "profile " << p + 1;
        EXPECT_EQ(bitsOf(profile.offsets[39]), 0xC1680000u) << "profile " << p + 1;  // -14.5
    }
    EXPECT_TRUE(std::isnan(panel.settings.fuelFlowFactor)) << "0 x 0 / sqrt(0) is stored as it is";
    EXPECT_EQ(panel.settings.revMeterRpmHigh, 8000);
    EXPECT_EQ(panel.settings.comPortIndex, 0);
}

TEST(VehiclePanelReadBack, MapSensorSlotsByBits) {
    Panel panel;
    panel.form.texts[IDC_LOAD_SCALAR] = "1";
    panel.type(IDC_LOAD_OFFSET, "100");
    const EngineUnitProfiles defaults = defaultEngineUnitProfiles();
    for (int p = 0; p < kEngineUnitProfileCount; ++p) {
        const EngineUnitProfile& profile = panel.profiles.profiles[p];
        EXPECT_EQ(bitsOf(profile.scales[38]), 0x3AC800C8u) << "profile " << p + 1;
        EXPECT_EQ(profile.offsets[38], 100.0f) << "profile " << p + 1;
        EXPECT_EQ(bitsOf(profile.scales[39]), 0x396800E8u) << "profile " << p + 1;  // 0.00022125582
        EXPECT_EQ(bitsOf(profile.offsets[39]), 0u) << "profile " << p + 1;
        for (int s = 0; s < kScalingSlotCount; ++s) {
            if (s == 38 || s == 39) continue;
            EXPECT_EQ(profile.scales[s], defaults.profiles[p].scales[s]) << "profile " << p + 1 << " slot " << s;
            EXPECT_EQ(profile.offsets[s], defaults.profiles[p].offsets[s]) << "profile " << p + 1 << " slot " << s;
        }
    }
    EXPECT_EQ(bitsOf(panel.settings.mapScale), 0x3AC800C8u);
    EXPECT_EQ(panel.settings.mapOffset, 100.0f);

    fillVehiclePanel(panel.form, panel.settings);
    EXPECT_EQ(panel.form.texts[IDC_LOAD_SCALAR], "1.000");
    EXPECT_EQ(panel.form.texts[IDC_LOAD_OFFSET], "100.000");
}

// The NaN goes out as FF C0 00 00 on every processor, whatever sign its own default NaN has: a
// NaN entering the calculation stands in for a processor whose default NaN is positive.
TEST(VehiclePanelReadBack, FuelFlowFactorNanIsAlwaysFFC00000) {
    const double nan = std::numeric_limits<double>::quiet_NaN();  // 0x7FF8..., positive
    struct Case {
        const char* name;
        double cylinders;
        float injector, pressure;
    };
    const Case cases[] = {{"all zero", 0, 0, 0},
                          {"negative pressure", 4, 550, -45},
                          {"positive NaN in", nan, 550, 45},
                          {"negative NaN in", -nan, 550, 45},
                          {"positive NaN pressure", 4, 550, std::numeric_limits<float>::quiet_NaN()}};
    for (const Case& c : cases)
        EXPECT_EQ(bitsOf(computeFuelFlowFactor(c.cylinders, c.injector, c.pressure)), 0xFFC00000u)
            << "case " << c.name;
    EXPECT_EQ(bitsOf(computeFuelFlowFactor(4.9, 550.5f, 45)), 0x3F367170u);

    Panel panel;  // start values: all three entries 0
    readVehiclePanel(panel.form, panel.settings, panel.profiles);
    EXPECT_EQ(bitsOf(panel.settings.fuelFlowFactor), 0xFFC00000u);
}

TEST(VehiclePanelReadBack, FuelSystem) {
    struct Case {
        const char* name;
        const char* cylinders;
        const char* injector;
        const char* pressure;
        std::int32_t cylinderCount;
        std::int32_t injectorSize;
        std::int32_t fuelPressure;
        std::uint32_t factorBits;  // 0 when the factor is checked by kind below
        const char* kind;
    };
    const Case cases[] = {
        {"fractions truncate, factor from the full values", "4.9", "550.5", "45", 4, 550, 45,
         0x3F367170u, "finite"},
        {"trailing text", "4 cyl", "550cc", "45psi", 4, 550, 45, 0, "finite"},
        {"pressure 0 divides by zero", "4", "550", "0", 4, 550, 0, 0, "+inf"},
        {"negative pressure takes a negative root", "4", "550", "-45", 4, 550, -45, 0, "nan"},
        {"all zero", "0", "0", "0", 0, 0, 0, 0, "nan"},
        {"negative fraction truncates toward zero", "-4.9", "550", "45", -4, 550, 45, 0, "finite"},
    };
    for (const Case& c : cases) {
        Panel panel;
        panel.form.texts[IDC_CYLINDER_COUNT] = c.cylinders;
        panel.form.texts[IDC_INJECTOR_SIZE] = c.injector;
        panel.type(IDC_FUEL_PRESSURE, c.pressure);
        const VehicleSettings& s = panel.settings;
        EXPECT_EQ(s.cylinderCount, c.cylinderCount) << "case " << c.name;
        EXPECT_EQ(s.injectorSize, c.injectorSize) << "case " << c.name;
        EXPECT_EQ(s.fuelPressure, c.fuelPressure) << "case " << c.name;
        const std::string kind = c.kind;
        if (c.factorBits != 0) {
            EXPECT_EQ(bitsOf(s.fuelFlowFactor), c.factorBits) << "case " << c.name;
        }
        if (kind == "finite") {
            EXPECT_TRUE(std::isfinite(s.fuelFlowFactor)) << "case " << c.name;
        } else if (kind == "+inf") {
            EXPECT_TRUE(std::isinf(s.fuelFlowFactor) && s.fuelFlowFactor > 0) << "case " << c.name;
        } else {
            EXPECT_TRUE(std::isnan(s.fuelFlowFactor)) << "case " << c.name;
        }
    }
    Panel panel;
    panel.form.texts[IDC_CYLINDER_COUNT] = "4.9";
    panel.form.texts[IDC_INJECTOR_SIZE] = "550.5";
    panel.type(IDC_FUEL_PRESSURE, "45");
    EXPECT_NEAR(panel.settings.fuelFlowFactor, 0.7127, 0.0001);
}

TEST(VehiclePanelReadBack, EditTexts) {
    struct Case {
        const char* name;
        int id;
        const char* text;
        float VehicleSettings::*field;
        float expected;
    };
    const Case cases[] = {
        {"weight read from its first 9 characters", IDC_VEHICLE_WEIGHT, "1234567890",
         &VehicleSettings::vehicleWeight, 123456789.0f},
        {"inf is no number", IDC_DRAG_COEFFICIENT, "inf", &VehicleSettings::dragCoefficient, 0.0f},
        {"hexadecimal is no number", IDC_FINAL_DRIVE_RATIO, "0x10", &VehicleSettings::finalDriveRatio,
         0.0f},
        {"trailing text", IDC_FINAL_DRIVE_RATIO, "3.9:1", &VehicleSettings::finalDriveRatio, 3.9f},
    };
    for (const Case& c : cases) {
        Panel panel;
        panel.type(c.id, c.text);
        EXPECT_EQ(panel.settings.*c.field, c.expected) << "case " << c.name;
    }
    Panel panel;
    panel.type(IDC_REV_METER_RPM_LOW, "12345678901");
    EXPECT_EQ(panel.settings.revMeterRpmLow, 123456789);
}

TEST(VehiclePanelReadBack, OneKeystrokeReadsTheWholePanel) {
    Panel panel;
    panel.form.texts[IDC_GEAR_RATIO_FIRST + 5] = "0.8";
    panel.form.texts[IDC_FINAL_DRIVE_RATIO] = "4.1";
    panel.form.texts[IDC_REV_METER_RPM_LOW] = "500";
    panel.form.texts[IDC_VEHICLE_WEIGHT] = "3000";
    panel.form.lists[IDC_COM_PORT].selection = 2;
    panel.form.lists[IDC_TIRE_ASPECT].selection = -1;
    panel.form.texts[IDC_LOAD_SCALAR] = "2";
    panel.type(IDC_GEAR_RATIO_FIRST, "3");

    const VehicleSettings& s = panel.settings;
    EXPECT_EQ(s.gearRatio[0], 3.0f);
    EXPECT_EQ(s.gearRatio[5], 0.8f);
    EXPECT_EQ(s.finalDriveRatio, 4.1f);
    EXPECT_EQ(s.revMeterRpmLow, 500);
    EXPECT_EQ(s.revMeterRpmHigh, 8000);
    EXPECT_EQ(s.vehicleWeight, 3000.0f);
    EXPECT_EQ(s.comPortIndex, 2) << "Com 3";
    EXPECT_EQ(s.tireAspectIndex, -1) << "no selection";
    EXPECT_EQ(s.rimDiameterIndex, 0);
    EXPECT_NE(s.mapScale, 0.0f);
    EXPECT_EQ(panel.profiles.profiles[3].scales[38], s.mapScale);
}

TEST(VehiclePanelNotifications, IgnoredIdsAndFillingReadNothing) {
    struct Case {
        const char* name;
        int id;
        bool filling;
        bool reads;
    };
    const Case cases[] = {
        {"id 1", 1, false, false},          {"id 7", 7, false, false},
        {"id 1002", 1002, false, false},    {"a list", IDC_TIRE_WIDTH, false, true},
        {"an unknown id", 9999, false, true}, {"an edit while filling", IDC_VEHICLE_WEIGHT, true, false},
    };
    for (const Case& c : cases) {
        Panel panel;
        panel.form.texts[IDC_VEHICLE_WEIGHT] = "2500";
        {
            FillingControls filling;
            if (!c.filling) fillingControls = false;
            onVehiclePanelCommand(panel.form, c.id, panel.settings, panel.profiles);
        }
        EXPECT_EQ(panel.settings.vehicleWeight == 2500.0f, c.reads) << "case " << c.name;
        EXPECT_EQ(std::isnan(panel.settings.fuelFlowFactor), c.reads) << "case " << c.name;
    }
    EXPECT_FALSE(fillingControls);
}

TEST(VehiclePanelFill, QuantisesAndLeavesOutOfListPositionsUnselected) {
    Panel panel;
    VehicleSettings& s = panel.settings;
    s.gearRatio[2] = 3.14159f;
    s.vehicleWeight = 3000.7f;
    s.comPortIndex = -1;
    s.rimDiameterIndex = 20;  // one beyond the last rim
    s.tireWidthIndex = 51;
    s.tireAspectIndex = 1000;
    s.cylinderCount = 8;
    s.revMeterRpmLow = -5;
    const int writesBefore = panel.form.writes;
    fillVehiclePanel(panel.form, s);
    EXPECT_GT(panel.form.writes, writesBefore);
    EXPECT_FALSE(fillingControls);
    EXPECT_EQ(panel.form.texts[IDC_GEAR_RATIO_FIRST + 2], "3.142");
    EXPECT_EQ(panel.form.texts[IDC_VEHICLE_WEIGHT], " 3001");
    EXPECT_EQ(panel.form.texts[IDC_CYLINDER_COUNT], "8");
    EXPECT_EQ(panel.form.texts[IDC_REV_METER_RPM_LOW], "-5");

    readVehiclePanel(panel.form, s, panel.profiles);
    EXPECT_EQ(s.gearRatio[2], 3.142f);
    EXPECT_EQ(s.vehicleWeight, 3001.0f);
    EXPECT_EQ(s.comPortIndex, -1);
    EXPECT_EQ(s.rimDiameterIndex, -1);
    EXPECT_EQ(s.tireWidthIndex, 51);
    EXPECT_EQ(s.tireAspectIndex, -1);
    EXPECT_EQ(s.cylinderCount, 8);
    EXPECT_EQ(s.revMeterRpmLow, -5);
}

}  // namespace
