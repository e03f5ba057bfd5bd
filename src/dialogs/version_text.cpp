#include "dialogs/version_text.h"

#include <cstdio>

namespace ambrel::dialogs {

std::string VersionLine(int major, int minor) {
  char text[32];
  std::snprintf(text, sizeof text, "Ver %d.%02d", major, minor);
  return text;
}

}  // namespace ambrel::dialogs
