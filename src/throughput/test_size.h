// The test size typed into the options dialog, and the cache-clearing buffer's size.
#pragma once

#include <cstdint>
#include <string>

inline constexpr uint64_t kTestUnit = 1048576;  // bytes per megabyte of test data
inline constexpr uint64_t kCacheChunk = 65536;

// The most units a test can have: its bytes must fit a signed 64-bit count.
inline constexpr int64_t kMostTestUnits = INT64_MAX / static_cast<int64_t>(kTestUnit);

enum class SizeVerdict { Cancel, Accept, TooLarge };

// The size text read as a number and rounded to a whole number of units; empty or
// non-numeric text, and sizes below 1, cancel the run.
SizeVerdict ReadTestSize(const std::string& text, int64_t& units);

// The size as the options dialog offers it again ("20").
std::string TestSizeText(int64_t units);

// The first buffer for reading a file of `fileBytes` with buffering off: the file
// rounded up to whole chunks, at most 128 chunks; 0 for an empty file (nothing to read).
uint64_t CacheBufferSize(uint64_t fileBytes, uint64_t chunk = kCacheChunk);

// The buffer to try after a reservation of `size` failed for want of memory: half of
// it, whole chunks; 0 once that would be below one chunk.
uint64_t SmallerCacheBuffer(uint64_t size, uint64_t chunk = kCacheChunk);
