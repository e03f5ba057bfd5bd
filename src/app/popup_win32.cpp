#include "app/popup_win32.h"

#include <string>

#include "app/app_win32.h"
#include "app/logo_window_win32.h"
#include "app/popup_point.h"
#include "editor/main_window_win32.h"

namespace ambrel::win32 {
namespace {

HWND gPasteTarget = nullptr;

std::string DescribeWindow(HWND window) {
  char cls[100] = {}, text[100] = {};
  GetClassNameA(window, cls, sizeof cls);
  GetWindowTextA(window, text, sizeof text);
  return std::string("(NAME:") + cls + ")(HWND:" +
         std::to_string(reinterpret_cast<std::uintptr_t>(window)) + ")(TEXT:" + text + ")";
}

}  // namespace

HWND PasteTarget() { return gPasteTarget; }

void ShowPopup(HWND target, POINT pt) {
  App& app = App::Get();
  HWND logo = app.Logo().hwnd();
  MSG pending;
  while (PeekMessageA(&pending, logo, 0, 0, PM_REMOVE)) {
  }

  DWORD targetPid = 0, ownPid = 0;
  GetWindowThreadProcessId(target, &targetPid);
  GetWindowThreadProcessId(logo, &ownPid);
  if (targetPid == ownPid || app.BusyDialogs()) {
    app.messages.PlayFaultSound();
    return;
  }
  gPasteTarget = target;

  MainWindow& editor = app.Editor();
  const int savedLeft = editor.ParkOffScreen();
  if (app.settings.DskTpFocus()) SetForegroundWindow(GetDesktopWindow());
  if (app.settings.SelfFocus()) SetForegroundWindow(logo);
  if (app.settings.DebugMode()) {
    editor.SetDebugCaptions(DescribeWindow(target), DescribeWindow(GetForegroundWindow()));
  }
  const app::ScreenPoint point =
      app::PopupPoint(app.settings.PopupPos(), {pt.x, pt.y}, GetSystemMetrics(SM_CXSCREEN),
                      GetSystemMetrics(SM_CYSCREEN));
  const POINT at{point.x, point.y};
  editor.TrackClipMenu(at, /*asPopup=*/true);
  editor.Unpark(savedLeft);
}

}  // namespace ambrel::win32
