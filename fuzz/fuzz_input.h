// Reading structured values out of a fuzzer's bytes.
#pragma once

#include <cstddef>
#include <cstdint>
#include <cstring>
#include <string>

struct FuzzInput {
    const uint8_t* data;
    size_t size;

    bool Empty() const { return size == 0; }
    uint8_t Byte() {
        if (size == 0) return 0;
        --size;
        return *data++;
    }
    template <typename T>
    T Plain() {
        T value{};
        size_t n = size < sizeof value ? size : sizeof value;
        std::memcpy(&value, data, n);
        data += n;
        size -= n;
        return value;
    }
    // A text of up to `most` bytes, its length from the first byte.
    std::string Text(size_t most) {
        size_t n = Byte() % (most + 1);
        if (n > size) n = size;
        std::string text(reinterpret_cast<const char*>(data), n);
        data += n;
        size -= n;
        return text;
    }
    std::string Rest() {
        std::string text(reinterpret_cast<const char*>(data), size);
        data += size;
        size = 0;
        return text;
    }
};

// Stops the run with a message when a property does not hold.
#define FUZZ_CHECK(condition, what)                                                          \
    do {                                                                                     \
        if (!(condition)) {                                                                  \
            std::fprintf(stderr, "property failed: %s (%s:%d)\n", what, __FILE__, __LINE__); \
            std::abort();                                                                    \
        }                                                                                    \
    } while (0)
