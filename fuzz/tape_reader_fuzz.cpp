// The tape-file reader gives the same lines and the same state whether a file comes
// whole or in pieces of any size, and never holds a line beyond its cut.
#include <cstdio>
#include <cstdlib>
#include <vector>

#include "fuzz_input.h"
#include "tape/tape_report.h"

namespace {

struct Outcome {
    std::vector<std::string> lines;
    TapeFileReader reader;
};

Outcome Read(const std::string& file, const std::vector<size_t>& pieces, size_t room) {
    Outcome o;
    TapeLineSink add = [&](const std::string& line) {
        if (o.lines.size() >= room) return false;
        o.lines.push_back(line);
        return true;
    };
    size_t at = 0;
    for (size_t piece : pieces) {
        size_t n = std::min(piece, file.size() - at);
        ReadTapeBytes(o.reader, file.data() + at, n, add);
        at += n;
    }
    ReadTapeBytes(o.reader, file.data() + at, file.size() - at, add);
    FinishTapeFile(o.reader, add);
    return o;
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    FuzzInput in{data, size};
    std::vector<size_t> pieces;
    for (int n = in.Byte() % 12; n > 0; --n) pieces.push_back(in.Byte() % 64);
    size_t room = 1 + in.Byte() % 200;
    std::string file = in.Rest();
    Outcome whole = Read(file, {}, room);
    Outcome cut = Read(file, pieces, room);
    FUZZ_CHECK(whole.lines == cut.lines, "same lines");
    const TapeFileReader &a = whole.reader, &b = cut.reader;
    FUZZ_CHECK(a.linesRead == b.linesRead && a.linesAdded == b.linesAdded &&
                   a.linesLeftOut == b.linesLeftOut && a.linesCut == b.linesCut,
               "same counts");
    FUZZ_CHECK(a.hasDisplay == b.hasDisplay && a.display == b.display, "same display");
    FUZZ_CHECK(a.hasLastResult == b.hasLastResult &&
                   (a.lastResult == b.lastResult || (a.lastResult != a.lastResult)),
               "same last result");
    for (const std::string& line : whole.lines) {
        FUZZ_CHECK(line.size() <= kMaxLoadedLineLength, "lines are cut");
        FUZZ_CHECK(line.find('\0') == std::string::npos && line.find('\n') == std::string::npos,
                   "no zero bytes or line ends in a line");
    }
    return 0;
}
