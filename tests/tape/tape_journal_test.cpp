#include "tape/tape_journal.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <cstdio>
#include <random>
#include <string>
#include <vector>

#include "test_support.h"

#ifndef _WIN32
#include <signal.h>
#include <sys/wait.h>
#include <unistd.h>
#endif

namespace {

struct Restored {
    JournalRead read;
    std::vector<std::string> lines;
    std::size_t expectedLines = 0;
};

Restored Read(const std::string& path) {
    Restored r;
    r.read = ReadJournal(path, {[&](std::size_t lines, std::uint64_t) { r.expectedLines = lines; },
                                [&](const std::string& line) { r.lines.push_back(line); }});
    return r;
}

TapeJournal JournalAt(const std::string& path) {
    TapeJournal j;
    j.path = path;
    j.on = true;
    return j;
}

std::size_t LinesIn(const std::string& path) {
    std::string bytes = ReadWholeFile(path);
    return static_cast<std::size_t>(std::count(bytes.begin(), bytes.end(), '\n'));
}

std::string Numbered(std::size_t i) {
    return std::to_string(i) + " +";
}

TEST(TapeJournal, PathAndSetting) {
    EXPECT_EQ(JournalPathBeside("C:\\Tools\\Tallymax.ini"), "C:\\Tools\\Tallymax.tape");
    EXPECT_EQ(JournalPathBeside("/home/u/Tallymax.ini"), "/home/u/Tallymax.tape");
    EXPECT_EQ(JournalPathBeside("Tallymax.ini"), "Tallymax.tape");
    EXPECT_EQ(JournalPathBeside(""), "");
    EXPECT_FALSE(KeepTapeValueOn("0"));
    for (const char* on : {"1", "", "2", "off", "00"}) EXPECT_TRUE(KeepTapeValueOn(on)) << on;
}

TEST(TapeJournal, RecordsFrameEachLineAndReadBackTheSame) {
    struct Case {
        std::string line, record;
    } cases[] = {
        {"12.50 +", "12.50 +\n"},
        {"", "\n"},
        {"3 \xD7", "3 \xD7\n"},  // the tape's single-byte signs as they are
        {"a\r\nb\rc\n", "a  b c \n"},
        {std::string("ab\0cd", 5), "ab\n"},  // the tape list ends a line at a zero byte
        {std::string(2000, '7'), std::string(kJournalMaxLineLength, '7') + "\n"},
    };
    TempFolder folder;
    TapeJournal j = JournalAt(folder.File("Tallymax.tape"));
    std::string file;
    std::vector<std::string> expected;
    for (const Case& c : cases) {
        EXPECT_EQ(JournalRecord(c.line), c.record) << c.line;
        EXPECT_TRUE(AppendToJournal(j, c.line));
        file += c.record;
        expected.push_back(c.record.substr(0, c.record.size() - 1));
    }
    // Flushed line by line: the file is complete before the journal is closed.
    EXPECT_EQ(ReadWholeFile(j.path), file);
    Restored r = Read(j.path);
    EXPECT_EQ(r.lines, expected);
    EXPECT_EQ(r.expectedLines, expected.size());
    EXPECT_FALSE(r.read.NeedsRewrite());
    EXPECT_EQ(j.lines, expected.size());
    CloseJournal(j);
}

// Files the program would not write: each reads as its good lines, and adopting it
// rewrites it so that appends continue cleanly after them.
TEST(TapeJournal, TornAndDamagedFilesKeepTheirGoodLines) {
    struct Case {
        const char* name;
        std::string bytes;
        std::vector<std::string> lines;
        bool rewrite;
    } cases[] = {
        {"empty", "", {}, false},
        {"torn last line", "1  \n2 +\n3", {"1  ", "2 +"}, true},
        {"only a torn line", "12.5", {}, true},
        {"CR LF from an editor", "1 +\r\n2 +\r\n", {"1 +", "2 +"}, true},
        {"zero bytes and a lone CR", std::string("1\0 +\n2\r+\n", 10), {"1 +", "2 +"}, true},
        {"over-long line",
         std::string(5000, 'x') + "\n5 =\n",
         {std::string(kJournalMaxLineLength, 'x'), "5 ="},
         true},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        TempFolder folder;
        TapeJournal j = JournalAt(folder.File("Tallymax.tape"));
        WriteWholeFile(j.path, c.bytes);
        Restored r = Read(j.path);
        EXPECT_EQ(r.lines, c.lines);
        EXPECT_EQ(r.read.NeedsRewrite(), c.rewrite);
        EXPECT_TRUE(AdoptJournalFile(j, r.read));
        EXPECT_TRUE(AppendToJournal(j, "9 +"));
        std::vector<std::string> after = c.lines;
        after.push_back("9 +");
        Restored again = Read(j.path);
        EXPECT_EQ(again.lines, after);
        EXPECT_FALSE(again.read.NeedsRewrite());
        CloseJournal(j);
    }
}

TEST(TapeJournal, RandomBytesNeverBreakTheReader) {
    std::mt19937 random(1412);
    TempFolder folder;
    const std::string path = folder.File("Tallymax.tape");
    for (int round = 0; round < 20; ++round) {
        std::string bytes(random() % 200000, '\0');
        for (char& b : bytes) b = static_cast<char>(random() % (round % 2 ? 256 : 16) + 1);
        WriteWholeFile(path, bytes);
        TapeJournal j = JournalAt(path);
        Restored r = Read(path);
        for (const std::string& line : r.lines) {
            ASSERT_LE(line.size(), kJournalMaxLineLength) << round;
            ASSERT_EQ(line.find_first_of(std::string("\r\n\0", 3)), std::string::npos) << round;
        }
        ASSERT_TRUE(AdoptJournalFile(j, r.read));
        EXPECT_EQ(Read(path).lines, r.lines) << round;
    }
}

TEST(TapeJournal, KeepsTheNewestLinesAndCompactsAtTwiceAsManyOrAtRest) {
    TempFolder folder;
    TapeJournal j = JournalAt(folder.File("Tallymax.tape"));
    // A file of 250,000 lines reads as its newest 100,000.
    std::string big;
    for (std::size_t i = 0; i < kJournalKeptLines * 5 / 2; ++i) big += Numbered(i) + "\n";
    WriteWholeFile(j.path, big);
    Restored r = Read(j.path);
    ASSERT_EQ(r.lines.size(), kJournalKeptLines);
    EXPECT_EQ(r.expectedLines, kJournalKeptLines);
    EXPECT_EQ(r.lines.front(), Numbered(kJournalKeptLines * 3 / 2));
    EXPECT_EQ(r.lines.back(), Numbered(kJournalKeptLines * 5 / 2 - 1));
    EXPECT_TRUE(r.read.olderLeftOut);
    ASSERT_TRUE(AdoptJournalFile(j, r.read));
    EXPECT_EQ(Read(j.path).lines, r.lines) << "rewritten to the lines restored";

    // Appends grow it to twice the bound; the line that reaches it compacts it again.
    std::size_t next = kJournalKeptLines * 5 / 2;
    while (j.lines < kJournalCompactAt - 1) ASSERT_TRUE(AppendToJournal(j, Numbered(next++)));
    EXPECT_EQ(LinesIn(j.path), kJournalCompactAt - 1);
    ASSERT_TRUE(AppendToJournal(j, Numbered(next++)));
    EXPECT_EQ(j.lines, kJournalKeptLines);
    ASSERT_TRUE(AppendToJournal(j, Numbered(next++)));
    EXPECT_EQ(LinesIn(j.path), kJournalKeptLines + 1);
    Restored compacted = Read(j.path);
    EXPECT_EQ(compacted.lines.front(), Numbered(next - kJournalKeptLines));
    EXPECT_EQ(compacted.lines.back(), Numbered(next - 1));

    // The end of a load and the end of the run leave no more than the bound.
    for (int i = 0; i < 10; ++i) ASSERT_TRUE(AppendToJournal(j, Numbered(next++), false));
    ASSERT_TRUE(FlushJournal(j));
    EXPECT_EQ(LinesIn(j.path), kJournalKeptLines);
    for (int i = 0; i < 10; ++i) ASSERT_TRUE(AppendToJournal(j, Numbered(next++)));
    CloseJournal(j);
    Restored closed = Read(j.path);
    EXPECT_EQ(LinesIn(j.path), kJournalKeptLines);
    EXPECT_EQ(closed.lines.back(), Numbered(next - 1));
    EXPECT_FALSE(closed.read.NeedsRewrite());
}

TEST(TapeJournal, AHugeFileCostsABoundedRead) {
    TempFolder folder;
    const std::string path = folder.File("Tallymax.tape");
    // 5 GB, nearly all of it a hole of zero bytes, then a few lines.
    std::FILE* f = std::fopen(path.c_str(), "wb");
    ASSERT_NE(f, nullptr);
#ifdef _WIN32
    ASSERT_EQ(_fseeki64(f, 5LL << 30, SEEK_SET), 0);
#else
    ASSERT_EQ(fseeko(f, off_t{5} << 30, SEEK_SET), 0);
#endif
    std::fputs("older\nnewest 1\nnewest 2\n", f);
    ASSERT_EQ(std::fclose(f), 0);
    Restored r = Read(path);
    // "older" began in the hole, before what the reader looks at.
    EXPECT_EQ(r.lines, (std::vector<std::string>{"newest 1", "newest 2"}));
    EXPECT_TRUE(r.read.NeedsRewrite());
    EXPECT_LE(r.read.bytesRead, 2 * kJournalReadWindow + 2);
    EXPECT_LT(r.read.text.capacity(), std::size_t{1} << 20);
}

TEST(TapeJournal, ClearStopAndStartAgain) {
    TempFolder folder;
    TapeJournal j = JournalAt(folder.File("Tallymax.tape"));
    AppendToJournal(j, "1 +");
    AppendToJournal(j, "2 +");
    EXPECT_TRUE(ClearJournal(j));
    EXPECT_EQ(ReadWholeFile(j.path), "");
    AppendToJournal(j, "3 +");
    EXPECT_EQ(ReadWholeFile(j.path), "3 +\n");

    StopJournal(j);
    EXPECT_FALSE(Read(j.path).read.opened) << "turned off, the file is gone";
    AppendToJournal(j, "4 +");
    EXPECT_FALSE(Read(j.path).read.opened) << "nothing is written while off";

    std::vector<std::string> tape;
    for (std::size_t i = 0; i < kJournalKeptLines + 5; ++i) tape.push_back(Numbered(i));
    EXPECT_TRUE(StartJournalWith(j, tape.size(), [&](std::size_t i) { return tape[i]; }));
    EXPECT_EQ(LinesIn(j.path), kJournalKeptLines);
    AppendToJournal(j, "last");
    Restored r = Read(j.path);
    EXPECT_EQ(r.lines.front(), Numbered(6));
    EXPECT_EQ(r.lines.back(), "last");
    CloseJournal(j);
}

// A journal that cannot be written fails once, with its reason; later lines are not
// tried again, and a folder in the file's place reads as nothing.
TEST(TapeJournal, UnwritableJournalFailsOnce) {
    TempFolder folder;
    std::vector<std::string> paths = {folder.path()};
#ifndef _WIN32
    paths.push_back("/dev/full");  // every write meets a full disk
#endif
    for (const std::string& path : paths) {
        SCOPED_TRACE(path);
        TapeJournal j = JournalAt(path);
        EXPECT_FALSE(Read(path).read.opened);
        EXPECT_FALSE(AppendToJournal(j, "1 +"));
        EXPECT_TRUE(j.failed);
        EXPECT_EQ(j.failure.compare(0, path.size() + 19, path + " cannot be written "), 0)
            << j.failure;
        EXPECT_TRUE(AppendToJournal(j, "2 +")) << "told once";
        CloseJournal(j);
    }
}

#ifndef _WIN32
// Killed at any moment, the journal holds the lines written so far, in order.
TEST(TapeJournal, AKilledWriterLeavesEveryLineBeforeTheKill) {
    TempFolder folder;
    const std::string path = folder.File("Tallymax.tape");
    std::mt19937 random(909);
    std::size_t before = 0;
    for (int round = 0; round < 10; ++round) {
        pid_t child = fork();
        ASSERT_GE(child, 0);
        if (child == 0) {
            TapeJournal j = JournalAt(path);
            AdoptJournalFile(j, ReadJournal(path, {}));
            for (std::size_t i = j.lines;; ++i)
                AppendToJournal(j, Numbered(i) + std::string(i % 50, ' '));
        }
        usleep(1000 + random() % 8000);
        kill(child, SIGKILL);
        waitpid(child, nullptr, 0);
        Restored r = Read(path);
        ASSERT_GE(r.lines.size(), before) << round;
        for (std::size_t i = 0; i < r.lines.size(); ++i)
            ASSERT_EQ(r.lines[i], Numbered(i) + std::string(i % 50, ' ')) << round;
        before = r.lines.size();
    }
}
#endif

}  // namespace

