#include "convert/convert.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "convert/conversion_table.h"
#include "convert/result_text.h"
#include "engine/key_runner.h"

namespace {

enum Category { kTemperature = 1, kLength, kVolume, kWeight, kArea, kSpeed, kTime };

const std::string kDashes(26, '-');

// The lines after the rule and before the closing empty line.
std::vector<std::string> Results(int category, int unit, const std::string& input) {
    std::vector<std::string> lines = ConvertToAllUnits(category, unit, input);
    if (lines.size() < 3) return {};
    return std::vector<std::string>(lines.begin() + 2, lines.end() - 1);
}

// The line for `target` in a block, or "<none>".
std::string LineFor(int category, int unit, const std::string& input, const std::string& target) {
    for (const std::string& line : Results(category, unit, input))
        if (line.compare(0, target.size() + 1, target + ":") == 0) return line;
    return "<none>";
}

TEST(ConvertTest, TwelveFeet) {
    EXPECT_EQ(ConvertToAllUnits(kLength, 2, "12"),
              (std::vector<std::string>{
                  "(Length) Feet: 12", kDashes, "Inches: 144", "Yards: 4", "Miles: 0.0023",
                  "Millimeters: 3,657.6", "Centimeters: 365.76", "Meters: 3.6576",
                  "Kilometers: 0.0037", "Nautical Miles: 0.002", "Light Years: 3.866E-16", ""}));
}

TEST(ConvertTest, InputTextFromTheDisplay) {
    struct Case {
        const char* display;
        const char* input;
        double value;
    } cases[] = {
        {"12.", "12", 12},
        {"1,234.5", "1,234.5", 1234.5},
        {"12..", "12.", 12},
        {"-0.5", "-0.5", -0.5},
        {"Div0 Error", "Div0 Error", 0},
        {"", "", 0},
        {".", "", 0},
        {"&HFF", "&HFF", 0},
        {"FF", "FF", 0},
    };
    for (const Case& c : cases) {
        EXPECT_EQ(ConversionInputText(c.display), c.input) << c.display;
        EXPECT_EQ(ConversionInputValue(ConversionInputText(c.display)), c.value) << c.display;
    }
    EXPECT_EQ(ConvertToAllUnits(kLength, 2, "1,234.5")[0], "(Length) Feet: 1,234.5");
    EXPECT_EQ(LineFor(kLength, 2, "1,234.5", "Inches"), "Inches: 14,814");
    EXPECT_EQ(ConvertToAllUnits(kWeight, 2, "Div0 Error")[0], "(Weight) Pounds: Div0 Error");
    EXPECT_EQ(LineFor(kWeight, 2, "Div0 Error", "Ounces"), "Ounces: 0");
}

TEST(ConvertTest, EveryBlockHasAllOtherUnits) {
    for (int c = 1; c <= kConversionCategoryCount; ++c) {
        int n = ConversionUnitCount(c);
        for (int u = 1; u <= n; ++u) {
            std::vector<std::string> lines = ConvertToAllUnits(c, u, "1");
            const std::vector<std::string>& names = ConversionUnitList(c);
            std::string what = names[0] + "/" + names[u];
            ASSERT_EQ(static_cast<int>(lines.size()), n + 2) << what;
            EXPECT_EQ(lines[0], "(" + names[0] + ") " + names[u] + ": 1") << what;
            EXPECT_EQ(lines[1], kDashes) << what;
            EXPECT_EQ(lines.back(), "") << what;
            int t = 1;
            for (size_t k = 2; k + 1 < lines.size(); ++k, ++t) {
                if (t == u) ++t;
                EXPECT_EQ(lines[k].substr(0, names[t].size() + 2), names[t] + ": ") << what;
            }
        }
    }
    EXPECT_EQ(Results(kLength, 1, "1").size(), 9u) << "Inches";
    EXPECT_EQ(Results(kVolume, 1, "1").size(), 13u) << "Teaspoons";
}

TEST(ConvertTest, Temperature) {
    struct Case {
        int unit;
        const char* input;
        std::vector<std::string> results;
    } cases[] = {
        {1, "212", {"Celsius: 100", "Kelvin: 373.15"}},
        {1, "32", {"Celsius: 0", "Kelvin: 273.15"}},
        {2, "100", {"Fahrenheit: 212", "Kelvin: 373.15"}},
        {2, "-40", {"Fahrenheit: -40", "Kelvin: 233.15"}},
        {3, "0", {"Fahrenheit: -459.67", "Celsius: -273.15"}},
        {3, "273.15", {"Fahrenheit: 32", "Celsius: 0"}},
    };
    for (const Case& c : cases)
        EXPECT_EQ(Results(kTemperature, c.unit, c.input), c.results)
            << ConversionUnitList(kTemperature)[c.unit] << " " << c.input;
    EXPECT_EQ(ConvertToAllUnits(kTemperature, 1, "212")[0], "(Temperature) Fahrenheit: 212");
}

TEST(ConvertTest, MendedFactorsGiveTheRightFigures) {
    struct Case {
        int category, unit;
        const char* input;
        const char* line;
    } cases[] = {
        {kWeight, 5, "100", "Ounces: 3.5274"},
        {kWeight, 5, "1,000", "Pounds: 2.2046"},
        {kVolume, 12, "1", "Quarts: 1.0567"},
        {kVolume, 13, "1", "Gallons: 264.1721"},
        {kVolume, 11, "1", "Teaspoons: 0.2029"},
        {kLength, 7, "1", "Light Years: 1.057E-16"},  // once blank
        {kLength, 8, "1", "Light Years: 0.000000000000106"},
        {kLength, 7, "10,000,000,000,000,000", "Light Years: 1.057"},
        {kLength, 8, "1,000,000,000,000", "Light Years: 0.1057"},
        {kLength, 4, "10,000,000,000,000", "Light Years: 1.7011"},
        {kArea, 5, "1,000,000,000,000,000", "Sq.Miles: 386.1022"},
        // Alternative definitions stay as listed.
        {kWeight, 1, "1", "Grams: 28.349"},
        {kLength, 10, "1", "Miles: 5,878,000,000,000"},
    };
    for (const Case& c : cases) {
        std::string target = std::string(c.line).substr(0, std::string(c.line).find(':'));
        EXPECT_EQ(LineFor(c.category, c.unit, c.input, target), c.line)
            << ConversionUnitList(c.category)[c.unit] << " " << c.input;
    }
}

// A figure too small for four decimals keeps four significant digits; none is blank.
TEST(ConvertTest, ResultTexts) {
    const struct {
        long double value;
        const char* text;
    } cases[] = {
        {0, "0"},
        {1234.56789L, "1,234.5679"},
        {0.00005L, "0.00005"},
        {0.0000448430493L, "0.00004484"},
        {-0.0000448430493L, "-0.00004484"},
        {0.000099996L, "0.0001"},
        {0.00001L, "0.00001"},
        {1e-12L, "0.000000000001"},
        {1.2345e-14L, "0.000000000000012"},
        {3.866e-16L, "3.866E-16"},
        {144, "144"},
    };
    for (const auto& k : cases) EXPECT_EQ(ResultText(k.value), k.text) << k.text;
}

TEST(ConvertTest, NothingForAnUnknownNode) {
    EXPECT_TRUE(ConvertToAllUnits(0, 1, "1").empty());
    EXPECT_TRUE(ConvertToAllUnits(8, 1, "1").empty());
    EXPECT_TRUE(ConvertToAllUnits(kLength, 0, "1").empty());
    EXPECT_TRUE(ConvertToAllUnits(kLength, 11, "1").empty());
}

TEST(ConvertTest, WritingTheBlockEmptiesTheEntry) {
    KeySession session;
    session.Run("Feed 12");
    ASSERT_EQ(session.calc.state.entryText, "12");
    EXPECT_EQ(WriteConversion(session.calc, kLength, 2, "12"), -1);
    EXPECT_EQ(session.calc.state.entryText, "");
    EXPECT_EQ(session.view.display, "12") << "the display keeps the value";
    std::vector<std::string> tape = session.view.tape;
    ASSERT_EQ(tape.size(), 13u);
    EXPECT_EQ(tape[1], "(Length) Feet: 12");
    EXPECT_EQ(tape.back(), "");

    // A Volume block brings its header to the top: 15 lines above the last.
    int top = WriteConversion(session.calc, kVolume, 7, "12");
    ASSERT_EQ(session.view.tape.size(), 29u);
    EXPECT_EQ(top, 13);
    EXPECT_EQ(session.view.tape[top], "(Volume) Gallons: 12");

    session.Run("5");
    EXPECT_EQ(session.view.display, "5") << "the next digit starts a new number";
    EXPECT_EQ(WriteConversion(session.calc, 0, 1, "5"), -1);
    EXPECT_EQ(session.view.tape.size(), 29u);
}

}  // namespace
