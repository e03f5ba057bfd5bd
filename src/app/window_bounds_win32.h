// The window rectangles that the parameter file keeps. The editor window's
// is read from and given to the window itself; the others are held here
// until their windows exist, so that they are written back as read.
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

 private:
  HWND editor_;
  std::array<app::TRect, 5> held_{};
};

}  // namespace ambrel::win32