namespace {

TEST(TapeJournal, TheNewestStateComesBackAndNeverCrowdsOutLines) {
    TempFolder folder;
    TapeJournal j = JournalAt(folder.File("Tallymax.tape"));
    // A state after every line, as the calculator writes them: all lines still come
    // back up to the bound, and only the newest state, which a compaction keeps.
    for (std::size_t i = 0; i < kJournalKeptLines + 10; ++i) {
        ASSERT_TRUE(AppendToJournal(j, Numbered(i)));
        ASSERT_TRUE(AppendStateToJournal(j, "state " + std::to_string(i)));
    }
    CloseJournal(j);
    Restored r = Read(j.path);
    ASSERT_EQ(r.lines.size(), kJournalKeptLines);
    EXPECT_EQ(r.expectedLines, kJournalKeptLines);
    EXPECT_EQ(r.lines.front(), Numbered(10));
    EXPECT_EQ(r.read.state, "state " + std::to_string(kJournalKeptLines + 9));
    ASSERT_TRUE(AdoptJournalFile(j, r.read));
    Restored rewritten = Read(j.path);
    EXPECT_EQ(rewritten.lines, r.lines);
    EXPECT_EQ(rewritten.read.state, r.read.state);
    EXPECT_EQ(LinesIn(j.path), kJournalKeptLines + 1);

    // A torn state is dropped like a torn line; the one before it stands. A journal of
    // the earlier format has none.
    WriteWholeFile(j.path, "1 +\n" + JournalStateRecord("old") + "2 +\n" +
                               JournalStateRecord("new").substr(0, 3));
    Restored torn = Read(j.path);
    EXPECT_EQ(torn.lines, (std::vector<std::string>{"1 +", "2 +"}));
    EXPECT_EQ(torn.read.state, "old");
    EXPECT_EQ(torn.read.linesAfterState, (std::vector<std::string>{"2 +"}))
        << "a calculation line after the state: a kill came between them";
    WriteWholeFile(j.path, "1 +\n2 +\n");
    EXPECT_EQ(Read(j.path).read.state, "");
    // A zero byte that does not begin a state is a damaged line, as it always was.
    WriteWholeFile(j.path, "1 +\n" + std::string(1, '\0') + "2 +\n");
    Restored damaged = Read(j.path);
    EXPECT_EQ(damaged.lines, (std::vector<std::string>{"1 +", "2 +"}));
    EXPECT_TRUE(damaged.read.damaged);
}

}  // namespace
