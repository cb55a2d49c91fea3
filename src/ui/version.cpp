#include "ui/version.h"

std::string VersionText(const ProgramVersionNumbers& v) {
    return "Version " + std::to_string(v.major) + "." + std::to_string(v.minor) + "." +
           std::to_string(v.build) + " ";
}
