// THello: the greeting shown once, on the first start of a new installation.
#pragma once

#include "platform/modal_dialog_win32.h"

namespace ambrel::win32 {

class HelloDialog : public ModalDialog {
 public:
  explicit HelloDialog(DialogHost& host) : ModalDialog(host, 0) {}
  bool Create();
  // Shows the greeting and returns when the user has closed it.
  void ShowModal();

 private:
  LRESULT HandleMessage(UINT msg, WPARAM wParam, LPARAM lParam) override;
  void OnCreate();
};

}  // namespace ambrel::win32
