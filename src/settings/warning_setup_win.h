#pragma once
// The modeless "Warning Setup" dialog (template IDD_WARNING_SETUP).
#include <windows.h>

#include <functional>

struct EngineUnitProfile;
struct PageDirectory;
struct PageLayout;
struct WarningTable;

// Opens a further dialog on the table, filled, with its pages derived from the layout, and
// shown. `unitProfile` (engine unit profile 1) chooses each parameter's unit pair. Everything
// passed must outlive the dialog. `closed` runs after OK or Cancel has closed it. Returns the
// dialog, or nullptr when it could not be made.
HWND openWarningSetup(HINSTANCE instance, HWND owner, WarningTable& table, const PageLayout& layout,
                      const PageDirectory& directory, const EngineUnitProfile& unitProfile,
                      std::function<void()> closed);
