#pragma once
// The ids of the warning setup dialog. Plain #defines: the resource scripts read this file too.
#define IDD_WARNING_SETUP 209

// The per-row ids (page check box, parameter, condition, value, unit) are listed row by row in
// settings/warning_setup.cpp. Parameter and condition lists, check boxes and value edits lie
// below IDC_WARNING_UNIT_FIRST; the 32 unit lists are 1200 to 1231.
#define IDC_WARNING_UNIT_FIRST 1200
#define IDC_WARNING_UNIT_LAST 1231
