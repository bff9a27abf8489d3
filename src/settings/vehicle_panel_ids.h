#pragma once
// The ids of the vehicle settings panel. Plain #defines: the resource scripts read this file
// too. Never renumber: the configuration check points its findings at fields by them and the
// end-to-end scenarios find the controls by them.
#define IDD_VEHICLE_PANEL 102

#define IDC_REV_METER_RPM_LOW 1003
#define IDC_REV_METER_RPM_HIGH 1004
#define IDC_GEAR_RATIO_FIRST 1005  /* 1st gear; gear g (0 to 5) is IDC_GEAR_RATIO_FIRST + g */
#define IDC_GEAR_RATIO_LAST 1010
#define IDC_FINAL_DRIVE_RATIO 1011
#define IDC_LOAD_OFFSET 1013
#define IDC_LOAD_SCALAR 1014
#define IDC_CYLINDER_COUNT 1015
#define IDC_INJECTOR_SIZE 1016
#define IDC_FUEL_PRESSURE 1017
#define IDC_COM_PORT 1202
#define IDC_RIM_DIAMETER 1203
#define IDC_TIRE_WIDTH 1204
#define IDC_TIRE_ASPECT 1205
#define IDC_VEHICLE_WEIGHT 1208
#define IDC_DRAG_COEFFICIENT 1209
