#pragma once
// The program-wide configuration records in one object. The shell owns the one instance of the
// run and hands it to the logic by reference; every test makes its own.
#include "layout/page_layout.h"
#include "settings/custom_sensor_curves.h"
#include "settings/vehicle_settings.h"
#include "settings/warning_table.h"

struct Configuration {
    PageLayout layout;
    PageDirectory directory;
    VehicleSettings vehicle;
    CustomSensorCurves curves;
    WarningTable warnings;
};
