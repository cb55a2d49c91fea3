// Re-rendering the display by the decimal choice, grouping and the automatic point,
// and the View menu operations that change them.
#pragma once

#include <cstdint>
#include <string>

#include "engine/calculator.h"

// ParseNumber of the display text with every "," removed.
long double DisplayValue(const Calculator& calc);

// Re-renders the display by numberMode; returns the text shown.
std::string FormatDisplay(Calculator& calc);
// Inserts "," separators into the display text; returns the text shown.
std::string ApplyDigitGrouping(Calculator& calc);
// Shifts the typed digits by the fixed decimal count, then FormatDisplay.
void ApplyAutoDecimal(Calculator& calc);

// " " + count with a leading blank + " Item"/" Items": ItemsText(1) == "  1 Item".
std::string ItemsText(int32_t count);

// View menu: choice 10 (Floating) or 0..4; ignored while Hex, Bin or Oct is active.
void SelectDecimals(Calculator& calc, int choice);
void ToggleDigitGrouping(Calculator& calc);
void ToggleAutoDecimal(Calculator& calc);
