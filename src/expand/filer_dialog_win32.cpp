#include "expand/filer_dialog_win32.h"

#include <commdlg.h>

#include <algorithm>
#include <vector>

#include "platform/file_dialog_hook_win32.h"
#include "help_contexts.h"

namespace ambrel::win32 {
namespace {

constexpr int kHelpContext = kHelpFiler;

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
  ofn.lpfnHook = &FileDialogHook;
  FileDialogHookState state{OpenDialogs::Scope(host.openDialogs), host, kHelpContext};
  ofn.lCustData = reinterpret_cast<LPARAM>(&state);
  fileName.clear();
  const bool chosen = GetOpenFileNameA(&ofn) != 0;
  if (!chosen) return false;
  fileName = name.data();
  return true;
}

}  // namespace ambrel::win32
