#pragma once
// Resource and control ids, grouped by kind. The numbers are the ones the program has always
// used; the display's files and our tests rely on some of them, so never renumber. The ids that
// a layer's own logic needs are declared in that layer, beside the logic; they are gathered
// here for the resource scripts, the shell and the end-to-end driver.
#include "layout/bitmap_ids.h"
#include "link/firmware_update_ids.h"
#include "link/upload_ids.h"
#include "settings/custom_sensor_ids.h"
#include "settings/vehicle_panel_ids.h"
#include "settings/warning_setup_ids.h"

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
#define IDD_CONFIGURATION_CHECK 300
#define IDD_COPY_PAGE 320
#define IDD_CLEAR_PAGE 321

// Main window controls
#define IDC_GAUGE_SELECTOR 1
#define IDC_KIND_SELECTOR 20

// "Copy Page" and "Clear Page": the page lists
#define IDC_PAGE_FROM 1405
#define IDC_PAGE_TO 1406
#define IDC_PAGE_CLEARED 1407

// The comparison window: the list of differences and the line above it
#define IDC_COMPARE_LIST 1380
#define IDC_COMPARE_SUMMARY 1381

// "Check Configuration" window: the findings and the line that counts them
#define IDC_CHECK_FINDINGS 1350
#define IDC_CHECK_SUMMARY 1351
