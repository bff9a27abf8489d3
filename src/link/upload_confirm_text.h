#pragma once
// The texts of the upload confirm dialog (resources/upload.rc, IDD_UPLOAD_CONFIRM), for the
// shells that draw the dialog themselves (the web page). A unit test holds them to the template.
constexpr const char* kUploadConfirmCaption = "Upload Confirm";
constexpr const char* kUploadConfirmLines[] = {
    "1) Connect display via null modem cable",
    "2) Press Upload button on display",
    "3) Press Proceed to start",
};
constexpr const char* kUploadConfirmProceed = "Proceed";
constexpr const char* kUploadConfirmCancel = "Cancel";
constexpr const char* kUploadConfirmShowProblems = "Show Problems";
