#include "expand/filer_dialog_win32.h"

#include <commdlg.h>

#include <algorithm>
#include <vector>


namespace ambrel::win32 {
namespace {

constexpr int kHelpContext = 156;

struct FilerState {
  OpenDialogs::Scope counted;
  const DialogHost& host;
};

// The dialog's window becomes known to the record of open dialogs once it
// exists; its Help button and F1 open the program's help at the file topic.
UINT_PTR CALLBACK FilerHook(HWND hook, UINT msg, WPARAM, LPARAM lParam) {
  if (msg == WM_INITDIALOG) {
    auto* state = reinterpret_cast<FilerState*>(reinterpret_cast<OPENFILENAMEA*>(lParam)->lCustData);
    SetWindowLongPtrA(hook, GWLP_USERDATA, reinterpret_cast<LONG_PTR>(state));
    state->counted.SetWindow(reinterpret_cast<OpenDialogs::WindowId>(GetParent(hook)));
    return 0;
  }
  auto* state = reinterpret_cast<FilerState*>(GetWindowLongPtrA(hook, GWLP_USERDATA));
  if (!state || !state->host.openHelp) return 0;
  if ((msg == WM_NOTIFY && reinterpret_cast<OFNOTIFYA*>(lParam)->hdr.code == CDN_HELP) || msg == WM_HELP)
    state->host.openHelp(kHelpContext);
  return 0;
}

}  // namespace

bool RunFiler(const DialogHost& host, HWND owner, std::string_view pattern, std::string& fileName) {
  // Room for a long chosen name whatever the pattern's length.
  std::vector<char> name(std::max<std::size_t>(MAX_PATH * 4, pattern.size() + 1), '\0');
  pattern.copy(name.data(), pattern.size());
  OPENFILENAMEA ofn{};
  ofn.lStructSize = sizeof ofn;
  ofn.hwndOwner = owner;
  ofn.lpstrFilter = "ﾃｷｽﾄﾌｧｲﾙ(*.txt)\0*.txt\0ﾋﾞｯﾄﾏｯﾌﾟﾌｧｲﾙ(*.bmp)\0*.bmp\0";
  ofn.lpstrFile = name.data();
  ofn.nMaxFile = static_cast<DWORD>(name.size());
  ofn.lpstrTitle = "ペーストしたいファイル名を指して下さい";
  ofn.Flags = OFN_HIDEREADONLY | OFN_ENABLESIZING | OFN_EXPLORER | OFN_SHOWHELP | OFN_ENABLEHOOK;
  ofn.lpfnHook = &FilerHook;
  FilerState state{OpenDialogs::Scope(host.openDialogs), host};
  ofn.lCustData = reinterpret_cast<LPARAM>(&state);
  fileName.clear();
  const bool chosen = GetOpenFileNameA(&ofn) != 0;
  if (!chosen) return false;
  fileName = name.data();
  return true;
}

}  // namespace ambrel::win32
