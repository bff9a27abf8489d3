#pragma once
// The vehicle settings as the panel lays them out: each field's label and control, the way it
// shows the record's value, and the way the panel reads a typed text back. Plain data and texts,
// no form: the panel fills its controls from it, and the check and the summary name and show the
// fields by it without reaching into a form.
#include <cstdint>
#include <string>

struct VehicleSettings;

// How a field shows the value it takes from the record.
enum class VehicleFieldFormat {
    Decimal,   // an edit, "%1.3f"
    Weight,    // an edit, "%5.0f"
    Whole,     // an edit, "%d"
    SizeList,  // a list of sizes (the tyres and rims); the value is the selected position
    ComPort,   // the Com Port list; the value is comPortIndex
};

// One field of the panel.
struct VehicleField {
    const char* label;
    int controlId;
    VehicleFieldFormat format;
    // The record's value the field shows: the number an edit shows, the position a list selects.
    // Every float and int32 of the record is exact as a double.
    double (*value)(const VehicleSettings& settings);
    const std::int32_t* sizes;  // SizeList: the list whose positions the record stores
};

// The panel's 20 fields in the order the panel shows them.
constexpr int kVehicleFieldCount = 20;
extern const VehicleField kVehicleFields[kVehicleFieldCount];

// Whether a field is a list (no typed text of its own).
bool isListField(const VehicleField& field);

// The label of a field's control; "" for an id that is no field of the panel.
const char* vehicleFieldLabel(int controlId);

// The text the field shows once the panel is filled from `settings`: an edit's text, a list's
// selected entry ("" for none). The Com Port list names its ports as setPresentComPorts last
// said.
std::string vehicleFieldText(const VehicleField& field, const VehicleSettings& settings);

// Whether the panel reads the edit of field `controlId` as a whole number (the rev meter range);
// it reads the others as decimals.
bool panelEditIsInteger(int controlId);

// Whether the panel reads `text`, typed into the edit of field `controlId`, as what it says: the
// value read from its first 9 characters (a whole number for the rev meter range, a decimal
// elsewhere, as float32) is the one number the whole text states. Not for a comma ("3,25" is
// read as 3), trailing characters, a number the 9-character limit changes, or one too large for
// float32. A blank text is: it reads 0, which is what an emptied field means.
bool panelReadsAsTyped(int controlId, const std::string& text);
