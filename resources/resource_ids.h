#pragma once
// Resource and control ids, grouped by kind. The numbers are the ones the program has always
// used; the display's files and our tests rely on some of them, so never renumber.

// Icons
#define IDI_VELTRANA 103

// Menus and keyboard accelerators
#define IDM_MAIN_MENU 110
#define IDA_MAIN_ACCELERATORS 111

// Menu commands
#define IDM_CREATE_CONFIGURATION 40001
#define IDM_LOAD_CONFIGURATION 40002
#define IDM_SAVE_CONFIGURATION 40003
#define IDM_SAVE_CONFIGURATION_AS 40004
#define IDM_EXIT 40005
#define IDM_ABOUT 40006
#define IDM_UPLOAD_CONFIGURATION 40007
// Names kept for compatibility: the "Gauge" menu's "------" is an ordinary item, not a separator,
// and its command does nothing; it keeps its place and its number 216 (and "Upgrade Display
// Firmware" its 217, outside the 400xx run) because the menu has always had them; the end-to-end
// driver's command table knows them by these names. Never reuse or renumber an ignored command.
#define IDM_DASHES 216
#define IDM_UPGRADE_FIRMWARE 217
#define IDM_CUSTOM_SENSOR_1 40009
#define IDM_CUSTOM_SENSOR_2 40010
#define IDM_CUSTOM_SENSOR_3 40011
#define IDM_CUSTOM_SENSOR_4 40012
#define IDM_SETUP_WARNINGS 40013
#define IDM_PREVIEW_DISPLAY 40020
#define IDM_EXPORT_DISPLAY_IMAGE 40021
#define IDM_UNDO 40030
#define IDM_REDO 40031
#define IDM_CHECK_CONFIGURATION 40200
// Arranging the pages: the gauge under the ghost (Edit) and whole pages (Gauge > Page)
#define IDM_COPY_GAUGE 40250
#define IDM_CUT_GAUGE 40251
#define IDM_PASTE_GAUGE 40252
#define IDM_COPY_PAGE 40253
#define IDM_CLEAR_PAGE 40254
#define IDM_COMPARE_WITH 40230
#define IDM_EXPORT_REPORT 40231
// The File menu's recent files, above Exit: the newest first.
#define IDM_RECENT_FILE_1 40101
#define IDM_RECENT_FILE_2 40102
#define IDM_RECENT_FILE_3 40103
#define IDM_RECENT_FILE_4 40104

// Dialog templates
#define IDD_VEHICLE_PANEL 102
#define IDD_WARNING_SETUP 209
#define IDD_UPLOAD_CONFIRM 213
#define IDD_FIRMWARE_UPDATE 214
#define IDD_CUSTOM_SENSOR 218
#define IDD_FIRMWARE_FAILED 220
#define IDD_FIRMWARE_SUCCEEDED 221
#define IDD_CONFIGURATION_CHECK 300
#define IDD_COPY_PAGE 320
#define IDD_CLEAR_PAGE 321
#define IDD_CURVE_LINE 322
#define IDD_CURVE_COPY_FROM 323

// Bitmaps that are not gauges (the gauge bitmaps are named by number in the catalog).
// Names kept for compatibility: every bitmap is a numeric resource (115, 124 and the gauges'
// numbers), and its committed file is named by that number; the catalog, the bitmap generator,
// the upload's page and font images and the display simulator's checks all find a bitmap by it.
// Never rename a bitmap resource or give it another number.
#define IDB_PAGE_BACKGROUND 115
#define IDB_CHARACTER_SET 124

// Main window controls
#define IDC_GAUGE_SELECTOR 1
#define IDC_KIND_SELECTOR 20

// Custom sensor dialog: the edit of curve point k (0 to 32) is IDC_CURVE_POINT_FIRST + k
#define IDC_CURVE_POINT_FIRST 1018
#define IDC_CURVE_POINT_LAST 1050
// Beside the points: the curve's picture and the buttons that exchange it with a CSV file
#define IDC_CURVE_PLOT 1060
#define IDC_CURVE_IMPORT 1061
#define IDC_CURVE_EXPORT 1062
// ... and the buttons that fill the points from two values or from another sensor
#define IDC_CURVE_LINE 1400
#define IDC_CURVE_COPY_FROM 1401
// "Straight Line": the values at 0 V and 5 V; "Copy Curve From": the sensor
#define IDC_LINE_AT_0V 1402
#define IDC_LINE_AT_5V 1403
#define IDC_COPY_FROM_SENSOR 1404
// "Copy Page" and "Clear Page": the page lists
#define IDC_PAGE_FROM 1405
#define IDC_PAGE_TO 1406
#define IDC_PAGE_CLEARED 1407

// The comparison window: the list of differences and the line above it
#define IDC_COMPARE_LIST 1380
#define IDC_COMPARE_SUMMARY 1381

// Firmware update dialog: the chosen file's name, size and CRC-32
#define IDC_FIRMWARE_FILE_NAME 1064
#define IDC_FIRMWARE_FILE_SIZE 1065
#define IDC_FIRMWARE_FILE_CRC 1066

// Warning setup dialog: the per-row ids (page check box, parameter, condition, value, unit)
// are listed row by row in settings/warning_setup.cpp. Parameter and condition lists, check
// boxes and value edits lie below IDC_WARNING_UNIT_FIRST; the 32 unit lists are 1200 to 1231.
#define IDC_WARNING_UNIT_FIRST 1200
#define IDC_WARNING_UNIT_LAST 1231

// Vehicle settings panel (dialog IDD_VEHICLE_PANEL)
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

// "Check Configuration" window: the findings and the line that counts them
#define IDC_CHECK_FINDINGS 1350
#define IDC_CHECK_SUMMARY 1351
// Upload confirm dialog: the check's count of problems and the button that shows them
#define IDC_UPLOAD_PROBLEMS 1352
#define IDC_UPLOAD_SHOW_PROBLEMS 1353
