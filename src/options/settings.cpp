#include "options/settings.h"

#include <algorithm>

#include "platform/sjis.h"

namespace ambrel::options {

std::string CutShiftJis(std::string_view text, std::size_t maxBytes) {
  return std::string(text.substr(0, sjis::CharBoundaryAtOrBefore(text, maxBytes)));
}

Settings::Settings(HookControl* hook) : hook_(hook) {}

void Settings::AddObserver(SettingsObserver* observer) {
  if (observer && std::find(observers_.begin(), observers_.end(), observer) == observers_.end())
    observers_.push_back(observer);
}

void Settings::RemoveObserver(SettingsObserver* observer) {
  observers_.erase(std::remove(observers_.begin(), observers_.end(), observer), observers_.end());
}

void Settings::Changed(Setting which) {
  // An observer may unregister itself while it is told.
  const std::vector<SettingsObserver*> observers = observers_;
  for (SettingsObserver* o : observers) o->OnSettingChanged(which);
}

void Settings::SetHotKey(std::uint16_t shortcut) {
  const auto key = static_cast<std::uint8_t>(shortcut & 0xFF);
  // Without a key part there is no hot key at all; the library is told so,
  // and the 0 is what the next save writes back.
  if (key == 0) shortcut = 0;
  if (hook_)
    hook_->SetKeyCode(key, (shortcut & kHotKeyShift) != 0, (shortcut & kHotKeyCtrl) != 0,
                      (shortcut & kHotKeyAlt) != 0);
  hotKey_ = shortcut;
  Changed(Setting::kHotKey);
}

void Settings::SetPopupHint(bool on) { Assign(popupHint_, on, Setting::kPopupHint); }

void Settings::SetUpperTab(bool on) { Assign(upperTab_, on, Setting::kUpperTab); }

void Settings::SetMultiLine(bool on) { Assign(multiLine_, on, Setting::kMultiLine); }

void Settings::SetMultiLineBar(bool on) { Assign(multiLineBar_, on, Setting::kMultiLineBar); }

void Settings::SetGridLine(bool on) { Assign(gridLine_, on, Setting::kGridLine); }

void Settings::SetEditorFont(const EditorFont& font) {
  editorFont_ = font;
  // A height or size no font dialog gives falls back to the default one.
  const EditorFont designed;
  if (font.height < -kMaxFontPixels || font.height > kMaxFontPixels)
    editorFont_.height = designed.height;
  if (font.size < 1 || font.size > kMaxFontPoints) editorFont_.size = designed.size;
  editorFont_.color &= 0x00FFFFFF;
  editorFont_.style &= kFontBold | kFontItalic | kFontUnderline | kFontStrikeOut;
  Changed(Setting::kEditorFont);
}

void Settings::SetWordWrap(bool on) { Assign(wordWrap_, on, Setting::kWordWrap); }

void Settings::SetPasteMethod(int method) {
  method = std::clamp(method, kPasteByMessage, kPasteByShiftInsert);
  pasteMethod_ = method;
  if (hook_) {
    if (method == 1) hook_->SetPasteKeyCode(0);
    if (method == 2) hook_->SetPasteKeyCode(1);
  }
  Changed(Setting::kPasteMethod);
}

void Settings::SetMenuMenu(bool on) { Assign(menuMenu_, on, Setting::kMenuMenu); }

void Settings::SetOptionMenu(bool on) { Assign(optionMenu_, on, Setting::kOptionMenu); }

void Settings::SetHelpMenu(bool on) { Assign(helpMenu_, on, Setting::kHelpMenu); }

void Settings::SetDebugMode(bool on) { Assign(debugMode_, on, Setting::kDebugMode); }

void Settings::SetMenuLink(bool on) {
  menuLink_ = on;
  if (hook_ && hook_->Installed()) hook_->SetMenuInfo(menuLink_, editLink_, menuCap_, menuId_);
  Changed(Setting::kMenuLink);
}

void Settings::SetBeginner(bool on) { Assign(beginner_, on, Setting::kBeginner); }

void Settings::SetVertWindow(int style) {
  vertWindow_ = style != 0 ? 1 : 0;
  Changed(Setting::kVertWindow);
}

void Settings::SetTreeButtons(bool on) { Assign(treeBtn_, on, Setting::kTreeButtons); }

void Settings::SetInterval(int seconds) {
  interval_ = std::clamp(seconds, kMinInterval, kMaxInterval);
  Changed(Setting::kInterval);
}

void Settings::SetShowDebugPage(bool on) { Assign(showDebugPage_, on, Setting::kShowDebugPage); }

void Settings::SetQuote(std::string quote) { Assign(quote_, CutShiftJis(quote, 255), Setting::kQuote); }

void Settings::SetPopupPos(int pos) {
  Assign(popupPos_, std::clamp(pos, kPopupAtPoint, kPopupBottomRight), Setting::kPopupPos);
}

void Settings::SetMenuId(int id) { Assign(menuId_, std::clamp(id, kMinMenuId, kMaxMenuId), Setting::kMenuId); }

void Settings::SetMenuCap(std::string cap) { Assign(menuCap_, std::move(cap), Setting::kMenuCap); }

void Settings::InitTreeSize(int centerPanelWidth, int centerPanelHeight) {
  treeW_ = centerPanelWidth / 3;
  treeH_ = centerPanelHeight / 2;
}

namespace {
int ClampTreeExtent(int value, int panelExtent) {
  if (value < 50) value = 50;
  if (value > panelExtent - 50) value = panelExtent - 50;
  return value;
}
}  // namespace

int Settings::GetTreeWidth(int centerPanelWidth) {
  treeW_ = ClampTreeExtent(treeW_, centerPanelWidth);
  return treeW_;
}

int Settings::GetTreeHeight(int centerPanelHeight) {
  treeH_ = ClampTreeExtent(treeH_, centerPanelHeight);
  return treeH_;
}

}  // namespace ambrel::options
