#include "options/option_values.h"

#include <charconv>

#include "options/settings_table.h"

namespace ambrel::options {
namespace {

// The hot-key control's modifier bits, in its value's high byte.
constexpr std::uint16_t kControlShift = 0x01, kControlCtrl = 0x02, kControlAlt = 0x04;

// The dialog's checking order: the first failure is the one reported.
constexpr Setting kCheckOrder[] = {Setting::kMaxHistory, Setting::kMenuLen, Setting::kInterval, Setting::kHotKey};

}  // namespace

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
