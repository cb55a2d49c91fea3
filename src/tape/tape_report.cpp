#include "tape/tape_report.h"

#include <algorithm>
#include <cstdio>

#include "engine/number_text.h"

namespace {

constexpr std::size_t kTapeField = 30;

bool StartsWith(const std::string& text, const char* head) {
    return text.compare(0, std::char_traits<char>::length(head), head) == 0;
}

std::string TwoDigits(int n) {
    char buf[16];
    std::snprintf(buf, sizeof buf, "%02d", n);
    return buf;
}

// An overflowed result is written as ValueText writes it ("Infinity"), so that the
// file agrees with its own "** " line and loads back as the same value.
std::string LastResultText(long double x) {
    if (x == 0) x = 0;  // no "-0" in the file
    return (x < 0 ? "" : " ") + ValueText(x, 15);
}

// Takes the line just completed by ReadTapeBytes or FinishTapeFile.
void EndLine(TapeFileReader& r, const TapeLineSink& addLine) {
    std::string line;
    line.swap(r.line);
    r.afterCarriageReturn = false;
    if (r.lineTooLong) ++r.linesCut;
    r.lineTooLong = false;
    std::size_t firstNonBlank = line.find_first_not_of(' ');
    line.erase(0, firstNonBlank == std::string::npos ? line.size() : firstNonBlank);
    ++r.linesRead;

    if (r.linesRead > 3 && !StartsWith(line, "**")) {
        std::size_t cost = line.size() + kLoadedLineCost;
        if (!r.tapeFull &&
            (r.budgetUsed + cost > kMaxLoadedTapeBytes || r.linesAdded >= kMaxLoadedLines))
            r.tapeFull = true;
        if (!r.tapeFull && !addLine(line)) r.tapeFull = true;
        if (r.tapeFull) {
            ++r.linesLeftOut;
        } else {
            r.budgetUsed += cost;
            ++r.linesAdded;
        }
    }
    if (StartsWith(line, "** ")) {
        r.hasDisplay = true;
        r.display = line.substr(3);
    }
    if (StartsWith(line, "***")) {
        r.hasLastResult = true;
        // The engine carries an overflowed result on as Infinity, so it is taken as read.
        r.lastResult = ParseNumber(line.substr(3));
    }
}

}  // namespace

std::string TapeReportHeader(const ReportClock& c) {
    char year[16];
    std::snprintf(year, sizeof year, "%04d", c.year);
    return std::string(kTapeField, ' ') + "Tape Report (" + TwoDigits(c.month) + "-" +
           TwoDigits(c.day) + "-" + year + " at " + TwoDigits(c.hour) + ":" + TwoDigits(c.minute) +
           ":" + TwoDigits(c.second) + ")";
}

std::string AlignedTapeLine(const std::string& line) {
    if (line.size() >= kTapeField) return line;
    return std::string(kTapeField - line.size(), ' ') + line;
}

bool PrintsInRed(const std::string& line) {
    bool endsInMinus = line.size() >= 2 && line.compare(line.size() - 2, 2, " -") == 0;
    return endsInMinus || ParseNumber(line) < 0;
}

bool ComposeTapeReport(const Calculator& calc, const ReportClock& clock,
                       const ReportLineSink& emit) {
    if (!emit(ReportLineKind::Header, TapeReportHeader(clock))) return false;
    if (!emit(ReportLineKind::Spacer, "")) return false;
    if (!emit(ReportLineKind::Spacer, "")) return false;
    int count = calc.view->TapeLineCount();
    for (int i = 0; i < count; ++i) {
        if (!emit(ReportLineKind::Tape, AlignedTapeLine(calc.view->TapeLine(i)))) return false;
    }
    if (!emit(ReportLineKind::Trailer, "")) return false;
    if (!emit(ReportLineKind::Trailer, "** " + calc.view->DisplayText())) return false;
    return emit(ReportLineKind::Trailer, "*** " + LastResultText(calc.state.lastResult));
}

void ReadTapeBytes(TapeFileReader& r, const char* data, std::size_t size,
                   const TapeLineSink& addLine) {
    const char* end = data + size;
    for (const char* p = data; p != end; ++p) {
        char ch = *p;
        if (ch == '\0') continue;
        if (ch == '\n') {
            if (r.afterCarriageReturn) {
                r.afterCarriageReturn = false;  // the line ended at the CR already
            } else {
                EndLine(r, addLine);
            }
            continue;
        }
        if (r.afterCarriageReturn) r.afterCarriageReturn = false;
        if (ch == '\r') {
            EndLine(r, addLine);
            r.afterCarriageReturn = true;
            continue;
        }
        // Copy the run of ordinary bytes at once; the cap keeps a huge line cheap.
        const char* runEnd = p;
        while (runEnd != end && *runEnd != '\r' && *runEnd != '\n' && *runEnd != '\0') ++runEnd;
        std::size_t room = kMaxLoadedLineLength - std::min(r.line.size(), kMaxLoadedLineLength);
        std::size_t run = static_cast<std::size_t>(runEnd - p);
        if (run > room) r.lineTooLong = true;
        r.line.append(p, std::min(run, room));
        p = runEnd - 1;
    }
}

void FinishTapeFile(TapeFileReader& r, const TapeLineSink& addLine) {
    if (!r.line.empty() || r.lineTooLong) EndLine(r, addLine);
}

void ApplyLoadedTape(Calculator& calc, const TapeFileReader& r) {
    if (r.hasDisplay) calc.view->SetDisplayText(r.display);
    CalculatorState& s = calc.state;
    if (r.hasLastResult) s.lastResult = r.lastResult;
    s.entryText.clear();
    s.itemCount = 0;
    s.total = 0;
    s.pendingOperator.clear();
    s.entryActive = 0;
}
