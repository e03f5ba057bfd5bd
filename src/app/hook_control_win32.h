// The settings' view of the hook library: the hot key, the paste key and the
// menu link go to Tesk.dll's exports.
#pragma once

#include <windows.h>

#include "options/settings.h"

namespace ambrel::win32 {

class TeskHookControl final : public options::HookControl {
 public:
  // popupRequest: the number SetHook returned, -1 while the hook is not set.
  explicit TeskHookControl(const UINT* popupRequest) : popupRequest_(popupRequest) {}

  void SetKeyCode(std::uint8_t key, bool shift, bool ctrl, bool alt) override;
  void SetPasteKeyCode(int code) override;
  void SetMenuInfo(bool menuLink, bool editLink, std::string_view menuCap, int menuId) override;
  bool Installed() const override { return *popupRequest_ != static_cast<UINT>(-1); }

  // SetHook at start-up. A block left "hooked" by an earlier run that ended
  // without FreeHook would refuse forever; the hooks are then freed and set
  // again (a second copy of the program never gets this far). -1 when no
  // number could be had.
  static UINT InstallHook(HWND owner);
  static void RemoveHook();

 private:
  const UINT* popupRequest_;
};

}  // namespace ambrel::win32
