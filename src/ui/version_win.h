// The program version from the version resource, and its text for About and Help.
#pragma once

#include <string>

#include "ui/version.h"

ProgramVersionNumbers ProgramVersion(const std::string& modulePath);
