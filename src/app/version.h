#pragma once

#include <string>

namespace ambrel {

inline constexpr int kVersionNumber = 120;
inline constexpr const char* kProgramName = "Ambrel";

// "AMBREL Ver 1.20": the name in capitals and the version as d.dd.
std::string TrayTipText();

// The message of a second copy: the program file's name, then the two lines.
std::string AlreadyRunningMessage(const std::string& programFileName);

}  // namespace ambrel
