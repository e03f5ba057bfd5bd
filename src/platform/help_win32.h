#pragma once

#include <functional>
#include <string>

namespace ambrel::win32 {

struct HelpPage {
  std::string title;
  std::string body;  // CR LF separated lines
};

// The program's help pages by context number, given once at start-up.
void SetHelpPages(std::function<HelpPage(int context)> pages);

// Opens the help window at the page of a context number (0: contents).
void OpenHelp(int context);

}  // namespace ambrel::win32
