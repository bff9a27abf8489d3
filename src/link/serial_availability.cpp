#include "link/serial_availability.h"

std::string serialUnavailableReason(bool hasWebSerial, bool secureContext) {
    if (!secureContext)
        return "Upload and firmware upgrade need the page served securely (https, or from this computer).";
    if (!hasWebSerial)
        return "Upload and firmware upgrade need Web Serial, which this browser lacks: use Chrome, Edge or "
               "Opera.";
    return "";
}
