#include "tape/tape_journal.h"

#include <algorithm>
#include <cerrno>
#include <cstring>
#include <vector>

#include "settings/settings_disk.h"

namespace {

constexpr std::size_t kPiece = 64 * 1024;
constexpr std::size_t kWriteBuffer = 64 * 1024;
// What is kept of a record while it is read: the longest line and a CR before its newline.
constexpr std::size_t kRecordCap = kJournalMaxLineLength + 1;
// The first byte of a state record, and all of its head: a record that begins with a
// zero byte but not with the head is a damaged line, as in a journal of any format.
constexpr char kStateMark = '\0';
const std::string kStateHead("\0state ", 7);

bool IsStateRecord(const std::string& record) {
    return record.compare(0, kStateHead.size(), kStateHead) == 0;
}

bool SeekTo(std::FILE* file, std::uint64_t at) {
#ifdef _WIN32
    return _fseeki64(file, static_cast<__int64>(at), SEEK_SET) == 0;
#else
    return fseeko(file, static_cast<off_t>(at), SEEK_SET) == 0;
#endif
}

bool SizeOf(std::FILE* file, std::uint64_t& size) {
#ifdef _WIN32
    if (_fseeki64(file, 0, SEEK_END) != 0) return false;
    __int64 end = _ftelli64(file);
#else
    if (fseeko(file, 0, SEEK_END) != 0) return false;
    off_t end = ftello(file);
#endif
    if (end < 0) return false;
    size = static_cast<std::uint64_t>(end);
    return true;
}

// Reads `size` bytes at `at` into `buffer`; false on a short read.
bool ReadAt(std::FILE* file, std::uint64_t at, std::size_t size, char* buffer) {
    return SeekTo(file, at) && std::fread(buffer, 1, size, file) == size;
}

// Where the kept records begin, found from the end of the file backwards: after the
// newline that closes the record just older than the newest kJournalKeptLines.
struct Span {
    std::uint64_t begin = 0, end = 0;  // the complete records
    std::size_t records = 0;
    bool olderLeftOut = false;
    bool tornLast = false;
    bool beyondWindow = false;  // the file goes on before what was looked at
    bool ok = true;
};

Span FindKeptRecords(std::FILE* file, std::uint64_t size, std::uint64_t& bytesRead) {
    Span span;
    std::uint64_t windowStart = size > kJournalReadWindow ? size - kJournalReadWindow : 0;
    // One byte before the window tells whether it starts at a record boundary.
    std::uint64_t scanFrom = windowStart > 0 ? windowStart - 1 : 0;
    std::vector<char> piece(kPiece);
    // Tape-line records that begin right after a newline, counted from the end; state
    // records are skipped, so that they never crowd lines out of the bound.
    std::size_t lineStarts = 0;
    bool sawNewline = false;
    std::uint64_t earliestNewline = 0;
    char after = '\n';  // the byte after the one looked at
    std::uint64_t at = size;
    while (at > scanFrom) {
        std::size_t n = static_cast<std::size_t>(std::min<std::uint64_t>(kPiece, at - scanFrom));
        at -= n;
        if (!ReadAt(file, at, n, piece.data())) {
            span.ok = false;
            return span;
        }
        bytesRead += n;
        for (std::size_t i = n; i-- > 0;) {
            char c = piece[i];
            std::uint64_t pos = at + i;
            if (c == '\n' && !sawNewline) {
                sawNewline = true;
                span.end = pos + 1;
                span.tornLast = span.end < size;
                earliestNewline = pos;
            } else if (c == '\n') {
                earliestNewline = pos;
                // The newest kept line begins here: older records are left out.
                if (after != kStateMark && ++lineStarts == kJournalKeptLines) {
                    span.begin = pos + 1;
                    span.records = kJournalKeptLines;
                    span.olderLeftOut = true;
                    return span;
                }
            }
            after = c;
        }
    }
    if (!sawNewline) {
        // Not one complete record: all of it is a torn or foreign line.
        span.tornLast = size > 0;
        span.beyondWindow = windowStart > 0;
        return span;
    }
    if (windowStart == 0) {
        span.begin = 0;
        // `after` is now the file's first byte, which begins its first record.
        span.records = lineStarts + (after != kStateMark ? 1 : 0);
    } else {
        // The bytes before the earliest newline belong to a record that began before
        // the window (or end one that did).
        span.begin = earliestNewline + 1;
        span.records = lineStarts;
        span.beyondWindow = true;
    }
    return span;
}

// Turns one record's bytes (without its newline, at most kRecordCap of them) into its
// tape line, noting anything the program would not have written.
std::string LineOfRecord(const std::string& record, bool cut, bool& damaged) {
    std::size_t size = record.size();
    // A record saved by an editor may end in CR LF.
    if (!cut && size > 0 && record[size - 1] == '\r') {
        --size;
        damaged = true;
    }
    std::string line;
    line.reserve(size);
    for (std::size_t i = 0; i < size; ++i) {
        char c = record[i];
        if (c == '\0' || c == '\r') {
            damaged = true;
            if (c == '\0') continue;  // the tape list would end the line there
            c = ' ';
        }
        line += c;
    }
    if (cut || line.size() > kJournalMaxLineLength) {
        damaged = true;
        line.resize(std::min(line.size(), kJournalMaxLineLength));
    }
    return line;
}

std::string SystemReason(int error) {
    const char* text = error ? std::strerror(error) : nullptr;
    return text && *text ? text : "the system gave no reason";
}

void Fail(TapeJournal& j, const std::string& what, int error) {
    j.failed = true;
    j.failure = j.path + " " + what + " (" + SystemReason(error) + ")";
    if (j.file) std::fclose(j.file);
    j.file = nullptr;
}

bool OpenForAppending(TapeJournal& j) {
    errno = 0;
    j.file = std::fopen(j.path.c_str(), "ab");
    if (!j.file) {
        Fail(j, "cannot be written", errno);
        return false;
    }
    std::setvbuf(j.file, nullptr, _IOFBF, kWriteBuffer);
    return true;
}

void CloseFile(TapeJournal& j) {
    if (j.file) std::fclose(j.file);
    j.file = nullptr;
}

// Rewrites the file with its newest kept lines. A failure leaves the file as it was,
// still a valid journal, so it only puts off the next attempt.
void Compact(TapeJournal& j) {
    CloseFile(j);
    JournalRead read = ReadJournal(j.path, {});
    if (read.opened && ReplaceFileContent(j.path, read.text)) {
        j.lines = read.linesKept + (read.state.empty() ? 0 : 1);
        j.compactAt = kJournalCompactAt;
    } else {
        j.compactAt = j.lines + kJournalKeptLines;
    }
}

}  // namespace

