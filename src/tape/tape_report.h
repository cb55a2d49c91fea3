// The tape report: the text that Save Tape writes and Print Tape prints, and the
// rules by which Load Tape reads such a text back into the tape and the calculator.
#pragma once

#include <cstddef>
#include <cstdint>
#include <functional>
#include <string>

#include "engine/calculator.h"

// Local date and time of the report, as the clock gave them.
struct ReportClock {
    int year = 0;
    int month = 0;  // 1..12
    int day = 0;
    int hour = 0;  // 0..23
    int minute = 0;
    int second = 0;
};

// 30 blanks + "Tape Report (MM-DD-YYYY at HH:MM:SS)".
std::string TapeReportHeader(const ReportClock& clock);

// The tape line right-aligned in a field of 30 characters; a longer line is kept whole.
std::string AlignedTapeLine(const std::string& line);

// Printed tape lines are red when they end in " -" or begin with a negative number.
bool PrintsInRed(const std::string& line);

// What a report line is, so that printing can stop after the tape lines and colour them.
enum class ReportLineKind { Header, Spacer, Tape, Trailer };

// Receives each report line without its line ending; returning false stops the report
// (a failed write).
using ReportLineSink = std::function<bool(ReportLineKind kind, const std::string& text)>;

// The whole report in file order: the header, two empty lines, every tape line aligned,
// an empty line, "** " + the display and "*** " + the last result. Printing uses the
// lines up to the last tape line. Returns false when the sink stopped it.
bool ComposeTapeReport(const Calculator& calc, const ReportClock& clock,
                       const ReportLineSink& emit);

// ---- Loading ----

// A loaded line is cut after this many characters: the program's own lines are far
// shorter, the tape draws at most 255, and a file of endless lines must not exhaust
// memory.
inline constexpr std::size_t kMaxLoadedLineLength = 1024;

// One load adds at most this much to the tape, counting each line as its length plus
// kLoadedLineCost (what the list spends on an entry); the rest of the file is still read
// for its "** " and "***" lines. A million lines of the program's own kind fit easily.
inline constexpr std::size_t kMaxLoadedTapeBytes = std::size_t{160} << 20;
inline constexpr std::size_t kLoadedLineCost = 32;
// And at most this many lines (a saved tape of a million lines loads whole): a file of empty or
// one-character lines would otherwise pass the byte budget with millions of lines and keep the
// program busy for minutes.
inline constexpr int64_t kMaxLoadedLines = int64_t{1} << 20;

// Receives each line that belongs on the tape; returning false means the tape cannot
// take more (the rest of the file is then only read for its "**" lines).
using TapeLineSink = std::function<bool(const std::string& line)>;

// The state of reading one tape file. Feed it the file's bytes in pieces of any size
// with ReadTapeBytes, then call FinishTapeFile once.
struct TapeFileReader {
    int64_t linesRead = 0;             // complete lines so far, the skipped first three included
    std::string line;                  // the line being read, cut at kMaxLoadedLineLength
    bool lineTooLong = false;          // the line being read lost its end to the cut
    bool afterCarriageReturn = false;  // a following line feed belongs to the same ending
    bool hasDisplay = false;           // a "** " line was read
    std::string display;               // the text after the last "** "
    bool hasLastResult = false;        // a "***" line was read
    long double lastResult = 0;
    int64_t linesAdded = 0;    // lines handed to the tape
    int64_t linesLeftOut = 0;  // tape lines not added: the tape was full or the budget spent
    int64_t linesCut = 0;      // lines longer than kMaxLoadedLineLength
    std::size_t budgetUsed = 0;
    bool tapeFull = false;  // the sink refused a line or the budget ran out
};

// Reads the next `size` bytes of the file. Lines end at CR LF, LF or a lone CR; zero
// bytes are dropped (the tape list holds zero-terminated text, and it makes a file saved
// as UTF-16 readable). Each line loses its leading blanks; from the fourth line on, a
// line not beginning with "**" goes to the tape; "** " sets the display text and
// "***" the last result.
void ReadTapeBytes(TapeFileReader& reader, const char* data, std::size_t size,
                   const TapeLineSink& addLine);

// Ends the file: a last line without a line ending still counts.
void FinishTapeFile(TapeFileReader& reader, const TapeLineSink& addLine);

// After the whole file was read: the display and the last result from the file where it
// had them, and the calculation starts afresh so that "=" and "Chg" continue from them.
void ApplyLoadedTape(Calculator& calc, const TapeFileReader& reader);
