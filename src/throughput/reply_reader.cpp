#include "throughput/reply_reader.h"

#include <cstring>

std::size_t FeedReply(ReplyReader& reader, const char* bytes, std::size_t size) {
    if (reader.state != ReplyState::Reading) return 0;
    const void* lf = std::memchr(bytes, '\n', size);
    std::size_t taken =
        lf ? static_cast<std::size_t>(static_cast<const char*>(lf) - bytes) + 1 : size;
    std::size_t textEnd = lf ? taken - 1 : taken;
    for (std::size_t i = 0; i < textEnd; ++i) {
        if (bytes[i] == '\r') continue;
        if (reader.line.size() >= kMaxReplyLength) {
            reader.state = ReplyState::TooLong;
            return i;
        }
        reader.line.push_back(bytes[i]);
    }
    if (lf) reader.state = ReplyState::Complete;
    return taken;
}

bool IsOkReply(const ReplyReader& reader) {
    return reader.state == ReplyState::Complete && reader.line == "OK";
}