std::string JournalPathBeside(const std::string& settingsPath) {
    if (settingsPath.empty()) return std::string();
    std::size_t slash = settingsPath.find_last_of("\\/");
    std::string folder = slash == std::string::npos ? "" : settingsPath.substr(0, slash + 1);
    return folder + kJournalFileName;
}

bool KeepTapeValueOn(const std::string& value) {
    return value != "0";
}

std::string JournalRecord(const std::string& line) {
    std::size_t length = std::min({line.find('\0'), line.size(), kJournalMaxLineLength});
    std::string record = line.substr(0, length);
    std::replace(record.begin(), record.end(), '\r', ' ');
    std::replace(record.begin(), record.end(), '\n', ' ');
    record += '\n';
    return record;
}

std::string JournalStateRecord(const std::string& text) {
    std::string record = kStateHead;
    for (char c : text) record += (c == '\n' || c == '\r') ? ' ' : c;
    return record + '\n';
}

JournalRead ReadJournal(const std::string& path, const JournalSink& sink) {
    JournalRead read;
    if (!FileExists(path)) return read;
    std::FILE* file = std::fopen(path.c_str(), "rb");
    if (!file) return read;
    std::uint64_t size = 0;
    Span span;
    if (SizeOf(file, size)) span = FindKeptRecords(file, size, read.bytesRead);
    if (!span.ok || !SeekTo(file, span.begin)) {
        std::fclose(file);
        return read;
    }
    read.opened = true;
    read.tornLast = span.tornLast;
    read.olderLeftOut = span.olderLeftOut;
    read.damaged = span.beyondWindow;
    if (sink.expect) sink.expect(span.records, span.end - span.begin);
    read.text.reserve(static_cast<std::size_t>(span.end - span.begin));

    std::vector<char> piece(kPiece);
    std::string record;
    bool cut = false;
    std::uint64_t left = span.end - span.begin;
    while (left > 0) {
        std::size_t n = static_cast<std::size_t>(std::min<std::uint64_t>(kPiece, left));
        if (std::fread(piece.data(), 1, n, file) != n) {
            // The file shrank while it was read: what was read stands.
            read.damaged = true;
            break;
        }
        read.bytesRead += n;
        left -= n;
        const char* p = piece.data();
        const char* end = p + n;
        while (p != end) {
            const char* newline = static_cast<const char*>(std::memchr(p, '\n', end - p));
            const char* stop = newline ? newline : end;
            std::size_t run = static_cast<std::size_t>(stop - p);
            std::size_t room = kRecordCap - std::min(record.size(), kRecordCap);
            if (run > room) cut = true;
            record.append(p, std::min(run, room));
            if (!newline) break;
            if (IsStateRecord(record)) {
                if (!cut) read.state = record.substr(kStateHead.size());
                read.linesAfterState.clear();
                record.clear();
                cut = false;
                p = newline + 1;
                continue;
            }
            std::string line = LineOfRecord(record, cut, read.damaged);
            record.clear();
            cut = false;
            read.text += line;
            read.text += '\n';
            ++read.linesKept;
            if (!read.state.empty() && read.linesAfterState.size() < kLinesAfterStateKept)
                read.linesAfterState.push_back(line);
            if (sink.line) sink.line(line);
            p = newline + 1;
        }
    }
    std::fclose(file);
    if (!read.state.empty()) read.text += JournalStateRecord(read.state);
    return read;
}

