// The server reply reader takes the same line and the same number of bytes whether the
// bytes come whole or in pieces, and never holds more than a reply's length.
#include <cstdio>
#include <cstdlib>
#include <vector>

#include "fuzz_input.h"
#include "throughput/reply_reader.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    FuzzInput in{data, size};
    std::vector<size_t> pieces;
    for (int n = in.Byte() % 8; n > 0; --n) pieces.push_back(in.Byte() % 16);
    std::string bytes = in.Rest();

    ReplyReader whole;
    size_t wholeTaken = FeedReply(whole, bytes.data(), bytes.size());
    ReplyReader cut;
    size_t at = 0, taken = 0;
    for (size_t piece : pieces) {
        size_t n = std::min(piece, bytes.size() - at);
        taken += FeedReply(cut, bytes.data() + at, n);
        at += n;
    }
    taken += FeedReply(cut, bytes.data() + at, bytes.size() - at);
    FUZZ_CHECK(whole.state == cut.state && whole.line == cut.line, "same reply");
    FUZZ_CHECK(wholeTaken == taken, "same bytes taken");
    FUZZ_CHECK(whole.line.size() <= kMaxReplyLength, "bounded line");
    if (whole.state == ReplyState::Complete) {
        FUZZ_CHECK(wholeTaken >= 1 && bytes[wholeTaken - 1] == '\n', "ends at its line feed");
        FUZZ_CHECK(IsOkReply(whole) == (whole.line == "OK"), "OK is exactly OK");
    } else {
        FUZZ_CHECK(!IsOkReply(whole), "an unfinished line is no OK");
    }
    return 0;
}
