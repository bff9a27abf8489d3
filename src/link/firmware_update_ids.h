#pragma once
// The ids of the firmware update dialogs. Plain #defines: the resource scripts read this file too.
#define IDD_FIRMWARE_UPDATE 214
#define IDD_FIRMWARE_FAILED 220
#define IDD_FIRMWARE_SUCCEEDED 221

// The chosen file's name, size and CRC-32
#define IDC_FIRMWARE_FILE_NAME 1064
#define IDC_FIRMWARE_FILE_SIZE 1065
#define IDC_FIRMWARE_FILE_CRC 1066
