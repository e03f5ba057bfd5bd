// The version lines of the version dialog: "Ver 1.20" for major 1, minor 20.
#pragma once

#include <string>

namespace ambrel::dialogs {

std::string VersionLine(int major, int minor);

// The hook library's own version number as the dialog shows it: its first
// digit, a point, the remaining digits ("1.00" for 100).
std::string LibraryVersionNumber(int version);

}  // namespace ambrel::dialogs
