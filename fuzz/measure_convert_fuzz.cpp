// The area and volume calculators and the conversion on any field and display texts:
// field texts short enough for the settings file, no NaN or infinity words, blocks of
// the documented shape.
#include <cstdio>
#include <cstdlib>

#include "convert/convert.h"
#include "fuzz_input.h"
#include "measure/measure.h"

namespace {

// "Infinity" may stand in a field (it is what was typed); a result never shows it.
bool SaneField(const std::string& text) {
    for (const char* word : {"nan", "NaN"})
        if (text.find(word) != std::string::npos) return false;
    return text.size() <= 511;
}
bool Sane(const std::string& text) {
    return SaneField(text) && text.find("nf") == std::string::npos;
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    FuzzInput in{data, size};
    MeasureForm form;
    form.kind = in.Byte() % 2 ? MeasureKind::Area : MeasureKind::Volume;
    form.metric = in.Byte() % 2;
    form.length = MeasureFieldText(in.Text(40));
    form.width = MeasureFieldText(in.Text(40));
    form.depth = MeasureFieldText(in.Text(40));
    form.lengthUnit = in.Byte() % 4;
    form.widthUnit = in.Byte() % 4;
    form.depthUnit = in.Byte() % 4;
    form.resultUnit = in.Byte() % 4;
    for (const std::string* field : {&form.length, &form.width, &form.depth})
        FUZZ_CHECK(SaneField(*field), "field texts");
    MeasureOutcome outcome = CalculateMeasure(form);
    FUZZ_CHECK(Sane(outcome.resultText), "result text");
    if (!outcome.calculated) FUZZ_CHECK(outcome.tape.empty(), "no block without a result");
    for (const auto& setting : outcome.settings)
        FUZZ_CHECK(SaneField(setting.second), "stored values");

    int category = 1 + in.Byte() % 7;
    int unit = 1 + in.Byte() % 16;
    std::string input = ConversionInputText(in.Text(60));
    std::vector<std::string> lines = ConvertToAllUnits(category, unit, input);
    if (!lines.empty()) {
        FUZZ_CHECK(lines.size() >= 3 && lines[1] == std::string(26, '-') && lines.back().empty(),
                   "header, rule, lines, empty line");
        for (const std::string& line : lines) FUZZ_CHECK(line.size() < 1024, "bounded lines");
    }
    return 0;
}
