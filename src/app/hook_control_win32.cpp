#include "app/hook_control_win32.h"

#include <string>

#include "hooklib/tesk_win32.h"

namespace ambrel::win32 {

void TeskHookControl::SetKeyCode(std::uint8_t key, bool shift, bool ctrl, bool alt) {
  ::SetKeyCode(key, shift, ctrl, alt);
}

void TeskHookControl::SetPasteKeyCode(int code) { ::SetPasteKeyCode(code); }

void TeskHookControl::SetMenuInfo(bool menuLink, bool editLink, std::string_view menuCap,
                                  int menuId) {
  static const auto setMenuInfo = reinterpret_cast<SetMenuInfoFunction>(
      reinterpret_cast<void*>(GetProcAddress(GetModuleHandleA(kTeskModuleName), kSetMenuInfoName)));
  if (!setMenuInfo) return;
  const std::string caption(menuCap);
  setMenuInfo(menuLink, editLink, caption.c_str(), menuId);
}

void TeskHookControl::InstallHook(HWND owner) {
  UINT number = ::SetHook(owner);
  if (number == 0) {
    ::FreeHook();
    number = ::SetHook(owner);
  }
  popupRequest_ = number == 0 ? kNoRequest : number;
  if (Installed()) companion_.Start(owner);
}

void TeskHookControl::RemoveHook() {
  companion_.Stop();
  ::FreeHook();
}

unsigned TeskHookControl::PasteMessageNumber() const { return ::GetPasteMsgNo(); }

}  // namespace ambrel::win32
