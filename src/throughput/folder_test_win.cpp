#include "throughput/folder_test_win.h"

#include <windows.h>

#include "throughput/counter_sources_win.h"
#include "throughput/result_fields.h"
#include "throughput/test_size.h"

namespace {

std::string Failure(const std::string& what, const std::string& path, DWORD error) {
    return what + "\r\n\r\n" + path + "\r\n\r\n" + SystemErrorText(error);
}

}  // namespace

std::string SystemErrorText(unsigned long error) {
    char* text = nullptr;
    DWORD n = FormatMessageA(
        FORMAT_MESSAGE_ALLOCATE_BUFFER | FORMAT_MESSAGE_FROM_SYSTEM | FORMAT_MESSAGE_IGNORE_INSERTS,
        nullptr, error, 0, reinterpret_cast<char*>(&text), 0, nullptr);
    std::string message = n && text ? std::string(text, n) : std::string();
    if (text) LocalFree(text);
    while (!message.empty() &&
           (message.back() == '\r' || message.back() == '\n' || message.back() == ' '))
        message.pop_back();
    if (message.empty())
        message = "Error " + std::to_string(error);
    else
        message += " (error " + std::to_string(error) + ")";
    return message;
}

FileStep WriteTestFile(const std::string& path, uint64_t units, const char* block,
                       const StopAsked& stopped) {
    FileStep step;
    uint64_t c0 = ReadCycleCounter();
    HANDLE file = CreateFileA(path.c_str(), GENERIC_WRITE, 0, nullptr, CREATE_ALWAYS,
                              FILE_ATTRIBUTE_NORMAL | FILE_FLAG_SEQUENTIAL_SCAN, nullptr);
    if (file == INVALID_HANDLE_VALUE) {
        step.problem = Failure("The test file could not be created:", path, GetLastError());
        return step;
    }
    DWORD error = 0;
    uint64_t written = 0;
    for (uint64_t i = 0; i < units && error == 0; ++i) {
        DWORD done = 0;
        if (stopped && stopped())
            error = ERROR_CANCELLED;
        else if (!WriteFile(file, block, static_cast<DWORD>(kTestUnit), &done, nullptr))
            error = GetLastError();
        else if (done != kTestUnit)
            error = ERROR_DISK_FULL;  // a short write without an error: the disk took no more
        written += done;
    }
    // The data is on the device only after the flush, so the flush is part of the time.
    if (error == 0 && !FlushFileBuffers(file)) error = GetLastError();
    if (!CloseHandle(file) && error == 0) error = GetLastError();
    step.cycles = ReadCycleCounter() - c0;
    if (error != 0) {
        DeleteFileA(path.c_str());
        step.problem = Failure("The test file could not be written (" +
                                   GroupedNumber(static_cast<long double>(written), 0) + " of " +
                                   GroupedNumber(static_cast<long double>(units * kTestUnit), 0) +
                                   " bytes written):",
                               path, error);
        return step;
    }
    step.ok = true;
    return step;
}

FileStep ReadTestFile(const std::string& path, uint64_t units, char* block,
                      const StopAsked& stopped) {
    FileStep step;
    uint64_t c0 = ReadCycleCounter();
    HANDLE file = CreateFileA(path.c_str(), GENERIC_READ, FILE_SHARE_READ, nullptr, OPEN_EXISTING,
                              FILE_FLAG_NO_BUFFERING | FILE_FLAG_SEQUENTIAL_SCAN, nullptr);
    if (file == INVALID_HANDLE_VALUE) {
        step.problem =
            Failure("The test file could not be opened for reading:", path, GetLastError());
        return step;
    }
    DWORD error = 0;
    uint64_t read = 0;
    for (uint64_t i = 0; i < units && error == 0; ++i) {
        DWORD done = 0;
        if (stopped && stopped())
            error = ERROR_CANCELLED;
        else if (!ReadFile(file, block, static_cast<DWORD>(kTestUnit), &done, nullptr))
            error = GetLastError();
        else if (done != kTestUnit)
            error = ERROR_HANDLE_EOF;
        read += done;
    }
    CloseHandle(file);
    step.cycles = ReadCycleCounter() - c0;
    if (error != 0) {
        step.problem = Failure("The test file could not be read back (" +
                                   GroupedNumber(static_cast<long double>(read), 0) + " of " +
                                   GroupedNumber(static_cast<long double>(units * kTestUnit), 0) +
                                   " bytes read):",
                               path, error);
        return step;
    }
    step.ok = true;
    return step;
}

int FlushFileCache(const std::string& path, const FolderMessage& show, const StopAsked& stopped) {
    HANDLE file = CreateFileA(path.c_str(), GENERIC_READ, 0, nullptr, OPEN_EXISTING,
                              FILE_FLAG_NO_BUFFERING | FILE_FLAG_SEQUENTIAL_SCAN, nullptr);
    if (file == INVALID_HANDLE_VALUE) {
        DWORD error = GetLastError();
        if (error == ERROR_FILE_NOT_FOUND)
            show("Unable to find " + path);
        else
            show(" " + std::to_string(error) + " Unknown error on opening file");
        return 1;
    }
    LARGE_INTEGER size = {};
    GetFileSizeEx(file, &size);
    uint64_t bufferSize = CacheBufferSize(static_cast<uint64_t>(size.QuadPart));
    if (bufferSize == 0) {  // an empty file has nothing in the cache
        CloseHandle(file);
        return 0;
    }
    void* buffer = nullptr;
    while (!buffer) {
        buffer = VirtualAlloc(nullptr, bufferSize, MEM_RESERVE, PAGE_NOACCESS);
        if (buffer) break;
        DWORD error = GetLastError();
        if (error == ERROR_NOT_ENOUGH_MEMORY) bufferSize = SmallerCacheBuffer(bufferSize);
        if (error != ERROR_NOT_ENOUGH_MEMORY || bufferSize == 0) {
            CloseHandle(file);
            show(error == ERROR_NOT_ENOUGH_MEMORY
                     ? std::string("Not enough memory for file reading")
                     : " " + std::to_string(error) +
                           " Unknown error allocating memory for file reading");
            return 1;
        }
    }
    int result = 0;
    if (!VirtualAlloc(buffer, bufferSize, MEM_COMMIT, PAGE_READWRITE)) {
        show(" " + std::to_string(GetLastError()) +
             " Unknown error allocating memory for file reading");
        result = 1;
    }
    for (DWORD done = static_cast<DWORD>(bufferSize); result == 0 && done == bufferSize;) {
        if (stopped && stopped()) break;
        if (!ReadFile(file, buffer, static_cast<DWORD>(bufferSize), &done, nullptr)) {
            show("Error on reading file");
            result = 1;
        }
    }
    CloseHandle(file);
    VirtualFree(buffer, 0, MEM_RELEASE);
    return result;
}
