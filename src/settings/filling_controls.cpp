#include "settings/filling_controls.h"

bool fillingControls = false;
