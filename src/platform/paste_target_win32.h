// The window a chosen clip is pasted into: the clip menu sets it when it
// opens over a window; the paste and the expansion's dialogs read it.
#pragma once

#include <windows.h>

namespace ambrel::win32 {

class PasteTarget {
 public:
  void Set(HWND window) { window_ = window; }
  HWND Get() const { return window_; }

 private:
  HWND window_ = nullptr;
};

}  // namespace ambrel::win32
