// The options dialog's logic without its window: what its controls show when it
// opens, and what "Ok" changes, writes and switches, in that order.
#pragma once

#include <cstdint>
#include <functional>
#include <string>

// The four values the dialog edits. The calculator's state holds calcMode and
// taxRate; the main window holds TopMost and LT10Key.
struct OptionValues {
    int32_t calcMode = 0;  // 1 = Adding Machine Mode, anything else Calculator Mode
    float taxRate = 0;     // percent
    int topMost = 0;
    int lt10Key = 0;
};

// What the dialog's controls hold.
struct OptionsForm {
    bool standardCalculator = true;  // radio 1001
    bool addingMachine = false;      // radio 1002
    std::string taxRateText = "0";   // edit 1003
    bool laptopKeys = false;         // check box 1004
    bool alwaysOnTop = false;        // check box 1005
};

// The rate as the settings file and the tax field show it: up to 7 significant
// digits, no leading blank ("0", "7.5", "8.25").
std::string TaxRateText(float rate);

// The tax field read as a rate: its leading number (0 when there is none, so "7,5"
// gives 7 and "abc" gives 0) held as a single-precision float. A number too large for
// a float gives 0 as well, so that the file never receives an infinite rate that the
// next start would read back as something else.
float ReadTaxRate(const std::string& text);

// The controls' state when the dialog opens.
OptionsForm FormForValues(const OptionValues& values);

// How "Ok" reaches outside the dialog: the "Main Settings" writes and the main
// window's switches. Each is called once per "Ok".
struct OptionsEffects {
    std::function<void(const std::string& key, const std::string& value)> writeMainSetting;
    // Enters (true) or leaves the topmost band and shows "[O]" pressed or released.
    std::function<void(bool on)> setAlwaysOnTop;
    // Shows or hides the main window's "Laptop 10 Key" label.
    std::function<void(bool shown)> showLaptopLabel;
};

// "Ok": applies the form to `values` and runs the effects, in this order: TaxRate;
// TopMost with the topmost band; CalcMode (kept when neither mode is checked);
// LT10Key with the label.
void ApplyOptionsForm(const OptionsForm& form, OptionValues& values, const OptionsEffects& effects);
