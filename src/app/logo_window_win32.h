// TLogo: the resident window. Shows the start-up logo, then stays hidden and
// receives everything from outside: clipboard changes, pop-up requests from
// the hook library and tray-icon clicks. Closing it ends the program.
#pragma once

#include <memory>

#include "app/tray_icon_win32.h"
#include "platform/handles_win32.h"
#include "platform/window_win32.h"

namespace ambrel::win32 {

class LogoWindow : public Window {
 public:
  bool Create();
  bool AddTrayIcon();
  void RemoveTrayIcon();
  void PlayAnimation();

 private:
  LRESULT HandleMessage(UINT msg, WPARAM wParam, LPARAM lParam) override;
  void OnPaint();
  void OnDpiChanged(WPARAM wParam, LPARAM lParam);
  void OnDrawClipboard(WPARAM wParam, LPARAM lParam);
  void OnChangeCbChain(WPARAM wParam, LPARAM lParam);
  void OnTrayCallback(LPARAM mouseMessage);
  void OnPopupRequest(LPARAM position);
  void OnTrayCommand(int id);
  void OnClose();
  void ShowTrayMenu();
  void BuildTrayMenu();

  std::unique_ptr<TrayIcon> tray_;
  MenuHandle trayMenu_;
};

}  // namespace ambrel::win32
