#include "convert/convert.h"

#include "convert/conversion_table.h"
#include "convert/result_text.h"
#include "engine/number_text.h"
#include "engine/tape_lines.h"

namespace {

void AddTemperatureLines(int unit, double value, std::vector<std::string>& lines) {
    const std::vector<std::string>& names = ConversionUnitList(kTemperatureCategory);
    double celsius = value;
    if (unit == 1) celsius = (value - 32) * 5 / 9;
    if (unit == 3) celsius = value - 273.15;
    const double results[3] = {celsius * 1.8 + 32, celsius, celsius + 273.15};
    for (int target = 1; target <= 3; ++target) {
        if (names[target] == names[unit]) continue;
        lines.push_back(names[target] + ": " + ResultText(results[target - 1]));
    }
}

void AddFactorLines(int category, int unit, double value, std::vector<std::string>& lines) {
    const std::vector<std::string>& names = ConversionUnitList(category);
    int count = ConversionUnitCount(category);
    int rowStart = FirstFactorEntry(category) + (unit - 1) * count;
    for (int target = 1; target <= count; ++target) {
        double factor = ConversionFactor(rowStart + target - 1);
        if (factor == 1) continue;  // the unit itself
        lines.push_back(names[target] + ": " + ResultText(factor * value));
    }
}

}  // namespace

std::string ConversionInputText(const std::string& displayText) {
    std::string text = displayText;
    if (!text.empty() && text.back() == '.') text.pop_back();
    return text;
}

double ConversionInputValue(const std::string& inputText) {
    std::string plain = WithoutCommas(inputText);
    // Always decimal: a prefix that would make ParseNumber read hex, binary or octal
    // does not begin a decimal number.
    size_t first = plain.find_first_not_of(" \t\n");
    if (first != std::string::npos && plain[first] == '&') return 0;
    return static_cast<double>(ParseNumber(plain));
}

std::vector<std::string> ConvertToAllUnits(int category, int unit, const std::string& inputText) {
    std::vector<std::string> lines;
    const std::vector<std::string>& names = ConversionUnitList(category);
    if (unit < 1 || unit > ConversionUnitCount(category)) return lines;
    double value = ConversionInputValue(inputText);
    lines.push_back("(" + names[0] + ") " + names[unit] + ": " + inputText);
    lines.push_back(kTapeRule);
    if (category == kTemperatureCategory)
        AddTemperatureLines(unit, value, lines);
    else
        AddFactorLines(category, unit, value, lines);
    lines.push_back("");
    return lines;
}

int WriteConversion(Calculator& calc, int category, int unit, const std::string& inputText) {
    std::vector<std::string> lines = ConvertToAllUnits(category, unit, inputText);
    if (lines.empty()) return -1;
    for (const std::string& line : lines) AppendTapeLine(calc, line, "");
    calc.state.entryText.clear();
    if (category != kVolumeCategory) return -1;
    return calc.view->TapeLineCount() - 1 - 15;
}
