// THello: the greeting shown once, on the first start of a new installation.
#pragma once

#include "platform/window_win32.h"

namespace ambrel::win32 {

class HelloDialog : public Window {
 public:
  bool Create();
  // Shows the greeting and returns when the user has closed it.
  void ShowModal();

 private:
  LRESULT HandleMessage(UINT msg, WPARAM wParam, LPARAM lParam) override;
  void OnCreate();
  bool open_ = false;
};

}  // namespace ambrel::win32
