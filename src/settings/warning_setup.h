#pragma once
// The logic of the "Warning Setup" dialog: 32 rows, each a page check box, a parameter list,
// a condition list, a value edit and a unit list. Lists are stored as their selected
// positions, never as their texts.
class FormControls;
struct EngineUnitProfile;
struct PageDirectory;
struct PageLayout;
struct WarningTable;

struct WarningRowControls {
    int pageCheck;
    int parameterList;
    int conditionList;
    int valueEdit;
    int unitList;
};

// The control ids of row r (4w + j), r = 0 to 31.
const WarningRowControls& warningRowControls(int row);

// What a warning dialog works on: the program's table, the layout its pages follow, and the
// profile whose channel map chooses each parameter's unit pair (profile 1).
struct WarningSetupContext {
    WarningTable& table;
    const PageLayout& layout;
    const PageDirectory& directory;
    const EngineUnitProfile& unitProfile;
};

// Step of opening: every parameter list gets " " and the 77 channel keys, every condition
// list " ", ">" and "<"; both select position 0.
void prepareWarningSetupLists(FormControls& form);

// Writes the table into the dialog: check boxes, list positions, values ("%5.2f", empty for
// a row without a parameter) and each row's unit list with the stored unit selected.
void fillWarningSetup(FormControls& form, const WarningTable& table, const EngineUnitProfile& unitProfile);

// Derives the page check boxes from every row's parameter list, and rebuilds all unit lists for
// the listed parameters with the stored unit selected. The table is not touched: only OK stores,
// so Cancel leaves it as the dialog found it.
void refreshWarningPages(FormControls& form, const WarningSetupContext& context);

// fillWarningSetup and refreshWarningPages, building each unit list once: the dialog showing
// the table again (as it opens, after an undo).
void refillWarningSetup(FormControls& form, const WarningSetupContext& context);

// Reads all 32 rows of the dialog into the table.
void readWarningSetup(FormControls& form, WarningTable& table);

// prepareWarningSetupLists and refillWarningSetup: the dialog as it opens.
void openWarningSetupForm(FormControls& form, const WarningSetupContext& context);

// A WM_COMMAND from the dialog (control id, notification code). Returns true when the dialog
// is to be closed (OK after storing the rows, or Cancel).
bool warningSetupCommand(FormControls& form, const WarningSetupContext& context, int controlId,
                         int notificationCode);
