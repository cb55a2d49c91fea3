// Area and volume of a rectangle or box from lengths in mixed units of one system:
// the units, the field texts, the calculation with its tape block and the settings it
// stores. Nothing here needs a window.
#pragma once

#include <string>
#include <utility>
#include <vector>

#include "engine/calculator.h"

enum class MeasureKind { Area, Volume };

inline constexpr int kMeasureUnitCount = 4;
// The unit a list shows when it has no (valid) choice: Feet, Centimeters, their squares
// and cubes.
inline constexpr int kDefaultMeasureUnit = 1;

struct LengthUnit {
    const char* name;          // list text
    const char* abbreviation;  // tape marker
    double size;               // in inches (standard) or millimetres (metric)
};

struct ResultUnit {
    const char* name;
    const char* abbreviation;
};

const LengthUnit& MeasureLengthUnit(bool metric, int index);
// Square (area) or cubic (volume) unit `index`; its size is the length unit's size to
// the power 2 or 3.
const ResultUnit& MeasureResultUnit(MeasureKind kind, bool metric, int index);

// "Area Settings" or "Volume Settings".
const char* MeasureSection(MeasureKind kind);

// What a field shows for what the user typed: the number read from it (commas removed;
// no number reads as 0) as a double, written as results are (ResultText). An empty
// field stays empty.
std::string MeasureFieldText(const std::string& typed);

// The window's inputs. Depth and its unit play no part in an area.
struct MeasureForm {
    MeasureKind kind = MeasureKind::Volume;
    bool metric = false;
    std::string length, width, depth, result;  // field texts
    int lengthUnit = kDefaultMeasureUnit;
    int widthUnit = kDefaultMeasureUnit;
    int depthUnit = kDefaultMeasureUnit;
    int resultUnit = kDefaultMeasureUnit;
};

struct TapeEntry {
    std::string body;
    std::string marker;
};

struct MeasureOutcome {
    bool calculated = false;  // false when a dimension is 0 or not a number
    std::string resultText;
    std::vector<TapeEntry> tape;
    std::vector<std::pair<std::string, std::string>> settings;  // key, value, in writing order
};

// The calculation on field texts as shown (already formatted on focus loss).
MeasureOutcome CalculateMeasure(const MeasureForm& form);

// A stored unit index: a whole number 0..3, anything else (also missing) gives
// kDefaultMeasureUnit.
int StoredUnitIndex(const std::string& text);

// The inputs the window opens with: the stored field texts, system and unit indices
// (opening writes nothing).
MeasureForm LoadMeasureForm(const std::string& settingsPath, MeasureKind kind);

// The settings of a recalculation after a change of unit or system: those of the
// result, or, when the inputs gave none, no stored result either.
void StoreMeasure(const std::string& settingsPath, MeasureKind kind, const MeasureOutcome& outcome);

// The tape block and settings of a calculation that produced a result.
void RecordMeasure(Calculator& calc, const std::string& settingsPath, MeasureKind kind,
                   const MeasureOutcome& outcome);

// The system switch's and "Clear"'s writes: "Metric", after the whole section has gone
// in the case of "Clear".
void StoreMeasureSystem(const std::string& settingsPath, MeasureKind kind, bool metric);
void ForgetMeasureInputs(const std::string& settingsPath, MeasureKind kind, bool metric);
