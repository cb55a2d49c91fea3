// Reads the server's reply lines out of the bytes as they arrive. A reply and the
// data behind it often come in one read, so the reader takes only the bytes of its
// line and says how many it used; the rest belongs to what follows.
#pragma once

#include <cstddef>
#include <string>

// A reply is "OK"; a line this long without its end is not a reply of the server's
// but something else, and reading it further would only cost time and memory.
inline constexpr std::size_t kMaxReplyLength = 64;

enum class ReplyState { Reading, Complete, TooLong };

struct ReplyReader {
    ReplyState state = ReplyState::Reading;
    std::string line;  // without CR bytes and the LF
};

// Feeds `size` bytes; returns how many belong to the line (up to and including its
// LF). Once the line is complete or too long, further bytes are not taken.
std::size_t FeedReply(ReplyReader& reader, const char* bytes, std::size_t size);

// Whether the line read is exactly "OK".
bool IsOkReply(const ReplyReader& reader);
