// The hook that the program's system file dialogs run with (OFN_ENABLEHOOK,
// lCustData pointing at a FileDialogHookState): the dialog's window joins
// the record of open dialogs once it exists, and its Help button and F1
// open the help at the state's topic.
#pragma once

#include <windows.h>

#include "platform/modal_dialog_win32.h"
#include "platform/open_dialogs.h"

namespace ambrel::win32 {

struct FileDialogHookState {
  OpenDialogs::Scope counted;
  const DialogHost& host;
  int helpContext;
};

UINT_PTR CALLBACK FileDialogHook(HWND hook, UINT msg, WPARAM wParam, LPARAM lParam);

}  // namespace ambrel::win32
