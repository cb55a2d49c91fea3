// The calculator's view over the main window's controls.
#pragma once

#include "engine/calc_view.h"

CalcView& MainView();
