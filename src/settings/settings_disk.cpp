#include "settings/settings_disk.h"

#include <sys/stat.h>

#include <atomic>
#include <cerrno>
#include <chrono>
#include <cstdio>
#include <filesystem>
#include <system_error>

#ifdef _WIN32
#include <direct.h>
#include <io.h>
#else
#include <unistd.h>
#endif

namespace {

#ifdef _WIN32
using StatRecord = struct _stat64;
int StatPath(const std::string& path, StatRecord& st) {
    return _stat64(path.c_str(), &st);
}
#else
using StatRecord = struct stat;
int StatPath(const std::string& path, StatRecord& st) {
    return stat(path.c_str(), &st);
}
#endif

bool RenameWithFilesystem(const std::string& temporary, const std::string& target) {
    std::error_code ec;
    std::filesystem::rename(temporary, target, ec);
    return !ec;
}

FileReplacer g_replacer = RenameWithFilesystem;

// Pushes the written bytes to the disk, so that a power cut right after the
// replacement does not leave an empty file in place of the old one.
bool FlushToDisk(std::FILE* file) {
    if (std::fflush(file) != 0) return false;
#ifdef _WIN32
    return _commit(_fileno(file)) == 0;
#else
    return fsync(fileno(file)) == 0;
#endif
}

std::string TemporaryNameBeside(const std::string& path) {
    static std::atomic<unsigned> counter{0};
    auto stamp = static_cast<unsigned long long>(
        std::chrono::steady_clock::now().time_since_epoch().count());
    return path + ".tmp" + std::to_string((stamp + counter++) % 1000000);
}

}  // namespace

bool FileExists(const std::string& path) {
    if (path.empty() || path.find_first_of("?*") != std::string::npos) return false;
    StatRecord st;
    return StatPath(path, st) == 0 && S_ISREG(st.st_mode);
}

bool FolderExists(const std::string& path) {
    StatRecord st;
    return !path.empty() && StatPath(path, st) == 0 && S_ISDIR(st.st_mode);
}

bool MakeFolder(const std::string& path) {
    if (path.empty()) return false;
#ifdef _WIN32
    return _mkdir(path.c_str()) == 0;
#else
    return mkdir(path.c_str(), 0777) == 0;
#endif
}

bool TouchFile(const std::string& path) {
    if (path.empty()) return false;
    std::FILE* file = std::fopen(path.c_str(), "ab");
    if (!file) return false;
    return std::fclose(file) == 0;
}

LoadResult LoadFile(const std::string& path, std::size_t maxBytes, std::string& bytes) {
    bytes.clear();
    if (path.empty()) return LoadResult::kFailed;
    StatRecord st;
    if (StatPath(path, st) != 0)
        return errno == ENOENT ? LoadResult::kMissing : LoadResult::kFailed;
    if (!S_ISREG(st.st_mode) || st.st_size < 0 ||
        static_cast<unsigned long long>(st.st_size) > maxBytes)
        return LoadResult::kFailed;
    std::FILE* file = std::fopen(path.c_str(), "rb");
    if (!file) return LoadResult::kFailed;
    // The size is only a hint: the file may grow while it is read, so the limit is
    // checked again on the bytes actually read.
    char chunk[65536];
    bool ok = true;
    for (;;) {
        std::size_t got = std::fread(chunk, 1, sizeof chunk, file);
        if (got > maxBytes - bytes.size()) {
            ok = false;
            break;
        }
        bytes.append(chunk, got);
        if (got < sizeof chunk) {
            ok = !std::ferror(file);
            break;
        }
    }
    std::fclose(file);
    if (!ok) {
        bytes.clear();
        return LoadResult::kFailed;
    }
    return LoadResult::kLoaded;
}

bool IsReadOnlyFile(const std::string& path) {
    StatRecord st;
    if (path.empty() || StatPath(path, st) != 0) return false;
#ifdef _WIN32
    return (st.st_mode & _S_IWRITE) == 0;
#else
    return (st.st_mode & S_IWUSR) == 0;
#endif
}

bool ReplaceFileContent(const std::string& path, const std::string& bytes) {
    if (path.empty()) return false;
    const std::string temporary = TemporaryNameBeside(path);
    std::FILE* file = std::fopen(temporary.c_str(), "wb");
    if (!file) return false;
    bool ok = std::fwrite(bytes.data(), 1, bytes.size(), file) == bytes.size();
    ok = FlushToDisk(file) && ok;
    ok = std::fclose(file) == 0 && ok;
#ifndef _WIN32
    // The new file keeps the permissions the user gave the old one.
    StatRecord st;
    if (ok && StatPath(path, st) == 0) chmod(temporary.c_str(), st.st_mode & 07777);
#endif
    if (ok) ok = g_replacer(temporary, path);
    if (!ok) std::remove(temporary.c_str());
    return ok;
}

void SetFileReplacer(FileReplacer replacer) {
    g_replacer = replacer ? replacer : RenameWithFilesystem;
}
