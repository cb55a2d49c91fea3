#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "throughput/result_fields.h"
#include "throughput/results_print.h"
#include "throughput/test_size.h"

namespace {

TEST(ThroughputResults, FixedFieldTexts) {
    struct Case {
        long double value;
        int decimals;
        const char* text;
    } cases[] = {
        {20971520, 0, "20,971,520"},
        {1234.5L, 7, "1,234.5000000"},
        {1, 7, "1.0000000"},
        {0.05L, 7, "0.0500000"},
        {0.000000049L, 7, "0.0000000"},
        {999, 0, "999"},
        {1000, 0, "1,000"},
        {0, 0, "0"},
        {1234567890123LL, 0, "1,234,567,890,123"},  // wider than the mask: in full
        {98765.43210987L, 7, "98,765.4321099"},
        {123456.5L, 7, "123,456.5000000"},
        {-0.00000001L, 7, "0.0000000"},
    };
    for (const Case& c : cases) EXPECT_EQ(GroupedNumber(c.value, c.decimals), c.text) << c.text;
}

TEST(ThroughputResults, OneSecondForTwentyUnits) {
    PhaseFigures f;
    ASSERT_TRUE(ComputeFigures(20 * kTestUnit, 3000000000u, 3000000000u, f));
    ResultTexts t = FormatFigures(f);
    EXPECT_EQ(t.packetLength, "20,971,520");
    EXPECT_EQ(t.time, "1.0000000");
    EXPECT_EQ(t.bytesPerSecond, "20,971,520");
    EXPECT_EQ(t.bitsPerSecond, "167,772,160");
    EXPECT_EQ(t.mbps, "167.7721600");  // megabits of 1,000,000 bits
}

TEST(ThroughputResults, RatesStayDefined) {
    PhaseFigures f;
    EXPECT_FALSE(ComputeFigures(kTestUnit, 100, 0, f));  // no calibration, no division
    ASSERT_TRUE(ComputeFigures(uint64_t{2048} * kTestUnit, 0, 3000000000u, f));
    EXPECT_GT(f.bytesPerSecond, 0);
    EXPECT_EQ(f.bitsPerSecond, f.bytesPerSecond * 8);  // one cycle, clamped, no overflow
    ASSERT_TRUE(ComputeFigures(kTestUnit, 1500000000u, 3000000000u, f));
    EXPECT_EQ(f.bytesPerSecond, 2097152);
    EXPECT_EQ(FormatFigures(f).bitsPerSecond, "16,777,216");
}

const ReportClock kClock{2026, 12, 9, 4, 5, 6};

TEST(ThroughputPrint, PageLayout) {
    ResultsSheet s;
    s.computerName = "DESK";
    s.ipAddress = "10.0.0.7";
    s.target = "F:\\Public Files";
    s.writing = {"20,971,520", "1.0000000", "20,971,520", "167,772,160", "160.0000000"};
    std::vector<std::string> lines = ResultsLines(s, kClock);
    std::vector<std::string> expected = {
        "",
        std::string(20, ' ') + "Quorvel Results (12-09-2026 at 04:05:06)",
        "",
        "",
        " Computer Name: DESK",
        " IP Address   : 10.0.0.7",
        " Folder       : F:\\Public Files",
        "",
        "",
        std::string(24, ' ') + "---Writing---     ---Reading---",
        " Packet length   :      20,971,520" + std::string(8, ' '),
        " Time to complete:      1.0000000" + std::string(9, ' '),
        " Bytes per second:      20,971,520" + std::string(8, ' '),
        " Bits per second :      167,772,160" + std::string(7, ' '),
        std::string(24, ' ') + "-------------     -------------",
        " Mbps:                  160.0000000" + std::string(7, ' '),
    };
    EXPECT_EQ(lines, expected);
    s.server = true;
    s.target = "10.0.0.5:4457";
    EXPECT_EQ(ResultsLines(s, kClock)[6], " Server       : 10.0.0.5:4457");
}

TEST(ThroughputPrint, ReadingColumnStartsEighteenAfterWriting) {
    struct Case {
        std::string writing;
        std::size_t blanks;
    } cases[] = {{"123456789012", 6},
                 {"", 18},
                 {std::string(17, '9'), 1},
                 {std::string(18, '9'), 1},
                 {std::string(30, '9'), 1}};
    for (const Case& c : cases) {
        std::string row = ResultsRow("L:", c.writing, "R");
        EXPECT_EQ(row, "L:     " + c.writing + std::string(c.blanks, ' ') + "R") << c.writing;
    }
}

TEST(ThroughputSizes, TypedSizes) {
    struct Case {
        const char* text;
        SizeVerdict verdict;
        int64_t units;
    } cases[] = {
        {"20", SizeVerdict::Accept, 20},
        {"1", SizeVerdict::Accept, 1},
        {"2048", SizeVerdict::Accept, 2048},
        {"2.5", SizeVerdict::Accept, 2},
        {"0.6", SizeVerdict::Accept, 1},
        {"0", SizeVerdict::Cancel, 0},
        {"0.4", SizeVerdict::Cancel, 0},
        {"-5", SizeVerdict::Cancel, 0},
        {"", SizeVerdict::Cancel, 0},
        {"abc", SizeVerdict::Cancel, 0},
        {"8796093022207", SizeVerdict::Accept, 8796093022207},
        {"8796093022208", SizeVerdict::TooLarge, 0},
        {"1E30", SizeVerdict::TooLarge, 0},
        {"Infinity", SizeVerdict::TooLarge, 0},
    };
    for (const Case& c : cases) {
        int64_t units = -1;
        EXPECT_EQ(ReadTestSize(c.text, units), c.verdict) << "'" << c.text << "'";
        EXPECT_EQ(units, c.units) << "'" << c.text << "'";
    }
}

TEST(ThroughputSizes, CacheBuffer) {
    EXPECT_EQ(CacheBufferSize(5000000), 5046272u);  // 77 chunks
    EXPECT_EQ(CacheBufferSize(100 * kTestUnit), 8u * kTestUnit);
    EXPECT_EQ(CacheBufferSize(8 * kTestUnit), 8u * kTestUnit);
    EXPECT_EQ(CacheBufferSize(1), 65536u);
    EXPECT_EQ(CacheBufferSize(0), 0u);  // an empty file needs no buffer
    // Halving from 77 chunks ends below one chunk instead of running on.
    std::vector<uint64_t> tried;
    for (uint64_t size = CacheBufferSize(5000000); size != 0; size = SmallerCacheBuffer(size))
        tried.push_back(size / kCacheChunk);
    EXPECT_EQ(tried, (std::vector<uint64_t>{77, 38, 19, 9, 4, 2, 1}));
}

}  // namespace
