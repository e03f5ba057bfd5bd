// The version lines of the version dialog: "Ver 1.20" for major 1, minor 20.
#pragma once

#include <string>

namespace ambrel::dialogs {

std::string VersionLine(int major, int minor);

}  // namespace ambrel::dialogs
