// The program's version numbers and the text shown for them.
#pragma once

#include <string>

struct ProgramVersionNumbers {
    int major = 2, minor = 9, build = 0, revision = 0;
};

// "Version " + major + "." + minor + "." + build + " ".
std::string VersionText(const ProgramVersionNumbers& v);
