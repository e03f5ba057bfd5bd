#include "app/tray_icon_win32.h"

#include <cstring>
#include <string>
#include <utility>

#include "app/app_icon_win32.h"
#include "platform/dpi_win32.h"
#include "version/version.h"

namespace ambrel::win32 {

TrayIcon::TrayIcon(HWND owner)
    : icon_(LoadAppIcon(SystemMetricForDpi(SM_CXSMICON, DpiForWindow(owner)))) {
  record_.cbSize = NOTIFYICONDATAA_V1_SIZE;
  record_.hWnd = owner;
  record_.uID = 1;
  record_.uFlags = NIF_MESSAGE | NIF_ICON | NIF_TIP;
  record_.uCallbackMessage = kTrayCallback;
  record_.hIcon = icon_.get();
  const std::string tip = TrayTipText();
  std::strncpy(record_.szTip, tip.c_str(), 63);
}

bool TrayIcon::Add() {
  added_ = Shell_NotifyIconA(NIM_ADD, &record_) != 0 || Shell_NotifyIconA(NIM_MODIFY, &record_) != 0;
  return added_;
}

void TrayIcon::ApplyDpi(int dpi) {
  IconHandle icon = LoadAppIcon(SystemMetricForDpi(SM_CXSMICON, dpi));
  if (!icon) return;
  icon_ = std::move(icon);
  record_.hIcon = icon_.get();
  if (added_) Shell_NotifyIconA(NIM_MODIFY, &record_);
}

void TrayIcon::Remove() {
  if (added_) Shell_NotifyIconA(NIM_DELETE, &record_);
  added_ = false;
}

}  // namespace ambrel::win32
