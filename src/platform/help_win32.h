#pragma once

#include <windows.h>

#include <functional>
#include <string>

namespace ambrel::win32 {

struct HelpPage {
  std::string title;
  std::string body;  // CR LF separated lines
};

// The program's help, given once at start-up: the compiled help file (HTML
// Help) and the same pages as plain text for the help window, by context.
void SetHelpFile(std::string chmPath);
void SetHelpPages(std::function<HelpPage(int context)> pages);

// Opens the help at the topic of a context number (0: the contents): in HTML
// Help when the compiled file is there and HTML Help can show it, else in the
// program's own help window.
void OpenHelp(int context);

// A menu item's help context, kept as the item's data.
void SetMenuItemHelpContext(HMENU menu, UINT id, int context);
// WM_HELP to a menu's owner (F1 in the open menu): the highlighted item's
// help, or else the menu's (SetMenuContextHelpId).
void OpenMenuHelp(const HELPINFO& info);

}  // namespace ambrel::win32
