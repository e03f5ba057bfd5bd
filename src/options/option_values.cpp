#include "options/option_values.h"

#include <charconv>

#include "clipstore/clip_store.h"
#include "expand/meta_list.h"
#include "options/setting_access.h"
#include "options/settings_table.h"

namespace ambrel::options {
namespace {

// The hot-key control's modifier bits, in its value's high byte.
constexpr std::uint16_t kControlShift = 0x01, kControlCtrl = 0x02, kControlAlt = 0x04;

// The dialog's checking order: the first failure is the one reported.
constexpr Setting kCheckOrder[] = {Setting::kMaxHistory, Setting::kMenuLen, Setting::kInterval, Setting::kHotKey};

}  // namespace

OptionValues LoadOptionValues(const OptionHolders& h) {
  OptionValues v;
  for (const SettingRow& row : SettingRows()) {
    const OptionValueField& f = row.option;
    if (f.flag) v.*f.flag = ReadNumber(h, row) != 0;
    if (f.number) v.*f.number = ReadNumber(h, row);
    if (f.text) v.*f.text = ReadText(h, row);
    if (f.font) v.*f.font = h.settings.GetEditorFont();
  }
  v.skipParam = !h.settings.SaveParamOnExit();
  v.skipHistory = !h.settings.SaveHistoryOnExit();
  v.skipMeta = !h.settings.SaveMetaOnExit();
  return v;
}

void StoreOptionValues(const OptionValues& v, const OptionHolders& h) {
  // The captions are made again once, after the last of their settings
  // (the table keeps those together).
  h.store.SetCaptionUpdating(false);
  for (const SettingRow& row : SettingRows()) {
    const OptionValueField& f = row.option;
    if (f.flag) WriteNumber(h, row, v.*f.flag ? 1 : 0);
    if (f.number) WriteNumber(h, row, v.*f.number);
    if (f.text) WriteText(h, row, v.*f.text);
    if (f.font) h.settings.SetEditorFont(v.*f.font);
  }
  h.store.SetCaptionUpdating(true);

  Settings& s = h.settings;
  s.SetSaveParamOnExit(!v.skipParam);
  s.SetSaveHistoryOnExit(!v.skipHistory);
  s.SetSaveMetaOnExit(!v.skipMeta);
}

std::optional<OptionFailure> ValidateOptions(const OptionValues& v) {
  for (Setting which : kCheckOrder) {
    const SettingRow& row = RowOf(which);
    const SettingCheck& c = *row.check;
    const int value = (v.*row.option.number) & c.mask;
    if (value < c.minimum || value > c.maximum) return OptionFailure{c.field, c.message, c.helpContext, c.page, which};
  }
  return std::nullopt;
}

int SpinFieldValue(std::string_view text, int minimum) {
  while (!text.empty() && text.front() == ' ') text.remove_prefix(1);
  while (!text.empty() && text.back() == ' ') text.remove_suffix(1);
  int value = 0;
  const char* end = text.data() + text.size();
  const auto [rest, error] = std::from_chars(text.data(), end, value);
  if (text.empty() || error != std::errc() || rest != end) return minimum;
  return value;
}

std::uint16_t NormalizeHotKey(std::uint16_t shortcut) {
  const std::uint16_t modifiers = shortcut & (kHotKeyShift | kHotKeyCtrl | kHotKeyAlt);
  if ((shortcut & 0xFF) != 0 && (modifiers == 0 || modifiers == kHotKeyShift))
    shortcut = static_cast<std::uint16_t>((shortcut & 0xFF) | kHotKeyCtrl | kHotKeyShift);
  return shortcut;
}

std::uint16_t ShortcutFromHotKeyControl(std::uint16_t controlValue) {
  const unsigned mods = controlValue >> 8;
  unsigned shortcut = controlValue & 0xFFu;
  if (mods & kControlShift) shortcut |= kHotKeyShift;
  if (mods & kControlCtrl) shortcut |= kHotKeyCtrl;
  if (mods & kControlAlt) shortcut |= kHotKeyAlt;
  return NormalizeHotKey(static_cast<std::uint16_t>(shortcut));
}

std::uint16_t HotKeyControlFromShortcut(std::uint16_t shortcut) {
  unsigned mods = 0;
  if (shortcut & kHotKeyShift) mods |= kControlShift;
  if (shortcut & kHotKeyCtrl) mods |= kControlCtrl;
  if (shortcut & kHotKeyAlt) mods |= kControlAlt;
  return static_cast<std::uint16_t>((shortcut & 0xFFu) | (mods << 8));
}

}  // namespace ambrel::options
