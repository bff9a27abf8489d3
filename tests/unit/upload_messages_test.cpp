// The texts a shell shows around an upload: the failure messages with the port named as the
// Windows editor or the web page can name it, the web page's port names, the confirm dialog's
// texts (held to the dialog template) and the sentence for a browser that cannot upload.
#include <gtest/gtest.h>

#include <fstream>
#include <iterator>
#include <string>

#include "link/serial_availability.h"
#include "link/upload.h"
#include "link/upload_confirm_text.h"
#include "platform/serial_port_names.h"

namespace {

UploadResult resultOf(UploadOutcome outcome, std::size_t sent, std::size_t total) {
    UploadResult result;
    result.outcome = outcome;
    result.bytesSent = sent;
    result.bytesTotal = total;
    return result;
}

TEST(UploadMessages, FailureMessagesNameThePortAsTheCallerCan) {
    struct Case {
        const char* name;
        UploadOutcome outcome;
        const char* port;
        const char* text;
        const char* caption;
    };
    const Case cases[] = {
        {"sent", UploadOutcome::Sent, "Com 1", "", ""},
        {"not opened, Windows", UploadOutcome::PortNotOpened, "Com 2", "Failed to access Com 2", ""},
        {"not opened, web USB", UploadOutcome::PortNotOpened, "USB serial port 0403:6001",
         "Failed to access USB serial port 0403:6001", ""},
        {"not opened, web other", UploadOutcome::PortNotOpened, "the serial port", "Failed to access the serial port", ""},
        {"stopped, Windows", UploadOutcome::PortStoppedTaking, "Com 1",
         "Upload failed: Com 1 stopped taking bytes after 4000 of 13490.", "Upload failed"},
        {"stopped, web", UploadOutcome::PortStoppedTaking, "USB serial port 0403:6001",
         "Upload failed: USB serial port 0403:6001 stopped taking bytes after 4000 of 13490.", "Upload failed"},
        {"cancelled", UploadOutcome::Cancelled, "USB serial port 0403:6001",
         "Upload cancelled after 4000 of 13490 bytes. The display holds only part of the configuration: upload "
         "it again before you use the display.",
         "Upload cancelled"},
    };
    for (const Case& c : cases) {
        EXPECT_EQ(uploadFailureMessageNaming(resultOf(c.outcome, 4000, 13490), c.port), c.text) << "case " << c.name;
        EXPECT_EQ(uploadFailureCaption(c.outcome), c.caption) << "case " << c.name;
    }
}

// The Windows editor's own message goes through the same words.
TEST(UploadMessages, TheWindowsMessageIsTheNamedOneWithItsComPort) {
    for (const UploadOutcome outcome : {UploadOutcome::PortNotOpened, UploadOutcome::PortStoppedTaking}) {
        const UploadResult result = resultOf(outcome, 100, 13490);
        EXPECT_EQ(uploadFailureMessage(result, 2), uploadFailureMessageNaming(result, "Com 3"));
    }
}

TEST(UploadMessages, WebPortNames) {
    struct Case {
        int vendor;
        int product;
        const char* name;
    };
    const Case cases[] = {
        {0x0403, 0x6001, "USB serial port 0403:6001"},
        {0x2341, 0x0043, "USB serial port 2341:0043"},
        {0x10C4, 0xEA60, "USB serial port 10C4:EA60"},
        {0, 0, "USB serial port 0000:0000"},
        {-1, -1, "the serial port"},  // a port that is not a USB device
        {0x0403, -1, "the serial port"},
    };
    for (const Case& c : cases)
        EXPECT_EQ(usbSerialPortName(c.vendor, c.product), c.name) << "case " << c.vendor << ":" << c.product;
}

TEST(UploadMessages, SerialUnavailableReason) {
    struct Case {
        bool webSerial;
        bool secure;
        const char* reason;
    };
    const Case cases[] = {
        {true, true, ""},
        {false, true, "Upload and firmware upgrade need Web Serial, which this browser lacks: use Chrome, Edge or Opera."},
        {false, false, "Upload and firmware upgrade need the page served securely (https, or from this computer)."},
        {true, false, "Upload and firmware upgrade need the page served securely (https, or from this computer)."},
    };
    for (const Case& c : cases)
        EXPECT_EQ(serialUnavailableReason(c.webSerial, c.secure), c.reason) << "case " << c.webSerial << c.secure;
}

// The web page draws the confirm dialog from these texts: each must be the template's.
TEST(UploadMessages, ConfirmTextsAreTheDialogTemplates) {
    std::ifstream file(std::string(VELTRANA_SOURCE_DIR) + "/resources/upload.rc");
    ASSERT_TRUE(file.is_open());
    const std::string rc((std::istreambuf_iterator<char>(file)), std::istreambuf_iterator<char>());
    const auto quoted = [](const char* text) { return "\"" + std::string(text) + "\""; };
    EXPECT_NE(rc.find("CAPTION " + quoted(kUploadConfirmCaption)), std::string::npos);
    for (const char* text : kUploadConfirmLines)
        EXPECT_NE(rc.find("LTEXT           " + quoted(text)), std::string::npos) << text;
    EXPECT_NE(rc.find("DEFPUSHBUTTON   " + quoted(kUploadConfirmProceed)), std::string::npos);
    EXPECT_NE(rc.find("PUSHBUTTON      " + quoted(kUploadConfirmCancel)), std::string::npos);
    EXPECT_NE(rc.find("PUSHBUTTON      " + quoted(kUploadConfirmShowProblems)), std::string::npos);
}

}  // namespace
