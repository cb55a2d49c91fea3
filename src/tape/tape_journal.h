// The tape journal "Tallymax.tape": every tape line is appended to it as it is written,
// so that the tape of one run comes back at the start of the next, even after a crash.
//
// The file holds one record per tape line: the line's single-byte text followed by
// "\n". A last record without its "\n" was torn by a kill in the middle of a write
// and is dropped on reading; every complete record before it survives. A tape line
// never holds "\n" or "\r" (they are written as blanks), so the framing cannot be
// broken from inside.
//
// Besides the lines, the journal keeps the state of the open calculation after each
// operation that wrote to the tape, so that a restart goes on with the column: a record
// that begins with a zero byte, which no tape line holds (the tape list ends a line at
// one, and a journal of the earlier format never has one). Such records are not tape
// lines and do not count against the bound; the newest one is the state.
#pragma once

#include <cstddef>
#include <cstdint>
#include <cstdio>
#include <functional>
#include <string>
#include <vector>

#include "tape/tape_report.h"

inline constexpr const char* kJournalFileName = "Tallymax.tape";
// The setting that turns the journal off: "KeepTape" = "0" in "[Tape]". It is written
// only when the user changes it; missing, the journal is on.
inline constexpr const char* kJournalSection = "Tape";
inline constexpr const char* kKeepTapeKey = "KeepTape";

// The journal keeps the newest this many lines. While the program runs it is compacted
// back to them once it holds twice as many, so that each line is rewritten at most
// once on average; at the end of a load and of the run it is brought back within them.
inline constexpr std::size_t kJournalKeptLines = 100000;
inline constexpr std::size_t kJournalCompactAt = 2 * kJournalKeptLines;
// A record is cut to the length that Load Tape keeps of a line.
inline constexpr std::size_t kJournalMaxLineLength = kMaxLoadedLineLength;
// Reading looks at most at this many bytes at the end of the file: enough for the kept
// lines at their longest, so a huge or foreign file costs a bounded read.
inline constexpr std::uint64_t kJournalReadWindow =
    std::uint64_t{kJournalKeptLines} * (kJournalMaxLineLength + 1);

// "Tallymax.tape" in the folder of the settings file; "" for an empty settings path.
std::string JournalPathBeside(const std::string& settingsPath);

// Whether the "KeepTape" value keeps the journal: only "0" turns it off, so that a
// damaged value falls back to the default.
bool KeepTapeValueOn(const std::string& value);

// The record of one tape line: the text up to a zero byte (where the tape list ends
// it), cut to kJournalMaxLineLength, "\r" and "\n" as blanks, then "\n".
std::string JournalRecord(const std::string& line);

inline constexpr std::size_t kLinesAfterStateKept = 1000;

// The record of the open calculation's state `text` (a single line).
std::string JournalStateRecord(const std::string& text);

// ---- Reading ----

struct JournalRead {
    bool opened = false;          // the file exists and could be read
    std::size_t linesKept = 0;    // lines handed to the sink
    bool olderLeftOut = false;    // older complete lines were left out by the bound
    bool tornLast = false;        // the file ended inside a record
    bool damaged = false;         // cut records, zero bytes, "\r", or more than the window
    std::uint64_t bytesRead = 0;  // what the reading cost
    std::string text;             // the kept records (lines, then the state), for a rewrite
    std::string state;            // the newest state record's text, "" when there is none
    // The first lines after that record: lines of an operation whose state a kill kept
    // from being written show that the state is older than the tape.
    std::vector<std::string> linesAfterState;
    // The file is not exactly its kept records: rewriting it with `text` makes it so.
    bool NeedsRewrite() const { return tornLast || damaged || olderLeftOut; }
};

// Where the lines read go: `expect` (optional) hears first how many lines and bytes of
// records follow, so that a list can make room for them at once; then `line` (optional)
// takes each line, oldest first.
struct JournalSink {
    std::function<void(std::size_t lines, std::uint64_t bytes)> expect;
    std::function<void(const std::string& line)> line;
};

// Reads the newest kJournalKeptLines complete records of the file at `path` into
// `sink`. A missing file, a folder or an unreadable file reads as not opened, with no
// lines. Never reads more than about twice kJournalReadWindow, whatever the file holds.
JournalRead ReadJournal(const std::string& path, const JournalSink& sink);

// ---- Writing ----

// The journal of one run. `on` follows the setting; the file is opened at the first
// line to be written, so that a run that writes no tape line leaves no file behind.
struct TapeJournal {
    std::string path;
    bool on = false;
    std::FILE* file = nullptr;
    std::size_t lines = 0;  // complete records in the file, as far as this run knows
    std::size_t compactAt = kJournalCompactAt;
    bool failed = false;  // a write failed: nothing more is written in this run
    std::string failure;  // the reason, for the message to the user
};

// Takes over the file as ReadJournal found it and rewrites it when it was torn,
// damaged or over the bound (the restored lines are then exactly the file). Without a
// rewrite, appends continue after the records the file holds. Same return as
// AppendToJournal (a file that needs a rewrite and cannot have one is not appended to).
bool AdoptJournalFile(TapeJournal& journal, const JournalRead& read);

// Appends one tape line. With `flush` false the record may wait in the buffer until
// FlushJournal (for the many lines of a tape file loaded at once). Returns false only
// when this call made the journal fail, so that the failure is told once.
bool AppendToJournal(TapeJournal& journal, const std::string& line, bool flush = true);
// Writes out what waits in the buffer, then compacts a journal over its bound.
bool FlushJournal(TapeJournal& journal);

// Empties the file (Clear Tape). Same return as AppendToJournal.
bool ClearJournal(TapeJournal& journal);

// Appends the state of the open calculation, flushed at once. Same return as
// AppendToJournal.
bool AppendStateToJournal(TapeJournal& journal, const std::string& state);

// Turns the journal off: the file is closed and deleted.
void StopJournal(TapeJournal& journal);

// Turns the journal on with the current tape: the file is replaced whole by the newest
// kJournalKeptLines of the `count` lines that `lineAt` gives. Same return as
// AppendToJournal.
bool StartJournalWith(TapeJournal& journal, std::size_t count,
                      const std::function<std::string(std::size_t index)>& lineAt);

// Closes the file (at the end of the run), compacted first when it is over its bound;
// the records written stay.
void CloseJournal(TapeJournal& journal);
