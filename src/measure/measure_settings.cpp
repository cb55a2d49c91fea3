#include <cctype>

#include "engine/number_text.h"
#include "engine/tape_lines.h"
#include "measure/measure.h"
#include "settings/settings_file.h"

namespace {

// Blanks, then digits with at most one point: "2", " 3", "1.0"; not "", "abc", "-1".
bool IsUnsignedNumberText(const std::string& text) {
    size_t i = text.find_first_not_of(" \t");
    if (i == std::string::npos) return false;
    bool digit = false, point = false;
    for (; i < text.size(); ++i) {
        unsigned char c = static_cast<unsigned char>(text[i]);
        if (std::isdigit(c)) {
            digit = true;
        } else if (c == '.' && !point) {
            point = true;
        } else {
            break;
        }
    }
    return digit && text.find_first_not_of(" \t", i) == std::string::npos;
}

}  // namespace

int StoredUnitIndex(const std::string& text) {
    if (!IsUnsignedNumberText(text)) return kDefaultMeasureUnit;
    long double value = ParseNumber(text);
    for (int index = 0; index < kMeasureUnitCount; ++index)
        if (value == index) return index;
    return kDefaultMeasureUnit;
}

MeasureForm LoadMeasureForm(const std::string& path, MeasureKind kind) {
    const char* section = MeasureSection(kind);
    auto read = [&](const char* key, const char* fallback) {
        return ReadSetting(path, section, key, fallback);
    };
    MeasureForm form;
    form.kind = kind;
    form.length = read("Length", "");
    form.width = read("Width", "");
    form.result = read("Result", "");
    form.metric = ParseNumber(read("Metric", "0")) != 0;
    form.lengthUnit = StoredUnitIndex(read("L1", ""));
    form.widthUnit = StoredUnitIndex(read("W1", ""));
    form.resultUnit = StoredUnitIndex(read("R1", ""));
    if (kind == MeasureKind::Volume) {
        form.depth = read("Depth", "");
        form.depthUnit = StoredUnitIndex(read("H1", ""));
    }
    return form;
}

void RecordMeasure(Calculator& calc, const std::string& path, MeasureKind kind,
                   const MeasureOutcome& outcome) {
    if (!outcome.calculated) return;
    for (const TapeEntry& line : outcome.tape) AppendTapeLine(calc, line.body, line.marker);
    StoreMeasure(path, kind, outcome);
}

void StoreMeasure(const std::string& path, MeasureKind kind, const MeasureOutcome& outcome) {
    if (!outcome.calculated) {
        WriteSetting(path, MeasureSection(kind), "Result", "");
        return;
    }
    for (const auto& [key, value] : outcome.settings)
        WriteSetting(path, MeasureSection(kind), key, value);
}

void StoreMeasureSystem(const std::string& path, MeasureKind kind, bool metric) {
    WriteSetting(path, MeasureSection(kind), "Metric", metric ? "1" : "0");
}

void ForgetMeasureInputs(const std::string& path, MeasureKind kind, bool metric) {
    DeleteSettingsSection(path, MeasureSection(kind));
    StoreMeasureSystem(path, kind, metric);
}
