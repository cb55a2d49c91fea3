// The few file operations the settings file needs, on the C runtime's narrow-path
// calls so that Windows paths are taken in the system's ANSI code page unchanged.
#pragma once

#include <cstddef>
#include <string>

// A settings file larger than this is not ours: it is never loaded, so reads give
// their defaults and writes leave it alone instead of holding it all in memory.
inline constexpr std::size_t kMaxSettingsFileBytes = 64u * 1024u * 1024u;

// True only for an existing regular file; a name holding "?" or "*" never exists.
bool FileExists(const std::string& path);
bool FolderExists(const std::string& path);
// Creates one folder (its parent must exist); false when it could not.
bool MakeFolder(const std::string& path);
// Opens the file for appending, which creates it when missing, and closes it.
bool TouchFile(const std::string& path);

enum class LoadResult { kLoaded, kMissing, kFailed };
// Reads the whole file into `bytes`. kMissing when nothing exists at the path;
// kFailed for a folder, an unreadable file or one over `maxBytes`.
LoadResult LoadFile(const std::string& path, std::size_t maxBytes, std::string& bytes);

// True when the file exists and its read-only mark (the owner's write permission)
// is set; such a file is never replaced.
bool IsReadOnlyFile(const std::string& path);

// Writes `bytes` to a temporary file beside `path` and then puts it in the place
// of `path`, so that `path` holds either its old or its new content, never a part.
// On failure the temporary file is removed and `path` is untouched.
bool ReplaceFileContent(const std::string& path, const std::string& bytes);

// How the finished temporary file takes the place of the target. The default goes
// through std::filesystem::rename, which replaces an existing target on both
// platforms; the Windows program installs one that hands the ANSI path bytes to
// the system unchanged. Passing nullptr restores the default.
using FileReplacer = bool (*)(const std::string& temporary, const std::string& target);
void SetFileReplacer(FileReplacer replacer);
