#pragma once
// The ids of the upload confirm dialog. Plain #defines: the resource scripts read this file too.
#define IDD_UPLOAD_CONFIRM 213

// The check's count of problems and the button that shows them
#define IDC_UPLOAD_PROBLEMS 1352
#define IDC_UPLOAD_SHOW_PROBLEMS 1353
