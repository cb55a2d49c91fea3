#include "settings/options.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

namespace {

// Every effect of "Ok" as one readable event, in the order it happened.
struct EffectLog {
    std::vector<std::string> events;
    OptionsEffects Effects() {
        OptionsEffects e;
        e.writeMainSetting = [this](const std::string& k, const std::string& v) {
            events.push_back(k + "=" + v);
        };
        e.setAlwaysOnTop = [this](bool on) { events.push_back(on ? "band on" : "band off"); };
        e.showLaptopLabel = [this](bool on) {
            events.push_back(on ? "label shown" : "label hidden");
        };
        return e;
    }
};

using Events = std::vector<std::string>;

}  // namespace

TEST(TaxRateTextTest, SevenSignificantDigitsWithoutLeadingBlank) {
    struct Case {
        float rate;
        const char* text;
    } cases[] = {
        {0.0f, "0"},     {7.5f, "7.5"},           {8.25f, "8.25"},         {0.1f, "0.1"},
        {-3.0f, "-3"},   {12.34567f, "12.34567"}, {123456.7f, "123456.7"}, {1234567.8f, "1234568"},
        {100.0f, "100"}, {0.0725f, "0.0725"},
    };
    for (const Case& c : cases) EXPECT_EQ(TaxRateText(c.rate), c.text) << "rate " << c.rate;
}

TEST(ReadTaxRateTest, LeadingNumberOfTheFieldOrZero) {
    struct Case {
        const char* text;
        float rate;
    } cases[] = {
        {"7.5", 7.5f},    {"7,5", 7.0f},  {"abc", 0.0f},    {"", 0.0f},
        {" 8.25", 8.25f}, {"-2", -2.0f},  {"0", 0.0f},      {"6%", 6.0f},
        {"1E2", 100.0f},  {"1E39", 0.0f}, {"-1E300", 0.0f}, {".5", 0.5f},
    };
    for (const Case& c : cases)
        EXPECT_EQ(ReadTaxRate(c.text), c.rate) << "text \"" << c.text << "\"";
}

TEST(ReadTaxRateTest, KeepsSinglePrecision) {
    // 0.1 is not exact in binary: the rate must be the float nearest to it, as the
    // tax key will use it, not the extended value that the text reads as.
    EXPECT_EQ(ReadTaxRate("0.1"), 0.1f);
    EXPECT_EQ(TaxRateText(ReadTaxRate("8.250")), "8.25");
}

TEST(OptionsFormTest, OpensWithTheCurrentValues) {
    OptionValues v;
    OptionsForm f = FormForValues(v);
    EXPECT_TRUE(f.standardCalculator);
    EXPECT_FALSE(f.addingMachine);
    EXPECT_FALSE(f.laptopKeys);
    EXPECT_FALSE(f.alwaysOnTop);
    EXPECT_EQ(f.taxRateText, "0");

    v.calcMode = 1;
    v.lt10Key = 1;
    v.topMost = 1;
    v.taxRate = 8.25f;
    f = FormForValues(v);
    EXPECT_FALSE(f.standardCalculator);
    EXPECT_TRUE(f.addingMachine);
    EXPECT_TRUE(f.laptopKeys);
    EXPECT_TRUE(f.alwaysOnTop);
    EXPECT_EQ(f.taxRateText, "8.25");
}

TEST(OptionsFormTest, OnlyOneCountsAsOn) {
    // Any mode other than 1 is Calculator Mode; TopMost and LT10Key check only at 1.
    OptionValues v;
    v.calcMode = 7;
    v.lt10Key = 2;
    v.topMost = -1;
    OptionsForm f = FormForValues(v);
    EXPECT_TRUE(f.standardCalculator);
    EXPECT_FALSE(f.addingMachine);
    EXPECT_FALSE(f.laptopKeys);
    EXPECT_FALSE(f.alwaysOnTop);
}

TEST(ApplyOptionsTest, OkWithoutChangesWritesAllFourKeysInOrder) {
    OptionValues v;
    v.taxRate = 7.5f;
    EffectLog log;
    ApplyOptionsForm(FormForValues(v), v, log.Effects());
    EXPECT_EQ(log.events, (Events{"TaxRate=7.5", "TopMost=0", "band off", "CalcMode=0", "LT10Key=0",
                                  "label hidden"}));
    EXPECT_EQ(v.taxRate, 7.5f);
    EXPECT_EQ(v.calcMode, 0);
    EXPECT_EQ(v.topMost, 0);
    EXPECT_EQ(v.lt10Key, 0);
}

TEST(ApplyOptionsTest, EverythingSwitchedOn) {
    OptionValues v;
    OptionsForm f = FormForValues(v);
    f.standardCalculator = false;
    f.addingMachine = true;
    f.alwaysOnTop = true;
    f.laptopKeys = true;
    f.taxRateText = "8.250";
    EffectLog log;
    ApplyOptionsForm(f, v, log.Effects());
    EXPECT_EQ(log.events, (Events{"TaxRate=8.25", "TopMost=1", "band on", "CalcMode=1", "LT10Key=1",
                                  "label shown"}));
    EXPECT_EQ(v.taxRate, 8.25f);
    EXPECT_EQ(v.calcMode, 1);
    EXPECT_EQ(v.topMost, 1);
    EXPECT_EQ(v.lt10Key, 1);
}

TEST(ApplyOptionsTest, AlwaysOnTopAlreadyOnStaysOn) {
    OptionValues v;
    v.topMost = 1;
    EffectLog log;
    ApplyOptionsForm(FormForValues(v), v, log.Effects());
    EXPECT_EQ(log.events[1], "TopMost=1");
    EXPECT_EQ(log.events[2], "band on");
    EXPECT_EQ(v.topMost, 1);
}

TEST(ApplyOptionsTest, UnreadableOrNegativeRatesAreStoredAsRead) {
    struct Case {
        const char* field;
        const char* written;
        float rate;
    } cases[] = {{"abc", "0", 0.0f}, {"", "0", 0.0f}, {"7,5", "7", 7.0f}, {"-4.5", "-4.5", -4.5f}};
    for (const Case& c : cases) {
        OptionValues v;
        v.taxRate = 3.0f;
        OptionsForm f = FormForValues(v);
        f.taxRateText = c.field;
        EffectLog log;
        ApplyOptionsForm(f, v, log.Effects());
        EXPECT_EQ(log.events[0], std::string("TaxRate=") + c.written) << c.field;
        EXPECT_EQ(v.taxRate, c.rate) << c.field;
    }
}

TEST(ApplyOptionsTest, NeitherModeCheckedKeepsTheMode) {
    for (int32_t mode : {0, 1, 5}) {
        OptionValues v;
        v.calcMode = mode;
        OptionsForm f = FormForValues(v);
        f.standardCalculator = false;
        f.addingMachine = false;
        EffectLog log;
        ApplyOptionsForm(f, v, log.Effects());
        EXPECT_EQ(v.calcMode, mode);
        EXPECT_EQ(log.events[3], "CalcMode=" + std::to_string(mode));
    }
}

TEST(ApplyOptionsTest, StandardCheckedTurnsAnOddModeIntoZero) {
    OptionValues v;
    v.calcMode = 5;
    EffectLog log;
    ApplyOptionsForm(FormForValues(v), v, log.Effects());
    EXPECT_EQ(v.calcMode, 0);
    EXPECT_EQ(log.events[3], "CalcMode=0");
}
