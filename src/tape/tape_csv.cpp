#include "tape/tape_csv.h"

#include <cstddef>

#include "engine/calc_state.h"
#include "engine/number_text.h"

// How a tape line is split, in this order:
//
// Mark: the line's last word when it follows a blank and is one of the markers the
// program writes ("+", "-", "×", "÷", "=", "%", "Tx", "+Tx", "CH", "M+", "MS", "LAP", and
// "Clear" after a bank name, as in "M1 Clear"), or a unit abbreviation after an area or
// volume block's "Length: ", "Width: ", "Depth: " or "Result = ". A line that ends in a
// blank has no mark: the first item of a calculation carries the marker " " ("2  "),
// and a lone "Clear" is a line of its own, not a marker.
//
// Amount, read from the line without its mark:
// - a result in another number system, "(Hex) 1F =", is read in that system;
// - a line that begins with a number (after leading blanks) has that number, the
//   first word with its grouping commas and a percent sign removed: "1,234.50 M+"
//   gives 1234.5, "12.50%  +" gives 12.5, "5.00 - 3.50" (a change line) gives 5.
//   The word must be a number to its end, so a lap ("00:00:12:34 LAP") has none. In a
//   stretch of tape written in Hex, Bin or Oct (after "(Hex)" ...) the word is read in
//   that system: "FF +" gives 255;
// - a tool line "label: value" (conversions, the loan block) or "Result = value" has
//   the value when the whole value is one number, read in decimal as the tools write
//   it, with "$", "%" and commas removed: "Inches: 144", "Monthly Payments: $751.27",
//   "Length: 10 ft". A loan's name is not an amount, and a lone "." (a value that
//   rounded to zero) shows no digits, so neither gives one;
// - every other line has none: "Clear", "Copy (...)", rules of dashes, empty lines,
//   "Div0 Error ÷", "(Hex)", and the headers of tool blocks ("Loan Analysis...",
//   "Volume Calculation...", a conversion's "(Length) Feet: 1,250").
// The amount is written with ValueText (18 digits): a plain decimal without grouping.

