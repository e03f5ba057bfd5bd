#pragma once

#include <string>

#include "version/version_number.h"

namespace ambrel {

inline constexpr const char* kProgramName = "Ambrel";

// "AMBREL Ver 1.20": the name in capitals and the version of version_number.h.
std::string TrayTipText();

// The message of a second copy: the program file's name, then the two lines.
std::string AlreadyRunningMessage(const std::string& programFileName);

}  // namespace ambrel
