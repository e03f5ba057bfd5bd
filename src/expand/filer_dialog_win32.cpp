#include "expand/filer_dialog_win32.h"

#include <commdlg.h>

#include <algorithm>
#include <vector>

#include "platform/help_win32.h"

namespace ambrel::win32 {
namespace {

constexpr int kHelpContext = 156;

// The dialog's window goes to the modal handle while it is open, so the
// program counts it as an open dialog; its Help button opens the program's
// help at the file topic.
UINT_PTR CALLBACK FilerHook(HWND hook, UINT msg, WPARAM, LPARAM lParam) {
  if (msg == WM_INITDIALOG) {
    auto* ofn = reinterpret_cast<OPENFILENAMEA*>(lParam);
    if (auto* modal = reinterpret_cast<LONG_PTR*>(ofn->lCustData))
      *modal = reinterpret_cast<LONG_PTR>(GetParent(hook));
  } else if (msg == WM_NOTIFY && reinterpret_cast<OFNOTIFYA*>(lParam)->hdr.code == CDN_HELP) {
    OpenHelp(kHelpContext);
  }
  return 0;
}

}  // namespace

bool RunFiler(HWND owner, std::string_view pattern, std::string& fileName, LONG_PTR* modalHandle) {
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
  ofn.lCustData = reinterpret_cast<LPARAM>(modalHandle);
  const LONG_PTR before = modalHandle ? *modalHandle : 0;
  fileName.clear();
  const bool chosen = GetOpenFileNameA(&ofn) != 0;
  if (modalHandle) *modalHandle = before;
  if (!chosen) return false;
  fileName = name.data();
  return true;
}

}  // namespace ambrel::win32
