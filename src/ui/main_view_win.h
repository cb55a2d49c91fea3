// The calculator's view over the main window's controls.
#pragma once

#include "engine/calc_view.h"

CalcView& MainView();

// Check marks of the main window's menu items (ids of ui/control_ids.h).
void CheckMainMenuItem(int menuId, bool checked);
bool MainMenuItemChecked(int menuId);
