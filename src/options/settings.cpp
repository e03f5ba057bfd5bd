#include "options/settings.h"

#include <algorithm>

#include "options/settings_table.h"
#include "platform/sjis.h"

namespace ambrel::options {

std::string CutShiftJis(std::string_view text, std::size_t maxBytes) {
  return std::string(text.substr(0, sjis::CharBoundaryAtOrBefore(text, maxBytes)));
}

Settings::Settings(HookControl* hook) : hook_(hook) {
  for (const SettingRow& row : SettingRows()) {
    if (row.holder != SettingHolder::kSettings) continue;
    numbers_[Index(row.which)] = row.defaultNumber;
    texts_[Index(row.which)] = row.defaultText;
  }
}

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

void Settings::SetNumber(Setting which, int value) {
  const SettingRow& row = RowOf(which);
  switch (row.kind) {
    case SettingKind::kFlag: value = value != 0 ? 1 : 0; break;
    case SettingKind::kNumber:
    case SettingKind::kChoice: value = std::clamp(value, row.minimum, row.maximum); break;
    // Without a key part there is no hot key at all; the library is told
    // so, and the 0 is what the next save writes back.
    case SettingKind::kKey: value = (value & 0xFF) == 0 ? 0 : value & 0xFFFF; break;
    case SettingKind::kText:
    case SettingKind::kFont: return;
  }
  numbers_[Index(which)] = value;
  TellHook(which);
  if (row.notifies) Changed(which);
}

void Settings::SetText(Setting which, std::string_view text) {
  const SettingRow& row = RowOf(which);
  if (row.kind != SettingKind::kText) return;
  texts_[Index(which)] = CutShiftJis(text, row.width);
  if (row.notifies) Changed(which);
}

void Settings::TellHook(Setting which) {
  if (!hook_) return;
  switch (which) {
    case Setting::kHotKey: {
      const int shortcut = Number(Setting::kHotKey);
      hook_->SetKeyCode(static_cast<std::uint8_t>(shortcut & 0xFF), (shortcut & kHotKeyShift) != 0,
                        (shortcut & kHotKeyCtrl) != 0, (shortcut & kHotKeyAlt) != 0);
      break;
    }
    case Setting::kPasteMethod:
      // A paste by message needs no key.
      if (PasteMethod() == kPasteByCtrlV) hook_->SetPasteKeyCode(0);
      if (PasteMethod() == kPasteByShiftInsert) hook_->SetPasteKeyCode(1);
      break;
    case Setting::kMenuLink:
      if (hook_->Installed()) hook_->SetMenuInfo(MenuLink(), EditLink(), MenuCap(), MenuId());
      break;
    default: break;
  }
}

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

void Settings::InitTreeSize(int centerPanelWidth, int centerPanelHeight) {
  SetTreeW(centerPanelWidth / 3);
  SetTreeH(centerPanelHeight / 2);
}

int ClampTreeExtent(int value, int panelExtent) {
  if (value < 50) value = 50;
  if (value > panelExtent - 50) value = panelExtent - 50;
  return value;
}

int Settings::GetTreeWidth(int centerPanelWidth) {
  SetTreeW(ClampTreeExtent(TreeW(), centerPanelWidth));
  return TreeW();
}

int Settings::GetTreeHeight(int centerPanelHeight) {
  SetTreeH(ClampTreeExtent(TreeH(), centerPanelHeight));
  return TreeH();
}

}  // namespace ambrel::options
