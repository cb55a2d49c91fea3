#include "tape/tape_report.h"

#include <gtest/gtest.h>

#include <limits>
#include <string>
#include <vector>

#include "engine/key_runner.h"
#include "engine/recording_view.h"

namespace {

const std::string k30(30, ' ');
const long double kInfinity = std::numeric_limits<long double>::infinity();

struct Fixture {
    RecordingView view;
    Calculator calc;
    Fixture() { calc.view = &view; }
};

const ReportClock kClock{2026, 12, 7, 18, 5, 9};

// The report as Save Tape writes it: every line ended by CR LF.
std::string FileText(const Calculator& calc) {
    std::string text;
    ComposeTapeReport(calc, kClock, [&](ReportLineKind, const std::string& line) {
        text += line + "\r\n";
        return true;
    });
    return text;
}

// Loads `bytes` in pieces of `piece` bytes (0: all at once) into the fixture's tape.
TapeFileReader Load(Fixture& f, const std::string& bytes, std::size_t piece = 0) {
    TapeFileReader reader;
    auto add = [&](const std::string& line) {
        f.view.tape.push_back(line);
        return true;
    };
    if (piece == 0) piece = bytes.size() + 1;
    for (std::size_t at = 0; at < bytes.size(); at += piece) {
        ReadTapeBytes(reader, bytes.data() + at, std::min(piece, bytes.size() - at), add);
    }
    FinishTapeFile(reader, add);
    ApplyLoadedTape(f.calc, reader);
    return reader;
}

// ---- The report layout ----

TEST(TapeReport, HeaderCarriesDateAndTimeAfterThirtyBlanks) {
    EXPECT_EQ(TapeReportHeader(kClock), k30 + "Tape Report (12-07-2026 at 18:05:09)");
    EXPECT_EQ(TapeReportHeader({2027, 1, 31, 0, 0, 0}),
              k30 + "Tape Report (01-31-2027 at 00:00:00)");
}

TEST(TapeReport, TapeLinesAreRightAlignedInThirtyCharacters) {
    struct Case {
        std::string line, expected;
    } cases[] = {
        {"12.00 +", std::string(23, ' ') + "12.00 +"},
        {"", k30},
        {std::string(29, 'x'), " " + std::string(29, 'x')},
        {std::string(30, 'x'), std::string(30, 'x')},
        {std::string(45, 'y'), std::string(45, 'y')},
    };
    for (const Case& c : cases)
        EXPECT_EQ(AlignedTapeLine(c.line), c.expected) << "'" << c.line << "'";
}

TEST(TapeReport, EmptyTapeGivesSixLines) {
    Fixture f;
    f.view.display = "0.00";
    EXPECT_EQ(FileText(f.calc), TapeReportHeader(kClock) + "\r\n\r\n\r\n\r\n** 0.00\r\n***  0\r\n");
}

TEST(TapeReport, FileHoldsTapeDisplayAndLastResult) {
    Fixture f;
    f.view.tape = {"2  ", "3 +", std::string(26, '-'), "5 =", ""};
    f.view.display = "5";
    f.calc.state.lastResult = 5;
    EXPECT_EQ(FileText(f.calc), TapeReportHeader(kClock) + "\r\n\r\n\r\n" + std::string(27, ' ') +
                                    "2  \r\n" + std::string(27, ' ') + "3 +\r\n" +
                                    std::string(4, ' ') + std::string(26, '-') + "\r\n" +
                                    std::string(27, ' ') + "5 =\r\n" + k30 + "\r\n" +
                                    "\r\n** 5\r\n***  5\r\n");
}

TEST(TapeReport, LastResultLineHasBlankForNonNegativeValues) {
    struct Case {
        long double value;
        std::string expected;
    } cases[] = {
        {1234.5L, "***  1234.5"},
        {-20, "*** -20"},
        {0, "***  0"},
        {-0.0L, "***  0"},
        {0.125L, "***  0.125"},
        {std::numeric_limits<long double>::infinity(), "***  Infinity"},
        {-std::numeric_limits<long double>::infinity(), "*** -Infinity"},
    };
    for (const Case& c : cases) {
        Fixture f;
        f.calc.state.lastResult = c.value;
        std::string last;
        ComposeTapeReport(f.calc, kClock, [&](ReportLineKind, const std::string& line) {
            last = line;
            return true;
        });
        EXPECT_EQ(last, c.expected) << "value " << static_cast<double>(c.value);
    }
}

TEST(TapeReport, KindsLetPrintingStopAfterTheTapeLines) {
    Fixture f;
    f.view.tape = {"1 +", "2 +"};
    std::vector<ReportLineKind> kinds;
    ComposeTapeReport(f.calc, kClock, [&](ReportLineKind kind, const std::string&) {
        kinds.push_back(kind);
        return true;
    });
    using K = ReportLineKind;
    EXPECT_EQ(kinds, (std::vector<K>{K::Header, K::Spacer, K::Spacer, K::Tape, K::Tape, K::Trailer,
                                     K::Trailer, K::Trailer}));
}

TEST(TapeReport, AFailedLineStopsTheReport) {
    Fixture f;
    f.view.tape = {"1 +", "2 +", "3 +"};
    int lines = 0;
    bool done = ComposeTapeReport(f.calc, kClock,
                                  [&](ReportLineKind, const std::string&) { return ++lines < 4; });
    EXPECT_FALSE(done);
    EXPECT_EQ(lines, 4);
}

TEST(TapeReport, PrintedLineIsRedWhenNegativeOrEndingInMinus) {
    struct Case {
        std::string line;
        bool red;
    } cases[] = {
        {"5.00 -", true},
        {"-2.00 +", true},
        {"7.00 +", false},
        {AlignedTapeLine("-3.00 +"), true},
        {"-1,000.00 +", true},
        {"-4.00 M+", true},  // blue on screen, but the printout knows only red and black
        {"Copy (-2.00)", false},
        {"", false},
        {"5.00 -x", false},
        {"Clear", false},
    };
    for (const Case& c : cases) EXPECT_EQ(PrintsInRed(c.line), c.red) << "'" << c.line << "'";
}

// ---- Loading ----

TEST(TapeLoad, SaveThenLoadRestoresTapeDisplayAndLastResult) {
    Fixture saved;
    saved.view.tape = {
        "2  ", "3 +", std::string(26, '-'), "5 =", "", "-4.00 M+", std::string(40, '9') + " +"};
    saved.view.display = "1,234.50";
    saved.calc.state.lastResult = -1234.5L;

    Fixture f;
    f.view.tape = {"older line"};
    f.view.display = "77";
    f.calc.state.entryText = "77";
    f.calc.state.entryActive = 1;
    f.calc.state.total = 9;
    f.calc.state.itemCount = 3;
    f.calc.state.pendingOperator = "+";
    Load(f, FileText(saved.calc));

    std::vector<std::string> expected = {"older line"};
    expected.insert(expected.end(), saved.view.tape.begin(), saved.view.tape.end());
    expected.push_back("");  // the empty line before "** " comes back
    EXPECT_EQ(f.view.tape, expected);
    EXPECT_EQ(f.view.display, "1,234.50");
    EXPECT_EQ(f.calc.state.lastResult, -1234.5L);
    EXPECT_EQ(f.calc.state.entryText, "");
    EXPECT_EQ(f.calc.state.entryActive, 0);
    EXPECT_EQ(f.calc.state.total, 0);
    EXPECT_EQ(f.calc.state.itemCount, 0);
    EXPECT_EQ(f.calc.state.pendingOperator, "");
}

TEST(TapeLoad, EmptyTapeRoundTripAddsOneEmptyLine) {
    Fixture saved;
    saved.view.display = "0.00";
    Fixture f;
    f.calc.state.lastResult = 8;
    Load(f, FileText(saved.calc));
    EXPECT_EQ(f.view.tape, std::vector<std::string>{""});
    EXPECT_EQ(f.view.display, "0.00");
    EXPECT_EQ(f.calc.state.lastResult, 0);
}

// Each case loads `file` into a tape holding "old", display "D", last result 42.
TEST(TapeLoad, LinesAreReadByTheLoaderRules) {
    struct Case {
        const char* name;
        std::string file;
        std::vector<std::string> tape;  // after "old"
        std::string display;
        long double lastResult;
    } cases[] = {
        {"header missing: the first tape line is lost",
         "1 +\r\n2 +\r\n3 +\r\n4 +\r\n",
         {"4 +"},
         "D",
         42},
        {"fewer than four lines", "h\r\n\r\n\r\n", {}, "D", 42},
        {"empty file", "", {}, "D", 42},
        {"**note is neither added nor used", "h\r\n\r\n\r\n**note\r\n1 +\r\n", {"1 +"}, "D", 42},
        {"leading blanks go",
         "h\r\n\r\n\r\n      12.00 +\r\n   ** 3\r\n  ***  7\r\n",
         {"12.00 +"},
         "3",
         7},
        {"*** without a number", "h\r\n\r\n\r\n*** abc\r\n", {}, "D", 0},
        {"bare ***", "h\r\n\r\n\r\n***\r\n", {}, "D", 0},
        {"*** beyond the range", "h\r\n\r\n\r\n*** -1E+99999\r\n", {}, "D", -kInfinity},
        {"*** Infinity as saved", "h\r\n\r\n\r\n***  Infinity\r\n", {}, "D", kInfinity},
        {"*** NaN is no number", "h\r\n\r\n\r\n***  NaN\r\n", {}, "D", 0},
        {"last ** and *** win", "h\r\n\r\n\r\n** 1\r\n*** 1\r\n** 2\r\n*** 2\r\n", {}, "2", 2},
        {"** in the skipped lines still sets the display", "h\r\n** 9\r\n***  8\r\n", {}, "9", 8},
        {"** without text after the blank", "h\r\n\r\n\r\n** \r\n", {}, "", 42},
        {"**x is not a display line", "h\r\n\r\n\r\n**x\r\n", {}, "D", 42},
        {"blank-only lines become empty lines", "h\r\n\r\n\r\n   \r\n\r\n", {"", ""}, "D", 42},
        {"tabs are kept", "h\r\n\r\n\r\n\t5 +\r\n", {"\t5 +"}, "D", 42},
        {"Windows-1252 text is kept",
         "h\r\n\r\n\r\n6 \xD7\r\n2 \xF7\r\n",
         {"6 \xD7", "2 \xF7"},
         "D",
         42},
    };
    for (const Case& c : cases) {
        Fixture f;
        f.view.tape = {"old"};
        f.view.display = "D";
        f.calc.state.lastResult = 42;
        Load(f, c.file);
        std::vector<std::string> tape = {"old"};
        tape.insert(tape.end(), c.tape.begin(), c.tape.end());
        EXPECT_EQ(f.view.tape, tape) << c.name;
        EXPECT_EQ(f.view.display, c.display) << c.name;
        EXPECT_EQ(f.calc.state.lastResult, c.lastResult) << c.name;
        EXPECT_EQ(f.calc.state.total, 0) << c.name;
    }
}

TEST(TapeLoad, AnOverflowedResultRoundTripsAndEqualsContinuesFromIt) {
    KeySession saved;
    saved.Run("decimals=2 | 1E4000 * 1E4000 =");
    ASSERT_EQ(saved.view.display, "Infinity");
    std::string file = FileText(saved.calc);
    EXPECT_NE(file.find("\r\n** Infinity\r\n***  Infinity\r\n"), std::string::npos) << file;

    KeySession session;
    session.Run("decimals=2 | 5 +");
    TapeFileReader reader;
    auto add = [&](const std::string& line) {
        session.view.tape.push_back(line);
        return true;
    };
    ReadTapeBytes(reader, file.data(), file.size(), add);
    FinishTapeFile(reader, add);
    ApplyLoadedTape(session.calc, reader);
    EXPECT_EQ(session.calc.state.lastResult, kInfinity);
    EXPECT_EQ(session.Run("=").display, "Infinity");
}

TEST(TapeLoad, LineEndingsOfEveryKindInPiecesOfAnySize) {
    struct Case {
        const char* name;
        std::string file;
        std::vector<std::string> tape;
    } cases[] = {
        {"CR LF", "h\r\n\r\n\r\na\r\nb\r\n", {"a", "b"}},
        {"LF", "h\n\n\na\nb\n", {"a", "b"}},
        {"lone CR", "h\r\r\ra\rb\r", {"a", "b"}},
        {"no ending after the last line", "h\n\n\na\nb", {"a", "b"}},
        {"CR CR LF is two endings", "h\n\n\na\r\r\nb\n", {"a", "", "b"}},
        {"LF CR is two endings", "h\n\n\na\n\rb\n", {"a", "", "b"}},
        {"empty lines at the end", "h\n\n\na\n\n\n", {"a", "", ""}},
    };
    for (const Case& c : cases) {
        for (std::size_t piece : {std::size_t{0}, std::size_t{1}, std::size_t{2}, std::size_t{3}}) {
            Fixture f;
            Load(f, c.file, piece);
            EXPECT_EQ(f.view.tape, c.tape) << c.name << ", pieces of " << piece;
        }
    }
}

TEST(TapeLoad, ZeroBytesAreDroppedSoUtf16TextReads) {
    Fixture f;
    Load(f, std::string("h\r\n\r\n\r\n1\0002 +\r\n", 12));
    EXPECT_EQ(f.view.tape, std::vector<std::string>{"12 +"});

    std::string narrow = "\xFF\xFEh\r\n\r\n\r\n5.00 -\r\n** 5\r\n***  5\r\n";
    std::string wide;
    for (char ch : narrow) wide += std::string(1, ch) + '\0';
    Fixture g;
    g.calc.state.lastResult = 1;
    Load(g, wide, 7);
    EXPECT_EQ(g.view.tape, std::vector<std::string>{"5.00 -"});
    EXPECT_EQ(g.view.display, "5");
    EXPECT_EQ(g.calc.state.lastResult, 5);
}

TEST(TapeLoad, HugeLinesAreCutAndTheNextLineIsIntact) {
    std::string big(5u << 20, '7');
    std::string file = "h\r\n\r\n\r\n" + big + "\r\n** " + big + "\r\n8 +\r\n" +
                       std::string(kMaxLoadedLineLength, 'z') + "\r\n" + big;
    for (std::size_t piece : {std::size_t{0}, std::size_t{4096}, std::size_t{1000}}) {
        Fixture f;
        TapeFileReader r = Load(f, file, piece);
        std::string cut(kMaxLoadedLineLength, '7');
        EXPECT_EQ(f.view.tape, (std::vector<std::string>{
                                   cut, "8 +", std::string(kMaxLoadedLineLength, 'z'), cut}))
            << "pieces of " << piece;
        EXPECT_EQ(f.view.display, std::string(kMaxLoadedLineLength - 3, '7'));
        EXPECT_EQ(r.linesCut, 3) << "pieces of " << piece;
    }
}

TEST(TapeLoad, BinaryBytesLoadWithoutHarm) {
    std::string junk;
    unsigned seed = 12345;
    for (int i = 0; i < 200000; ++i) {
        seed = seed * 1103515245u + 12345u;
        junk += static_cast<char>(seed >> 16);
    }
    Fixture f;
    TapeFileReader r = Load(f, junk, 997);
    EXPECT_EQ(static_cast<int64_t>(f.view.tape.size()), r.linesAdded);
    for (const std::string& line : f.view.tape) {
        EXPECT_LE(line.size(), kMaxLoadedLineLength);
        EXPECT_EQ(line.find_first_of(std::string("\r\n\0", 3)), std::string::npos);
        if (!line.empty()) {
            EXPECT_NE(line[0], ' ');
        }
    }
}

TEST(TapeLoad, AFullTapeStopsAddingButStillReadsTheTrailer) {
    std::string file = "h\r\n\r\n\r\n1 +\r\n2 +\r\n3 +\r\n\r\n** 6\r\n***  6\r\n";
    Fixture f;
    TapeFileReader r;
    int accepted = 0;
    auto add = [&](const std::string& line) {
        if (accepted == 2) return false;
        ++accepted;
        f.view.tape.push_back(line);
        return true;
    };
    ReadTapeBytes(r, file.data(), file.size(), add);
    FinishTapeFile(r, add);
    ApplyLoadedTape(f.calc, r);
    EXPECT_EQ(f.view.tape, (std::vector<std::string>{"1 +", "2 +"}));
    EXPECT_TRUE(r.tapeFull);
    EXPECT_EQ(r.linesAdded, 2);
    EXPECT_EQ(r.linesLeftOut, 2);
    EXPECT_EQ(f.view.display, "6");
    EXPECT_EQ(f.calc.state.lastResult, 6);
}

TEST(TapeLoad, OneLoadAddsAtMostItsBudget) {
    std::string line = std::string(kMaxLoadedLineLength, '1') + "\r\n";
    std::string block;
    for (int i = 0; i < 64; ++i) block += line;
    const int64_t blocks = static_cast<int64_t>(kMaxLoadedTapeBytes / block.size()) + 8;
    TapeFileReader r;
    std::size_t addedBytes = 0;
    auto add = [&](const std::string& l) {
        addedBytes += l.size() + kLoadedLineCost;
        return true;
    };
    std::string head = "h\r\n\r\n\r\n";
    ReadTapeBytes(r, head.data(), head.size(), add);
    for (int64_t i = 0; i < blocks; ++i) ReadTapeBytes(r, block.data(), block.size(), add);
    std::string tail = "** 3\r\n*** 3\r\n";
    ReadTapeBytes(r, tail.data(), tail.size(), add);
    FinishTapeFile(r, add);

    EXPECT_TRUE(r.tapeFull);
    EXPECT_LE(addedBytes, kMaxLoadedTapeBytes);
    EXPECT_GT(addedBytes, kMaxLoadedTapeBytes - line.size() - kLoadedLineCost);
    EXPECT_EQ(r.linesAdded + r.linesLeftOut, blocks * 64);
    EXPECT_EQ(r.display, "3");
    EXPECT_EQ(r.lastResult, 3);
}

TEST(TapeLoad, AMillionShortLinesFitAndNoMore) {
    std::string block;
    for (int i = 0; i < 1000; ++i) block += std::string(23, ' ') + "12.00 +\r\n";
    TapeFileReader r;
    int64_t added = 0;
    auto add = [&](const std::string&) { return ++added, true; };
    for (int i = 0; i < 1000; ++i) ReadTapeBytes(r, block.data(), block.size(), add);
    EXPECT_FALSE(r.tapeFull);
    EXPECT_EQ(added, 1000000 - 3);
    // Beyond the cap, even tiny lines are left out.
    std::string tiny;
    for (int64_t i = added; i < kMaxLoadedLines + 10; ++i) tiny += "1\r\n";
    ReadTapeBytes(r, tiny.data(), tiny.size(), add);
    FinishTapeFile(r, add);
    EXPECT_TRUE(r.tapeFull);
    EXPECT_EQ(added, kMaxLoadedLines);
    EXPECT_EQ(r.linesLeftOut, 10);
}

}  // namespace
