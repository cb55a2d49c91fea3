#include "ui/version_win.h"

#include <windows.h>

#include <vector>

ProgramVersionNumbers ProgramVersion(const std::string& modulePath) {
    ProgramVersionNumbers v;  // the built-in numbers stand when the resource can't be read
    DWORD ignored = 0;
    DWORD size = GetFileVersionInfoSizeA(modulePath.c_str(), &ignored);
    if (size == 0) return v;
    std::vector<char> block(size);
    if (!GetFileVersionInfoA(modulePath.c_str(), 0, size, block.data())) return v;
    VS_FIXEDFILEINFO* info = nullptr;
    UINT len = 0;
    if (VerQueryValueA(block.data(), "\\", reinterpret_cast<void**>(&info), &len) && info &&
        len >= sizeof *info) {
        v.major = HIWORD(info->dwFileVersionMS);
        v.minor = LOWORD(info->dwFileVersionMS);
        v.build = HIWORD(info->dwFileVersionLS);
        v.revision = LOWORD(info->dwFileVersionLS);
    }
    return v;
}
