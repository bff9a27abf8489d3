#pragma once
// Whether a shell without its own serial ports (the web page) can offer the two link commands,
// "Upload Gauge Configuration" and "Upgrade Display Firmware", and the one sentence it shows
// when it cannot.
#include <string>

// "" when the browser has Web Serial on a page served securely; else why both commands are off.
// A page that is not served securely is named first: there a browser hides Web Serial too.
std::string serialUnavailableReason(bool hasWebSerial, bool secureContext);
