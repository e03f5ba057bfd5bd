#pragma once

#include <windows.h>

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

// A menu item's help context, kept as the item's data.
void SetMenuItemHelpContext(HMENU menu, UINT id, int context);
// WM_HELP to a menu's owner (F1 in the open menu): the highlighted item's
// help, or else the menu's (SetMenuContextHelpId).
void OpenMenuHelp(const HELPINFO& info);

}  // namespace ambrel::win32
