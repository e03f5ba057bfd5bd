#include "app/popup_win32.h"

#include <string>

#include "app/popup_point.h"
#include "editor/main_window_win32.h"
#include "options/settings.h"
#include "platform/message_box.h"

namespace ambrel::win32 {
namespace {

std::string DescribeWindow(HWND window) {
  char cls[100] = {}, text[100] = {};
  GetClassNameA(window, cls, sizeof cls);
  GetWindowTextA(window, text, sizeof text);
  return std::string("(NAME:") + cls + ")(HWND:" +
         std::to_string(reinterpret_cast<std::uintptr_t>(window)) + ")(TEXT:" + text + ")";
}

}  // namespace

void ClipPopup::Show(HWND resident, HWND target, POINT pt) {
  MSG pending;
  while (PeekMessageA(&pending, resident, 0, 0, PM_REMOVE)) {
  }

  DWORD targetPid = 0, ownPid = 0;
  GetWindowThreadProcessId(target, &targetPid);
  GetWindowThreadProcessId(resident, &ownPid);
  if (targetPid == ownPid || s_.busy.Busy()) {
    s_.messages.PlayFaultSound();
    return;
  }
  s_.target.Set(target);

  MainWindow& editor = s_.editor;
  const int savedLeft = editor.ParkOffScreen();
  if (s_.settings.DskTpFocus()) SetForegroundWindow(GetDesktopWindow());
  if (s_.settings.SelfFocus()) SetForegroundWindow(resident);
  if (s_.settings.DebugMode()) {
    editor.SetDebugCaptions(DescribeWindow(target), DescribeWindow(GetForegroundWindow()));
  }
  const app::ScreenPoint point =
      app::PopupPoint(s_.settings.PopupPos(), {pt.x, pt.y}, GetSystemMetrics(SM_CXSCREEN),
                      GetSystemMetrics(SM_CYSCREEN));
  const POINT at{point.x, point.y};
  editor.TrackClipMenu(at, /*asPopup=*/true);
  editor.Unpark(savedLeft);
}

}  // namespace ambrel::win32
