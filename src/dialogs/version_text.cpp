#include "dialogs/version_text.h"

#include <cstdio>
#include <string>

namespace ambrel::dialogs {

std::string VersionLine(int major, int minor) {
  char text[32];
  std::snprintf(text, sizeof text, "Ver %d.%02d", major, minor);
  return text;
}

std::string LibraryVersionNumber(int version) {
  const std::string digits = std::to_string(version);
  if (version < 0) return digits;
  return digits.substr(0, 1) + "." + digits.substr(1);
}

}  // namespace ambrel::dialogs
