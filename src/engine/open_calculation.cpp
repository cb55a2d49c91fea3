#include "engine/open_calculation.h"

#include <cmath>
#include <cstdint>
#include <cstring>
#include <vector>

#include "engine/calc_view.h"

namespace {

constexpr const char* kVersion = "calc1";
constexpr char kSeparator = '\t';
// The 80-bit value itself, as its ten bytes in hex: exact, and the same on every
// build of the program (the x87 extended format).
constexpr std::size_t kValueBytes = 10;
static_assert(sizeof(long double) >= kValueBytes, "an 80-bit long double");

std::string ValueField(long double x) {
    unsigned char bytes[sizeof(long double)] = {};
    std::memcpy(bytes, &x, sizeof x);
    static const char kHex[] = "0123456789ABCDEF";
    std::string text;
    for (std::size_t i = 0; i < kValueBytes; ++i) {
        text += kHex[bytes[i] >> 4];
        text += kHex[bytes[i] & 15];
    }
    return text;
}

int HexDigit(char c) {
    if (c >= '0' && c <= '9') return c - '0';
    if (c >= 'A' && c <= 'F') return c - 'A' + 10;
    return -1;
}

bool ReadValue(const std::string& text, long double& x) {
    if (text.size() != 2 * kValueBytes) return false;
    unsigned char bytes[sizeof(long double)] = {};
    for (std::size_t i = 0; i < kValueBytes; ++i) {
        int high = HexDigit(text[2 * i]), low = HexDigit(text[2 * i + 1]);
        if (high < 0 || low < 0) return false;
        bytes[i] = static_cast<unsigned char>(high * 16 + low);
    }
    long double value;
    std::memcpy(&value, bytes, sizeof value);
    // Bit patterns that no calculation makes (NaNs, unnormals) are not taken.
    int kind = std::fpclassify(value);
    if (kind != FP_NORMAL && kind != FP_ZERO && kind != FP_SUBNORMAL && kind != FP_INFINITE)
        return false;
    x = value;
    return true;
}

bool ReadFlag(const std::string& text, int& flag) {
    if (text != "0" && text != "1") return false;
    flag = text == "1";
    return true;
}

bool ReadCount(const std::string& text, int32_t& count) {
    if (text.empty() || text.size() > 9) return false;
    int32_t n = 0;
    for (char c : text) {
        if (c < '0' || c > '9') return false;
        n = n * 10 + (c - '0');
    }
    count = n;
    return true;
}

std::vector<std::string> Fields(const std::string& text) {
    std::vector<std::string> fields(1);
    for (char c : text) {
        if (c == kSeparator)
            fields.emplace_back();
        else
            fields.back() += c;
    }
    return fields;
}

// The status texts and the display are single lines the engine wrote; anything
// else is not one of them.
bool IsShownText(const std::string& text) {
    if (text.size() > 256) return false;
    for (char c : text)
        if (c == '\0' || c == '\n' || c == '\r' || c == kSeparator) return false;
    return true;
}

}  // namespace

std::string OpenCalculationText(const Calculator& calc) {
    const CalculatorState& s = calc.state;
    const std::string fields[] = {kVersion,
                                  ValueField(s.total),
                                  ValueField(s.operand),
                                  ValueField(s.lastResult),
                                  s.pendingOperator,
                                  std::to_string(s.itemCount),
                                  std::to_string(s.averageShown),
                                  std::to_string(s.entryActive),
                                  std::to_string(s.totalTaxed),
                                  std::to_string(static_cast<int>(s.numberMode)),
                                  calc.view->DisplayText(),
                                  calc.view->AverageText(),
                                  calc.view->ItemsText()};
    std::string text;
    for (const std::string& f : fields) {
        if (!text.empty()) text += kSeparator;
        text += f;
    }
    return text;
}

bool ResumeOpenCalculation(Calculator& calc, const std::string& text) {
    std::vector<std::string> f = Fields(text);
    if (f.size() != 13 || f[0] != kVersion) return false;
    CalculatorState s = calc.state;
    int32_t numberMode = 0;
    const std::string& pending = f[4];
    bool ok =
        ReadValue(f[1], s.total) && ReadValue(f[2], s.operand) && ReadValue(f[3], s.lastResult) &&
        (pending.empty() || pending == "+" || pending == "-" || pending == "*" || pending == "/") &&
        ReadCount(f[5], s.itemCount) && ReadFlag(f[6], s.averageShown) &&
        ReadFlag(f[7], s.entryActive) && ReadFlag(f[8], s.totalTaxed) &&
        ReadCount(f[9], numberMode) && IsShownText(f[10]) && IsShownText(f[11]) &&
        IsShownText(f[12]);
    if (!ok) return false;
    s.pendingOperator = pending;
    s.entryText.clear();
    s.entryShifted = 0;
    s.equalsPending = 0;
    calc.state = s;
    if (numberMode == calc.state.numberMode) calc.view->SetDisplayText(f[10]);
    calc.view->SetAverageText(f[11]);
    calc.view->SetItemsText(f[12]);
    return true;
}
