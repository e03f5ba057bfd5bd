#include "expand/filer_dialog_win32.h"

#include <commdlg.h>

#include <algorithm>
#include <vector>

namespace ambrel::win32 {

bool RunFiler(HWND owner, std::string_view pattern, std::string& fileName) {
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
  ofn.Flags = OFN_HIDEREADONLY | OFN_ENABLESIZING;
  fileName.clear();
  if (!GetOpenFileNameA(&ofn)) return false;
  fileName = name.data();
  return true;
}

}  // namespace ambrel::win32
