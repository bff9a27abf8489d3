#include "settings/vehicle_panel.h"

#include <string>

#include "profiles/engine_unit_profiles.h"
#include "platform/form_controls.h"
#include "platform/memory_form.h"
#include "settings/vehicle_panel_ids.h"
#include "settings/com_port_list.h"
#include "settings/filling_controls.h"
#include "settings/number_text.h"
#include "settings/vehicle_settings.h"

namespace {

// Command ids that are not fields of the panel: 1 and 7 (the standard OK and No button ids) and
// 1002. Notifications from them never read the panel back.
constexpr int kIgnoredCommandIds[] = {1, 7, 1002};

void fillList(FormControls& form, int id, const std::int32_t* list) {
    form.clearList(id);
    for (const std::int32_t* entry = list; *entry >= 0; ++entry) form.addListItem(id, formatInt(*entry));
    form.selectListItem(id, 0);
}

double readEditDecimal(FormControls& form, int id) {
    return readDecimal(form.getText(id, kFormTextLimit));
}

std::int32_t readEditInteger(FormControls& form, int id) {
    return readInteger(form.getText(id, kFormTextLimit));
}

// Enough to show what was typed; the panel itself reads only the first 9 characters.
constexpr std::size_t kTypedTextLimit = 64;

}  // namespace

std::vector<PanelText> typedVehiclePanelTexts(FormControls& form) {
    std::vector<PanelText> texts;
    for (const VehicleField& field : kVehicleFields)
        if (!isListField(field)) texts.push_back(PanelText{field.label, form.getText(field.controlId, kTypedTextLimit)});
    return texts;
}

std::vector<PanelText> panelTexts(MemoryForm& panel) {
    std::vector<PanelText> texts;
    for (const VehicleField& field : kVehicleFields)
        texts.push_back(PanelText{field.label, isListField(field) ? panel.selectedListText(field.controlId)
                                                                  : panel.texts[field.controlId]});
    return texts;
}

void setUpVehiclePanel(FormControls& form, VehicleSettings& settings) {
    FillingControls filling;
    fillList(form, IDC_RIM_DIAMETER, kRimDiameterList);
    fillList(form, IDC_TIRE_WIDTH, kTireWidthList);
    fillList(form, IDC_TIRE_ASPECT, kTireAspectList);
    comPortList().fill(form, IDC_COM_PORT, 0);
    setStartRevMeterRange(settings);
    fillVehiclePanel(form, settings);
}

void fillVehiclePanel(FormControls& form, const VehicleSettings& s) {
    FillingControls filling;
    comPortList().fill(form, IDC_COM_PORT, s.comPortIndex);
    form.selectListItem(IDC_RIM_DIAMETER, s.rimDiameterIndex);
    form.selectListItem(IDC_TIRE_WIDTH, s.tireWidthIndex);
    form.selectListItem(IDC_TIRE_ASPECT, s.tireAspectIndex);
    // The edits show the record's values as the field table writes them (Load Scalar in the
    // engine unit's terms).
    for (const VehicleField& field : kVehicleFields)
        if (!isListField(field)) form.setText(field.controlId, vehicleFieldText(field, s));
}

void readVehiclePanel(FormControls& form, VehicleSettings& s, EngineUnitProfiles& profiles) {
    s.comPortIndex = comPortList().selectedIndex(form, IDC_COM_PORT);
    s.rimDiameterIndex = form.selectedListItem(IDC_RIM_DIAMETER);
    s.tireWidthIndex = form.selectedListItem(IDC_TIRE_WIDTH);
    s.tireAspectIndex = form.selectedListItem(IDC_TIRE_ASPECT);

    s.vehicleWeight = static_cast<float>(readEditDecimal(form, IDC_VEHICLE_WEIGHT));
    s.dragCoefficient = static_cast<float>(readEditDecimal(form, IDC_DRAG_COEFFICIENT));

    s.revMeterRpmLow = readEditInteger(form, IDC_REV_METER_RPM_LOW);
    s.revMeterRpmHigh = readEditInteger(form, IDC_REV_METER_RPM_HIGH);

    for (int g = 0; g < 6; ++g)
        s.gearRatio[g] = static_cast<float>(readEditDecimal(form, IDC_GEAR_RATIO_FIRST + g));
    s.finalDriveRatio = static_cast<float>(readEditDecimal(form, IDC_FINAL_DRIVE_RATIO));

    // The MAP sensor: slot 38 in kPa, slot 39 in psi.
    const float offset = static_cast<float>(readEditDecimal(form, IDC_LOAD_OFFSET));
    const MapSensorScaling map = mapSensorScaling(readEditDecimal(form, IDC_LOAD_SCALAR), offset);
    setMapSensorSlots(profiles, map.kpaScale, map.kpaOffset, map.psiScale, map.psiOffset);
    s.mapScale = profiles.profiles[0].scales[kMapKpaSlot];
    s.mapOffset = profiles.profiles[0].offsets[kMapKpaSlot];

    const float injector = static_cast<float>(readEditDecimal(form, IDC_INJECTOR_SIZE));
    const float pressure = static_cast<float>(readEditDecimal(form, IDC_FUEL_PRESSURE));
    setFuelSystem(s, readEditDecimal(form, IDC_CYLINDER_COUNT), injector, pressure);
}

void onVehiclePanelCommand(FormControls& form, int controlId, VehicleSettings& settings,
                           EngineUnitProfiles& profiles) {
    for (int ignored : kIgnoredCommandIds)
        if (controlId == ignored) return;
    if (fillingControls) return;
    readVehiclePanel(form, settings, profiles);
}

void refreshComPortList(FormControls& form, const std::vector<SerialPortName>& present) {
    FillingControls filling;
    const int shown = comPortList().selectedIndex(form, IDC_COM_PORT);
    setPresentComPorts(present);
    comPortList().fill(form, IDC_COM_PORT, shown);
}
