#pragma once
// The ids of the "Setup Custom Sensor" dialog and of the two small dialogs it opens. Plain
// #defines: the resource scripts read this file too. Never renumber: the end-to-end scenarios
// find the controls by these numbers.
#define IDD_CUSTOM_SENSOR 218
#define IDD_CURVE_LINE 322
#define IDD_CURVE_COPY_FROM 323

// The edit of curve point k (0 to 32) is IDC_CURVE_POINT_FIRST + k
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
