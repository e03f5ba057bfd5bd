#include "app/logo_window_win32.h"

#include <utility>

#include "app/app_icon_win32.h"
#include "app/clipboard_feed_win32.h"
#include "app/dummy_window_win32.h"
#include "app/history_idle_save.h"
#include "app/hook_control_win32.h"
#include "app/popup_win32.h"
#include "dialogs/help_topics.h"
#include "editor/editor_visibility.h"
#include "help_contexts.h"
#include "hooklib/hook_logic.h"
#include "options/settings.h"
#include "platform/dialog_placement_win32.h"
#include "platform/dpi_win32.h"
#include "platform/help_win32.h"

namespace ambrel::win32 {
namespace {

constexpr int kClientWidth = 158;
constexpr int kClientHeight = 58;
constexpr int kPanelBorder = 3;

enum TrayCommand : int { kTPMenu = 101, kTPProperty, kTPHelp, kTPQuit };

constexpr UINT_PTR kIdleSaveTimer = 1;
constexpr UINT_PTR kTrayRetryTimer = 2;

constexpr char kTrayIconFailed[] = "タスクトレーアイコンの常駐に失敗しました。\r\nアプリケーションを終了します。";

}  // namespace

bool LogoWindow::Create() {
  // Not created yet: the logo stands centred on the primary screen, at its DPI.
  const int dpi = DpiForWindow(nullptr);
  RECT rc{0, 0, ScaleForDpi(kClientWidth, dpi), ScaleForDpi(kClientHeight, dpi)};
  AdjustWindowRectEx(&rc, WS_POPUP, FALSE, WS_EX_TOOLWINDOW);
  const int w = rc.right - rc.left, h = rc.bottom - rc.top;
  logoSize_ = {w, h};
  const int x = (GetSystemMetrics(SM_CXSCREEN) - w) / 2;
  const int y = (GetSystemMetrics(SM_CYSCREEN) - h) / 2;
  if (!CreateWin("TLogo", "Ambrel", WS_POPUP, WS_EX_TOOLWINDOW | WS_EX_TOPMOST, x, y, w, h, nullptr,
                 nullptr))
    return false;
  BuildTrayMenu();
  tray_ = std::make_unique<TrayIcon>(hwnd());
  taskbarCreated_ = RegisterWindowMessageA("TaskbarCreated");
  // The logo stands on the screen from the start until its animation.
  ShowWindow(hwnd(), SW_SHOWNOACTIVATE);
  UpdateWindow(hwnd());
  return true;
}

void LogoWindow::BuildTrayMenu() {
  trayMenu_.reset(CreatePopupMenu());
  AppendMenuA(trayMenu_.get(), MF_STRING, kTPMenu, "ﾒﾆｭｰを開く...(&M)");
  AppendMenuA(trayMenu_.get(), MF_STRING, kTPProperty, "ﾌﾟﾛﾊﾟﾃｨ設定...(&B)");
  AppendMenuA(trayMenu_.get(), MF_SEPARATOR, 0, nullptr);
  AppendMenuA(trayMenu_.get(), MF_STRING, kTPHelp, "ｵﾝﾗｲﾝﾍﾙﾌﾟ (H)");
  AppendMenuA(trayMenu_.get(), MF_STRING, kTPQuit, "Ambrelの終了 (&X)");
  // F1 on a highlighted item opens its help (TDummy, the menu's owner, is
  // asked); anywhere else in the menu, the menu's own.
  SetMenuContextHelpId(trayMenu_.get(), kHelpTrayMenu);
  const std::pair<int, int> contexts[] = {
      {kTPMenu, kHelpEditor}, {kTPProperty, kHelpProperties}, {kTPHelp, kHelpIndex}, {kTPQuit, kHelpQuit}};
  for (const auto& [id, context] : contexts) SetMenuItemHelpContext(trayMenu_.get(), id, context);
}

void LogoWindow::AddTrayIcon() {
  if (tray_->Add()) {
    trayRetry_.Reset();
    KillTimer(hwnd(), kTrayRetryTimer);
  } else if (trayRetry_.Refused(GetTickCount64())) {
    SetTimer(hwnd(), kTrayRetryTimer, app::kTrayRetryIntervalMs, nullptr);
  } else {
    GiveUpTrayIcon();
  }
}

void LogoWindow::OnTaskbarCreated() {
  trayRetry_.Reset();
  AddTrayIcon();
}

// A program without its icon cannot be reached; it says so and ends as
// after its quit command, saving what it recorded meanwhile.
void LogoWindow::GiveUpTrayIcon() {
  KillTimer(hwnd(), kTrayRetryTimer);
  s_.messages.ErrorBox(kTrayIconFailed, kHelpTrayIcon);
  PostMessageA(hwnd(), WM_CLOSE, 0, 0);
}
void LogoWindow::RemoveTrayIcon() { tray_->Remove(); }

void LogoWindow::PlayAnimation() {
  RECT start{};
  GetWindowRect(hwnd(), &start);
  const int screenW = GetSystemMetrics(SM_CXSCREEN), screenH = GetSystemMetrics(SM_CYSCREEN);
  int left = start.left, top = start.top;
  int width = start.right - start.left, height = start.bottom - start.top;
  for (int step = 0; step < 15; ++step) {
    width -= (start.right - start.left) / 15;
    height -= (start.bottom - start.top) / 15;
    top += (screenH - start.top) / 15;
    left += (screenW - start.left) / 15;
    SetWindowPos(hwnd(), nullptr, left, top, width, height, SWP_NOZORDER | SWP_NOACTIVATE);
    RedrawWindow(hwnd(), nullptr, nullptr, RDW_INVALIDATE | RDW_UPDATENOW);
  }
  ShowWindow(hwnd(), SW_HIDE);
  ParkWindow(hwnd());
}

void LogoWindow::ReplayLogo() {
  SetWindowPos(hwnd(), nullptr, 0, 0, logoSize_.cx, logoSize_.cy, SWP_NOMOVE | SWP_NOZORDER | SWP_NOACTIVATE);
  CenterDialog(hwnd());
  ShowWindow(hwnd(), SW_SHOWNOACTIVATE);
  UpdateWindow(hwnd());
  // The logo stays a moment before it closes, as at start-up.
  Sleep(700);
  PlayAnimation();
}

LRESULT LogoWindow::HandleMessage(UINT msg, WPARAM wParam, LPARAM lParam) {
  if (s_.hook.IsPopupRequest(msg)) {
    OnPopupRequest(lParam);
    return 0;
  }
  if (s_.clipboardFeed.Route(msg, wParam, lParam)) return 0;
  if (taskbarCreated_ && msg == taskbarCreated_) {
    OnTaskbarCreated();
    return 0;
  }
  switch (msg) {
    case WM_PAINT: OnPaint(); return 0;
    case kTrayCallback: OnTrayCallback(lParam); return 0;
    case WM_COMMAND: OnTrayCommand(LOWORD(wParam)); return 0;
    case WM_DPICHANGED: OnDpiChanged(wParam, lParam); return 0;
    case WM_CLOSE: OnClose(); return 0;
    case WM_QUERYENDSESSION: return TRUE;
    case WM_ENDSESSION: OnEndSession(wParam != 0); return 0;
    case WM_TIMER:
      if (wParam == kIdleSaveTimer) {
        s_.idleSave.Check();
        // Ticks come quicker while it copies a large history in pieces.
        SetTimer(hwnd(), kIdleSaveTimer, s_.idleSave.CheckIntervalMs(), nullptr);
      }
      if (wParam == kTrayRetryTimer) AddTrayIcon();
      return 0;
    case WM_DESTROY: PostQuitMessage(0); return 0;
    default: return Default(msg, wParam, lParam);
  }
}

void LogoWindow::OnDpiChanged(WPARAM wParam, LPARAM lParam) {
  const int dpi = ApplyDpiChange(hwnd(), wParam, lParam);
  if (tray_) tray_->ApplyDpi(dpi);
}

void LogoWindow::OnPaint() {
  PaintScope paint(hwnd());
  RECT rc{};
  GetClientRect(hwnd(), &rc);
  DrawEdge(paint.dc(), &rc, EDGE_RAISED, BF_RECT | BF_ADJUST);
  const int inset = ScaleForWindow(hwnd(), kPanelBorder) - 2;
  InflateRect(&rc, -inset, -inset);
  PaintLogo(paint.dc(), rc);
}

void LogoWindow::OnPopupRequest(LPARAM position) {
  if (s_.settings.DirectPopup()) {
    const hooklib::Point at = hooklib::UnpackPosition(static_cast<std::uint32_t>(position));
    s_.popup.Show(hwnd(), GetForegroundWindow(), POINT{at.x, at.y});
  } else {
    trayTarget_ = GetForegroundWindow();
    PostMessageA(hwnd(), kTrayCallback, 0, WM_LBUTTONDOWN);
  }
}

void LogoWindow::OnTrayCallback(LPARAM mouseMessage) {
  switch (mouseMessage) {
    case WM_MOUSEMOVE: trayTarget_ = GetForegroundWindow(); break;
    case WM_LBUTTONDOWN: {
      POINT pt{};
      GetCursorPos(&pt);
      s_.popup.Show(hwnd(), trayTarget_, pt);
      break;
    }
    case WM_LBUTTONDBLCLK:
      if (s_.busy.Busy()) {
        s_.messages.PlayFaultSound();
      } else {
        s_.editor.ShowEditor();
      }
      break;
    case WM_RBUTTONDOWN:
      if (s_.busy.Busy()) {
        s_.messages.PlayFaultSound();
      } else {
        if (s_.editor.EditorShown()) s_.editor.CloseEditor();
        ShowTrayMenu();
      }
      break;
    default: break;
  }
}

void LogoWindow::ShowTrayMenu() {
  POINT pt{};
  GetCursorPos(&pt);
  s_.dummy.ShowForMenu();
  const int id = TrackPopupMenu(trayMenu_.get(), TPM_LEFTBUTTON | TPM_RETURNCMD, pt.x, pt.y, 0,
                                s_.dummy.hwnd(), nullptr);
  s_.dummy.Close();
  if (id) OnTrayCommand(id);
}

void LogoWindow::OnTrayCommand(int id) {
  switch (id) {
    case kTPMenu: s_.editor.ShowEditor(); break;
    case kTPProperty: s_.showProperties(); break;
    case kTPHelp: s_.openHelp(kHelpContents); break;
    case kTPQuit: PostMessageA(hwnd(), WM_CLOSE, 0, 0); break;
    default: break;
  }
}

void LogoWindow::OnClose() {
  ShutDownOnce();
  DestroyWindow(hwnd());
}

// The session ends once this returns: the files are written now, and the
// program then closes as after its quit command.
void LogoWindow::OnEndSession(bool ending) {
  if (!ending) return;
  ShutDownOnce();
  PostMessageA(hwnd(), WM_CLOSE, 0, 0);
}

void LogoWindow::StartIdleSave() {
  s_.idleSave.Start();
  SetTimer(hwnd(), kIdleSaveTimer, s_.idleSave.CheckIntervalMs(), nullptr);
}

void LogoWindow::ShutDownOnce() {
  if (shutDown_) return;
  shutDown_ = true;
  KillTimer(hwnd(), kIdleSaveTimer);
  KillTimer(hwnd(), kTrayRetryTimer);
  s_.shutdown();
}

}  // namespace ambrel::win32
