#include <gtest/gtest.h>

#include <string>

#include "throughput/fake_peer.h"
#include "throughput/server_exchange.h"

namespace {

constexpr std::size_t kChunk = 16;

ExchangeLimits SmallLimits() {
    ExchangeLimits limits;
    limits.chunk = kChunk;
    return limits;
}

struct Exchange {
    FakePeer peer;
    ServerLink link;
    Exchange()
        : link(peer, SmallLimits(), [this] { return static_cast<uint64_t>(peer.now) * 1000; }) {}
};

std::string Data(std::size_t n) {
    return std::string(n - 2, '!') + "\r\n";
}

TEST(ServerExchange, WholeTestPutsExactlyTheseBytesOnTheWire) {
    Exchange r;
    const uint64_t n = 3 * kChunk + 5;
    r.peer.script = {Say("OK\r\n"), Say("OK\r\n"), Quiet(40),   Say("OK\r\n"),
                     Say("OK\r\n"), Quiet(25),     Say(Data(n))};
    ASSERT_EQ(OpenServerConnection(r.link, "10.0.0.5", 9000), 0);
    EXPECT_EQ(r.peer.host, "10.0.0.5");
    EXPECT_EQ(r.peer.port, 9000);
    ASSERT_TRUE(ReceiveWelcome(r.link));
    PhaseResult write = RunWritePhase(r.link, n);
    EXPECT_TRUE(write.ok) << write.problem;
    EXPECT_EQ(write.bytes, n);
    EXPECT_EQ(write.cycles, 40u * 1000);
    PhaseResult read = RunReadPhase(r.link, n);
    EXPECT_TRUE(read.ok) << read.problem;
    EXPECT_EQ(read.bytes, n);
    EXPECT_EQ(read.cycles, 25u * 1000);
    CloseServerConnection(r.link);
    EXPECT_TRUE(r.peer.closed);
    EXPECT_EQ(r.peer.wire, "<TEST>1\r\n" + Data(n) + "<SEND>53\r\n<CLOS>\r\n");
}

TEST(ServerExchange, RepliesAndDataSplitOrJoinedAnyWay) {
    const uint64_t n = 40;
    std::string all = "OK\r\n" + Data(n);
    // The "OK" and the data in one segment, the "OK" split in two, CR and LF apart.
    const std::deque<PeerStep> shapes[] = {
        {Say(all)},
        {Say("O"), Say("K\r"), Say("\n" + Data(n))},
        {Say("OK\r\n!!!!"), Say(Data(n).substr(4))},
        {Say("OK\n"), Say(Data(n))},
    };
    int shape = 0;
    for (const auto& steps : shapes) {
        Exchange r;
        r.peer.script = steps;
        PhaseResult read = RunReadPhase(r.link, n);
        EXPECT_TRUE(read.ok) << "shape " << shape << ": " << read.problem;
        EXPECT_EQ(read.bytes, n) << "shape " << shape;
        ++shape;
    }
}

TEST(ServerExchange, WelcomeIsOnlyOk) {
    struct Case {
        const char* name;
        std::deque<PeerStep> script;
        bool welcomed;
        long long mostMs;
    } cases[] = {
        {"OK CR LF", {Say("OK\r\n")}, true, 0},
        {"OK LF", {Say("OK\n")}, true, 0},
        {"silence", {}, false, 5000},
        {"wrong line", {Say("HELLO\r\n")}, false, 0},
        {"ok in lower case", {Say("ok\r\n")}, false, 0},
        {"OK without line end, then silence", {Say("OK")}, false, 5000},
        {"closed at once", {Hangup()}, false, 0},
        {"8 MB without a line end", {Say(std::string(8 << 20, 'x'))}, false, 0},
        {"OK trickled over 8 s", {Say("O"), Quiet(8000), Say("K\r\n")}, false, 5000},
        {"OK after a second", {Quiet(1000), Say("OK\r\n")}, true, 1000},
    };
    for (Case& c : cases) {
        Exchange r;
        r.link.limits.chunk = 65536;
        r.peer.script = c.script;
        EXPECT_EQ(ReceiveWelcome(r.link), c.welcomed) << c.name;
        EXPECT_LE(r.peer.now, c.mostMs) << c.name;
        EXPECT_LE(r.link.buffer.size(), 65536u) << c.name;
    }
}

TEST(ServerExchange, UploadWithoutBothOksFails) {
    struct Case {
        const char* name;
        std::deque<PeerStep> script;
        const char* problem;
    } cases[] = {
        {"no reply to <TEST>1", {}, "QVL Server did not reply within 5 seconds to <TEST>1."},
        {"wrong reply to <TEST>1",
         {Say("NO\r\n")},
         "QVL Server replied \"NO\" instead of OK to <TEST>1."},
        {"no reply after the data",
         {Say("OK\r\n")},
         "QVL Server did not reply within 5 seconds after the test data."},
        {"closed after the data",
         {Say("OK\r\n"), Hangup()},
         "QVL Server closed the connection after the test data."},
    };
    for (Case& c : cases) {
        Exchange r;
        r.peer.script = c.script;
        PhaseResult write = RunWritePhase(r.link, 64);
        EXPECT_FALSE(write.ok) << c.name;
        EXPECT_EQ(write.problem, c.problem) << c.name;
    }
}

TEST(ServerExchange, StalledSendEndsWithinItsTimeOut) {
    for (unsigned long long stallAfter : {0ull, 9ull}) {  // the announcement, the data
        Exchange r;
        r.peer.stallAfter = stallAfter;
        r.peer.script = {Say("OK\r\n"), Say("OK\r\n")};
        PhaseResult write = RunWritePhase(r.link, 64);
        EXPECT_FALSE(write.ok) << stallAfter;
        EXPECT_LE(r.peer.now, 5000) << stallAfter;
    }
}

TEST(ServerExchange, DownloadEndsAtTheLastByteOrFailsShort) {
    const uint64_t n = 4 * kChunk;
    struct Case {
        const char* name;
        std::deque<PeerStep> script;
        bool ok;
        uint64_t bytes;
        long long mostMs;
        const char* problem;
    } cases[] = {
        {"held open after the data", {Say("OK\r\n" + Data(n)), Quiet(60000)}, true, n, 0, ""},
        {"endless data", {Say("OK\r\n"), Flood()}, true, n, 10, ""},
        {"closed mid-transfer",
         {Say("OK\r\n" + std::string(20, '!')), Hangup()},
         false,
         20,
         0,
         "QVL Server closed the connection after 20 bytes of 64 bytes."},
        {"silent mid-transfer",
         {Say("OK\r\n!")},
         false,
         1,
         5000,
         "QVL Server stopped sending after 1 byte of 64 bytes."},
        {"trickle of a byte every 4 s",
         {Say("OK\r\n"), Drip(4000)},
         false,
         2,
         10000 + 4000,
         "QVL Server stopped sending after 2 bytes of 64 bytes."},
        {"no OK to <SEND>",
         {Say("FULL\r\n")},
         false,
         0,
         0,
         "QVL Server replied \"FULL\" instead of OK to <SEND>."},
    };
    for (Case& c : cases) {
        Exchange r;
        r.peer.script = c.script;
        PhaseResult read = RunReadPhase(r.link, n);
        EXPECT_EQ(read.ok, c.ok) << c.name;
        EXPECT_EQ(read.bytes, c.bytes) << c.name;
        EXPECT_LE(r.peer.now, c.mostMs) << c.name;
        EXPECT_EQ(read.problem, c.problem) << c.name;
    }
}

TEST(ServerExchange, LargeUploadSendsOneChunkAtATime) {
    FakePeer peer;
    ServerLink link(peer, ExchangeLimits{}, [] { return uint64_t{0}; });
    peer.script = {Say("OK\r\n"), Say("OK\r\n")};
    const uint64_t n = uint64_t{2048} << 20;  // beyond 32 bits
    PhaseResult write = RunWritePhase(link, n);
    EXPECT_TRUE(write.ok) << write.problem;
    EXPECT_EQ(peer.sentBytes, 9 + n);
    EXPECT_EQ(peer.wire.substr(0, 12), "<TEST>1\r\n!!!");
}

TEST(ServerExchange, ConnectFailureNamesTheHostAndPort) {
    Exchange r;
    r.peer.connectError = 10061;
    EXPECT_EQ(OpenServerConnection(r.link, "testbox", 4456), 10061);
    EXPECT_TRUE(r.peer.closed);
    EXPECT_EQ(OpenErrorText(10061, "testbox", 4457),
              "Error opening port: Error #10061\r\n\r\n"
              "Please make sure QVL Server is running at testbox:4457.\r\n\r\n"
              "If you are Not Using QVL Server then make sure you enter a shared\r\n"
              "folder on your network (i.e. F:\\Public Files or \\\\server\\Public Files)\r\n"
              "in 'Folder or Server IP:' instead.");
}

}  // namespace
