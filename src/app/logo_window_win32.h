// TLogo: the resident window. Shows the start-up logo, then stays hidden and
// receives everything from outside: clipboard changes, pop-up requests from
// the hook library and tray-icon clicks. Closing it ends the program.
#pragma once

#include <functional>
#include <memory>

#include "app/tray_icon_win32.h"
#include "app/tray_retry.h"
#include "platform/busy_state.h"
#include "platform/handles_win32.h"
#include "platform/message_box.h"
#include "platform/window_win32.h"

namespace ambrel::app {
class HistoryIdleSave;
}
namespace ambrel::options {
class Settings;
}

namespace ambrel::win32 {

class ClipboardFeed;
class ClipPopup;
class DummyWindow;
class EditorVisibility;
class TeskHookControl;

struct LogoServices {
  const options::Settings& settings;
  MessageBoxes& messages;
  const BusyState& busy;
  const TeskHookControl& hook;  // tells the library's pop-up requests
  ClipboardFeed& clipboardFeed;  // takes the clipboard's messages
  app::HistoryIdleSave& idleSave;  // asked on each tick of the window's timer
  EditorVisibility& editor;
  DummyWindow& dummy;
  ClipPopup& popup;
  std::function<void(int context)> openHelp;
  std::function<void()> shutdown;  // saves and lets go before the window closes
  std::function<void()> showProperties;  // the tray's properties item
};

class LogoWindow : public Window {
 public:
  explicit LogoWindow(const LogoServices& services) : s_(services) {}
  bool Create();
  // Adds the tray icon; while the shell refuses it, tries again on a timer
  // (TrayRetry) with the program running, and at the end says so and closes.
  void AddTrayIcon();
  void RemoveTrayIcon();
  void PlayAnimation();
  // The logo shown again at its first size, centred, then closed as at start-up.
  void ReplayLogo();
  // From the end of start-up on, the history is saved once the store has
  // been left alone for a while after a change.
  void StartIdleSave();

 private:
  LRESULT HandleMessage(UINT msg, WPARAM wParam, LPARAM lParam) override;
  void OnPaint();
  void OnDpiChanged(WPARAM wParam, LPARAM lParam);
  void OnTrayCallback(LPARAM mouseMessage);
  void OnTaskbarCreated();
  void GiveUpTrayIcon();
  void OnPopupRequest(LPARAM position);
  void OnTrayCommand(int id);
  void OnClose();
  void OnEndSession(bool ending);
  void ShutDownOnce();
  void ShowTrayMenu();
  void BuildTrayMenu();

  LogoServices s_;
  std::unique_ptr<TrayIcon> tray_;
  app::TrayRetry trayRetry_;
  // The shell's registered message, broadcast once its task bar is made
  // again (after Explorer restarted): every icon has to be added anew.
  UINT taskbarCreated_ = 0;
  MenuHandle trayMenu_;
  // The window in the foreground when the tray icon was last touched (or the
  // hot key asked for the tray's menu): the clip menu opens over it.
  HWND trayTarget_ = nullptr;
  bool shutDown_ = false;
  SIZE logoSize_{};
};

}  // namespace ambrel::win32
