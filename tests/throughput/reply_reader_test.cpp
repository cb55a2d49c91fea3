#include "throughput/reply_reader.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

namespace {

// Feeds the pieces in turn; returns the bytes left over behind the line.
std::string FeedPieces(ReplyReader& reader, const std::vector<std::string>& pieces) {
    std::string rest;
    for (const std::string& piece : pieces) {
        std::size_t used = FeedReply(reader, piece.data(), piece.size());
        rest += piece.substr(used);
    }
    return rest;
}

TEST(ReplyReader, LineAndWhatFollowsItInAnyPieces) {
    struct Case {
        std::vector<std::string> pieces;
        bool ok;
        std::string line, rest;
    } cases[] = {
        {{"OK\r\n"}, true, "OK", ""},
        {{"OK\r\n!!!!\r\n"}, true, "OK", "!!!!\r\n"},
        {{"O", "K", "\r", "\n!!"}, true, "OK", "!!"},
        {{"OK\n"}, true, "OK", ""},
        {{"\rO\rK\r\r\n"}, true, "OK", ""},
        {{"NO\r\n", "OK\r\n"}, false, "NO", "OK\r\n"},
        {{"\r\n"}, false, "", ""},
    };
    for (const Case& c : cases) {
        ReplyReader reader;
        std::string rest = FeedPieces(reader, c.pieces);
        EXPECT_EQ(reader.state, ReplyState::Complete) << c.pieces[0];
        EXPECT_EQ(IsOkReply(reader), c.ok) << c.pieces[0];
        EXPECT_EQ(reader.line, c.line) << c.pieces[0];
        EXPECT_EQ(rest, c.rest) << c.pieces[0];
    }
}

TEST(ReplyReader, UnfinishedLineIsNotOk) {
    ReplyReader reader;
    EXPECT_EQ(FeedReply(reader, "OK", 2), 2u);
    EXPECT_EQ(reader.state, ReplyState::Reading);
    EXPECT_FALSE(IsOkReply(reader));
}

TEST(ReplyReader, LongLineStopsAtTheLimit) {
    std::string flood(1 << 20, 'x');
    ReplyReader reader;
    std::size_t used = FeedReply(reader, flood.data(), flood.size());
    EXPECT_EQ(reader.state, ReplyState::TooLong);
    EXPECT_EQ(used, kMaxReplyLength);
    EXPECT_EQ(FeedReply(reader, "OK\r\n", 4), 0u);
    // The limit counts text, not the CR bytes that are dropped.
    ReplyReader crs;
    std::string padded = std::string(1000, '\r') + "OK\r\n";
    FeedReply(crs, padded.data(), padded.size());
    EXPECT_TRUE(IsOkReply(crs));
}

}  // namespace
