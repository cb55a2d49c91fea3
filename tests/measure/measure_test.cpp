#include "measure/measure.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "engine/key_runner.h"
#include "settings/settings_file.h"
#include "test_support.h"

namespace {

enum Unit { kIn = 0, kFt = 1, kYd = 2, kMi = 3 };
enum MetricUnit { kMm = 0, kCm = 1, kM = 2, kKm = 3 };

MeasureForm Volume(bool metric, std::string l, int lu, std::string w, int wu, std::string d, int du,
                   int ru) {
    MeasureForm f;
    f.kind = MeasureKind::Volume;
    f.metric = metric;
    f.length = l, f.width = w, f.depth = d;
    f.lengthUnit = lu, f.widthUnit = wu, f.depthUnit = du, f.resultUnit = ru;
    return f;
}

MeasureForm Area(bool metric, std::string l, int lu, std::string w, int wu, int ru) {
    MeasureForm f = Volume(metric, l, lu, w, wu, "", 1, ru);
    f.kind = MeasureKind::Area;
    return f;
}

std::vector<std::string> TapeLines(const MeasureOutcome& o) {
    std::vector<std::string> lines;
    for (const TapeEntry& e : o.tape)
        lines.push_back(e.marker.empty() ? e.body : e.body + " " + e.marker);
    return lines;
}

TEST(MeasureTest, Results) {
    struct Case {
        const char* name;
        MeasureForm form;
        const char* result;
    } cases[] = {
        {"concrete example", Volume(false, "10", kFt, "10", kFt, "4", kIn, kYd), "1.2346"},
        {"square mile in sq.ft", Area(false, "1", kMi, "1", kMi, kFt), "27,878,400"},
        {"cubic metre in cu.cm", Volume(true, "1", kM, "1", kM, "1", kM, kCm), "1,000,000"},
        {"mixed metric", Volume(true, "1", kKm, "50", kCm, "2", kMm, kM), "1"},
        {"negative accepted", Area(false, "-3", kYd, "2", kFt, kFt), "-18"},
        {"grouped input", Area(false, "1,200", kIn, "0.5", kIn, kIn), "600"},
        {"tiny, not nothing", Area(true, "1", kMm, "1", kMm, kKm), "0.000000000001"},
        {"150 in x 10 ft", Area(false, "150", kIn, "10", kFt, kMi), "0.000004484"},
        {"beyond the range", Area(false, "1e200", kMi, "1e200", kMi, kIn), "Infinity"},
    };
    for (const Case& c : cases) {
        MeasureOutcome o = CalculateMeasure(c.form);
        EXPECT_TRUE(o.calculated) << c.name;
        EXPECT_EQ(o.resultText, c.result) << c.name;
    }
}

TEST(MeasureTest, ZeroOrMissingDimensionStops) {
    const MeasureForm forms[] = {
        Volume(false, "10", kFt, "10", kFt, "", kIn, kYd),    // empty depth
        Volume(false, "0", kFt, "10", kFt, "4", kIn, kYd),    // zero length
        Volume(false, "10", kFt, "abc", kFt, "4", kIn, kYd),  // no number
        Area(false, "10", kFt, "", kFt, kFt),                 // empty width
        Area(false, "1e-400", kFt, "3", kFt, kFt),            // zero as a double
    };
    for (const MeasureForm& f : forms) {
        MeasureOutcome o = CalculateMeasure(f);
        EXPECT_FALSE(o.calculated) << f.length << " x " << f.width << " x " << f.depth;
        EXPECT_TRUE(o.tape.empty());
        EXPECT_TRUE(o.settings.empty());
    }
}

TEST(MeasureTest, VolumeTapeBlockAndSettingsInOrder) {
    MeasureOutcome o = CalculateMeasure(Volume(false, "10", kFt, "10", kFt, "4", kIn, kYd));
    EXPECT_EQ(TapeLines(o),
              (std::vector<std::string>{"Volume Calculation...", "Length: 10 ft", "Width: 10 ft",
                                        "Depth: 4 in", "Result = 1.2346 cu.yd", ""}));
    std::vector<std::pair<std::string, std::string>> expected = {
        {"Metric", "0"}, {"Length", "10"}, {"Width", "10"}, {"Depth", "4"}, {"Result", "1.2346"},
        {"L1", "1"},     {"W1", "1"},      {"H1", "0"},     {"R1", "2"}};
    EXPECT_EQ(o.settings, expected);
}

TEST(MeasureTest, AreaTapeBlockAndSettingsInOrder) {
    MeasureOutcome o = CalculateMeasure(Area(true, "1", kMm, "1", kMm, kKm));
    EXPECT_EQ(TapeLines(o),
              (std::vector<std::string>{"Area Calculation...", "Length: 1 mm", "Width: 1 mm",
                                        "Result = 0.000000000001 sq.km", ""}));
    std::vector<std::pair<std::string, std::string>> expected = {
        {"Metric", "1"}, {"Length", "1"}, {"Width", "1"}, {"Result", "0.000000000001"},
        {"L1", "0"},     {"W1", "0"},     {"R1", "3"}};
    EXPECT_EQ(o.settings, expected);
}

TEST(MeasureTest, FieldTextOnFocusLoss) {
    struct Case {
        const char* typed;
        const char* shown;
    } cases[] = {
        {"", ""},
        {"0", "0"},
        {"abc", "0"},
        {"12", "12"},
        {"1234567.5", "1,234,567.5"},
        {"1,234", "1,234"},
        {"3.14159", "3.1416"},
        {"-2.5", "-2.5"},
        {"  7x", "7"},
        {".00004", "0.00004"},
        {"0.4", "0.4"},
        {"1e5", "100,000"},
        {"1e400", "Infinity"},
    };
    for (const Case& c : cases) EXPECT_EQ(MeasureFieldText(c.typed), c.shown) << c.typed;
    // The largest double still fits a settings value (511 characters).
    EXPECT_LE(MeasureFieldText("1.7976931348623157e308").size(), 511u);
}

TEST(MeasureTest, StoredUnitIndex) {
    struct Case {
        const char* stored;
        int index;
    } cases[] = {{"0", 0}, {"1", 1},  {"2", 2}, {"3", 3},   {" 3", 3},  {"2.0", 2}, {"", 1},
                 {"7", 1}, {"-1", 1}, {"4", 1}, {"1.5", 1}, {"abc", 1}, {"2x", 1}};
    for (const Case& c : cases) EXPECT_EQ(StoredUnitIndex(c.stored), c.index) << c.stored;
}

TEST(MeasureTest, UnitNamesByIndex) {
    EXPECT_STREQ(MeasureLengthUnit(false, 1).name, "Feet");
    EXPECT_STREQ(MeasureLengthUnit(true, 1).name, "Centimeters");
    EXPECT_STREQ(MeasureResultUnit(MeasureKind::Volume, false, 2).name, "Cu.Yards");
    EXPECT_STREQ(MeasureResultUnit(MeasureKind::Area, true, 3).name, "Sq.Kilometers");
    EXPECT_STREQ(MeasureLengthUnit(false, -1).name, "Feet") << "an index outside falls back";
}

TEST(MeasureTest, RecordsTapeAndSettingsAndOpensWithThem) {
    TempFolder folder;
    const std::string path = folder.File("Tallymax.ini");
    KeySession session;
    session.Run("");
    MeasureForm form = Volume(false, "10", kFt, "10", kFt, "4", kIn, kYd);
    RecordMeasure(session.calc, path, MeasureKind::Volume, CalculateMeasure(form));
    EXPECT_EQ(session.view.tape,
              (std::vector<std::string>{"Volume Calculation...", "Length: 10 ft", "Width: 10 ft",
                                        "Depth: 4 in", "Result = 1.2346 cu.yd", ""}));
    EXPECT_EQ(ReadWholeFile(path),
              "[Volume Settings]\r\nMetric=0\r\nLength=10\r\nWidth=10\r\nDepth=4\r\n"
              "Result=1.2346\r\nL1=1\r\nW1=1\r\nH1=0\r\nR1=2\r\n");

    MeasureForm opened = LoadMeasureForm(path, MeasureKind::Volume);
    EXPECT_EQ(opened.length + "|" + opened.width + "|" + opened.depth + "|" + opened.result,
              "10|10|4|1.2346");
    EXPECT_FALSE(opened.metric);
    EXPECT_EQ(opened.lengthUnit, kFt);
    EXPECT_EQ(opened.depthUnit, kIn);
    EXPECT_EQ(opened.resultUnit, kYd);

    ForgetMeasureInputs(path, MeasureKind::Volume, true);
    EXPECT_EQ(ReadWholeFile(path), "[Volume Settings]\r\nMetric=1\r\n");
    MeasureForm cleared = LoadMeasureForm(path, MeasureKind::Volume);
    EXPECT_EQ(cleared.length + cleared.width + cleared.depth + cleared.result, "");
    EXPECT_TRUE(cleared.metric);
    EXPECT_EQ(cleared.lengthUnit + cleared.widthUnit + cleared.depthUnit + cleared.resultUnit, 4)
        << "index 1 everywhere";
}

TEST(MeasureTest, OpeningReadsBadValuesSafelyAndWritesNothing) {
    TempFolder folder;
    const std::string path = folder.File("Tallymax.ini");
    const std::string ini =
        "[Area Settings]\r\nMetric=abc\r\nL1=7\r\nW1=-1\r\nR1=3\r\nLength=5\r\n"
        "[Volume Settings]\r\nMetric=2\r\nH1=0\r\n";
    WriteWholeFile(path, ini);
    MeasureForm area = LoadMeasureForm(path, MeasureKind::Area);
    EXPECT_FALSE(area.metric);
    EXPECT_EQ(area.lengthUnit, 1);
    EXPECT_EQ(area.widthUnit, 1);
    EXPECT_EQ(area.resultUnit, 3);
    EXPECT_EQ(area.length, "5");
    MeasureForm volume = LoadMeasureForm(path, MeasureKind::Volume);
    EXPECT_TRUE(volume.metric) << "any number but 0 is Metric";
    EXPECT_EQ(volume.depthUnit, 0);
    EXPECT_EQ(ReadWholeFile(path), ini);
}

TEST(MeasureTest, SystemSwitchWritesOnlyMetric) {
    TempFolder folder;
    const std::string path = folder.File("Tallymax.ini");
    StoreMeasureSystem(path, MeasureKind::Area, true);
    StoreMeasureSystem(path, MeasureKind::Volume, false);
    EXPECT_EQ(ReadWholeFile(path),
              "[Area Settings]\r\nMetric=1\r\n[Volume Settings]\r\nMetric=0\r\n");
}

}  // namespace