bool AdoptJournalFile(TapeJournal& j, const JournalRead& read) {
    j.lines = read.linesKept + (read.state.empty() ? 0 : 1);
    j.compactAt = kJournalCompactAt;
    if (!j.on || !read.opened || !read.NeedsRewrite()) return true;
    errno = 0;
    if (ReplaceFileContent(j.path, read.text)) return true;
    // Appending after a torn record would glue the next line onto it.
    Fail(j, "cannot be repaired", errno);
    return false;
}

bool AppendToJournal(TapeJournal& j, const std::string& line, bool flush) {
    if (!j.on || j.failed || j.path.empty()) return true;
    if (!j.file && !OpenForAppending(j)) return false;
    std::string record = JournalRecord(line);
    errno = 0;
    if (std::fwrite(record.data(), 1, record.size(), j.file) != record.size()) {
        Fail(j, "cannot be written", errno);
        return false;
    }
    if (flush && std::fflush(j.file) != 0) {
        Fail(j, "cannot be written", errno);
        return false;
    }
    ++j.lines;
    if (j.lines >= j.compactAt) {
        if (!flush && std::fflush(j.file) != 0) {
            Fail(j, "cannot be written", errno);
            return false;
        }
        Compact(j);
    }
    return true;
}

bool AppendStateToJournal(TapeJournal& j, const std::string& state) {
    if (!j.on || j.failed || j.path.empty()) return true;
    if (!j.file && !OpenForAppending(j)) return false;
    std::string record = JournalStateRecord(state);
    errno = 0;
    if (std::fwrite(record.data(), 1, record.size(), j.file) != record.size() ||
        std::fflush(j.file) != 0) {
        Fail(j, "cannot be written", errno);
        return false;
    }
    // Counted towards compaction, which keeps only the newest state.
    if (++j.lines >= j.compactAt) Compact(j);
    return true;
}

bool FlushJournal(TapeJournal& j) {
    if (!j.file || j.failed) return true;
    errno = 0;
    if (std::fflush(j.file) != 0) {
        Fail(j, "cannot be written", errno);
        return false;
    }
    if (j.lines > kJournalKeptLines) Compact(j);
    return true;
}

bool ClearJournal(TapeJournal& j) {
    if (!j.on || j.path.empty()) return true;
    CloseFile(j);
    j.lines = 0;
    j.compactAt = kJournalCompactAt;
    if (!FileExists(j.path)) return true;
    // Emptied even after a failed write, so that a cleared tape never comes back.
    errno = 0;
    std::FILE* file = std::fopen(j.path.c_str(), "wb");
    if (file && std::fclose(file) == 0) return true;
    if (j.failed) return true;
    Fail(j, "cannot be emptied", errno);
    return false;
}

void StopJournal(TapeJournal& j) {
    CloseFile(j);
    // Only a file: a folder of that name is not the journal's to remove.
    if (FileExists(j.path)) std::remove(j.path.c_str());
    j.on = false;
    j.failed = false;
    j.failure.clear();
    j.lines = 0;
    j.compactAt = kJournalCompactAt;
}

bool StartJournalWith(TapeJournal& j, std::size_t count,
                      const std::function<std::string(std::size_t index)>& lineAt) {
    CloseFile(j);
    j.on = true;
    j.failed = false;
    j.failure.clear();
    j.compactAt = kJournalCompactAt;
    if (j.path.empty()) return true;
    std::size_t first = count > kJournalKeptLines ? count - kJournalKeptLines : 0;
    std::string text;
    for (std::size_t i = first; i < count; ++i) text += JournalRecord(lineAt(i));
    errno = 0;
    if (!ReplaceFileContent(j.path, text)) {
        Fail(j, "cannot be written", errno);
        return false;
    }
    j.lines = count - first;
    return true;
}

void CloseJournal(TapeJournal& j) {
    if (j.file && !j.failed && j.lines > kJournalKeptLines && std::fflush(j.file) == 0) Compact(j);
    CloseFile(j);
}
