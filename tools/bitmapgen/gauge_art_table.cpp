#include "gauge_art.h"

namespace {

using S = ArtStyle;

GaugeArt radial(std::uint32_t id, const char* stem, const char* label, const char* detail,
                double max, double major, double numbers) {
    return {id, S::Radial, stem, label, detail, "", "", max, major, numbers};
}
GaugeArt hbar(std::uint32_t id, const char* stem, const char* label, const char* range) {
    return {id, S::HorizontalBar, stem, label, range, "", "", 0, 0, 0};
}
GaugeArt vbar(std::uint32_t id, const char* stem, const char* label, const char* low,
              const char* high) {
    return {id, S::VerticalBar, stem, label, "", low, high, 0, 0, 0};
}
GaugeArt text(std::uint32_t id, const char* stem, const char* label, const char* sample) {
    return {id, S::Text, stem, label, sample, "", "", 0, 0, 0};
}
GaugeArt revMeter(std::uint32_t id, const char* stem, double thousands) {
    return {id, S::RevMeter, stem, "x1000", "RPM", "", "", thousands, 1, 1};
}
GaugeArt lamp(std::uint32_t id, const char* stem, const char* label) {
    return {id, S::Indicator, stem, label, "", "", "", 0, 0, 0};
}

std::vector<GaugeArt> buildTable() {
    std::vector<GaugeArt> t = {
        radial(123, "radial_rev_meter", "RPM", "x1000", 10, 1, 2),
        radial(117, "radial_boost_300kpa", "kPa", "BOOST", 300, 50, 100),
        radial(171, "radial_boost_350kpa", "kPa", "BOOST", 350, 50, 100),

        hbar(153, "hbar_knock_1", "KNOCK #1", "0-5"),
        hbar(169, "hbar_knock_2", "KNOCK #2", "0-5"),
        hbar(161, "hbar_knock_1_raw", "KNOCK #1 RAW", "0-5"),
        hbar(162, "hbar_knock_2_raw", "KNOCK #2 RAW", "0-5"),
        hbar(164, "hbar_knock_1_volts", "KNOCK #1 VOLTS", "0-5"),
        hbar(163, "hbar_knock_2_volts", "KNOCK #2 VOLTS", "0-5"),
        hbar(165, "hbar_knock_1_fuel", "KNOCK #1 FUEL", "0-20"),
        hbar(166, "hbar_knock_2_fuel", "KNOCK #2 FUEL", "0-20"),
        hbar(168, "hbar_knock_1_retard", "KNOCK #1 RETARD", "0-10"),
        hbar(167, "hbar_knock_2_retard", "KNOCK #2 RETARD", "0-10"),
        hbar(151, "hbar_injector_duty", "INJECTOR DUTY", "0-100%"),
        hbar(145, "hbar_o2_2_lambda", "O2 #2 LAMBDA", "0.7-1.3"),
        hbar(146, "hbar_o2_1_lambda", "O2 #1 LAMBDA", "0.7-1.3"),
        hbar(147, "hbar_o2_target_lambda", "O2 TGT LAMBDA", "0.7-1.3"),
        hbar(149, "hbar_o2_2_afr", "O2 #2 A/F", "10-20"),
        hbar(150, "hbar_o2_1_afr", "O2 #1 A/F", "10-20"),
        hbar(148, "hbar_o2_target_afr", "O2 TGT A/F", "10-20"),
        hbar(152, "hbar_throttle", "THROTTLE", "0-100%"),
        hbar(158, "hbar_map_350kpa", "MAP kPa", "0-350"),

        vbar(131, "vbar_throttle", "TPS", "0", "100"),
        vbar(132, "vbar_boost_350kpa", "kPa", "0", "350"),
        vbar(154, "vbar_o2_1", "O2 1", ".7", "1.3"),
        vbar(155, "vbar_o2_2", "O2 2", ".7", "1.3"),
        vbar(156, "vbar_o2_target", "TGT", ".7", "1.3"),

        text(138, "text_air_temp", "AIR TEMP", "-88"),
        text(137, "text_battery", "BATTERY", "13.8"),
        text(139, "text_coolant", "COOLANT", "188"),
        text(141, "text_egt_1", "EGT #1", "1888"),
        text(140, "text_egt_2", "EGT #2", "1888"),
        text(177, "text_engine_load", "ENGINE LOAD", "188"),
        text(175, "text_gear", "GEAR", "8"),
        text(185, "text_idle", "IDLE %", "88"),
        text(143, "text_ignition_advance", "IGN ADVANCE", "18.8"),
        text(176, "text_injector_duty", "INJ DUTY %", "88.8"),
        text(159, "text_knock_1", "KNOCK #1", "8.88"),
        text(160, "text_knock_2", "KNOCK #2", "8.88"),
        text(216, "text_knock_raw_1", "KNOCK RAW #1", "8.88"),
        text(220, "text_knock_raw_2", "KNOCK RAW #2", "8.88"),
        text(218, "text_knock_volts_1", "KNOCK VOLT #1", "8.88"),
        text(222, "text_knock_volts_2", "KNOCK VOLT #2", "8.88"),
        text(215, "text_knock_fuel_1", "KNOCK FUEL #1", "88.8"),
        text(219, "text_knock_fuel_2", "KNOCK FUEL #2", "88.8"),
        text(217, "text_knock_retard_1", "KNOCK RTD #1", "88.8"),
        text(221, "text_knock_retard_2", "KNOCK RTD #2", "88.8"),
        text(174, "text_mileage", "MILEAGE", "88.8"),
        text(133, "text_o2_1", "O2 #1", "14.7"),
        text(135, "text_o2_2", "O2 #2", "14.7"),
        text(187, "text_o2_feedback_1", "O2 FB #1", "-8.8"),
        text(188, "text_o2_feedback_2", "O2 FB #2", "-8.8"),
        text(134, "text_o2_target", "O2 TARGET", "14.7"),
        text(142, "text_rpm", "RPM", "8888"),
        text(136, "text_speed", "SPEED", "188"),
        text(186, "text_throttle", "THROTTLE %", "100"),
        text(211, "text_hp", "HP", "888"),
        text(212, "text_torque", "TORQUE", "888"),

        revMeter(116, "rev_meter_10k", 10),
        revMeter(180, "big_rev_meter_10k", 10),
        revMeter(181, "bigger_rev_meter_10k", 10),
        revMeter(178, "big_rev_meter_12k", 12),
        revMeter(179, "bigger_rev_meter_12k", 12),
    };

    // The analogue inputs of the custom sensors: one picture per input, shared by the four
    // sensors that can read it. The strings live as long as the table.
    static const std::vector<std::string> adcrStems = [] {
        std::vector<std::string> v;
        for (int n = 1; n <= 18; ++n) v.push_back("text_adcr_" + std::to_string(n));
        return v;
    }();
    static const std::vector<std::string> adcrLabels = [] {
        std::vector<std::string> v;
        for (int n = 1; n <= 18; ++n) v.push_back("ADCR " + std::to_string(n));
        return v;
    }();
    for (int n = 1; n <= 18; ++n)
        t.push_back(text(190u + static_cast<std::uint32_t>(n), adcrStems[n - 1].c_str(),
                         adcrLabels[n - 1].c_str(), "8888"));

    static const char* const kLampStems[] = {
        "lamp_ls1", "lamp_ls2", "lamp_ls3", "lamp_ls4", "lamp_ls5", "lamp_ls6",
        "lamp_ls7", "lamp_ls8", "lamp_ls9", "lamp_ls10", "lamp_ls11", "lamp_ls12",
        "lamp_hs1", "lamp_hs2", "lamp_hs3", "lamp_hs4", "lamp_switch1", "lamp_switch2",
        "lamp_switch3", "lamp_switch4", "lamp_switch5", "lamp_switch6", "lamp_switch7"};
    // SWITCH1 is too wide for a 24-pixel lamp; the switches show as SW1 to SW7.
    static const char* const kLampLabels[] = {
        "LS1", "LS2", "LS3", "LS4", "LS5", "LS6", "LS7", "LS8", "LS9", "LS10", "LS11", "LS12",
        "HS1", "HS2", "HS3", "HS4", "SW1", "SW2", "SW3", "SW4", "SW5", "SW6", "SW7"};
    for (std::uint32_t i = 0; i < 23; ++i) t.push_back(lamp(223 + i, kLampStems[i], kLampLabels[i]));
    return t;
}

}  // namespace

const std::vector<GaugeArt>& gaugeArtTable() {
    static const std::vector<GaugeArt> table = buildTable();
    return table;
}

const GaugeArt* findGaugeArt(std::uint32_t bitmapId) {
    for (const GaugeArt& art : gaugeArtTable())
        if (art.bitmapId == bitmapId) return &art;
    return nullptr;
}