namespace {

bool StartsWith(const std::string& text, const std::string& head) {
    return text.size() >= head.size() && text.compare(0, head.size(), head) == 0;
}

bool EndsWith(const std::string& text, const std::string& tail) {
    return text.size() >= tail.size() &&
           text.compare(text.size() - tail.size(), tail.size(), tail) == 0;
}

bool IsDigit(char c) {
    return c >= '0' && c <= '9';
}

const char* const kMarkers[] = {"+",  "-",   "\xD7", "\xF7", "=",  "%",
                                "Tx", "+Tx", "CH",   "M+",   "MS", "LAP"};
const char* const kLengthUnits[] = {"in", "ft", "yd", "mi", "mm", "cm", "m", "km"};
const char* const kMeasureLabels[] = {"Length: ", "Width: ", "Depth: ", "Result = "};
const char* const kBankNames[] = {"M1", "M2"};

bool IsMarker(const std::string& word) {
    for (const char* m : kMarkers)
        if (word == m) return true;
    return false;
}

bool IsUnitAbbreviation(const std::string& word) {
    std::string unit = word;
    if (StartsWith(unit, "sq.") || StartsWith(unit, "cu.")) unit.erase(0, 3);
    for (const char* u : kLengthUnits)
        if (unit == u) return true;
    return false;
}

bool IsMeasureLine(const std::string& line) {
    for (const char* label : kMeasureLabels)
        if (StartsWith(line, label)) return true;
    return false;
}

// The mark at the end of `line`, which is cut off `body`.
std::string TakeMark(const std::string& line, std::string& body) {
    body = line;
    std::size_t blank = line.rfind(' ');
    if (blank == std::string::npos || blank + 1 == line.size()) return "";
    std::string word = line.substr(blank + 1);
    std::string rest = line.substr(0, blank);
    bool bankClear = word == "Clear" && (rest == kBankNames[0] || rest == kBankNames[1]);
    bool unit = IsMeasureLine(line) && IsUnitAbbreviation(word);
    if (!IsMarker(word) && !bankClear && !unit) return "";
    body = rest;
    return word;
}

// Whether `word` is a decimal number to its end: a sign, digits with at most one
// point (at least one digit), and an optional exponent.
bool IsDecimalWord(const std::string& word) {
    std::size_t i = 0;
    if (i < word.size() && (word[i] == '+' || word[i] == '-')) ++i;
    std::size_t digits = 0;
    while (i < word.size() && IsDigit(word[i])) ++i, ++digits;
    if (i < word.size() && word[i] == '.') {
        ++i;
        while (i < word.size() && IsDigit(word[i])) ++i, ++digits;
    }
    if (digits == 0) return false;
    if (i < word.size() && (word[i] == 'E' || word[i] == 'e')) {
        ++i;
        if (i < word.size() && (word[i] == '+' || word[i] == '-')) ++i;
        std::size_t exponent = 0;
        while (i < word.size() && IsDigit(word[i])) ++i, ++exponent;
        if (exponent == 0) return false;
    }
    return i == word.size();
}

bool IsWordInBase(const std::string& word, TapeNumbers numbers) {
    // The program writes 32-bit values: a longer word is not one of its numbers.
    const std::size_t longest = numbers == TapeNumbers::Bin   ? 32
                                : numbers == TapeNumbers::Oct ? 11
                                                              : 8;
    if (word.empty() || word.size() > longest) return false;
    for (char c : word) {
        bool ok = numbers == TapeNumbers::Bin   ? (c == '0' || c == '1')
                  : numbers == TapeNumbers::Oct ? (c >= '0' && c <= '7')
                                                : (IsDigit(c) || (c >= 'A' && c <= 'F'));
        if (!ok) return false;
    }
    return true;
}

// The value of a word written in a non-decimal system, as a decimal text; "" when the
// word is not a number of that system.
std::string BaseWordAmount(const std::string& word, TapeNumbers numbers) {
    if (!IsWordInBase(word, numbers)) return "";
    const char* prefix = numbers == TapeNumbers::Hex   ? "&H0"
                         : numbers == TapeNumbers::Bin ? "&B0"
                                                       : "&Q0";
    return ValueText(ParseNumber(prefix + word), 18);
}

// The value of a decimal word as the engine and the tools write them ("1,234.50",
// "12.5%", "$751.27", "-$5.00"), as a plain decimal text; "" when it is no number.
std::string DecimalWordAmount(std::string word, bool moneyAllowed) {
    word = WithoutCommas(word);
    if (EndsWith(word, "%")) word.pop_back();
    if (moneyAllowed) {
        if (StartsWith(word, "-$"))
            word.erase(1, 1);
        else if (StartsWith(word, "$"))
            word.erase(0, 1);
    }
    if (!IsDecimalWord(word)) return "";
    return ValueText(ParseNumber(word), 18);
}

std::string Trimmed(const std::string& text) {
    std::size_t first = text.find_first_not_of(' ');
    if (first == std::string::npos) return "";
    std::size_t last = text.find_last_not_of(' ');
    return text.substr(first, last - first + 1);
}

std::string FirstWord(const std::string& text) {
    std::size_t first = text.find_first_not_of(' ');
    if (first == std::string::npos) return "";
    std::size_t end = text.find(' ', first);
    return text.substr(first, end == std::string::npos ? std::string::npos : end - first);
}

std::string ToolLineAmount(const std::string& body) {
    std::size_t valueAt;
    if (StartsWith(body, "Result = ")) {
        valueAt = 9;
    } else {
        std::size_t colon = body.find(": ");
        if (colon == std::string::npos || StartsWith(body, "(") || StartsWith(body, "Loan Name: "))
            return "";
        valueAt = colon + 2;
    }
    std::string value = Trimmed(body.substr(valueAt));
    if (value.find(' ') != std::string::npos) return "";
    return DecimalWordAmount(value, true);
}

std::string LineAmount(const std::string& body, const std::string& mark, TapeNumbers numbers) {
    static const struct {
        const char* head;
        TapeNumbers numbers;
    } kResultHeads[] = {
        {"(Hex) ", TapeNumbers::Hex}, {"(Bin) ", TapeNumbers::Bin}, {"(Oct) ", TapeNumbers::Oct}};
    for (const auto& r : kResultHeads) {
        if (mark == "=" && StartsWith(body, r.head))
            return BaseWordAmount(Trimmed(body.substr(6)), r.numbers);
    }
    std::string word = FirstWord(body);
    std::string amount = numbers == TapeNumbers::Dec ? DecimalWordAmount(word, false)
                                                     : BaseWordAmount(word, numbers);
    if (!amount.empty()) return amount;
    return ToolLineAmount(body);
}

// The Unicode code points of the bytes 0x80..0x9F in Windows-1252; the five bytes the
// code page leaves undefined keep their own value, as the platform's conversion does.
const unsigned short kCp1252High[32] = {
    0x20AC, 0x0081, 0x201A, 0x0192, 0x201E, 0x2026, 0x2020, 0x2021, 0x02C6, 0x2030, 0x0160,
    0x2039, 0x0152, 0x008D, 0x017D, 0x008F, 0x0090, 0x2018, 0x2019, 0x201C, 0x201D, 0x2022,
    0x2013, 0x2014, 0x02DC, 0x2122, 0x0161, 0x203A, 0x0153, 0x009D, 0x017E, 0x0178};

void AppendUtf8(std::string& out, unsigned code) {
    if (code < 0x80) {
        out += static_cast<char>(code);
    } else if (code < 0x800) {
        out += static_cast<char>(0xC0 | (code >> 6));
        out += static_cast<char>(0x80 | (code & 0x3F));
    } else {
        out += static_cast<char>(0xE0 | (code >> 12));
        out += static_cast<char>(0x80 | ((code >> 6) & 0x3F));
        out += static_cast<char>(0x80 | (code & 0x3F));
    }
}

TapeNumbers NumbersOfMode(int numberMode) {
    switch (numberMode) {
        case kModeHex:
            return TapeNumbers::Hex;
        case kModeBin:
            return TapeNumbers::Bin;
        case kModeOct:
            return TapeNumbers::Oct;
        default:
            return TapeNumbers::Dec;
    }
}

bool IsSwitchLine(const std::string& line) {
    return line == "(Dec)" || line == "(Hex)" || line == "(Bin)" || line == "(Oct)";
}

}  // namespace

