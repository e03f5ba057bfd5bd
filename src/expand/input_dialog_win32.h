// TInput: the input dialog of "#Input" and "#Edit"; its field takes the
// editor font and word wrap each time it opens.
#pragma once

#include <string>
#include <string_view>

#include "options/settings.h"
#include "platform/modal_dialog_win32.h"

namespace ambrel::win32 {

class InputDialog : public ModalDialog {
 public:
  InputDialog(DialogHost& host, options::Settings& settings);
  bool Create();
  // text is the initial text and comes back as the dialog's text whatever
  // the result; true when closed with OK.
  bool RunInput(std::string_view name, std::string_view prompt, std::string& text);

 private:
  LRESULT HandleMessage(UINT msg, WPARAM wParam, LPARAM lParam) override;
  void OnCreate();
  void OnSize(int width, int height);
  void OnCommand(int id);
  // The height the prompt needs at the label's width.
  int PromptHeight(int width) const;
  // Grows the window when the prompt needs more room, within the work area.
  void FitPrompt();

  options::Settings& settings_;
  HWND title_ = nullptr, edit_ = nullptr;
};

}  // namespace ambrel::win32
