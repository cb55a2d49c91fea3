// The conversion's data in one place: seven categories with their unit names, and the
// factors between the units of each category but Temperature.
#pragma once

#include <string>
#include <vector>

inline constexpr int kConversionCategoryCount = 7;
inline constexpr int kTemperatureCategory = 1;
inline constexpr int kVolumeCategory = 3;
inline constexpr int kConversionFactorCount = 626;

// Category `category` (1..7) as one list: element 0 is the category's name, elements
// 1..n its units in order. Empty outside 1..7.
const std::vector<std::string>& ConversionUnitList(int category);
// Number of units of a category (0 outside 1..7).
int ConversionUnitCount(int category);

// Entry of the factor table at which a category's matrix starts (Length 1, Volume 101,
// Weight 297, Area 378, Speed 478, Time 578); 0 for Temperature, which has none.
int FirstFactorEntry(int category);

// The decimal text of factor `entry` (1..626), "" outside; and its value as a double
// (0 outside). Factor entry S + (i-1)*n + (j-1) tells how many of unit j make one of
// unit i.
const char* ConversionFactorText(int entry);
double ConversionFactor(int entry);
