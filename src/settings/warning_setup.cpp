#include "settings/warning_setup.h"

#include <string>

#include "layout/gauge_catalog.h"
#include "layout/page_layout.h"
#include "platform/form_controls.h"
#include "settings/warning_setup_ids.h"
#include "settings/filling_controls.h"
#include "settings/number_text.h"
#include "settings/warning_table.h"

namespace {

// The dialog's control ids, row by row (warning 1 row 1 first). The numbers are the dialog
// template's and do not follow one rule, so they are listed as they are.
const WarningRowControls kRowControls[kWarningRowCount] = {
    {1082, 1070, 1071, 1072, 1200}, {1084, 1073, 1076, 1079, 1201},
    {1085, 1074, 1077, 1080, 1202}, {1086, 1075, 1078, 1081, 1203},
    {1098, 1083, 1087, 1088, 1204}, {1099, 1089, 1092, 1095, 1205},
    {1100, 1090, 1093, 1096, 1206}, {1101, 1091, 1094, 1097, 1207},
    {1114, 1102, 1103, 1104, 1208}, {1115, 1105, 1108, 1111, 1209},
    {1116, 1106, 1109, 1112, 1210}, {1117, 1107, 1110, 1113, 1211},
    {1130, 1118, 1119, 1120, 1212}, {1131, 1121, 1124, 1127, 1213},
    {1132, 1122, 1125, 1128, 1214}, {1133, 1123, 1126, 1129, 1215},
    {1146, 1134, 1135, 1136, 1216}, {1147, 1137, 1140, 1143, 1217},
    {1148, 1138, 1141, 1144, 1218}, {1149, 1139, 1142, 1145, 1219},
    {1162, 1150, 1151, 1152, 1220}, {1163, 1153, 1156, 1159, 1221},
    {1164, 1154, 1157, 1160, 1222}, {1165, 1155, 1158, 1161, 1223},
    {1178, 1166, 1167, 1168, 1224}, {1179, 1169, 1172, 1175, 1225},
    {1180, 1170, 1173, 1176, 1226}, {1181, 1171, 1174, 1177, 1227},
    {1194, 1182, 1183, 1184, 1228}, {1195, 1185, 1188, 1191, 1229},
    {1196, 1186, 1189, 1192, 1230}, {1197, 1187, 1190, 1193, 1231},
};

static_assert(kRowsPerWarning == kPageCount, "row j of a warning carries the flag of page j + 1");

constexpr int kOkCommand = 1;      // IDOK
constexpr int kCancelCommand = 2;  // IDCANCEL, also the caption's close box
constexpr int kSelectionChange = 1;  // CBN_SELCHANGE

const char* const kConditionTexts[] = {" ", ">", "<"};

// Empties a row's unit list and offers the pair of the stored parameter, selecting the stored
// unit. A parameter without a pair (none, no selection, or beyond the channel table) leaves
// the list empty.
void rebuildUnitList(FormControls& form, const WarningRowControls& controls, const WarningRow& row,
                     const EngineUnitProfile& unitProfile) {
    form.clearList(controls.unitList);
    if (std::optional<UnitPair> pair = warningUnitPair(row.parameter, unitProfile)) {
        form.addListItem(controls.unitList, pair->first);
        form.addListItem(controls.unitList, pair->second);
    }
    form.selectListItem(controls.unitList, row.unit);
}

}  // namespace

const WarningRowControls& warningRowControls(int row) { return kRowControls[row]; }

void prepareWarningSetupLists(FormControls& form) {
    FillingControls filling;
    for (const WarningRowControls& controls : kRowControls) {
        form.clearList(controls.parameterList);
        form.addListItem(controls.parameterList, " ");
        for (int channel = 0; channel < kChannelCount; ++channel)
            form.addListItem(controls.parameterList, channelKey(channel));
        form.selectListItem(controls.parameterList, 0);

        form.clearList(controls.conditionList);
        for (const char* text : kConditionTexts) form.addListItem(controls.conditionList, text);
        form.selectListItem(controls.conditionList, 0);
    }
}

namespace {

// Steps of filling the rows; `withUnitLists` false leaves the unit lists to the refresh that
// follows, which builds them anyway.
void fillWarningRows(FormControls& form, const WarningTable& table, const EngineUnitProfile& unitProfile,
                     bool withUnitLists) {
    FillingControls filling;
    for (int r = 0; r < kWarningRowCount; ++r) {
        const WarningRowControls& controls = kRowControls[r];
        const WarningRow& row = table.rows[r];
        form.setChecked(controls.pageCheck, row.activeOnPage != 0);
        form.selectListItem(controls.parameterList, row.parameter);
        form.selectListItem(controls.conditionList, row.condition);
        form.setText(controls.valueEdit, row.parameter != 0 ? formatFixed(row.value, 5, 2) : std::string());
        if (withUnitLists) rebuildUnitList(form, controls, row, unitProfile);
    }
}

}  // namespace

void fillWarningSetup(FormControls& form, const WarningTable& table, const EngineUnitProfile& unitProfile) {
    fillWarningRows(form, table, unitProfile, true);
}

void refreshWarningPages(FormControls& form, const WarningSetupContext& context) {
    FillingControls filling;
    // The rows as the dialog shows them: the table stays as it is until OK.
    WarningTable shown = context.table;
    for (int warning = 0; warning < kWarningCount; ++warning) {
        int parameters[kRowsPerWarning];
        for (int j = 0; j < kRowsPerWarning; ++j) {
            const int r = warningRowIndex(warning, j);
            parameters[j] = form.selectedListItem(kRowControls[r].parameterList);
            shown.rows[r].parameter = parameters[j];
        }
        for (int page = 0; page < kPageCount; ++page) {
            const int r = warningRowIndex(warning, page);
            form.setChecked(kRowControls[r].pageCheck,
                            warningShownOnPage(parameters, context.layout, context.directory, page));
        }
    }
    for (int r = 0; r < kWarningRowCount; ++r)
        rebuildUnitList(form, kRowControls[r], shown.rows[r], context.unitProfile);
}

void refillWarningSetup(FormControls& form, const WarningSetupContext& context) {
    fillWarningRows(form, context.table, context.unitProfile, false);
    refreshWarningPages(form, context);
}

void readWarningSetup(FormControls& form, WarningTable& table) {
    for (int r = 0; r < kWarningRowCount; ++r) {
        const WarningRowControls& controls = kRowControls[r];
        WarningRow& row = table.rows[r];
        row.activeOnPage = form.isChecked(controls.pageCheck) ? 1 : 0;
        row.parameter = form.selectedListItem(controls.parameterList);
        row.condition = form.selectedListItem(controls.conditionList);
        row.value = static_cast<float>(readDecimal(form.getText(controls.valueEdit, kFormTextLimit)));
        row.unit = form.selectedListItem(controls.unitList);
    }
}

void openWarningSetupForm(FormControls& form, const WarningSetupContext& context) {
    prepareWarningSetupLists(form);
    refillWarningSetup(form, context);
}

bool warningSetupCommand(FormControls& form, const WarningSetupContext& context, int controlId,
                         int notificationCode) {
    // A selection change in a parameter or condition list (every id below the unit lists).
    if (notificationCode == kSelectionChange && controlId < IDC_WARNING_UNIT_FIRST) {
        refreshWarningPages(form, context);
        return false;
    }
    if (controlId == kOkCommand) {
        if (!fillingControls) readWarningSetup(form, context.table);
        return true;
    }
    return controlId == kCancelCommand;
}
