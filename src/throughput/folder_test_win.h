// Folder mode: the timed write and read of the test file, and the cache clearing
// between them. Each step checks every call and reports what went wrong.
#pragma once

#include <cstdint>
#include <functional>
#include <string>

// A message for the user, shown before the step goes on.
using FolderMessage = std::function<void(const std::string& text)>;
// Asked before each unit: true when the user has stopped the run, which ends the step
// as a failure.
using StopAsked = std::function<bool()>;

struct FileStep {
    bool ok = false;
    uint64_t cycles = 0;  // of the timed span
    std::string problem;  // the message when it failed
};

// Creates (or overwrites) the file and writes `units` one-unit blocks of `block`,
// then flushes it onto the device and closes it, all within the timed span. A file
// that could not be written whole is deleted.
FileStep WriteTestFile(const std::string& path, uint64_t units, const char* block,
                       const StopAsked& stopped = {});

// Reads the file back one unit at a time into `block` (sector-aligned) with the
// system's buffering off; every read must be a whole unit.
FileStep ReadTestFile(const std::string& path, uint64_t units, char* block,
                      const StopAsked& stopped = {});

// Reads the whole file once with buffering off, so that the next read is not served
// from the cache. 0 on success, 1 on failure (the message already given).
int FlushFileCache(const std::string& path, const FolderMessage& show,
                   const StopAsked& stopped = {});

// The system's text for an error number, on one line.
std::string SystemErrorText(unsigned long error);
