#include "hooklib/union_data.h"

#include <cstring>

#include "hooklib/virtual_keys.h"

namespace ambrel::hooklib {

void SanitizeSettings(UnionData& copy) noexcept {
  copy.terminator = '\0';
  if (copy.HotKeyCode == 0 || copy.HotKeyCode > kLastVirtualKey) copy.HotKeyCode = 0;
  copy.HotShift &= kKeyDown;
  copy.HotCtrl &= kKeyDown;
  copy.HotAlt &= kKeyDown;
  SetPasteKeyFields(copy, copy.PasteKey == kVkInsert && copy.PasteModifier == kVkShift ? 1 : 0);
  copy.EditLink = copy.EditLink != 0 ? 1 : 0;
  copy.MenuLink = copy.MenuLink != 0 ? 1 : 0;
  if (copy.MenuId < kFirstMenuId || copy.MenuId > kLastMenuId) copy.EditLink = copy.MenuLink = 0;
}

void SetKeyFields(UnionData& data, std::uint16_t key, bool shift, bool ctrl, bool alt) noexcept {
  data.HotKeyCode = key;
  data.HotShift = shift ? kKeyDown : 0;
  data.HotCtrl = ctrl ? kKeyDown : 0;
  data.HotAlt = alt ? kKeyDown : 0;
}

void SetPasteKeyFields(UnionData& data, int code) noexcept {
  if (code == 0) {
    data.PasteKey = kVkV;
    data.PasteModifier = kVkControl;
  } else {
    data.PasteKey = kVkInsert;
    data.PasteModifier = kVkShift;
  }
}

void SetMenuFields(UnionData& data, bool menuLink, bool editLink, const char* caption,
                   std::int32_t menuId) noexcept {
  data.MenuLink = menuLink ? 1 : 0;
  data.EditLink = editLink ? 1 : 0;
  data.MenuId = menuId;
  std::memset(data.MenuCap, 0, sizeof data.MenuCap);
  if (caption) {
    std::size_t n = 0;
    while (n < kMenuCapSize && caption[n] != '\0') ++n;
    std::memcpy(data.MenuCap, caption, n);
  }
}

}  // namespace ambrel::hooklib