TapeCsvRow SplitTapeLine(const std::string& line, TapeNumbers numbers) {
    TapeCsvRow row;
    row.text = line;
    std::string body;
    row.mark = TakeMark(line, body);
    row.amount = LineAmount(body, row.mark, numbers);
    return row;
}

TapeNumbers NumbersAfter(const std::string& line, TapeNumbers current) {
    if (line == "(Dec)") return TapeNumbers::Dec;
    if (line == "(Hex)") return TapeNumbers::Hex;
    if (line == "(Bin)") return TapeNumbers::Bin;
    if (line == "(Oct)") return TapeNumbers::Oct;
    return current;
}

std::string Cp1252ToUtf8(const std::string& text) {
    std::string out;
    out.reserve(text.size() + text.size() / 8);
    for (char ch : text) {
        unsigned byte = static_cast<unsigned char>(ch);
        AppendUtf8(out, byte >= 0x80 && byte < 0xA0 ? kCp1252High[byte - 0x80] : byte);
    }
    return out;
}

std::string CsvField(const std::string& text) {
    if (text.find_first_of(",\"\r\n") == std::string::npos) return text;
    std::string out = "\"";
    for (char c : text) {
        if (c == '"') out += '"';
        out += c;
    }
    return out + "\"";
}

std::string CsvRecord(const TapeCsvRow& row) {
    return CsvField(Cp1252ToUtf8(row.amount)) + "," + CsvField(Cp1252ToUtf8(row.mark)) + "," +
           CsvField(Cp1252ToUtf8(row.text)) + "\r\n";
}

bool ComposeTapeCsv(const Calculator& calc, const CsvBytesSink& emit) {
    const int count = calc.view->TapeLineCount();
    // Lines before the first switch line are taken as decimal, the system the program
    // starts in (a start in another system writes its switch line first); a tape without
    // any switch line is in the system the calculator is in now (the tape was cleared
    // since the last switch).
    // Reading a line out of the tape list is the costly part of an export, so the tape
    // is looked through for a switch line only when the answer matters.
    TapeNumbers numbers = NumbersOfMode(calc.state.numberMode);
    for (int i = 0; numbers != TapeNumbers::Dec && i < count; ++i) {
        if (IsSwitchLine(calc.view->TapeLine(i))) numbers = TapeNumbers::Dec;
    }
    std::string piece = kUtf8ByteOrderMark + kTapeCsvHeader;
    constexpr std::size_t kPiece = 64 * 1024;
    for (int i = 0; i < count; ++i) {
        std::string line = calc.view->TapeLine(i);
        piece += CsvRecord(SplitTapeLine(line, numbers));
        numbers = NumbersAfter(line, numbers);
        if (piece.size() >= kPiece) {
            if (!emit(piece)) return false;
            piece.clear();
        }
    }
    return emit(piece);
}
