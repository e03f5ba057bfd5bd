// TAbout: the program's name and version and the hook library's version, as
// the library reports it and as its file's version resource has it, with OK.
#pragma once

#include <string>

#include "platform/modal_dialog_win32.h"

namespace ambrel::win32 {

class VersionDialog : public ModalDialog {
 public:
  explicit VersionDialog(DialogHost& host) : ModalDialog(host, 0) {}
  bool Create();
  void ShowModal(HWND owner);

 private:
  LRESULT HandleMessage(UINT msg, WPARAM wParam, LPARAM lParam) override;
  void OnCreate();
};

// "Ver 1.20" from the file version of the loaded library, or "" when it has
// none.
std::string LibraryVersion(const char* moduleName);

}  // namespace ambrel::win32
