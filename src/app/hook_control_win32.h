// The settings' view of the hook library: the hot key, the paste key and the
// menu link go to Tesk.dll's exports.
#pragma once

#include <windows.h>

#include "app/companion_win32.h"
#include "options/settings.h"

namespace ambrel::win32 {

class TeskHookControl final : public options::HookControl {
 public:
  void SetKeyCode(std::uint8_t key, bool shift, bool ctrl, bool alt) override;
  void SetPasteKeyCode(int code) override;
  void SetMenuInfo(bool menuLink, bool editLink, std::string_view menuCap, int menuId) override;
  bool Installed() const override { return popupRequest_ != kNoRequest; }

  // SetHook at start-up: owner receives the pop-up requests. A block left
  // "hooked" by an earlier run that ended without FreeHook would refuse
  // forever; the hooks are then freed and set again (a second copy of the
  // program never gets this far).
  void InstallHook(HWND owner);
  void RemoveHook();
  // The message number of the library's pop-up requests (the number SetHook
  // returned); true only for that message while the hook is set.
  bool IsPopupRequest(UINT msg) const { return Installed() && msg == popupRequest_; }
  // The two message numbers, as shown on the properties dialog (-1: no hook).
  unsigned PopupRequestNumber() const { return popupRequest_; }
  unsigned PasteMessageNumber() const;

 private:
  static constexpr UINT kNoRequest = static_cast<UINT>(-1);
  UINT popupRequest_ = kNoRequest;
  Companion companion_;  // the same hooks in 32-bit applications
};

}  // namespace ambrel::win32
