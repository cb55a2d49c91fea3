// Re-rendering the display by the decimal choice, grouping and the automatic point,
// and the View menu operations that change them.
#pragma once

#include <cstdint>
#include <string>

#include "engine/calculator.h"

// ParseNumber of the display text with every "," removed.
long double DisplayValue(const Calculator& calc);

// Decimals a computed figure is rounded to: the fixed choice 1..4, ten when floating;
// -1 (shown as computed) for the choice 0, 5..9 and the other number systems.
int ResultDecimals(unsigned char numberMode);
// `x` rounded half away from zero to ResultDecimals: a result, a taxed amount, a
// reciprocal or a change, used from then on exactly as printed.
long double RoundedResult(const Calculator& calc, long double x);

// Re-renders the display by numberMode, a computed figure rounded half away from zero
// to the decimal choice; returns the text shown.
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
