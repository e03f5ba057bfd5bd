#include "app/logo_window_win32.h"

#include "app/app_icon_win32.h"
#include "app/app_win32.h"
#include "app/dummy_window_win32.h"
#include "app/popup_win32.h"
#include "editor/main_window_win32.h"
#include "platform/dpi_win32.h"
#include "platform/help_win32.h"

namespace ambrel::win32 {
namespace {

constexpr int kClientWidth = 158;
constexpr int kClientHeight = 58;
constexpr int kPanelBorder = 3;

enum TrayCommand : int { kTPMenu = 101, kTPProperty, kTPHelp, kTPQuit };

}  // namespace

bool LogoWindow::Create() {
  // Not created yet: the logo stands centred on the primary screen, at its DPI.
  const int dpi = DpiForWindow(nullptr);
  RECT rc{0, 0, ScaleForDpi(kClientWidth, dpi), ScaleForDpi(kClientHeight, dpi)};
  AdjustWindowRectEx(&rc, WS_POPUP, FALSE, WS_EX_TOOLWINDOW);
  const int w = rc.right - rc.left, h = rc.bottom - rc.top;
  const int x = (GetSystemMetrics(SM_CXSCREEN) - w) / 2;
  const int y = (GetSystemMetrics(SM_CYSCREEN) - h) / 2;
  if (!CreateWin("TLogo", "Ambrel", WS_POPUP, WS_EX_TOOLWINDOW | WS_EX_TOPMOST, x, y, w, h, nullptr,
                 nullptr))
    return false;
  BuildTrayMenu();
  tray_ = std::make_unique<TrayIcon>(hwnd());
  // The logo stands on the screen from the start until its animation.
  ShowWindow(hwnd(), SW_SHOWNOACTIVATE);
  UpdateWindow(hwnd());
  return true;
}

void LogoWindow::BuildTrayMenu() {
  trayMenu_.reset(CreatePopupMenu());
  AppendMenuA(trayMenu_.get(), MF_STRING, kTPMenu, "ﾒﾆｭｰを開く...(&M)");
  AppendMenuA(trayMenu_.get(), MF_STRING, kTPProperty, "ﾌﾟﾛﾊﾟﾃｨ設定...(&B)");
  AppendMenuA(trayMenu_.get(), MF_SEPARATOR, 0, nullptr);  // TPLine1
  AppendMenuA(trayMenu_.get(), MF_STRING, kTPHelp, "ｵﾝﾗｲﾝﾍﾙﾌﾟ (H)");
  AppendMenuA(trayMenu_.get(), MF_STRING, kTPQuit, "Ambrelの終了 (&X)");
}

bool LogoWindow::AddTrayIcon() { return tray_->Add(); }
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
  SetWindowPos(hwnd(), nullptr, -2000, top, 0, 0, SWP_NOSIZE | SWP_NOZORDER | SWP_NOACTIVATE);
}

LRESULT LogoWindow::HandleMessage(UINT msg, WPARAM wParam, LPARAM lParam) {
  App& app = App::Get();
  if (msg == app.popupRequest && app.popupRequest != static_cast<UINT>(-1)) {
    OnPopupRequest(lParam);
    return 0;
  }
  switch (msg) {
    case WM_PAINT: OnPaint(); return 0;
    case WM_DRAWCLIPBOARD: OnDrawClipboard(wParam, lParam); return 0;
    case WM_CHANGECBCHAIN: OnChangeCbChain(wParam, lParam); return 0;
    case kTrayCallback: OnTrayCallback(lParam); return 0;
    case WM_COMMAND: OnTrayCommand(LOWORD(wParam)); return 0;
    case WM_DPICHANGED: OnDpiChanged(wParam, lParam); return 0;
    case WM_CLOSE: OnClose(); return 0;
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

void LogoWindow::OnDrawClipboard(WPARAM wParam, LPARAM lParam) {
  App& app = App::Get();
  if (app.settings.DataSave() && app.clipboard.HasText() && !app.clipboard.AsksNotToRecord()) {
    if (std::optional<std::string> text = app.clipboard.GetText()) {
      if (app.store.AddClip(app.layout.History(), clipstore::kHistorySlot, true, *text))
        app.distributor.DistributeClip(*text);
    }
  }
  if (app.nextViewer) SendMessageA(app.nextViewer, WM_DRAWCLIPBOARD, wParam, lParam);
}

void LogoWindow::OnChangeCbChain(WPARAM wParam, LPARAM lParam) {
  App& app = App::Get();
  if (reinterpret_cast<HWND>(wParam) == app.nextViewer)
    app.nextViewer = reinterpret_cast<HWND>(lParam);
  else if (app.nextViewer)
    SendMessageA(app.nextViewer, WM_CHANGECBCHAIN, wParam, lParam);
}

void LogoWindow::OnPopupRequest(LPARAM position) {
  App& app = App::Get();
  if (app.settings.DirectPopup()) {
    const auto value = static_cast<unsigned long>(position);
    ShowPopup(GetForegroundWindow(), POINT{static_cast<LONG>(value % 10000),
                                           static_cast<LONG>(value / 10000)});
  } else {
    app.targetWindow = GetForegroundWindow();
    PostMessageA(hwnd(), kTrayCallback, 0, WM_LBUTTONDOWN);
  }
}

void LogoWindow::OnTrayCallback(LPARAM mouseMessage) {
  App& app = App::Get();
  switch (mouseMessage) {
    case WM_MOUSEMOVE: app.targetWindow = GetForegroundWindow(); break;
    case WM_LBUTTONDOWN: {
      POINT pt{};
      GetCursorPos(&pt);
      ShowPopup(app.targetWindow, pt);
      break;
    }
    case WM_LBUTTONDBLCLK:
      if (app.BusyDialogs()) {
        app.messages.PlayFaultSound();
      } else {
        app.Editor().ShowEditor();
      }
      break;
    case WM_RBUTTONDOWN:
      if (app.BusyDialogs()) {
        app.messages.PlayFaultSound();
      } else {
        if (app.Editor().IsVisible()) app.Editor().CloseEditor();
        ShowTrayMenu();
      }
      break;
    default: break;
  }
}

void LogoWindow::ShowTrayMenu() {
  App& app = App::Get();
  POINT pt{};
  GetCursorPos(&pt);
  app.Dummy().ShowForMenu();
  const int id = TrackPopupMenu(trayMenu_.get(), TPM_LEFTBUTTON | TPM_RETURNCMD, pt.x, pt.y, 0,
                                app.Dummy().hwnd(), nullptr);
  app.Dummy().Close();
  if (id) OnTrayCommand(id);
}

void LogoWindow::OnTrayCommand(int id) {
  App& app = App::Get();
  switch (id) {
    case kTPMenu: app.Editor().ShowEditor(); break;
    case kTPProperty: app.Editor().ShowEditor(); break;
    case kTPHelp: OpenHelp(0); break;
    case kTPQuit: PostMessageA(hwnd(), WM_CLOSE, 0, 0); break;
    default: break;
  }
}

void LogoWindow::OnClose() {
  App::Get().Shutdown();
  DestroyWindow(hwnd());
}

}  // namespace ambrel::win32
