#include "editor/separator_win32.h"

namespace ambrel::win32 {

bool Separator::Create(HWND parent) {
  return CreateWin(vertical_ ? "TVertSep" : "THrzSep", "", WS_CHILD | WS_CLIPSIBLINGS, 0, 0, 0, 0, 0,
                   parent, nullptr);
}

int Separator::Across(LPARAM lParam) const {
  return vertical_ ? static_cast<short>(LOWORD(lParam)) : static_cast<short>(HIWORD(lParam));
}

LRESULT Separator::HandleMessage(UINT msg, WPARAM wParam, LPARAM lParam) {
  switch (msg) {
    case WM_SETCURSOR:
      SetCursor(LoadCursorA(nullptr, vertical_ ? IDC_SIZEWE : IDC_SIZENS));
      return TRUE;
    case WM_LBUTTONDOWN:
      origin_ = Across(lParam);
      SetCapture(hwnd());
      return 0;
    case WM_MOUSEMOVE:
      if (origin_ != -1 && Across(lParam) != origin_) moved_(Across(lParam) - origin_);
      return 0;
    case WM_LBUTTONUP:
      origin_ = -1;
      ReleaseCapture();
      return 0;
    case WM_CAPTURECHANGED: origin_ = -1; return 0;
    default: return Default(msg, wParam, lParam);
  }
}

}  // namespace ambrel::win32
