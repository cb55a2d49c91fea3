#include "settings/options.h"

#include <cfloat>
#include <cmath>

#include "engine/number_text.h"

namespace {

// A single-precision value carries about seven decimal digits; more would only show
// the binary rounding ("7.5" rather than "7.50000001").
constexpr int kTaxRateDigits = 7;

}  // namespace

std::string TaxRateText(float rate) {
    return ValueText(static_cast<long double>(rate), kTaxRateDigits);
}

float ReadTaxRate(const std::string& text) {
    long double rate = ParseNumber(text);
    if (!std::isfinite(rate) || std::fabs(rate) > FLT_MAX) return 0;
    return static_cast<float>(rate);
}

OptionsForm FormForValues(const OptionValues& values) {
    OptionsForm form;
    form.laptopKeys = values.lt10Key == 1;
    form.alwaysOnTop = values.topMost == 1;
    form.addingMachine = values.calcMode == 1;
    form.standardCalculator = !form.addingMachine;
    form.taxRateText = TaxRateText(values.taxRate);
    return form;
}

void ApplyOptionsForm(const OptionsForm& form, OptionValues& values,
                      const OptionsEffects& effects) {
    values.taxRate = ReadTaxRate(form.taxRateText);
    effects.writeMainSetting("TaxRate", TaxRateText(values.taxRate));

    values.topMost = form.alwaysOnTop ? 1 : 0;
    effects.writeMainSetting("TopMost", form.alwaysOnTop ? "1" : "0");
    effects.setAlwaysOnTop(form.alwaysOnTop);

    if (form.standardCalculator)
        values.calcMode = 0;
    else if (form.addingMachine)
        values.calcMode = 1;
    effects.writeMainSetting("CalcMode", std::to_string(values.calcMode));

    values.lt10Key = form.laptopKeys ? 1 : 0;
    effects.writeMainSetting("LT10Key", form.laptopKeys ? "1" : "0");
    effects.showLaptopLabel(form.laptopKeys);
}
