#include "measure/measure.h"

#include <cmath>

#include "convert/result_text.h"
#include "engine/number_text.h"
#include "settings/setting_names.h"

namespace {

const LengthUnit kStandardUnits[kMeasureUnitCount] = {
    {"Inches", "in", 1}, {"Feet", "ft", 12}, {"Yards", "yd", 36}, {"Miles", "mi", 63360}};
const LengthUnit kMetricUnits[kMeasureUnitCount] = {{"Millimeters", "mm", 1},
                                                    {"Centimeters", "cm", 10},
                                                    {"Meters", "m", 1000},
                                                    {"Kilometers", "km", 1000000}};

const ResultUnit kStandardSquares[kMeasureUnitCount] = {
    {"Sq.Inches", "sq.in"}, {"Sq.Feet", "sq.ft"}, {"Sq.Yards", "sq.yd"}, {"Sq.Miles", "sq.mi"}};
const ResultUnit kMetricSquares[kMeasureUnitCount] = {{"Sq.Millimeters", "sq.mm"},
                                                      {"Sq.Centimeters", "sq.cm"},
                                                      {"Sq.Meters", "sq.m"},
                                                      {"Sq.Kilometers", "sq.km"}};
const ResultUnit kStandardCubes[kMeasureUnitCount] = {
    {"Cu.Inches", "cu.in"}, {"Cu.Feet", "cu.ft"}, {"Cu.Yards", "cu.yd"}, {"Cu.Miles", "cu.mi"}};
const ResultUnit kMetricCubes[kMeasureUnitCount] = {{"Cu.Millimeters", "cu.mm"},
                                                    {"Cu.Centimeters", "cu.cm"},
                                                    {"Cu.Meters", "cu.m"},
                                                    {"Cu.Kilometers", "cu.km"}};

int ValidUnit(int index) {
    return index >= 0 && index < kMeasureUnitCount ? index : kDefaultMeasureUnit;
}

// The fields hold doubles: narrowing first keeps every field text within what the
// settings file stores (an extended value could need thousands of digits).
double FieldValue(const std::string& text) {
    return static_cast<double>(ParseNumber(WithoutCommas(text)));
}

}  // namespace

const LengthUnit& MeasureLengthUnit(bool metric, int index) {
    return (metric ? kMetricUnits : kStandardUnits)[ValidUnit(index)];
}

const ResultUnit& MeasureResultUnit(MeasureKind kind, bool metric, int index) {
    if (kind == MeasureKind::Area)
        return (metric ? kMetricSquares : kStandardSquares)[ValidUnit(index)];
    return (metric ? kMetricCubes : kStandardCubes)[ValidUnit(index)];
}

const char* MeasureSection(MeasureKind kind) {
    return kind == MeasureKind::Area ? kAreaSection : kVolumeSection;
}

std::string MeasureFieldText(const std::string& typed) {
    // Nothing typed is no figure, not a 0 the user never wrote.
    if (typed.find_first_not_of(" \t") == std::string::npos) return std::string();
    return ResultText(FieldValue(typed));
}

MeasureOutcome CalculateMeasure(const MeasureForm& form) {
    MeasureOutcome out;
    bool volume = form.kind == MeasureKind::Volume;
    double length = FieldValue(form.length);
    double width = FieldValue(form.width);
    double depth = volume ? FieldValue(form.depth) : 1;
    if (length == 0 || width == 0 || depth == 0) return out;
    // "Infinity" typed into a field is no measure (a product beyond the range is shown
    // as such).
    if (!std::isfinite(length) || !std::isfinite(width) || !std::isfinite(depth)) return out;

    const LengthUnit& lengthUnit = MeasureLengthUnit(form.metric, form.lengthUnit);
    const LengthUnit& widthUnit = MeasureLengthUnit(form.metric, form.widthUnit);
    const LengthUnit& depthUnit = MeasureLengthUnit(form.metric, form.depthUnit);
    double side = MeasureLengthUnit(form.metric, form.resultUnit).size;
    double value = width * widthUnit.size * (length * lengthUnit.size);
    if (volume) {
        value *= depth * depthUnit.size;
        value /= side * side * side;
    } else {
        value /= side * side;
    }
    out.calculated = true;
    out.resultText = ResultText(value);

    const ResultUnit& resultUnit = MeasureResultUnit(form.kind, form.metric, form.resultUnit);
    out.tape.push_back({volume ? "Volume Calculation..." : "Area Calculation...", ""});
    out.tape.push_back({"Length: " + form.length, lengthUnit.abbreviation});
    out.tape.push_back({"Width: " + form.width, widthUnit.abbreviation});
    if (volume) out.tape.push_back({"Depth: " + form.depth, depthUnit.abbreviation});
    out.tape.push_back({"Result = " + out.resultText, resultUnit.abbreviation});
    out.tape.push_back({"", ""});

    auto index = [](int unit) { return ValueText(ValidUnit(unit), 15); };
    out.settings.push_back({"Metric", form.metric ? "1" : "0"});
    out.settings.push_back({"Length", form.length});
    out.settings.push_back({"Width", form.width});
    if (volume) out.settings.push_back({"Depth", form.depth});
    out.settings.push_back({"Result", out.resultText});
    out.settings.push_back({"L1", index(form.lengthUnit)});
    out.settings.push_back({"W1", index(form.widthUnit)});
    if (volume) out.settings.push_back({"H1", index(form.depthUnit)});
    out.settings.push_back({"R1", index(form.resultUnit)});
    return out;
}
