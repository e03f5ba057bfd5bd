// What the properties dialog's controls hold, one field per control, and the
// check made when OK or QUIT is pressed (filling them from the settings and
// applying them back reach the clip store and the static variables too:
// properties/option_steps.h). The window only moves these values into and
// out of its controls. Each
// field belongs to a row of the settings table (settings_table.h), which the
// three steps walk; only the Debug page's three skip boxes are not settings.
#pragma once

#include <cstdint>
#include <optional>
#include <string>
#include <string_view>

#include "options/settings.h"

namespace ambrel::options {

struct OptionValues {
  // Menu page
  int hotKey = 0;  // the 16-bit shortcut
  bool menuMenu = false, optionMenu = false, helpMenu = false;
  int popupPos = 0;
  bool menuLink = false;
  // Data page
  int maxHistory = 0;
  bool duplicate = false, distribute = false, fullMatching = false, dataSave = false;
  int menuLen = 0;
  bool firstLine = false;
  std::string crChar, spaceChar, tabChar;
  bool changeSpace = false;
  // Paste page
  int pasteMethod = 0;
  std::string quote;
  bool metaExpand = false, staticComment = false;
  // Control page
  EditorFont font;
  bool wordWrap = false, upperTab = false, multiLine = false, gridLine = false;
  bool listAutoSel = false, treeBtn = false, treeAutoSel = false;
  bool multiLineBar = false, popupHint = false;
  // Other page
  bool beginner = false, vertWindow = false;
  int interval = 0;
  // Debug page: a checked box means the file is NOT written at exit.
  bool skipParam = false, skipHistory = false, skipMeta = false;
  bool debugMode = false, directPopup = false, selfFocus = false, dskTpFocus = false;
  int menuId = 0;
  std::string menuCap;
  bool editLink = false;

  bool operator==(const OptionValues&) const = default;
};

enum class OptionPage { kMenu, kData, kPaste, kCtrl, kOther, kDebug };
enum class OptionField { kMaxHistory, kMenuLen, kInterval, kHotKey };

struct OptionFailure {
  OptionField field;
  const char* message;
  int helpContext;
  OptionPage page;
  Setting which;  // whose control takes the focus
};

// The first value out of its accepted range, in the dialog's checking order.
std::optional<OptionFailure> ValidateOptions(const OptionValues& values);

// The number in a spin field's text; text that is not a number reads as the
// field's minimum.
int SpinFieldValue(std::string_view text, int minimum);

// A key typed without a modifier, or with Shift alone, becomes Ctrl+Shift
// with that key, so that plain typing never pops the menu up.
std::uint16_t NormalizeHotKey(std::uint16_t shortcut);
// The system hot-key control's value (virtual key in the low byte, its own
// modifier bits in the high byte) and the program's 16-bit shortcut.
std::uint16_t ShortcutFromHotKeyControl(std::uint16_t controlValue);
std::uint16_t HotKeyControlFromShortcut(std::uint16_t shortcut);

}  // namespace ambrel::options
