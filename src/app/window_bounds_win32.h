// The window rectangles that the parameter file keeps. The editor window's
// and those of the windows attached here are read from and given to the
// windows themselves; the others are held here until their windows exist,
// so that they are written back as read.
#pragma once

#include <windows.h>

#include <array>

#include "app/param_record.h"

namespace ambrel::win32 {

class WindowBounds : public app::ParamWindows {
 public:
  explicit WindowBounds(HWND editor) : editor_(editor) {}
  app::TRect Bounds(app::ParamWindow window) override;
  void SetBounds(app::ParamWindow window, const app::TRect& bounds) override;
  void CenterMainWindow() override;
  // From now on window's rectangle is read from and given to hwnd.
  void Attach(app::ParamWindow window, HWND hwnd);

 private:
  HWND editor_;
  std::array<app::TRect, 5> held_{};
  std::array<HWND, 5> attached_{};
};

}  // namespace ambrel::win32
