// The task-tray icon: one record, added at start (and again whenever the
// shell has made its task bar again) and deleted at exit.
#pragma once

#include <windows.h>
#include <shellapi.h>

#include "platform/handles_win32.h"

namespace ambrel::win32 {

inline constexpr UINT kTrayCallback = WM_USER + 101;  // 0x465

class TrayIcon {
 public:
  explicit TrayIcon(HWND owner);
  // True when the task bar holds the icon afterwards: an add that the shell
  // reported as failed (a time-out) or refused as a duplicate may still
  // have put it there.
  bool Add();
  // The icon at the small-icon size of a new DPI (the owner's WM_DPICHANGED).
  void ApplyDpi(int dpi);
  void Remove();

 private:
  NOTIFYICONDATAA record_{};
  IconHandle icon_;
  bool added_ = false;
};

}  // namespace ambrel::win32
