// The 32-bit companion (Ambrel32.exe beside the program): sets the hooks of
// Tesk32.dll so that 32-bit applications get the hot key and the paste. The
// program starts it once its own hooks are set and ends it when it frees them.
// Without the companion (a 32-bit system, a portable folder without it) the
// program serves 64-bit applications only.
#pragma once

#include <windows.h>

#include "platform/handles_win32.h"

namespace ambrel::win32 {

class Companion {
 public:
  ~Companion() { Stop(); }
  void Start(HWND owner);
  // Asks the companion to free its hooks and waits for it to end.
  void Stop();
  bool Running() const;

 private:
  KernelHandle process_;
  DWORD thread_ = 0;
};

}  // namespace ambrel::win32
