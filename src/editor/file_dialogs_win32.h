// The open and save dialogs that the editor's data commands share. Each run
// takes a filter ("caption|pattern|..."), an initial file name and an
// extension; a file of another extension is refused with a message and the
// dialog opens again (see file_dialogs.h). While a dialog is shown it counts
// as an open dialog of the program.
#pragma once

#include <windows.h>

#include <string>
#include <string_view>

#include "platform/modal_dialog_win32.h"

namespace ambrel {
class MessageBoxes;
}

namespace ambrel::win32 {

class FileDialogs {
 public:
  FileDialogs(const DialogHost& host, MessageBoxes& messages) : host_(host), messages_(messages) {}

  // True when the user confirmed a file; FileName() holds the dialog's file
  // name afterwards, also after a cancel.
  bool OpenFileDialog(HWND owner, std::string_view filter, std::string_view initialName,
                      std::string_view extension);
  bool SaveFileDialog(HWND owner, std::string_view filter, std::string_view initialName,
                      std::string_view extension);
  const std::string& FileName() const { return fileName_; }

 private:
  bool Run(HWND owner, bool save, std::string_view filter, std::string_view initialName,
           std::string_view extension);

  const DialogHost& host_;
  MessageBoxes& messages_;
  std::string fileName_;
};

}  // namespace ambrel::win32
