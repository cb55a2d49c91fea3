#include "engine/number_text.h"

#include <gtest/gtest.h>

#include <cfloat>
#include <cmath>
#include <limits>
#include <random>
#include <string>
#include <vector>

namespace {

const long double kInf = std::numeric_limits<long double>::infinity();
const long double kNaN = std::numeric_limits<long double>::quiet_NaN();
const long double kTrueMin = std::numeric_limits<long double>::denorm_min();

// Computed at run time so that the test sees the program's arithmetic, not the compiler's.
long double Quotient(long double a, long double b) {
    volatile long double va = a, vb = b;
    return va / vb;
}
long double Sum(long double a, long double b) {
    volatile long double va = a, vb = b;
    return va + vb;
}

struct MaskCase {
    long double value;
    const char* mask;
    const char* expected;
};

void CheckMasks(const std::vector<MaskCase>& cases) {
    for (const MaskCase& c : cases) {
        EXPECT_EQ(FormatNumber(c.value, c.mask), c.expected)
            << "value " << ValueText(c.value, 18) << " mask \"" << c.mask << "\"";
    }
}

TEST(FormatNumber, EveryMaskOfTheProgram) {
    CheckMasks({
        {1234.56L, "###########0.0", "1234.6"},
        {1234.56L, "###########0.00", "1234.56"},
        {1234.56L, "###########0.000", "1234.560"},
        {1234.56L, "###########0.0000", "1234.5600"},
        {1234.56L, "###########0.##########", "1234.56"},
        {1234.56L, "#,.00", "1,234.56"},
        {1234.56L, "###,###,###,###.####", "1,234.56"},
        {1234.56L, "$#,###,###.00", "$1,234.56"},
        {0.055L, "0.00%", "5.50%"},
        {7, "00", "07"},
        {7, "0000", "0007"},
        {6, "###########0.##########", "6"},
        {0, "###########0.00", "0.00"},
    });
}

TEST(FormatNumber, PositionsWithoutDigits) {
    CheckMasks({
        {0.5L, "#,.00", "0.50"},
        {0, "#,.00", "0.00"},
        {0, "$#,###,###.00", "$0.00"},
        {0, "###,###,###,###.####", "0"},
        {0.00004L, "###,###,###,###.####", "0"},
        {12 * 0.000189393939393939L, "###,###,###,###.####", "0.0023"},
        {3657.6L, "###,###,###,###.####", "3,657.6"},
        {144, "###,###,###,###.####", "144"},
        {1.5L, "0.0#", "1.5"},
        {1.25L, "0.0#", "1.25"},
        {1, "0.0#", "1.0"},
        {5, "$", "$5"},
    });
}

TEST(FormatNumber, HalvesGoToTheEvenDigit) {
    CheckMasks({
        {2.125L, "#,.00", "2.12"},
        {2.135L, "#,.00", "2.14"},
        {2.5L, "00", "02"},
        {3.5L, "00", "04"},
        {0.5L, "0", "0"},
        {1.5L, "0", "2"},
        // 2.675 is stored a hair below the half; its 18-digit expansion is the half.
        {2.675L, "###########0.00", "2.68"},
        {2.665L, "###########0.00", "2.66"},
        {2.675L + 1e-11L, "###########0.00", "2.68"},
        {2.125L + 1e-11L, "###########0.00", "2.13"},
        {0.00005L, "###,###,###,###.####", "0"},
        {0.00015L, "###,###,###,###.####", "0.0002"},
        {0.00025L, "###,###,###,###.####", "0.0002"},
        {0.000250001L, "###,###,###,###.####", "0.0003"},
        {9.995L, "#,.00", "10.00"},
        {999999.995L, "$#,###,###.00", "$1,000,000.00"},
        {0.125L, "0.00%", "12.50%"},
        {0.00125L, "0.0%", "0.1%"},
    });
}

TEST(FormatNumber, FloatingDisplayMask) {
    const char* floating = "###########0.##########";
    CheckMasks({
        {Quotient(1, 3), floating, "0.3333333333"},
        {Quotient(2, 3), floating, "0.6666666667"},
        {Sum(0.1L, 0.2L), floating, "0.3"},
        {Quotient(10, 4), floating, "2.5"},
        {1e-12L, floating, "0"},
        {123456789012345678.0L, floating, "123456789012345678"},
    });
}

TEST(FormatNumber, SignsAndLargeValues) {
    CheckMasks({
        {-1234.56L, "$#,###,###.00", "-$1,234.56"},
        {-1234.56L, "###########0.00", "-1234.56"},
        {-2.5L, "00", "-02"},
        {-0.055L, "0.00%", "-5.50%"},
        {-0.5L, "#,.00", "-0.50"},
        {-0.001L, "#,.00", "0.00"},
        {-0.00004L, "###,###,###,###.####", "0"},
        {-0.0L, "0.00", "0.00"},
        {123456, "00", "123456"},
        {1234567890123.0L, "###,###,###,###.####", "1,234,567,890,123"},
        {1e20L, "#,.00", "100,000,000,000,000,000,000.00"},
        {1e-4950L, "0.00", "0.00"},
        {kNaN, "#,.00", "NaN"},
        {kInf, "$#,###,###.00", "Infinity"},
        {-kInf, "00", "-Infinity"},
    });
    std::string largest = FormatNumber(LDBL_MAX, "#,.00");
    EXPECT_EQ(largest.substr(0, 26), "1,189,731,495,357,231,770,");
    EXPECT_EQ(largest.size(), 4933u + 1644u + 3u);
    EXPECT_EQ(largest.substr(largest.size() - 7), ",000.00");
}

struct ValueCase {
    long double value;
    int digits;
    const char* expected;
};

TEST(ValueText, PlainAndExponentForms) {
    const std::vector<ValueCase> cases = {
        {0, 18, "0"},
        {-0.0L, 18, "0"},
        {Quotient(1, 3), 18, "0.333333333333333333"},
        {Quotient(2, 3), 18, "0.666666666666666667"},
        {Quotient(1, 3), 15, "0.333333333333333"},
        {Quotient(-1, 3), 15, "-0.333333333333333"},
        {Sum(0.1L, 0.2L), 18, "0.3"},
        {Sum(0.1L, 0.2L), 15, "0.3"},
        {0.1 + 0.2, 18, "0.300000000000000044"},
        {0.1 + 0.2, 15, "0.3"},
        {1234.5L, 15, "1234.5"},
        {-20, 15, "-20"},
        {5, 18, "5"},
        {1e17L, 18, "100000000000000000"},
        {999999999999999999.0L, 18, "999999999999999999"},
        {999999999999999999.5L, 18, "1E+18"},  // the half goes up to the even 10^18
        {999999999999999998.5L, 18, "999999999999999998"},
        {1e18L, 18, "1E+18"},
        {1.5e25L, 18, "1.5E+25"},
        {-2e-30L, 18, "-2E-30"},
        {1e-10L, 18, "0.0000000001"},
        {1.25e-10L, 18, "0.000000000125"},
        {9.9999999999999999999e-11L, 18, "0.0000000001"},
        {1e-11L, 18, "1E-11"},
        {-1.23e-11L, 15, "-1.23E-11"},
        {1e100L, 18, "1E+100"},
        {LDBL_MAX, 18, "1.18973149535723177E+4932"},
        {-LDBL_MAX, 15, "-1.18973149535723E+4932"},
        {LDBL_MIN, 18, "3.36210314311209351E-4932"},
        {kTrueMin, 18, "3.6451995318824746E-4951"},
        {7.5f, 7, "7.5"},
        {0.1f, 7, "0.1"},
        {0.1f, 18, "0.100000001490116119"},
        {1234.56L, 1, "1000"},
        {2.5L, 1, "2"},
        {3.5L, 1, "4"},
        {0.125L, 2, "0.12"},
        {1.0L / 3, 0, "0.3"},                          // below 1 counts as 1
        {Quotient(1, 3), 40, "0.333333333333333333"},  // above 18 counts as 18
        {kNaN, 18, "NaN"},
        {kInf, 15, "Infinity"},
        {-kInf, 18, "-Infinity"},
    };
    for (const ValueCase& c : cases) {
        EXPECT_EQ(ValueText(c.value, c.digits), c.expected)
            << "digits " << c.digits << ", expected " << c.expected;
    }
}

TEST(ValueText, ExtendedPrecisionIsInEffect) {
    // Every number text assumes 64-bit mantissas; a 53-bit FPU setting would show here.
    EXPECT_NE(Sum(1.0L, LDBL_EPSILON), 1.0L);
    EXPECT_EQ(ValueText(Sum(1.0L, LDBL_EPSILON), 19), "1");
    EXPECT_EQ(ValueText(Sum(1e17L, 0.5L), 18), "100000000000000000");
    EXPECT_EQ(ValueText(Sum(1e17L, 1.0L), 18), "100000000000000001");
}

struct ParseCase {
    const char* text;
    long double expected;
};

TEST(ParseNumber, LeadingNumberOfAText) {
    const std::vector<ParseCase> cases = {
        {"", 0},
        {"Div0 Error", 0},
        {"1..5", 1},
        {" \t\n12.5x", 12.5L},
        {"\r5", 0},  // a carriage return is not a blank
        {"-.5", -0.5L},
        {"+7", 7},
        {"5.", 5},
        {".", 0},
        {"-", 0},
        {"- 5", 0},
        {"1,234.00", 1},
        {"1234.56", 1234.56L},
        {"0.1", 0.1L},
        {"00012", 12},
        {"1e3", 1000},
        {"1E+3", 1000},
        {"2.5e-3", 0.0025L},
        {"1E", 1},
        {"1E+", 1},
        {"1E+2.5", 100},
        {".5E1", 5},
        {"1 2", 1},
        {"123456789012345678901234567890", 123456789012345678901234567890.0L},
        {"1.5E+25", 1.5e25L},
        {"-2E-30", -2e-30L},
        {"&H0FFFFFFFF", 4294967295.0L},
        {"&HFF", 255},
        {"&hff", 255},
        {"&H0FFFFFFFFFFFFFFFF", 18446744073709551615.0L},
        {"&B0101", 5},
        {"&Q017", 15},
        {"&Q08", 0},
        {"&H", 0},
        {"&X5", 0},
        {"&", 0},
        {"  &H0A", 10},
        {"NaN", 0},
        {"Infinity", kInf},
        {"-Infinity", -kInf},
        {"infinity", 0},
        {"1E+5000", kInf},
        {"-1E+5000", -kInf},
        {"1E+99999999999999999999", kInf},
        {"1E-99999999999999999999", 0},
        {"1.18973149535723177E+4932", LDBL_MAX},
        {"-1.1897314953572317650E+4932", -LDBL_MAX},
        {"1.18973149535723178E+4932", kInf},
        {"3.6451995318824746E-4951", kTrueMin},
        {"1.8E-4951", 0},
        {"1.9E-4951", kTrueMin},
        // Exactly halfway between 1 and the next value: the even neighbour, 1.
        {"1.0000000000000000000542101086242752217003726400434970855712890625", 1},
    };
    for (const ParseCase& c : cases) {
        long double got = ParseNumber(c.text);
        EXPECT_EQ(got, c.expected) << "text \"" << c.text << "\" read as " << ValueText(got, 18);
    }
}

TEST(ParseNumber, ZeroIsNeverNegative) {
    for (const char* text : {"-0", "-0.000", "-1E-6000", "-0E5"}) {
        long double got = ParseNumber(text);
        EXPECT_EQ(got, 0) << text;
        EXPECT_FALSE(std::signbit(got)) << text;
    }
}

TEST(ParseNumber, VeryLongTexts) {
    const long double afterOne = std::nextafter(1.0L, 2.0L);
    const std::string half = "1.0000000000000000000542101086242752217003726400434970855712890625";
    // A non-zero digit far beyond the half must still tip the rounding upwards.
    EXPECT_EQ(ParseNumber(half + std::string(13000, '0') + "1"), afterOne);
    EXPECT_EQ(ParseNumber(half + std::string(13000, '0')), 1.0L);
    EXPECT_EQ(ParseNumber("1" + std::string(20000, '0')), kInf);
    EXPECT_EQ(ParseNumber("0." + std::string(20000, '0') + "1"), 0);
    EXPECT_EQ(ParseNumber(std::string(5000, '0') + "42"), 42);
    EXPECT_EQ(ParseNumber("0." + std::string(100, '0') + "1E+101"), 1);
    // The place count and the exponent must not wrap or cap each other: a million
    // zeros are undone by a seven-digit exponent, and exponents far beyond 32 bits
    // keep their direction.
    const std::string millionZeros(1000000, '0');
    EXPECT_EQ(ParseNumber("0." + millionZeros + "1e10000000"), kInf);
    EXPECT_EQ(ParseNumber("0." + millionZeros + "1e1000001"), 1);
    EXPECT_EQ(ParseNumber("0." + millionZeros + "1e1000000"), 0.1L);
    EXPECT_EQ(ParseNumber("1" + millionZeros + "e-1000000"), 1);
    EXPECT_EQ(ParseNumber("1e4294967297"), kInf);
    EXPECT_EQ(ParseNumber("1e-4294967297"), 0);
    EXPECT_EQ(ParseNumber("1e" + std::string(40, '9')), kInf);
    EXPECT_EQ(ParseNumber("1e-" + std::string(40, '9')), 0);
}

TEST(ParseNumber, ReadsBackHexBinAndOctTexts) {
    for (long double x : {0.0L, 1.0L, 255.0L, 4294967295.0L, 305419896.0L}) {
        EXPECT_EQ(ParseNumber("&H0" + HexText(x)), x) << HexText(x);
        EXPECT_EQ(ParseNumber("&B0" + BinText(x)), x) << BinText(x);
        EXPECT_EQ(ParseNumber("&Q0" + OctText(x)), x) << OctText(x);
    }
}

struct IntegerTextCase {
    long double value;
    const char* hex;
    const char* bin;
    const char* oct;
};

TEST(IntegerTexts, LowThirtyTwoBitsOfTheRoundedValue) {
    const std::vector<IntegerTextCase> cases = {
        {0, "0", "0", "0"},
        {5, "5", "101", "5"},
        {8, "8", "1000", "10"},
        {-1, "FFFFFFFF", "11111111111111111111111111111111", "37777777777"},
        {4294967296.0L + 5, "5", "101", "5"},
        {255.5L, "100", "100000000", "400"},
        {254.5L, "FE", "11111110", "376"},
        {-0.5L, "0", "0", "0"},
        {-1.5L, "FFFFFFFE", "11111111111111111111111111111110", "37777777776"},
        {0.49999999999999999999L, "0", "0", "0"},
        {9223372036854775807.0L, "FFFFFFFF", "11111111111111111111111111111111", "37777777777"},
        {-9223372036854775808.0L, "0", "0", "0"},
        {9223372036854775808.0L + 4096, "0", "0", "0"},  // beyond 64 bits: not 1000
        {1e19L, "0", "0", "0"},
        {kNaN, "0", "0", "0"},
        {kInf, "0", "0", "0"},
    };
    for (const IntegerTextCase& c : cases) {
        std::string name = ValueText(c.value, 18);
        EXPECT_EQ(HexText(c.value), c.hex) << name;
        EXPECT_EQ(BinText(c.value), c.bin) << name;
        EXPECT_EQ(OctText(c.value), c.oct) << name;
    }
}

TEST(RoundToInt64, HalvesToEvenAndRange) {
    struct Case {
        long double value;
        bool ok;
        int64_t expected;
    };
    const std::vector<Case> cases = {
        {2.5L, true, 2},
        {3.5L, true, 4},
        {-2.5L, true, -2},
        {-3.5L, true, -4},
        {2.4999999999999999999L, true, 2},
        {1e18L, true, 1000000000000000000},
        {-9223372036854775808.0L, true, std::numeric_limits<int64_t>::min()},
        {9223372036854775807.0L, true, std::numeric_limits<int64_t>::max()},
        {9223372036854775807.5L, false, 0},  // rounds to the even 2^63
        {9223372036854775808.0L, false, 0},
        {-9223372036854775809.0L, false, 0},
        {kNaN, false, 0},
        {-kInf, false, 0},
    };
    for (const Case& c : cases) {
        int64_t out = 0;
        EXPECT_EQ(RoundToInt64(c.value, out), c.ok) << ValueText(c.value, 18);
        if (c.ok) EXPECT_EQ(out, c.expected) << ValueText(c.value, 18);
    }
}

TEST(WithoutCommas, RemovesEverySeparator) {
    EXPECT_EQ(WithoutCommas("-1,234,567.891"), "-1234567.891");
    EXPECT_EQ(WithoutCommas(",,"), "");
    EXPECT_EQ(WithoutCommas("Div0 Error"), "Div0 Error");
}

// A value spread over the whole extended range: a random 64-bit mantissa scaled by a
// random power of two, from the subnormals to the largest values, either sign.
long double SpreadValue(std::mt19937_64& random) {
    uint64_t mantissa = random() | (uint64_t{1} << 63);
    int power = static_cast<int>(random() % (16384 + 16445 + 64)) - 16445 - 63;
    long double x = std::ldexp(static_cast<long double>(mantissa), power - 1);
    if (std::isinf(x)) x = LDBL_MAX;
    return (random() & 1) ? -x : x;
}

TEST(ValueText, ReadsBackAcrossTheWholeRange) {
    std::mt19937_64 random(20240611);
    std::vector<long double> values = {LDBL_MAX,     -LDBL_MAX, LDBL_MIN,
                                       kTrueMin,     -kTrueMin, std::nextafter(LDBL_MAX, 0.0L),
                                       2 * kTrueMin, 1e-10L,    1e18L};
    for (int k = 0; k < 30000; ++k) values.push_back(SpreadValue(random));
    int failures = 0;
    for (long double x : values) {
        for (int digits : {18, 15, 7}) {
            std::string text = ValueText(x, digits);
            long double back = ParseNumber(text);
            if (ValueText(back, digits) != text && ++failures <= 10) {
                ADD_FAILURE() << text << " (" << digits << " digits) reads back as "
                              << ValueText(back, digits);
            }
        }
        // 18 digits stay within half a unit of the 18th digit (subnormals hold fewer).
        long double back = ParseNumber(ValueText(x, 18));
        if (std::fabs(x) >= LDBL_MIN && std::fabs(back - x) > std::fabs(x) * 5.1e-18L &&
            ++failures <= 10) {
            ADD_FAILURE() << ValueText(x, 18) << " strays to " << ValueText(back, 21);
        }
    }
    EXPECT_EQ(failures, 0);
}

// The significant digits of a number text, without sign, point, exponent or
// leading and trailing zeros.
std::string SignificantDigits(const std::string& text) {
    std::string digits;
    for (char c : text.substr(0, text.find('E'))) {
        if (c >= '0' && c <= '9') digits += c;
    }
    digits.erase(0, digits.find_first_not_of('0'));
    digits.erase(digits.find_last_not_of('0') + 1);
    return digits;
}

TEST(ValueText, DecimalsOfUpToEighteenDigitsComeBackExactly) {
    std::mt19937_64 random(7);
    int failures = 0;
    for (int k = 0; k < 20000; ++k) {
        int length = 1 + static_cast<int>(random() % 18);
        std::string digits;
        for (int j = 0; j < length; ++j) digits += static_cast<char>('0' + random() % 10);
        if (digits[0] == '0') digits[0] = '1';
        // From near the smallest subnormal to below the largest value.
        int power = static_cast<int>(random() % (4932 + 4950 + 1)) - 4950 - length;
        std::string text = ((random() & 1) ? "-" : "") + digits + "E" + std::to_string(power);
        long double x = ParseNumber(text);
        std::string written = ValueText(x, 18);
        bool exact = ParseNumber(written) == x;
        bool sameDigits = std::fabs(x) < LDBL_MIN ||
                          SignificantDigits(written) == SignificantDigits(digits + "E");
        if ((!exact || !sameDigits) && ++failures <= 10) {
            ADD_FAILURE() << text << " is written " << written;
        }
    }
    EXPECT_EQ(failures, 0);
}

}  // namespace
