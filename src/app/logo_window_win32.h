// TLogo: the resident window. Shows the start-up logo, then stays hidden and
// receives everything from outside: clipboard changes, pop-up requests from
// the hook library and tray-icon clicks. Closing it ends the program.
#pragma once

#include <functional>
#include <memory>

#include "app/idle_save.h"
#include "app/tray_icon_win32.h"
#include "platform/busy_state.h"
#include "platform/handles_win32.h"
#include "platform/window_win32.h"
#include "usermenu/distribution.h"

namespace ambrel::win32 {

class ClipPopup;
class DummyWindow;
class MainWindow;
class TeskHookControl;
class Win32Clipboard;

struct LogoServices {
  const options::Settings& settings;
  Win32Clipboard& clipboard;
  clipstore::TClipBase& store;
  usermenu::Distributor& distributor;
  MessageBoxes& messages;
  const BusyState& busy;
  const TeskHookControl& hook;  // tells the library's pop-up requests
  MainWindow& editor;
  DummyWindow& dummy;
  ClipPopup& popup;
  std::function<void(int context)> openHelp;
  std::function<void()> shutdown;  // saves and lets go before the window closes
  std::function<bool()> saveHistory;  // the idle save, under SaveHistoryOnExit; false: failed
  std::function<void()> showProperties;
};

class LogoWindow : public Window {
 public:
  explicit LogoWindow(const LogoServices& services) : s_(services) {}
  bool Create();
  bool AddTrayIcon();
  void RemoveTrayIcon();
  void PlayAnimation();
  // The logo shown again at its first size, centred, then closed as at start-up.
  void ReplayLogo();
  // The clipboard viewer chain: joined at start-up, left at shutdown.
  void JoinViewerChain();
  // From the end of start-up on, the history is saved once the store has
  // been left alone for a while after a change.
  void StartIdleSave();
  void LeaveViewerChain();

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
  void OnEndSession(bool ending);
  void OnIdleSaveTimer();
  void ShutDownOnce();
  void ShowTrayMenu();
  void BuildTrayMenu();

  LogoServices s_;
  std::unique_ptr<TrayIcon> tray_;
  MenuHandle trayMenu_;
  HWND nextViewer_ = nullptr;
  // The window in the foreground when the tray icon was last touched (or the
  // hot key asked for the tray's menu): the clip menu opens over it.
  HWND trayTarget_ = nullptr;
  app::IdleSave idleSave_;
  std::uint64_t savedRevision_ = 0;
  bool shutDown_ = false;
  SIZE logoSize_{};
};

}  // namespace ambrel::win32
