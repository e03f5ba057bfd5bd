#include "platform/file_dialog_hook_win32.h"

#include <commdlg.h>

namespace ambrel::win32 {

UINT_PTR CALLBACK FileDialogHook(HWND hook, UINT msg, WPARAM, LPARAM lParam) {
  if (msg == WM_INITDIALOG) {
    auto* state =
        reinterpret_cast<FileDialogHookState*>(reinterpret_cast<OPENFILENAMEA*>(lParam)->lCustData);
    SetWindowLongPtrA(hook, GWLP_USERDATA, reinterpret_cast<LONG_PTR>(state));
    state->counted.SetWindow(reinterpret_cast<OpenDialogs::WindowId>(GetParent(hook)));
    return 0;
  }
  auto* state = reinterpret_cast<FileDialogHookState*>(GetWindowLongPtrA(hook, GWLP_USERDATA));
  if (!state || !state->host.openHelp) return 0;
  if ((msg == WM_NOTIFY && reinterpret_cast<OFNOTIFYA*>(lParam)->hdr.code == CDN_HELP) || msg == WM_HELP)
    state->host.openHelp(state->helpContext);
  return 0;
}

}  // namespace ambrel::win32
