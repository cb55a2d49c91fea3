#include "tape/tape_csv.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "engine/key_runner.h"
#include "engine/recording_view.h"

namespace {

const std::string kTimes = "\xD7";   // × in code page 1252
const std::string kDivide = "\xF7";  // ÷

std::string CsvOf(const Calculator& calc) {
    std::string bytes;
    ComposeTapeCsv(calc, [&](const std::string& piece) {
        bytes += piece;
        return true;
    });
    return bytes;
}

// The lines each kind of operation writes, as the program writes them.
TEST(TapeCsv, EveryKindOfLineSplitsIntoAmountMarkAndText) {
    struct Case {
        std::string line, amount, mark;
    };
    const std::vector<Case> cases = {
        // calculations in both modes, grouping, fixed decimals, exponents
        {"2  ", "2", ""},
        {"3 +", "3", "+"},
        {"-5.00 -", "-5", "-"},
        {"5.00 -", "5", "-"},
        {"1,234.50 +", "1234.5", "+"},
        {"4 " + kTimes, "4", kTimes},
        {"0.25 " + kDivide, "0.25", kDivide},
        {"Div0 Error " + kDivide, "", kDivide},
        {"5 =", "5", "="},
        {"-1,000,000.125 =", "-1000000.125", "="},
        {"1.5E+25 +", "1.5E+25", "+"},
        {std::string(26, '-'), "", ""},
        {"", "", ""},
        // percent, tax, change
        {"50 %", "50", "%"},
        {"10% +", "10", "+"},
        {"12.50%  +", "12.5", "+"},
        {"100.00 Tx", "100", "Tx"},
        {"107.50 +Tx", "107.5", "+Tx"},
        {"5.00 - 3.50", "5", ""},
        {"1.50 CH", "1.5", "CH"},
        {"No Change", "", ""},
        // memory, clear, copy, number systems
        {"1,234.50 MS", "1234.5", "MS"},
        {"250.00 M+", "250", "M+"},
        {"-4.00 M+", "-4", "M+"},
        {"M1 Clear", "", "Clear"},
        {"M2 Clear", "", "Clear"},
        {"Clear", "", ""},
        {"Copy (1,234.50)", "", ""},
        {"(Hex)", "", ""},
        {"(Dec)", "", ""},
        {"(Hex) 1F =", "31", "="},
        {"(Bin) 101 =", "5", "="},
        {"(Oct) 17 =", "15", "="},
        // stopwatch
        {"00:00:12:34 LAP", "", "LAP"},
        // conversion block
        {"(Length) Feet: 1,250", "", ""},
        {"Inches: 144", "144", ""},
        {"Millimeters: 3,657.6", "3657.6", ""},
        {"Miles: .0023", "0.0023", ""},
        {"Light Years: ", "", ""},
        {"Celsius: 100.", "100", ""},
        {"Celsius: .", "", ""},
        {"Months (30 Days): 2", "2", ""},
        // area and volume blocks
        {"Volume Calculation...", "", ""},
        {"Length: 10 ft", "10", "ft"},
        {"Depth: 4 in", "4", "in"},
        {"Result = 1.2346 cu.yd", "1.2346", "cu.yd"},
        {"Result = 27,878,400 sq.ft", "27878400", "sq.ft"},
        {"Result =  sq.km", "", "sq.km"},
        // loan block
        {"Loan Analysis...", "", ""},
        {"Loan Name: 2024", "", ""},
        {"Amount Financed: $100,000.00", "100000", ""},
        {"Annual Interest: 8.25%", "8.25", ""},
        {"Total # Payments: 360", "360", ""},
        {"Compounded: Monthly", "", ""},
        // unit-like words outside a measure block are text
        {"Loan Name: Cabin in", "", ""},
    };
    for (const Case& c : cases) {
        TapeCsvRow row = SplitTapeLine(c.line, TapeNumbers::Dec);
        EXPECT_EQ(row.amount, c.amount) << "line [" << c.line << "]";
        EXPECT_EQ(row.mark, c.mark) << "line [" << c.line << "]";
        EXPECT_EQ(row.text, c.line) << "line [" << c.line << "]";
    }
}

TEST(TapeCsv, LinesWrittenInAnotherSystemAreReadInIt) {
    struct Case {
        std::string line;
        TapeNumbers numbers;
        std::string amount, mark;
    };
    const std::vector<Case> cases = {
        {"FF +", TapeNumbers::Hex, "255", "+"},
        {"A  ", TapeNumbers::Hex, "10", ""},
        {"FFFFFFFF MS", TapeNumbers::Hex, "4294967295", "MS"},
        {"Div0 Error " + kDivide, TapeNumbers::Hex, "", kDivide},
        {"Copy (FF)", TapeNumbers::Hex, "", ""},
        {"Clear", TapeNumbers::Hex, "", ""},
        {"101 -", TapeNumbers::Bin, "5", "-"},
        {"12 -", TapeNumbers::Bin, "", "-"},
        {"17 +", TapeNumbers::Oct, "15", "+"},
        {"1FFFFFFFF +", TapeNumbers::Hex, "", "+"},  // wider than the program writes
        // a tool block in between is decimal whatever the keypad's system
        {"Inches: 144", TapeNumbers::Hex, "144", ""},
        {"00:00:12:34 LAP", TapeNumbers::Hex, "", "LAP"},
    };
    for (const Case& c : cases) {
        TapeCsvRow row = SplitTapeLine(c.line, c.numbers);
        EXPECT_EQ(row.amount, c.amount) << "line [" << c.line << "]";
        EXPECT_EQ(row.mark, c.mark) << "line [" << c.line << "]";
    }
}

TEST(TapeCsv, FieldsAreQuotedAsRfc4180Says) {
    struct Case {
        std::string field, written;
    };
    const std::vector<Case> cases = {
        {"plain text", "plain text"},
        {"", ""},
        {"1,234.50 +", "\"1,234.50 +\""},
        {"say \"hi\"", "\"say \"\"hi\"\"\""},
        {"a\r\nb", "\"a\r\nb\""},
        {"a\nb", "\"a\nb\""},
        {"\"", "\"\"\"\""},
    };
    for (const Case& c : cases) EXPECT_EQ(CsvField(c.field), c.written) << "[" << c.field << "]";
}

TEST(TapeCsv, Code1252BecomesUtf8) {
    EXPECT_EQ(Cp1252ToUtf8("4 " + kTimes), "4 \xC3\x97");
    EXPECT_EQ(Cp1252ToUtf8("8 " + kDivide), "8 \xC3\xB7");
    EXPECT_EQ(Cp1252ToUtf8("\x80\x85\x9F"), "\xE2\x82\xAC\xE2\x80\xA6\xC5\xB8");  // € … Ÿ
    EXPECT_EQ(Cp1252ToUtf8("\x81\xA0\xFF"), "\xC2\x81\xC2\xA0\xC3\xBF");
    EXPECT_EQ(Cp1252ToUtf8("abc 123"), "abc 123");
}

TEST(TapeCsv, FileIsBomHeaderAndOneRowPerLine) {
    KeySession s;
    s.Run("decimals=2 grouping=1 | 1234.5 + 3 * 2 = 5 M+ Clear");
    std::string csv = CsvOf(s.calc);
    ASSERT_EQ(csv.substr(0, 3), "\xEF\xBB\xBF");
    const std::string expected =
        "\xEF\xBB\xBF"
        "Amount,Mark,Text\r\n"
        "1234.5,,\"1,234.50  \"\r\n"
        "3,+,3.00 +\r\n"
        "2,\xC3\x97,2.00 \xC3\x97\r\n" +
        std::string(",,") + std::string(26, '-') +
        "\r\n"
        "2475,=,\"2,475.00 =\"\r\n"
        ",,\r\n"
        "5,M+,5.00 M+\r\n"
        ",,Clear\r\n";
    EXPECT_EQ(csv, expected);
}

TEST(TapeCsv, NumberSystemIsFollowedAlongTheTape) {
    // Switched from Dec: the lines before the first switch line are decimal.
    KeySession s;
    s.Run("10 + Hex A = Dec 10 +");
    std::string csv = CsvOf(s.calc);
    EXPECT_NE(csv.find("10,,10  \r\n"), std::string::npos) << csv;
    EXPECT_NE(csv.find("10,+,A +\r\n"), std::string::npos) << csv;
    EXPECT_NE(csv.find("20,=,(Hex) 14 =\r\n"), std::string::npos) << csv;
    EXPECT_NE(csv.find("10,,10  \r\n", csv.find("(Dec)")), std::string::npos) << csv;

    // A tape cleared while in Hex has no switch line: it is in today's system.
    KeySession hex;
    hex.Run("Hex CT 1F + 1 =");
    csv = CsvOf(hex.calc);
    EXPECT_NE(csv.find("31,,1F  \r\n"), std::string::npos) << csv;
    EXPECT_NE(csv.find("32,=,(Hex) 20 =\r\n"), std::string::npos) << csv;
}

TEST(TapeCsv, StopsWhenTheSinkFails) {
    KeySession s;
    for (int i = 0; i < 10000; ++i) s.view.tape.push_back("1,234,567.89 +");
    int pieces = 0;
    EXPECT_FALSE(ComposeTapeCsv(s.calc, [&](const std::string&) { return ++pieces < 2; }));
    EXPECT_EQ(pieces, 2);
}

}  // namespace
